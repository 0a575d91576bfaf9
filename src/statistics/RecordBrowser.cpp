#include "RecordBrowser.h"

#include "components/PictureButton.h"
#include "platform/Beep.h"
#include "platform/MessageBox.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"
#include "platform/VirtualKey.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace {

// A triangle pointing left (direction -1) or right (+1), optionally with a bar at its tip:
// first, previous, next and last, drawn in a 16 x 16 grid.
PictureButton::Picture arrow(int direction, bool bar) {
    return [direction, bar](QPainter& p, const QRectF& area) {
        p.translate(area.topLeft());
        p.scale(area.width() / 16.0, area.height() / 16.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 30, 30));
        const qreal tip = direction < 0 ? 4.5 : 11.5, base = direction < 0 ? 11.5 : 4.5;
        QPainterPath triangle;
        triangle.moveTo(tip, 8);
        triangle.lineTo(base, 3);
        triangle.lineTo(base, 13);
        triangle.closeSubpath();
        p.drawPath(triangle);
        if (bar)
            p.drawRect(QRectF(direction < 0 ? 2.5 : 12, 3, 1.5, 10));
    };
}

} // namespace

RecordBrowser::RecordBrowser(const QString& name, const QString& caption, int widthTwips,
                             int heightTwips, QWidget* parent)
    : StatisticsWindow(name, caption, widthTwips, heightTwips, parent), beep(Beep) {
}

void RecordBrowser::buildNavigation(const QRect& box, const int (&buttonLefts)[4]) {
    picStatBox = new QFrame(this);
    picStatBox->setObjectName(QStringLiteral("picStatBox"));
    picStatBox->setFrameShape(QFrame::Box);
    picStatBox->setGeometry(Twips::rect(box.x(), box.y(), box.width(), box.height()));
    const struct {
        PictureButton** button;
        const char* name;
        int direction;
        bool bar;
        void (RecordBrowser::*click)();
    } buttons[] = {
        {&cmdFirst, "cmdFirst", -1, true, &RecordBrowser::cmdFirst_Click},
        {&cmdPrevious, "cmdPrevious", -1, false, &RecordBrowser::cmdPrevious_Click},
        {&cmdNext, "cmdNext", 1, false, &RecordBrowser::cmdNext_Click},
        {&cmdLast, "cmdLast", 1, true, &RecordBrowser::cmdLast_Click},
    };
    for (int i = 0; i < 4; ++i) {
        auto* button =
            new PictureButton(arrow(buttons[i].direction, buttons[i].bar), 0xFFC0C0, picStatBox);
        button->setObjectName(QLatin1String(buttons[i].name));
        button->setGeometry(Twips::rect(buttonLefts[i], 60, 525, 420));
        connect(button, &QAbstractButton::clicked, this, buttons[i].click);
        *buttons[i].button = button;
    }
}

void RecordBrowser::bind(QWidget* control, const QString& column, Format format) {
    bind(control, [column, format = std::move(format)](const KeyedRecordSet& rs) {
        return format(rs.field(column));
    });
}

void RecordBrowser::bind(QWidget* control, RowFormat format) {
    bindings_.push_back({control, std::move(format)});
}

void RecordBrowser::Form_Load() {
    watchKeys(this);
    if (query_ && !query_(rs_))
        showReadError(rs_.lastError());
    refresh();
    cmdLast_Click();
}

void RecordBrowser::Form_Unload() {
    rs_.close();
}

void RecordBrowser::cmdFirst_Click() {
    navigate([this] {
        if (rs_.bof())
            beep();
        else
            rs_.moveFirst();
    });
}

void RecordBrowser::cmdLast_Click() {
    navigate([this] {
        if (rs_.eof())
            beep();
        else
            rs_.moveLast();
    });
}

void RecordBrowser::cmdNext_Click() {
    navigate([this] {
        if (!rs_.eof())
            rs_.moveNext();
        if (rs_.eof() && rs_.recordCount() > 0) {
            beep();
            rs_.moveLast();
        }
    });
}

void RecordBrowser::cmdPrevious_Click() {
    navigate([this] {
        if (!rs_.bof())
            rs_.movePrevious();
        if (rs_.bof() && rs_.recordCount() > 0) {
            beep();
            rs_.moveFirst();
        }
    });
}

void RecordBrowser::cmdClose_Click() {
    if (isVisible())
        reject();
}

void RecordBrowser::navigate(const std::function<void()>& step) {
    // The only call that can fail on a snapshot is one on a set that never opened.
    if (!rs_.isOpen()) {
        MessageBox::show(rs_.lastError().isEmpty()
                             ? QStringLiteral("Die Datensatzgruppe ist nicht geöffnet.")
                             : rs_.lastError());
        return;
    }
    step();
    refresh();
}

void RecordBrowser::refresh() {
    for (const Binding& b : bindings_) {
        const QString text = rs_.bof() || rs_.eof() ? QString() : b.format(rs_);
        if (auto* edit = qobject_cast<QLineEdit*>(b.control)) {
            edit->setText(text);
            edit->setCursorPosition(0);
        } else if (auto* label = qobject_cast<QLabel*>(b.control)) {
            label->setText(text);
        }
    }
}

void RecordBrowser::Form_KeyDown(int keyCode, int shift) {
    const bool ctrlAlone = shift == 2;
    switch (keyCode) {
    case 27:
        cmdClose_Click();
        break;
    case 35:
        cmdLast_Click();
        break;
    case 36:
        cmdFirst_Click();
        break;
    case 38:
    case 33:
        ctrlAlone ? cmdFirst_Click() : cmdPrevious_Click();
        break;
    case 40:
    case 34:
        ctrlAlone ? cmdLast_Click() : cmdNext_Click();
        break;
    default:
        break;
    }
}

bool RecordBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        lastPress_ = nullptr;
    } else if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        // An event a control leaves unused climbs to its parents: the window sees it once, at
        // the control it was sent to.
        auto* receiver = static_cast<QWidget*>(watched);
        if (event == lastPress_ && receiver != lastReceiver_ &&
            receiver->isAncestorOf(lastReceiver_))
            return false;
        lastPress_ = event;
        lastReceiver_ = receiver;
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers m = key->modifiers();
        const int shift = (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                          (m & Qt::AltModifier ? 4 : 0);
        const int code = VirtualKey::fromEvent(*key);
        Form_KeyDown(code, shift);
        // The window is gone after Esc; nothing is left to receive the key.
        return code == 27;
    }
    return StatisticsWindow::eventFilter(watched, event);
}

void RecordBrowser::watchKeys(QObject* object) {
    if (!object->isWidgetType())
        return;
    object->installEventFilter(this);
    for (QObject* child : object->children())
        watchKeys(child);
}
