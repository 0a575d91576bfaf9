#include "ProgramIcon.h"

#include "platform/OleColor.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(OleColor::toQColor(OleColor::Neutral));
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal m = size * 0.12;
        painter.setPen(QPen(QColor(110, 110, 110), qMax(1.0, size / 24.0)));
        painter.setBrush(QColor(245, 245, 245));
        painter.drawRoundedRect(QRectF(m, m, size - 2 * m, size - 2 * m), size * 0.12, size * 0.12);
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPixelSize(int(size * 0.55));
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QStringLiteral("Q"));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
