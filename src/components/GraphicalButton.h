#pragma once

#include <QPushButton>

// A push button in the graphical style: its caption on a flat face of an OLE colour
// (0x00BBGGRR) with the picture buttons' bevel. It takes the focus, and Enter, as any push button.
class GraphicalButton : public QPushButton {
    Q_OBJECT
public:
    GraphicalButton(const QString& caption, quint32 backColor, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    quint32 backColor_;
};
