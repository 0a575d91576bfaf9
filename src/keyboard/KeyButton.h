#pragma once

#include <QWidget>

// One on-screen key: a cap with the key's legend, centred on a face whose colour shows the
// key's state. Painted in code, so the legend stays crisp at any scale.
class KeyButton : public QWidget {
    Q_OBJECT
public:
    KeyButton(const QString& names, QSize capSize, QWidget* parent = nullptr);

    void setColor(quint32 ole);
    quint32 color() const { return color_; }
    QString names() const { return names_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The cap in widget pixels and its scale; empty when the key has no cap or no room for it.
    QRectF capRect(qreal* scale) const;
    // Works out, once for a size, the pixmap cache's name for the body and the colour region:
    // the pixels whose look depends on the colour, around the cap and its rounded corners.
    void layOut();

    QString names_;
    QSize capSize_;
    quint32 color_;
    QSize laidOutFor_;
    QString bodyKey_;
    QRegion colourRegion_;
};
