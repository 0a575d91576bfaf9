#include "OleColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace OleColor {

bool isSystemColor(quint32 ole) {
    return (ole & 0xFF000000u) == 0x80000000u;
}

static QColor systemColor(quint32 index) {
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 0x05: // window background
        return palette.color(QPalette::Base);
    case 0x08: // window text
    case 0x12: // button text
        return palette.color(QPalette::ButtonText);
    case 0x0D: // highlight
        return palette.color(QPalette::Highlight);
    case 0x0E: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 0x17: // tooltip text
        return palette.color(QPalette::ToolTipText);
    case 0x18: // tooltip background
        return palette.color(QPalette::ToolTipBase);
    case 0x0F: // button face
    default:
        return palette.color(QPalette::Button);
    }
}

QColor toQColor(quint32 ole) {
    if (isSystemColor(ole))
        return systemColor(ole & 0xFFu);
    return QColor(int(ole & 0xFFu), int((ole >> 8) & 0xFFu), int((ole >> 16) & 0xFFu));
}

quint32 fromQColor(const QColor& color) {
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

} // namespace OleColor
