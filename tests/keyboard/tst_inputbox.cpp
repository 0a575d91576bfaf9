#include "TestMain.h"

#include "keyboard/InputBoxFilter.h"
#include "platform/GlyphAhead.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QInputMethodEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

namespace {

// The typing window's situation: a menu bar with mnemonics and Ctrl shortcuts (one of them also
// a standard editing key), a button, and the typing box between them. The handlers log what
// reaches the window and judge like it: Home and the arrows are swallowed on key-down, control
// characters other than Enter are wrong.
struct TypingWindow {
    TypingWindow() {
        QMenu* lektionen = window.menuBar()->addMenu(QStringLiteral("&Lektionen"));
        QAction* auswahl = lektionen->addAction(QStringLiteral("&Auswahl"));
        auswahl->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
        QObject::connect(auswahl, &QAction::triggered, [this] { triggered << "Auswahl"; });
        QMenu* auswertung = window.menuBar()->addMenu(QStringLiteral("&Auswertung"));
        QAction* statistik = auswertung->addAction(QStringLiteral("&Statistik"));
        statistik->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
        QObject::connect(statistik, &QAction::triggered, [this] { triggered << "Statistik"; });

        auto* central = new QWidget;
        auto* layout = new QVBoxLayout(central);
        before = new QPushButton(QStringLiteral("Start"));
        box = new QPlainTextEdit;
        after = new QPushButton(QStringLiteral("Auswahl"));
        layout->addWidget(before);
        layout->addWidget(box);
        layout->addWidget(after);
        window.setCentralWidget(central);
        window.resize(400, 300);

        HookInput(box, InputBoxFilter::Handlers{
                           [this](int& code) {
                               log << QStringLiteral("down %1").arg(code);
                               if (code >= 36 && code <= 40)
                                   code = 0;
                           },
                           [this](int& code) {
                               log << QStringLiteral("press %1").arg(code);
                               if (code < 32 && code != 13)
                                   code = 0;
                           },
                           [this](int code) { log << QStringLiteral("up %1").arg(code); }});
    }

    bool show() {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        box->setFocus();
        QCoreApplication::processEvents();
        return QApplication::focusWidget() == box;
    }

    // Keys go in as the platform delivers them to the window: shortcut override, shortcuts,
    // then the focus widget. The modifiers are those held before the event, as X11 reports them
    // (Qt adds a modifier key's own flag to its press and takes it from its release).
    void press(int key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {}) {
        qt_handleKeyEvent(window.windowHandle(), QEvent::KeyPress, key, modifiers, text);
    }
    void release(int key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {}) {
        qt_handleKeyEvent(window.windowHandle(), QEvent::KeyRelease, key, modifiers, text);
    }
    void click(int key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {}) {
        press(key, modifiers, text);
        release(key, modifiers, text);
    }

    // One key as a user strikes it: the modifier keys go down before it and up after it.
    void stroke(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
        static const std::pair<Qt::KeyboardModifier, int> held[] = {
            {Qt::ShiftModifier, Qt::Key_Shift},
            {Qt::ControlModifier, Qt::Key_Control},
            {Qt::AltModifier, Qt::Key_Alt}};
        Qt::KeyboardModifiers down;
        for (const auto& [modifier, modifierKey] : held)
            if (modifiers.testFlag(modifier)) {
                press(modifierKey, down);
                down |= modifier;
            }
        click(key, modifiers, text);
        for (auto it = std::rbegin(held); it != std::rend(held); ++it)
            if (modifiers.testFlag(it->first)) {
                release(it->second, down);
                down &= ~it->first;
            }
    }

    // Puts text into the box with the caret at offset caret.
    void setText(const QString& text, int caret) {
        box->setPlainText(text);
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(caret);
        box->setTextCursor(cursor);
        log.clear();
    }

    bool inMenuMode() const {
        return window.menuBar()->activeAction() || QApplication::activePopupWidget() ||
               QApplication::focusWidget() != box;
    }

    QMainWindow window;
    QPushButton* before = nullptr;
    QPlainTextEdit* box = nullptr;
    QPushButton* after = nullptr;
    QStringList log;
    QStringList triggered;
};

using Mods = Qt::KeyboardModifiers;

// Something to paste, on the clipboard and, where the platform has one, in the selection.
void offerClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("zz"));
    if (clipboard->supportsSelection())
        clipboard->setText(QStringLiteral("zz"), QClipboard::Selection);
}

class EventLog : public QObject {
public:
    QList<QEvent::Type> types;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        types << event->type();
        return false;
    }
};

} // namespace

