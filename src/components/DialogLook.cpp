#include "DialogLook.h"

#include "platform/ApplicationLook.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QPalette>

namespace DialogLook {

QFont font(const QString& family, qreal points, bool bold) {
    QFont f;
    f.setFamilies({family, QStringLiteral("Liberation Sans")});
    ApplicationLook::setStyleHint(f, QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QFont msSansSerif(qreal points, bool bold) {
    return font(QStringLiteral("MS Sans Serif"), points, bold);
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

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& twips,
              Qt::Alignment alignment) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    l->setAlignment(alignment);
    l->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    return l;
}

} // namespace DialogLook
