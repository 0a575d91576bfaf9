#include "ApplicationLook.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <qpa/qplatformfontdatabase.h>

namespace ApplicationLook {

namespace {

class Style : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (icon != SP_ToolBarHorizontalExtensionButton)
            return QProxyStyle::standardIcon(icon, option, widget);
        // Two chevrons pointing to the hidden entries.
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
        for (const int x : {4, 8}) {
            painter.drawLine(x, 4, x + 3, 7);
            painter.drawLine(x + 3, 8, x, 11);
        }
        painter.end();
        return QIcon(pixmap);
    }
};

} // namespace

QStringList designFamilies(const QString& family, const QString& twin) {
    // Read once: the program adds no fonts of its own, so the list does not change while it runs.
    static const QStringList installed = QFontDatabase::families();
    if (installed.contains(family, Qt::CaseInsensitive))
        return {family};
    if (!installed.contains(twin, Qt::CaseInsensitive))
        return {family, twin};
    // A second family would first have Qt search the system's fallbacks for the missing one and
    // then for the twin (a fontconfig sort each, about a millisecond for every family and
    // style); as a name of the twin the family is found at once.
    QPlatformFontDatabase::registerAliasToFontFamily(twin, family);
    return {family};
}

QFont designFont(const QString& family, const QString& twin, QFont::StyleHint hint, qreal points,
                 bool bold) {
    QFont font;
    font.setFamilies(designFamilies(family, twin));
    font.setStyleHint(hint, GlyphStrategy);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void apply() {
    // What has no font of its own (menus, message boxes, the dialogs' buttons) takes the forms'
    // default, MS Sans Serif 8.25 pt. The desktop's sans font would be a face more to load and
    // keep in memory (some 300 KB) next to the design's.
    QApplication::setFont(designFont(QStringLiteral("MS Sans Serif"),
                                     QStringLiteral("Liberation Sans"), QFont::SansSerif, 8.25));
    QApplication::setStyle(new Style); // in front of the style Qt would choose itself
}

} // namespace ApplicationLook
