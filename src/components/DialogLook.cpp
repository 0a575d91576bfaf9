#include "DialogLook.h"

#include "LiveLabel.h"

#include "platform/ApplicationLook.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QPainter>
#include <QPalette>

namespace DialogLook {

QFont font(const QString& family, qreal points, bool bold) {
    return ApplicationLook::designFont(family, QStringLiteral("Liberation Sans"), QFont::SansSerif,
                                       points, bold);
}

QFont msSansSerif(qreal points, bool bold) {
    return font(QStringLiteral("MS Sans Serif"), points, bold);
}

QFont courierNew(qreal points, bool bold) {
    return ApplicationLook::designFont(QStringLiteral("Courier New"),
                                       QStringLiteral("Liberation Mono"), QFont::Monospace, points,
                                       bold);
}

void setForeColor(QWidget* widget, quint32 ole) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, OleColor::toQColor(ole));
    widget->setPalette(pal);
}

void setBackColor(QWidget* widget, quint32 ole) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, OleColor::toQColor(ole));
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

void paintButtonFace(QPainter& painter, const QRect& rect, quint32 ole, bool down) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect, OleColor::toQColor(ole));
    const QRectF face = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor light(255, 255, 255), dark(96, 96, 96);
    painter.setPen(QPen(down ? dark : light, 1));
    painter.drawLine(face.topLeft(), face.topRight());
    painter.drawLine(face.topLeft(), face.bottomLeft());
    painter.setPen(QPen(down ? light : dark, 1));
    painter.drawLine(face.bottomLeft(), face.bottomRight());
    painter.drawLine(face.topRight(), face.bottomRight());
    painter.restore();
}

namespace {

QLabel* place(QLabel* l, const QString& name, const QString& text, const QRect& twips,
              Qt::Alignment alignment) {
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    l->setAlignment(alignment);
    l->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    return l;
}

} // namespace

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& twips,
              Qt::Alignment alignment) {
    return place(new QLabel(parent), name, text, twips, alignment);
}

QLabel* liveLabel(QWidget* parent, const QString& name, const QString& text, const QRect& twips,
                  Qt::Alignment alignment) {
    QLabel* live = place(new LiveLabel(parent), name, text, twips, alignment);
    // Fixed in size, a new value repaints the label alone: it asks its panel for no layout.
    live->setFixedSize(live->size());
    return live;
}

} // namespace DialogLook
