#pragma once

#include <QWidget>

// One key of the on-screen keypad: a light grey cap with dark lettering, painted in code so
// that it stays crisp, nearly filling a face whose colour (0x00BBGGRR, system colours too)
// shows as a thin border around it. The first legend stands in the cap's upper left corner,
// the second beneath it.
class KeypadKeyButton : public QWidget {
    Q_OBJECT
public:
    KeypadKeyButton(const QString& legend, const QString& subLegend, QWidget* parent = nullptr);

    void setColor(quint32 ole);
    quint32 color() const { return color_; }
    QString legend() const { return legend_; }
    QString subLegend() const { return subLegend_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString legend_;
    QString subLegend_;
    quint32 color_;
};
