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
    QString names_;
    QSize capSize_;
    quint32 color_;
};
