#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class clsToolTipDeluxe;
class PictureButton;
class PortalColorPicker;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabWidget;
class ScreenPixel;
class Sounds;
struct Settings;

// "Einstellungen": the user's options on four pages. OK takes them into the settings and has
// the main window repaint its keys in the chosen colour; every other way out takes nothing.
// A new instance for every opening: it loads the settings as they are at that moment.
class frmarc : public QDialog {
    Q_OBJECT
public:
    // farbesetzen applies the key colour after OK.
    frmarc(Settings& settings, Sounds& sounds, std::function<void()> farbesetzen,
           QWidget* parent = nullptr);
    ~frmarc() override;

    // Shows the dialog modally on a page: 0 "Audio", 1 "Reminder", 2 "Farbdesign",
    // 3 "Verschiedenes".
    int showModal(int page);

    // Controls, named as the dialog's design names them.
    QTabWidget* SSTab1 = nullptr;
    QPushButton* Command14 = nullptr; // OK
    QPushButton* Command7 = nullptr;  // Abbrechen
    QLabel* Label4 = nullptr;
    QCheckBox* Check4 = nullptr;
    QCheckBox* Check3 = nullptr;
    QLabel* Label9 = nullptr;
    QSlider* Slider2 = nullptr;
    QLabel* lblZeit = nullptr;
    QLabel* Label2 = nullptr;
    PictureButton* Command2 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label6 = nullptr;
    PictureButton* Command10 = nullptr;
    QLabel* Label7 = nullptr;
    QFrame* Picture1 = nullptr;
    QLabel* Picture2 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Image2 = nullptr;
    QFrame* Shape4 = nullptr;
    QFrame* Shape1 = nullptr;
    QFrame* Shape2 = nullptr;
    QFrame* Shape3 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15[3] = {};
    QLabel* Label3 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLabel* Label5 = nullptr;
    QCheckBox* Check1 = nullptr;
    QLabel* Label1 = nullptr;
    QCheckBox* Check5 = nullptr;
    QLabel* Image1 = nullptr;

    std::unique_ptr<clsToolTipDeluxe> PipetteTip;
    bool Picking = false;
    // The screen access held while picking; none otherwise.
    std::unique_ptr<ScreenPixel> hDC;
    // Where the screen cannot be read (Wayland) the desktop's own colour picker, when one runs,
    // takes the place of the drag; null where the pipette reads the screen itself.
    std::unique_ptr<PortalColorPicker> portalPicker;

    // The colour in the preview, 0x00BBGGRR.
    quint32 previewColor() const { return previewColor_; }

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Command14_Click();
    void Slider2_Change();
    void Picture2_MouseDown();
    void Picture2_MouseMove(const QPoint& position);
    void Picture2_MouseUp();
    void setPreview(quint32 ole);
    static quint32 ResolveOleColor(quint32 color);

    Settings& settings_;
    Sounds& sounds_;
    std::function<void()> farbesetzen_;
    quint32 previewColor_ = 0;
};
