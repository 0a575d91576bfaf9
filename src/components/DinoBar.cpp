#include "DinoBar.h"

#include "platform/AniPlayer.h"
#include "platform/OleColor.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

DinoBar::DinoBar(const QString& programFolder, QWidget* parent) : QWidget(parent) {
    // The bar fills itself whole. Marked so, the keyboard behind it is not painted each time the
    // figure moves, and Qt does not gather the region of all its keys again for that.
    setAttribute(Qt::WA_OpaquePaintEvent);
    CreateAniStatic(aniStatic_, programFolder + QStringLiteral("/dino.ani"), this, 0, 0);
    if (aniStatic_.hWnd)
        connect(aniStatic_.hWnd, &AniPlayer::frameChanged, this, [this](const QRect& changed) {
            update(changed.translated(aniStatic_.place.topLeft()));
        });
    setBackColor(backColor_);
}

DinoBar::~DinoBar() {
    DestroyAniStatic(aniStatic_);
}

void DinoBar::CreateAniStatic(AniStaticRecord& record, const QString& file, QWidget* parent, int x,
                              int y) {
    DestroyAniStatic(record);
    record.hCursor = AniCursor::fromFile(file);
    if (record.hCursor.isNull())
        return; // no figure, and nothing to tell the user
    record.hWnd = new AniPlayer(record.hCursor, parent);
    record.place = QRect(x, y, AniPlayer::Side, AniPlayer::Side);
    record.hWnd->setPlace(record.place);
}

void DinoBar::DestroyAniStatic(AniStaticRecord& record) {
    record.hCursor = AniCursor();
    delete record.hWnd;
    record.place = QRect();
}

void DinoBar::setMin(qint32 newMin) {
    if (newMin >= max_)
        return; // rejected silently
    min_ = newMin;
    if (newMin > value_)
        value_ = newMin;
    PlaceDino();
}

void DinoBar::setMax(qint32 newMax) {
    if (newMax <= min_)
        return; // rejected silently: a lesson without characters keeps the last maximum
    max_ = newMax;
    if (newMax < value_)
        value_ = newMax;
    PlaceDino();
}

void DinoBar::setValue(qint32 newValue) {
    value_ = newValue > max_ ? max_ : newValue < min_ ? min_ : newValue;
    PlaceDino();
}

void DinoBar::setBackColor(quint32 ole) {
    backColor_ = ole;
    if (aniStatic_.hWnd)
        aniStatic_.hWnd->setBackground(OleColor::toQColor(ole));
    update();
}

QRect DinoBar::figureRect() const {
    return aniStatic_.place;
}

void DinoBar::PlaceDino() {
    if (!aniStatic_.hWnd)
        return;
    // 64-bit differences: the full 32-bit range of Min and Max cannot overflow, and Max = Min
    // (which the setters never let happen) leaves the figure at the left end.
    const qint64 n = qint64(value_) - min_;
    const qint64 d = qint64(max_) - min_;
    const float ratio = d > 0 ? float(double(n) / double(d)) : 0.0f;
    const float w = float(width());
    const int side = AniPlayer::Side;
    // Halves round to even, as the default rounding mode does.
    const int x = w <= side ? 0 : int(std::nearbyint((w - side) * ratio));
    const QRect place(x, 0, side, side);
    if (place == aniStatic_.place)
        return;
    // Drawn by the bar, a step repaints only the two places: a child widget moved instead is
    // copied on the X server, and Qt waits for that on every keystroke.
    update(aniStatic_.place);
    aniStatic_.place = place;
    aniStatic_.hWnd->setPlace(place);
    update(place);
}

void DinoBar::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), OleColor::toQColor(backColor_));
    if (aniStatic_.hWnd && event->region().intersects(aniStatic_.place))
        painter.drawImage(aniStatic_.place.topLeft(), aniStatic_.hWnd->currentFrame());
}

void DinoBar::resizeEvent(QResizeEvent*) {
    PlaceDino();
}
