#include "clsToolTipDeluxe.h"

#include "platform/OleColor.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QTextLayout>
#include <QWidget>
#include <cmath>
#include <optional>

namespace {

constexpr int Stem = 14;   // height of the balloon's stem
constexpr int Padding = 8; // inner margin
constexpr int IconSize = 16;

// The title icons by their codes: 1 information, 2 warning, 3 error; 0 and any other code none.
std::optional<QStyle::StandardPixmap> titleIcon(int code) {
    switch (code) {
    case 1:
        return QStyle::SP_MessageBoxInformation;
    case 2:
        return QStyle::SP_MessageBoxWarning;
    case 3:
        return QStyle::SP_MessageBoxCritical;
    default:
        return std::nullopt;
    }
}

// The tip window: a frameless tool window that paints its text, optional title and icon in a
// balloon with a stem at its top left, pointing up at the spot it explains.
class TipWindow : public QWidget {
public:
    explicit TipWindow(QWidget* owner, bool balloon)
        : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
          balloon_(balloon) {
        setObjectName(QStringLiteral("clsToolTipDeluxe"));
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        const QPalette system = QApplication::palette();
        back_ = system.color(QPalette::ToolTipBase);
        fore_ = system.color(QPalette::ToolTipText);
    }

    QHash<QWidget*, QPair<QString, bool>> tools; // control -> caption, centred
    QString title;
    int icon = 0;
    int maxWidth = 300;
    QColor back_, fore_;

    void setColors(const QColor& back, const QColor& fore) {
        back_ = back;
        fore_ = fore;
        update();
    }

    // Lays the tip out for text and returns the size of the whole window.
    void prepare(const QString& text) {
        text_ = text;
        const QFontMetrics fm(font());
        const int textWidth = std::max(1, maxWidth - 2 * Padding);
        textRect_ = fm.boundingRect(QRect(0, 0, textWidth, 100000), Qt::TextWordWrap, text_);
        QFont bold = font();
        bold.setBold(true);
        const QFontMetrics bm(bold);
        const bool withIcon = titleIcon(icon).has_value();
        titleHeight_ = title.isEmpty() ? 0 : std::max(bm.height(), withIcon ? IconSize : 0) + 4;
        const int titleWidth =
            title.isEmpty() ? 0 : bm.horizontalAdvance(title) + (withIcon ? IconSize + 6 : 0);
        const int w = std::max(textRect_.width(), titleWidth) + 2 * Padding;
        const int h = textRect_.height() + titleHeight_ + 2 * Padding + (balloon_ ? Stem : 0);
        resize(std::max(w, balloon_ ? 3 * Stem : 0), h);
        setMask(QRegion(outline().toFillPolygon().toPolygon()));
    }

    int stemX() const { return std::min(2 * Stem, width() / 2); }
    bool balloon() const { return balloon_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(outline(), back_);
        p.setPen(QPen(fore_, 1));
        p.drawPath(outline());
        const int top = (balloon_ ? Stem : 0) + Padding;
        int x = Padding;
        if (!title.isEmpty()) {
            if (const auto standard = titleIcon(icon)) {
                style()->standardIcon(*standard).paint(&p, QRect(x, top, IconSize, IconSize));
                x += IconSize + 6;
            }
            QFont bold = font();
            bold.setBold(true);
            p.setFont(bold);
            p.drawText(QRect(x, top, width() - x - Padding, titleHeight_ - 4),
                       Qt::AlignLeft | Qt::AlignVCenter, title);
            p.setFont(font());
        }
        p.drawText(QRect(Padding, top + titleHeight_, textRect_.width(), textRect_.height()),
                   Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text_);
    }

private:
    QPainterPath outline() const {
        QPainterPath path;
        const QRectF body(0.5, (balloon_ ? Stem : 0) + 0.5, width() - 1.0,
                          height() - (balloon_ ? Stem : 0) - 1.0);
        if (!balloon_) {
            path.addRect(body);
            return path;
        }
        path.addRoundedRect(body, 8, 8);
        QPainterPath stem;
        const qreal sx = stemX();
        stem.moveTo(sx, body.top() + 1);
        stem.lineTo(sx - Stem * 0.3, 0.5);
        stem.lineTo(sx + Stem, body.top() + 1);
        stem.closeSubpath();
        return path.united(stem);
    }

    bool balloon_;
    QString text_;
    QRect textRect_;
    int titleHeight_ = 0;
};

TipWindow* window(const QPointer<QWidget>& tip) {
    return static_cast<TipWindow*>(tip.data());
}

int clampTime(qint32 t) {
    return std::clamp(t, 0, 32767);
}

} // namespace

clsToolTipDeluxe::clsToolTipDeluxe() {
    delay_.setSingleShot(true);
    visible_.setSingleShot(true);
    connect(&delay_, &QTimer::timeout, this, &clsToolTipDeluxe::popUp);
    connect(&visible_, &QTimer::timeout, this, &clsToolTipDeluxe::hideTip);
}

