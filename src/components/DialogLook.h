#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <Qt>

class QLabel;
class QPainter;
class QWidget;

// The look the dialogs share: their fonts with metric stand-ins, colours in the program's
// 0x00BBGGRR form, and labels placed in twips.
namespace DialogLook {

// A font of the given design family; Liberation Sans stands in where the family is missing.
QFont font(const QString& family, qreal points, bool bold = false);
// The dialogs' own font.
QFont msSansSerif(qreal points, bool bold = false);
// The typing font; Liberation Mono stands in where it is missing.
QFont courierNew(qreal points, bool bold = false);

void setForeColor(QWidget* widget, quint32 ole);
// Fills the widget's background with the colour.
void setBackColor(QWidget* widget, quint32 ole);

// The face of a graphical button: flat in the colour, with a raised bevel, sunken while down.
void paintButtonFace(QPainter& painter, const QRect& rect, quint32 ole, bool down);

// A plain-text label named name, placed at the twips rectangle (left, top, width, height).
QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& twips,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);
// The same for a value that changes at every keystroke (a LiveLabel).
QLabel* liveLabel(QWidget* parent, const QString& name, const QString& text, const QRect& twips,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);

} // namespace DialogLook
