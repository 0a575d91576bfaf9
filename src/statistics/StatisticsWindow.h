#pragma once

#include <QDialog>
#include <QString>

class QPushButton;

// The frame every statistics window shares: a fixed window with a close box only, the
// dialogs' font, and a close button that is the default and the cancel button.
class StatisticsWindow : public QDialog {
    Q_OBJECT
public:
    StatisticsWindow(const QString& name, const QString& caption, int widthTwips, int heightTwips,
                     QWidget* parent = nullptr);

    // Runs the load step, shows the window modally and runs the unload step once it is closed.
    int showModal();
    // Reads what the window shows; runs before it is shown.
    virtual void Form_Load() = 0;

    // A statement failed: says so, with the data layer's description on the second line.
    static void showReadError(const QString& description);

protected:
    // Releases what the load step read.
    virtual void Form_Unload() {}
    // A "Schließen" button at the twips rectangle; Esc closes, and Enter too when it is the
    // default button.
    QPushButton* closeButton(const QString& name, const QRect& twips, bool isDefault = true);
};
