#pragma once

#include "TestSupport.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantList>
#include <functional>

namespace DialogTests {

// A lesson database file with only the given texts in table (NULL for a null QVariant).
inline QString makeDb(const QTemporaryDir& dir, const QString& name, const QString& table,
                      const QVariantList& texts) {
    const QString path = dir.filePath(name + QStringLiteral(".mdb"));
    if (!TestSupport::createEmptyDb(path))
        return {};
    for (const QVariant& text : texts) {
        const QVariant value = text.isNull() ? QVariant(QMetaType::fromType<QString>()) : text;
        if (!TestSupport::execOn(path, QStringLiteral("INSERT INTO %1 (txt) VALUES (?)").arg(table),
                                 {value}))
            return {};
    }
    return path;
}

// Runs show() (which shows dlg modally), calls body inside the modal loop, and makes sure the
// dialog closes afterwards so that a failing test cannot hang. ran reports whether body ran,
// stillOpen whether the dialog was open after body.
struct ModalRun {
    int result = -1;
    bool ran = false;
    bool stillOpen = false;
};

inline ModalRun runModal(QDialog& dlg, const std::function<int()>& show,
                         const std::function<void()>& body) {
    ModalRun run;
    TestSupport::onModal([&](QWidget* modal) {
        run.ran = modal == &dlg;
        if (run.ran)
            body();
        run.stillOpen = dlg.isVisible();
        if (dlg.isVisible())
            dlg.done(-2);
    });
    run.result = show();
    return run;
}

// The text of a single-line label fits its width.
inline bool textFits(const QLabel* label) {
    return QFontMetrics(label->font()).horizontalAdvance(label->text()) <=
           label->contentsRect().width();
}

// A window of fixed size with a close box but no minimise or maximise button.
inline bool fixedWithCloseBoxOnly(const QWidget& w) {
    const Qt::WindowFlags flags = w.windowFlags();
    return w.minimumSize() == w.maximumSize() && w.size() == w.minimumSize() &&
           !(flags & Qt::WindowMinimizeButtonHint) && !(flags & Qt::WindowMaximizeButtonHint) &&
           (flags & Qt::WindowCloseButtonHint);
}

// The caption of a push button fits between its edges, with room for the button's border.
inline bool captionFits(const QAbstractButton* button) {
    QString caption = button->text();
    caption.remove(QLatin1Char('&'));
    return QFontMetrics(button->font()).horizontalAdvance(caption) + 16 <= button->width();
}

// The rectangle of w in the coordinates of its window.
inline QRect inWindow(const QWidget* w) {
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

// No two of the widgets overlap and all lie inside their window.
inline bool laidOutCleanly(const QList<const QWidget*>& widgets) {
    for (int i = 0; i < widgets.size(); ++i) {
        const QRect r = inWindow(widgets.at(i));
        if (!widgets.at(i)->window()->rect().contains(r))
            return false;
        for (int j = i + 1; j < widgets.size(); ++j)
            if (r.intersects(inWindow(widgets.at(j))))
                return false;
    }
    return true;
}

} // namespace DialogTests