class TstInputBox : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    void altIsAPlainKey() {
        TypingWindow w;
        QVERIFY(w.show());
        w.press(Qt::Key_Alt);
        QCOMPARE(w.log, QStringList{"down 18"});
        w.release(Qt::Key_Alt, Qt::AltModifier);
        QCOMPARE(w.log, (QStringList{"down 18", "up 18"}));
        QVERIFY(!w.inMenuMode());
        // The next blank is typed, not a menu command.
        w.log.clear();
        w.click(Qt::Key_Space, {}, QStringLiteral(" "));
        QCOMPARE(w.log, (QStringList{"down 32", "press 32", "up 32"}));
        QCOMPARE(w.box->toPlainText(), QStringLiteral(" "));
    }

    // Every key reaches the window as a plain key-down and key-up; only a key that produces a
    // character raises a key press, and nothing but an accepted character enters the box. Menu
    // keys neither type nor work the menu bar.
    void keysReachTheWindowOnly_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Mods>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("boxText");
        const Mods none;
        const Mods alt(Qt::AltModifier);
        const Mods ctrl(Qt::ControlModifier);
        const Mods shift(Qt::ShiftModifier);
        QTest::newRow("Alt+L, the menu's mnemonic")
            << int(Qt::Key_L) << alt << "l" << QStringList{"down 18", "down 76", "up 76", "up 18"}
            << "abcd";
        QTest::newRow("Alt+A") << int(Qt::Key_A) << alt << "a"
                               << QStringList{"down 18", "down 65", "up 65", "up 18"} << "abcd";
        QTest::newRow("Alt+Shift+A")
            << int(Qt::Key_A) << (alt | shift) << "A"
            << QStringList{"down 16", "down 18", "down 65", "up 65", "up 18", "up 16"} << "abcd";
        QTest::newRow("Alt+space") << int(Qt::Key_Space) << alt << " "
                                   << QStringList{"down 18", "down 32", "up 32", "up 18"} << "abcd";
        QTest::newRow("Alt+F4") << int(Qt::Key_F4) << alt << ""
                                << QStringList{"down 18", "down 115", "up 115", "up 18"} << "abcd";
        QTest::newRow("F10") << int(Qt::Key_F10) << none << "" << QStringList{"down 121", "up 121"}
                             << "abcd";

        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << "\x7f"
                                << QStringList{"down 46", "up 46"} << "abcd";
        QTest::newRow("Insert") << int(Qt::Key_Insert) << none << ""
                                << QStringList{"down 45", "up 45"} << "abcd";
        QTest::newRow("End") << int(Qt::Key_End) << none << "" << QStringList{"down 35", "up 35"}
                             << "abcd";
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << none << ""
                                 << QStringList{"down 33", "up 33"} << "abcd";
        QTest::newRow("F2") << int(Qt::Key_F2) << none << "" << QStringList{"down 113", "up 113"}
                            << "abcd";
        QTest::newRow("Home swallowed")
            << int(Qt::Key_Home) << none << "" << QStringList{"down 36", "up 36"} << "abcd";
        QTest::newRow("Backspace is judged") << int(Qt::Key_Backspace) << none << "\b"
                                             << QStringList{"down 8", "press 8", "up 8"} << "abcd";
        QTest::newRow("Esc is judged") << int(Qt::Key_Escape) << none << "\x1b"
                                       << QStringList{"down 27", "press 27", "up 27"} << "abcd";
        QTest::newRow("Ctrl+A is judged")
            << int(Qt::Key_A) << ctrl << "\x01"
            << QStringList{"down 17", "down 65", "press 1", "up 65", "up 17"} << "abcd";
        QTest::newRow("Enter types a line break")
            << int(Qt::Key_Return) << none << "\r" << QStringList{"down 13", "press 13", "up 13"}
            << "ab\ncd";
        QTest::newRow("a letter") << int(Qt::Key_X) << none << "x"
                                  << QStringList{"down 88", "press 120", "up 88"} << "abxcd";
        // No virtual key for it, but it types a character: judged all the same.
        QTest::newRow("unmapped key")
            << int(Qt::Key_Agrave) << none << "\u00e0" << QStringList{"press 224"} << "ab\u00e0cd";

        // The paste keys paste nothing.
        QTest::newRow("Shift+Insert")
            << int(Qt::Key_Insert) << shift << ""
            << QStringList{"down 16", "down 45", "up 45", "up 16"} << "abcd";
        QTest::newRow("Ctrl+V") << int(Qt::Key_V) << ctrl << "\x16"
                                << QStringList{"down 17", "down 86", "press 22", "up 86", "up 17"}
                                << "abcd";
        QTest::newRow("Ctrl+V without text")
            << int(Qt::Key_V) << ctrl << "" << QStringList{"down 17", "down 86", "up 86", "up 17"}
            << "abcd";
        QTest::newRow("Ctrl+Shift+Insert")
            << int(Qt::Key_Insert) << (ctrl | shift) << ""
            << QStringList{"down 16", "down 17", "down 45", "up 45", "up 17", "up 16"} << "abcd";
    }
    void keysReachTheWindowOnly() {
        QFETCH(int, key);
        QFETCH(Mods, modifiers);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QFETCH(QString, boxText);
        offerClipboard();
        TypingWindow w;
        QVERIFY(w.show());
        w.setText(QStringLiteral("abcd"), 2);
        w.stroke(key, modifiers, text);
        QCOMPARE(w.log, expected);
        QCOMPARE(w.box->toPlainText(), boxText);
        QCOMPARE(w.box->textCursor().selectedText(), QString());
        QCOMPARE(w.triggered, QStringList());
        QVERIFY(!w.inMenuMode());
    }

    void ctrlShortcutsOfTheMenusStillWork_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("entry");
        QTest::newRow("Ctrl+L") << int(Qt::Key_L) << "\x0c"
                                << "Auswahl";
        QTest::newRow("Ctrl+X, also the cut key") << int(Qt::Key_X) << "\x18"
                                                  << "Statistik";
    }
    void ctrlShortcutsOfTheMenusStillWork() {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(QString, entry);
        TypingWindow w;
        QVERIFY(w.show());
        w.setText(QStringLiteral("ab"), 2);
        w.stroke(key, Qt::ControlModifier, text);
        QCOMPARE(w.triggered, QStringList{entry});
        QCOMPARE(w.log, (QStringList{"down 17", QStringLiteral("up %1").arg(key), "up 17"}));
        QCOMPARE(w.box->toPlainText(), QStringLiteral("ab"));
    }

    void altGrLightsItselfOnly() {
        TypingWindow w;
        QVERIFY(w.show());
        w.press(Qt::Key_AltGr);
        w.click(Qt::Key_Q, {}, QStringLiteral("@"));
        w.release(Qt::Key_AltGr);
        QCOMPARE(w.log, (QStringList{"down 13261", "down 81", "press 64", "up 81", "up 13261"}));
        QCOMPARE(w.box->toPlainText(), QStringLiteral("@"));
        QVERIFY(!w.inMenuMode());
    }

    // Any button, pressed, released or double-clicked, only gives the box the focus: the caret
    // stays at the end, nothing is selected, pasted or offered in a menu.
    void mouseButtonsOnlyFocus_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("left") << int(Qt::LeftButton) << false;
        QTest::newRow("left double") << int(Qt::LeftButton) << true;
        QTest::newRow("right") << int(Qt::RightButton) << false;
        QTest::newRow("right double") << int(Qt::RightButton) << true;
        QTest::newRow("middle") << int(Qt::MiddleButton) << false;
        QTest::newRow("middle double") << int(Qt::MiddleButton) << true;
    }
    void mouseButtonsOnlyFocus() {
        QFETCH(int, button);
        QFETCH(bool, doubleClick);
        offerClipboard();
        TypingWindow w;
        QVERIFY(w.show());
        w.setText(QStringLiteral("abc def\nghi"), 11);
        w.after->setFocus();
        // Closes a context menu, should one open, so that the test goes on.
        bool menuShown = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&menuShown] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                menuShown = true;
                popup->close();
            }
        });
        closer.start(50);

        const QPoint onFirstWord = w.box->cursorRect(QTextCursor(w.box->document())).center();
        const auto b = Qt::MouseButton(button);
        // Once into the box from outside, once more while it has the focus.
        for (int i = 0; i < 2; ++i) {
            if (doubleClick)
                QTest::mouseDClick(w.box->viewport(), b, {}, onFirstWord);
            else
                QTest::mouseClick(w.box->viewport(), b, {}, onFirstWord);
            QContextMenuEvent menu(QContextMenuEvent::Mouse, onFirstWord,
                                   w.box->viewport()->mapToGlobal(onFirstWord));
            QApplication::sendEvent(w.box->viewport(), &menu);
            QCoreApplication::processEvents();

            QCOMPARE(QApplication::focusWidget(), w.box);
            QVERIFY(!menuShown);
            QCOMPARE(w.box->toPlainText(), QStringLiteral("abc def\nghi"));
            QCOMPARE(w.box->textCursor().selectedText(), QString());
            QCOMPARE(w.box->textCursor().position(), 11);
        }
        w.click(Qt::Key_X, {}, QStringLiteral("x"));
        QCOMPARE(w.box->toPlainText(), QStringLiteral("abc def\nghix"));
    }

    void aDropPastesNothing() {
        TypingWindow w;
        QVERIFY(w.show());
        w.setText(QStringLiteral("ab"), 2);
        QMimeData data;
        data.setText(QStringLiteral("zz"));
        const QPoint at = w.box->viewport()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(w.box->viewport(), &enter);
        QVERIFY(!enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(w.box->viewport(), &drop);
        QCOMPARE(w.box->toPlainText(), QStringLiteral("ab"));
    }

    void wheelAndMovementPass() {
        TypingWindow w;
        QVERIFY(w.show());
        // An observer behind the filter sees what the filter lets through.
        EventLog seen;
        UnhookInput(w.box);
        w.box->viewport()->installEventFilter(&seen);
        HookInput(w.box, {[](int&) {}, [](int&) {}, [](int) {}});
        w.setText(QString("zeile\n").repeated(100), 0);
        QScrollBar* bar = w.box->verticalScrollBar();
        bar->setValue(0);

        const QPoint at = w.box->viewport()->rect().center();
        // (with a button held: a move without one reaches only widgets that track the mouse)
        QMouseEvent move(QEvent::MouseMove, at, w.box->viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(w.box->viewport(), &move);
        QVERIFY(seen.types.contains(QEvent::MouseMove));
        QWheelEvent wheel(at, w.box->viewport()->mapToGlobal(at), {}, QPoint(0, -120), {}, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.box->viewport(), &wheel);
        QVERIFY(seen.types.contains(QEvent::Wheel));
        QVERIFY(bar->value() > 0);
        QTest::mouseClick(w.box->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(!seen.types.contains(QEvent::MouseButtonPress));
    }

    // Whenever the box gains the focus the caret goes to its end, counting a line break as two
    // characters, but not beyond character 10000.
    void focusPutsTheCaretAtTheEnd_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::newRow("short") << "abc\ndef" << 7;
        QTest::newRow("10000 characters") << QString(10000, 'a') << 10000;
        QTest::newRow("10001 characters") << QString(10001, 'a') << 10000;
        QTest::newRow("line break counts two")
            << QString(4999, 'a') + "\n" + QString(6000, 'b') << 9999;
        QTest::newRow("limit on a line break")
            << QString(9999, 'a') + "\n" + QString(5, 'b') << 9999;
    }
    void focusPutsTheCaretAtTheEnd() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        TypingWindow w;
        QVERIFY(w.show());
        w.setText(text, 1);
        w.after->setFocus();

        w.box->setFocus(Qt::OtherFocusReason);
        QCOMPARE(w.box->textCursor().position(), 1); // posted, not at once
        QTRY_COMPARE(w.box->textCursor().position(), caret);
    }

    void everyWayBackIntoTheBoxEndsAtTheEnd() {
        TypingWindow w;
        QVERIFY(w.show());
        const auto midText = [&w] {
            w.setText(QStringLiteral("abcd"), 1);
            w.before->setFocus();
        };
        // Tab from the button before it.
        midText();
        w.click(Qt::Key_Tab, {}, QStringLiteral("\t"));
        QCOMPARE(QApplication::focusWidget(), w.box);
        QTRY_COMPARE(w.box->textCursor().position(), 4);
        // Enabled again and focused.
        midText();
        w.box->setEnabled(false);
        w.box->setEnabled(true);
        w.box->setFocus();
        QTRY_COMPARE(w.box->textCursor().position(), 4);
        // Back from a dialog.
        w.setText(QStringLiteral("abcd"), 1);
        QDialog dialog(&w.window);
        QTimer::singleShot(0, &dialog, &QDialog::accept);
        dialog.exec();
        w.window.activateWindow(); // as the typing window does after its dialogs
        QTRY_COMPARE(QApplication::focusWidget(), w.box);
        QTRY_COMPARE(w.box->textCursor().position(), 4);
    }

    void tabMovesTheFocusOn() {
        TypingWindow w;
        QVERIFY(w.show());
        w.click(Qt::Key_Tab, {}, QStringLiteral("\t"));
        QCOMPARE(QApplication::focusWidget(), w.after);
        w.box->setFocus();
        w.press(Qt::Key_Shift);
        w.click(Qt::Key_Backtab, Qt::ShiftModifier, QStringLiteral("\t"));
        QCOMPARE(QApplication::focusWidget(), w.before);
        QCOMPARE(w.log, (QStringList{"down 16", "up 16"})); // Shift's key-up goes to the button
        QCOMPARE(w.box->toPlainText(), QString());
    }

    void inputMethodCharactersAreTyped() {
        TypingWindow w;
        QVERIFY(w.show());
        QInputMethodEvent composed;
        composed.setCommitString(QStringLiteral("\u00e9\u0001"));
        QApplication::sendEvent(w.box, &composed);
        QCOMPARE(w.log, (QStringList{"press 233", "press 1"}));
        QCOMPARE(w.box->toPlainText(), QStringLiteral("\u00e9"));

        // Each character is drawn before what its key press hands to AfterEcho, and that runs
        // before the next character is judged.
        EventLog paints;
        w.box->viewport()->installEventFilter(&paints);
        QStringList order;
        HookInput(w.box, {[](int&) {},
                          [&](int& code) {
                              order << QStringLiteral("press %1").arg(code);
                              AfterEcho(w.box, [&, code] {
                                  order << QStringLiteral("after %1: %2, %3 painted")
                                               .arg(code)
                                               .arg(w.box->toPlainText())
                                               .arg(paints.types.count(QEvent::Paint));
                              });
                          },
                          [](int) {}});
        composed.setCommitString(QStringLiteral("ab"));
        QApplication::sendEvent(w.box, &composed);
        QCOMPARE(order, (QStringList{"press 97", "after 97: \u00e9a, 1 painted", "press 98",
                                     "after 98: \u00e9ab, 2 painted"}));
    }

    void hookingTwiceKeepsOneFilterAndUnhookGivesTheBoxBack() {
        TypingWindow w;
        QVERIFY(w.show());
        QStringList second;
        HookInput(w.box, InputBoxFilter::Handlers{
                             [&second](int& c) { second << QString::number(c); },
                             [&second](int& c) { second << QString::number(c); }, [](int) {}});
        w.click(Qt::Key_X, {}, QStringLiteral("x"));
        QCOMPARE(second, (QStringList{"88", "120"}));
        QCOMPARE(w.log, QStringList());
        QCOMPARE(w.box->toPlainText(), QStringLiteral("x"));

        UnhookInput(w.box);
        QCOMPARE(w.box->findChildren<InputBoxFilter*>().size(), 0);
        QCOMPARE(w.box->contextMenuPolicy(), Qt::DefaultContextMenu);
        QVERIFY(!w.box->tabChangesFocus());
        w.click(Qt::Key_Tab, {}, QStringLiteral("\t"));
        QCOMPARE(w.box->toPlainText(), QStringLiteral("x\t"));
        QCOMPARE(second.size(), 2);
    }

    // The character put on the screen ahead of the box is the box's own picture of it, pixel for
    // pixel, once it is inserted (the caret, which the box draws after it, left out); where it
    // cannot be sure (no room left on the line) it draws nothing.
    void echoAheadIsTheBoxsOwnPicture_data() {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<QString>("typed");
        QFont lesson(QStringLiteral("Courier New"), 18, QFont::Bold);
        lesson.setStyleHint(QFont::Monospace);
        QTest::newRow("the lesson's font")
            << lesson << "fff jjj Grüße, Köln! ÄÖÜß @€ \nnext (a+b)*2";
        QTest::newRow("a proportional font")
            << QFont(QStringLiteral("DejaVu Sans"), 11) << "Wir lernen tippen: il WM\nzwei";
    }
    void echoAheadIsTheBoxsOwnPicture() {
        QFETCH(QFont, font);
        QFETCH(QString, typed);
        QPlainTextEdit box;
        box.setFont(font);
        box.document()->setDocumentMargin(1);
        box.setCursorWidth(0);
        box.resize(300, 150);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        int compared = 0, refused = 0;
        typed += QString(32, u'm'); // the last line fills up: no room, nothing drawn ahead
        for (const QChar c : std::as_const(typed)) {
            QImage picture;
            const QRect at = GlyphAhead::cell(box, c, &picture);
            QTextCursor cursor = box.textCursor();
            const int rows = cursor.block().layout()->lineCount();
            cursor.insertText(QString(c));
            box.setTextCursor(cursor);
            if (at.isEmpty()) {
                refused += c != u'\n';
                continue;
            }
            QCOMPARE(cursor.block().layout()->lineCount(), rows); // it stayed on its line
            const QImage shown =
                box.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(shown.copy(at), picture);
            ++compared;
        }
        QVERIFY(compared > 20);
        QVERIFY(refused > 0);
    }
};

#include "tst_inputbox.moc"
QUENDAL_TEST(TstInputBox)
