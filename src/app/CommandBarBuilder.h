#pragma once

#include <QKeySequence>
#include <initializer_list>
#include <span>

class QAction;
class QMenu;
class frmSchreiben;

// The main window's eight menus and its tool bar, built from their design tables. Every entry
// and button hands its index to the window's click handler; the window keeps the handlers.
class CommandBarBuilder {
public:
    explicit CommandBarBuilder(frmSchreiben& window) : window_(window) {}

    void buildMenus();
    void buildToolBar();

private:
    struct Entry {
        const char* caption;
        QKeySequence shortcut;
    };
    // Adds one menu's entries as an indexed array.
    void addEntries(QMenu* menu, std::span<QAction*> actions, std::initializer_list<Entry> entries,
                    void (frmSchreiben::*handler)(int));

    frmSchreiben& window_;
};