clsToolTipDeluxe::~clsToolTipDeluxe() {
    Destroy();
}

QWidget* clsToolTipDeluxe::hTip() const {
    return tip_.data();
}

void clsToolTipDeluxe::MaxWidth(qint32 lMaxWidth) {
    MaxTipWidth = lMaxWidth;
    if (tip_)
        window(tip_)->maxWidth = lMaxWidth;
}

void clsToolTipDeluxe::VisibleTime(qint32 lTime) {
    if (tip_)
        visible_.setInterval(clampTime(lTime));
}

void clsToolTipDeluxe::DelayTime(qint32 lTime) {
    if (tip_)
        delay_.setInterval(clampTime(lTime));
}

void clsToolTipDeluxe::ToolTipTextColor(quint32 lColor) {
    if (tip_)
        window(tip_)->setColors(window(tip_)->back_, OleColor::toQColor(lColor & 0xFFFFFFu));
}

void clsToolTipDeluxe::ToolTipBackColor(quint32 lColor) {
    if (tip_)
        window(tip_)->setColors(OleColor::toQColor(lColor & 0xFFFFFFu), window(tip_)->fore_);
}

void clsToolTipDeluxe::Font(const QFont* objFont) {
    if (!objFont || !tip_)
        return;
    // Whole points (halves to even), then pixels at the tip's resolution, rounded.
    const double points = std::nearbyint(objFont->pointSizeF());
    const int height = int(std::lround(points * tip_->logicalDpiY() / 72.0));
    QFont f(objFont->family());
    f.setPixelSize(std::max(1, height));
    f.setBold(objFont->bold());
    f.setItalic(objFont->italic());
    f.setUnderline(objFont->underline());
    f.setStrikeOut(objFont->strikeOut());
    tip_->setFont(f);
}

void clsToolTipDeluxe::Create(QWidget* hWndParent, bool bAlwaysTip, bool bBalloonTip) {
    // One tip window at a time: a second Create replaces the first.
    Destroy();
    alwaysTip_ = bAlwaysTip;
    auto* tip = new TipWindow(hWndParent, bBalloonTip);
    tip->maxWidth = MaxTipWidth;
    tip_ = tip;
    // The common defaults of a tooltip until the owner sets its own.
    delay_.setInterval(500);
    visible_.setInterval(5000);
}

void clsToolTipDeluxe::Destroy() {
    delay_.stop();
    visible_.stop();
    if (tip_) {
        for (QWidget* control : window(tip_)->tools.keys())
            if (control)
                control->removeEventFilter(this);
        delete tip_.data();
    }
    tip_ = nullptr;
}

void clsToolTipDeluxe::AddControl(QWidget* objControl, const QString& strCaption,
                                  bool bCenterToolTip) {
    if (!tip_ || !objControl)
        return;
    QString caption = strCaption;
    caption.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    window(tip_)->tools.insert(objControl, {caption, bCenterToolTip});
    objControl->installEventFilter(this);
}

void clsToolTipDeluxe::SetToolTipTitle(const QString& strTitle, qint32 iTitleIcon) {
    if (!tip_)
        return;
    window(tip_)->title = strTitle;
    window(tip_)->icon = iTitleIcon;
    window(tip_)->update();
}

bool clsToolTipDeluxe::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    if (!tip_ || !control || !window(tip_)->tools.contains(control))
        return false;
    switch (event->type()) {
    case QEvent::Enter:
        hovered_ = control;
        if (!tip_->isVisible())
            delay_.start();
        break;
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::Hide:
        // Like any tooltip: leaving the control or pressing on it ends the tip.
        if (hovered_ == control) {
            hideTip();
            if (event->type() != QEvent::MouseButtonPress)
                hovered_ = nullptr;
        }
        break;
    default:
        break;
    }
    return false;
}

void clsToolTipDeluxe::popUp() {
    if (!tip_ || !hovered_ || !hovered_->isVisible())
        return;
    if (!alwaysTip_ && !hovered_->isActiveWindow())
        return;
    TipWindow* tip = window(tip_);
    const auto [caption, centred] = tip->tools.value(hovered_);
    tip->prepare(caption);
    // The stem points at the pointer, or at the middle of the control's lower edge.
    QPoint spot = centred ? hovered_->mapToGlobal(QPoint(hovered_->width() / 2, hovered_->height()))
                          : QCursor::pos() + QPoint(0, 16);
    QPoint topLeft = spot - QPoint(tip->balloon() ? tip->stemX() : 0, 0);
    if (const QScreen* screen = hovered_->screen()) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), area.left(),
                                std::max(area.left(), area.right() - tip->width())));
        topLeft.setY(std::clamp(topLeft.y(), area.top(),
                                std::max(area.top(), area.bottom() - tip->height())));
    }
    tip->move(topLeft);
    tip->show();
    tip->raise();
    visible_.start();
}

void clsToolTipDeluxe::hideTip() {
    delay_.stop();
    visible_.stop();
    if (tip_)
        tip_->hide();
}
