#pragma once

#include <QAbstractButton>
#include <functional>

// A graphical button: a picture on a coloured face, painted in code so that it stays crisp at
// any scale. The face colour is an OLE colour (0x00BBGGRR) and may change at run time.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    using Picture = std::function<void(QPainter& painter, const QRectF& area)>;

    PictureButton(Picture picture, quint32 backColor, QWidget* parent = nullptr);

    void setBackColor(quint32 ole);
    quint32 backColor() const { return backColor_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture picture_;
    quint32 backColor_;
};
