#include "TestMain.h"
#include "TestSupport.h"

#include "keypad/KeypadKeyButton.h"
#include "keypad/frmNumBlock.h"
#include "platform/Database.h"
#include "platform/RichTextBox.h"
#include "settings/Settings.h"
#include "sound/Sounds.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

// One keystroke as an X server with the German layout delivers it: Qt key, modifiers, key code
// (evdev + 8), keysym and text.
struct Stroke {
    int key;
    Qt::KeyboardModifiers modifiers;
    quint32 scanCode;
    quint32 keysym;
    QString text;
};

// A keypad digit key with NumLock on or off: the same key code, another keysym.
Stroke keypad(int digit, bool numLock = true) {
    const quint32 scan[] = {90, 87, 88, 89, 83, 84, 85, 79, 80, 81};
    const quint32 navigationSym[] = {0xFF9E, 0xFF9C, 0xFF99, 0xFF9B, 0xFF96,
                                     0xFF9D, 0xFF98, 0xFF95, 0xFF97, 0xFF9A};
    const int navigationKey[] = {Qt::Key_Insert, Qt::Key_End,   Qt::Key_Down,  Qt::Key_PageDown,
                                 Qt::Key_Left,   Qt::Key_Clear, Qt::Key_Right, Qt::Key_Home,
                                 Qt::Key_Up,     Qt::Key_PageUp};
    if (numLock)
        return {Qt::Key_0 + digit, Qt::KeypadModifier, scan[digit], 0xFFB0u + quint32(digit),
                QString::number(digit)};
    return {navigationKey[digit], Qt::KeypadModifier, scan[digit], navigationSym[digit], {}};
}

const Stroke KeypadEnter{Qt::Key_Enter, Qt::KeypadModifier, 104, 0xFF8D, QStringLiteral("\r")};
const Stroke KeypadComma{Qt::Key_Comma, Qt::KeypadModifier, 91, 0xFFAC, QStringLiteral(",")};
const Stroke KeypadPlus{Qt::Key_Plus, Qt::KeypadModifier, 86, 0xFFAB, QStringLiteral("+")};
const Stroke Return{Qt::Key_Return, Qt::NoModifier, 36, 0xFF0D, QStringLiteral("\r")};
const Stroke Space{Qt::Key_Space, Qt::NoModifier, 65, 0x20, QStringLiteral(" ")};
const Stroke MainFive{Qt::Key_5, Qt::NoModifier, 14, 0x35, QStringLiteral("5")};
const Stroke NumLock{Qt::Key_NumLock, Qt::NoModifier, 77, 0xFF7F, {}};
const Stroke Backspace{Qt::Key_Backspace, Qt::NoModifier, 22, 0xFF08, QStringLiteral("\b")};

const QString Prompt = QStringLiteral("Schalten Sie jetzt den\r\nNummernblock Ihres Keyboards\r\n"
                                      "ein.Starten Sie eine\r\nLektion.");
const QString ClosingMessage =
    QString::fromUtf8("Lektion beendet.Bitte wählen Sie eine neue Lektion aus.");
constexpr quint32 Neutral = 0xFFC0C0, Green = 0xFF00, Grey = 0xC0C0C0, Red = 255,
                  ButtonFace = 0x8000000F;

struct Lesson {
    QVariant title;
    QVariant txt;
};

// The trainer over a database of its own, with the sounds and beeps it makes recorded.
struct Trainer {
    QTemporaryDir dir;
    Database db;
    Settings settings = Settings::defaults();
    Sounds sounds{settings};
    QStringList played;
    int beeps = 0;
    std::unique_ptr<frmNumBlock> form;

    explicit Trainer(const QList<Lesson>& lessons) {
        const QString path = dir.path() + QStringLiteral("/keypad.mdb");
        if (!TestSupport::createEmptyDb(path))
            qFatal("no database");
        for (const Lesson& l : lessons)
            TestSupport::execOn(
                path, QStringLiteral("INSERT INTO numuebungen (title, txt) VALUES (?, ?)"),
                {l.title, l.txt});
        db.open(path);
        sounds.player = [this](const QString& name) { played << name; };
        form = std::make_unique<frmNumBlock>(db, settings, sounds);
        form->beep = [this] { ++beeps; };
    }

    bool open() {
        form->Form_Load();
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get());
    }

    void send(QEvent::Type type, const Stroke& s) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target);
        QKeyEvent event(type, s.key, s.modifiers, s.scanCode, s.keysym, 0, s.text);
        QApplication::sendEvent(target, &event);
    }
    void down(const Stroke& s) { send(QEvent::KeyPress, s); }
    void up(const Stroke& s) { send(QEvent::KeyRelease, s); }
    void type(const Stroke& s) {
        down(s);
        up(s);
    }

    void doubleClick(int row) {
        QListWidget* list = form->List1;
        const QPoint at = row >= 0 ? list->visualItemRect(list->item(row)).center()
                                   : QPoint(5, list->viewport()->height() - 5);
        // As a mouse delivers it: press, release, then the second press as a double-click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    }

    QString label() const { return form->Label2->text(); }
    QString typed() const { return form->Text1->toPlainText(); }
    quint32 keyColor(int index) const { return form->Command1[index]->color(); }
    qreal textSize() const { return form->Text1->font().pointSizeF(); }
    qreal lessonSize() const { return form->rtb2->font().pointSizeF(); }
    // Offsets of the characters in rtb2 marked red with emphasis.
    QList<int> marked() const {
        QList<int> offsets;
        const QString text = form->rtb2->text();
        for (int i = 0; i < text.size(); ++i)
            if (text.at(i) != QLatin1Char('\r') && text.at(i) != QLatin1Char('\n') &&
                form->rtb2->colorAt(i) == Red && form->rtb2->emphasisAt(i))
                offsets << i;
        return offsets;
    }
};

QRect twips(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

} // namespace

Q_DECLARE_METATYPE(Stroke)

class TstNumBlock : public QObject {
    Q_OBJECT

private slots:
    void design() {
        Trainer t({{QStringLiteral("A"), QStringLiteral("1")}});
        QVERIFY(t.open());
        frmNumBlock& f = *t.form;
        QCOMPARE(f.windowTitle(), QStringLiteral("NumBlock-Trainer"));
        QCOMPARE(TestSupport::shapedWidgets(&f), QStringList());
        QCOMPARE(f.size(), QSize(322, 490));
        QVERIFY(!(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(f.Label2->geometry(), twips(120, 120, 1335, 495));
        QCOMPARE(f.List1->geometry(), twips(120, 780, 1335, 1785));
        QCOMPARE(f.rtb2->geometry(), twips(1500, 120, 3255, 1395));
        QCOMPARE(f.Text1->geometry(), twips(1500, 1560, 3255, 1035));
        QCOMPARE(f.Frame1->geometry(), twips(120, 2700, 4575, 4095));
        QCOMPARE(f.Command2->geometry(), twips(3540, 6900, 1155, 375));

        QCOMPARE(f.Label2->palette().color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(f.Label2->palette().color(QPalette::WindowText), QColor(0xFF, 0xFF, 0));
        QCOMPARE(f.Label2->font().pointSizeF(), 18.0);
        QVERIFY(!f.Label2->font().bold());
        QCOMPARE(f.Label2->alignment(), Qt::AlignCenter);
        QCOMPARE(f.List1->palette().color(QPalette::Base), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(f.List1->font().pointSizeF(), 8.25);
        QVERIFY(f.List1->font().bold());
        QCOMPARE(f.List1->toolTip(), QString::fromUtf8("Lektion durch Doppelklick auswählen."));
        QCOMPARE(f.Text1->palette().color(QPalette::Base), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(f.Text1->font().pointSizeF(), 15.75);
        QVERIFY(f.Text1->font().bold() && f.rtb2->font().bold());
        QCOMPARE(f.Command2->text(), QStringLiteral("Beenden"));
        QCOMPARE(QApplication::focusWidget(), f.Command2);
        QVERIFY(!f.Frame1->isEnabled());
        QCOMPARE(f.TimerNumBlock->interval(), 1000);
    }

    void keypadKeys_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("legend");
        QTest::addColumn<QString>("subLegend");
        QTest::newRow("NumLock") << 0 << twips(360, 240, 975, 735) << "Num"
                                 << "\u21e9";
        QTest::newRow("divide") << 1 << twips(1320, 240, 975, 735) << "\u00f7"
                                << "";
        QTest::newRow("multiply") << 2 << twips(2280, 240, 975, 735) << "X"
                                  << "";
        QTest::newRow("subtract") << 3 << twips(3240, 240, 975, 735) << "-"
                                  << "";
        QTest::newRow("7") << 4 << twips(360, 960, 975, 735) << "7"
                           << "Pos 1";
        QTest::newRow("8") << 5 << twips(1320, 960, 975, 735) << "8"
                           << "\u2191";
        QTest::newRow("9") << 6 << twips(2280, 960, 975, 735) << "9"
                           << "Bild \u2191";
        QTest::newRow("add") << 7 << twips(3240, 960, 975, 1455) << "+"
                             << "";
        QTest::newRow("4") << 8 << twips(360, 1680, 975, 735) << "4"
                           << "\u2190";
        QTest::newRow("5") << 9 << twips(1320, 1680, 975, 735) << "5"
                           << "";
        QTest::newRow("6") << 10 << twips(2280, 1680, 975, 735) << "6"
                           << "\u2192";
        QTest::newRow("1") << 11 << twips(360, 2400, 975, 735) << "1"
                           << "Ende";
        QTest::newRow("2") << 12 << twips(1320, 2400, 975, 735) << "2"
                           << "\u2193";
        QTest::newRow("3") << 13 << twips(2280, 2400, 975, 735) << "3"
                           << "Bild \u2193";
        QTest::newRow("0") << 14 << twips(360, 3120, 1935, 735) << "0"
                           << "Einfg";
        QTest::newRow("comma") << 15 << twips(2280, 3120, 975, 735) << ","
                               << "Entf";
        QTest::newRow("Enter") << 16 << twips(3240, 2400, 975, 1455) << "Enter"
                               << "";
    }

    void keypadKeys() {
        QFETCH(int, index);
        QFETCH(QRect, geometry);
        QFETCH(QString, legend);
        QFETCH(QString, subLegend);
        Trainer t({});
        const KeypadKeyButton* key = t.form->Command1[index];
        QCOMPARE(key->parentWidget(), t.form->Frame1);
        QCOMPARE(key->geometry(), geometry);
        QCOMPARE(key->legend(), legend);
        QCOMPARE(key->subLegend(), subLegend);
        QCOMPARE(key->focusPolicy(), Qt::NoFocus);
        QCOMPARE(key->toolTip(), index == 0 ? QStringLiteral("Nummerblock Ein/Aus") : QString());
    }

    // A key lights green while held and grey after, found by its code: the keypad keys with
    // NumLock on and both Enter keys; nothing lights for the keypad with NumLock off, the main
    // keyboard's digits or NumLock itself.
    void keyLighting_data() {
        QTest::addColumn<Stroke>("stroke");
        QTest::addColumn<int>("index");
        const int digitIndex[] = {14, 11, 12, 13, 8, 9, 10, 4, 5, 6};
        for (int d = 0; d <= 9; ++d) {
            QTest::addRow("KP %d", d) << keypad(d) << digitIndex[d];
            QTest::addRow("KP %d, NumLock off", d) << keypad(d, false) << -1;
        }
        const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
        QTest::newRow("KP /") << Stroke{Qt::Key_Slash, pad, 106, 0xFFAF, "/"} << 1;
        QTest::newRow("KP *") << Stroke{Qt::Key_Asterisk, pad, 63, 0xFFAA, "*"} << 2;
        QTest::newRow("KP -") << Stroke{Qt::Key_Minus, pad, 82, 0xFFAD, "-"} << 3;
        QTest::newRow("KP +") << KeypadPlus << 7;
        QTest::newRow("KP comma") << KeypadComma << 15;
        QTest::newRow("KP comma, NumLock off") << Stroke{Qt::Key_Delete, pad, 91, 0xFF9F, {}} << -1;
        QTest::newRow("KP Enter") << KeypadEnter << 16;
        QTest::newRow("Return") << Return << 16;
        QTest::newRow("main 5") << MainFive << -1;
        QTest::newRow("NumLock") << NumLock << -1;
    }

    void keyLighting() {
        QFETCH(Stroke, stroke);
        QFETCH(int, index);
        Trainer t({{QStringLiteral("Ziffer"), QStringLiteral("5")}});
        QVERIFY(t.open());
        t.doubleClick(0);
        const auto colours = [&] {
            QList<quint32> c;
            for (int i = 0; i < KeypadKeyCount; ++i)
                c << t.keyColor(i);
            return c;
        };
        QList<quint32> expected = colours();
        t.down(stroke);
        if (index >= 0)
            expected[index] = Green;
        QCOMPARE(colours(), expected);
        t.up(stroke);
        if (index >= 0)
            expected[index] = Grey;
        QCOMPARE(colours(), expected);
        QCOMPARE(t.played.first(), QStringLiteral("MSGTYPE")); // the key sound at every key-down
    }

    void lessonWithLineBreak_data() {
        QTest::addColumn<bool>("keypadEnter");
        QTest::newRow("keypad Enter") << true;
        QTest::newRow("main Enter") << false;
    }

    void lessonWithLineBreak() {
        QFETCH(bool, keypadEnter);
        Trainer t({{QStringLiteral("Zwei Zeilen"), QStringLiteral("12\r\n3")}});
        QVERIFY(t.open());
        t.doubleClick(0);
        QCOMPARE(t.lessonSize(), 16.0);
        QCOMPARE(t.textSize(), 16.0);
        QVERIFY(!t.form->Text1->isReadOnly());
        QCOMPARE(QApplication::focusWidget(), t.form->Text1);
        QCOMPARE(t.label(), QStringLiteral("1"));
        QCOMPARE(t.marked(), QList<int>{0});
        QCOMPARE(t.form->NumPos(), 1);

        t.type(keypad(1));
        t.type(keypad(2));
        QCOMPARE(t.label(), QStringLiteral("ENTER"));
        QCOMPARE(t.beeps, 1);
        QCOMPARE(t.marked(), QList<int>{});
        QCOMPARE(t.form->NumPos(), 4); // on the LF

        t.played.clear();
        t.type(keypad(3)); // anything but Enter is swallowed
        t.type(Space);
        QCOMPARE(t.typed(), QStringLiteral("12"));
        QCOMPARE(t.played, QStringList({"MSGTYPE", "FASTHEY", "MSGTYPE", "FASTHEY"}));

        t.type(keypadEnter ? KeypadEnter : Return);
        QCOMPARE(t.typed(), QStringLiteral("12\n"));
        QCOMPARE(t.label(), QStringLiteral("3"));
        QCOMPARE(t.marked(), QList<int>{4});

        t.type(keypad(3));
        QCOMPARE(t.label(), QStringLiteral("ENDE"));
        QCOMPARE(t.beeps, 2);
        QCOMPARE(t.form->rtb2->text(), QString());
        QCOMPARE(t.typed(), ClosingMessage);
        QCOMPARE(t.textSize(), 8.0);
        QVERIFY(t.form->Text1->isReadOnly());

        // After the end nothing is tested or entered; the keys still light and click.
        t.played.clear();
        t.type(keypad(3));
        t.type(Backspace);
        QCOMPARE(t.typed(), ClosingMessage);
        QCOMPARE(t.played, QStringList({"MSGTYPE", "MSGTYPE"}));
        QCOMPARE(t.keyColor(13), Grey);
    }

    void lineBreaksAtTheEdges() {
        Trainer t({{QStringLiteral("vorn"), QStringLiteral("\r\n5")},
                   {QStringLiteral("hinten"), QStringLiteral("7\r\n")}});
        QVERIFY(t.open());
        t.doubleClick(0);
        QCOMPARE(t.label(), QStringLiteral("ENTER"));
        QCOMPARE(t.beeps, 0);
        QCOMPARE(t.marked(), QList<int>{});
        t.type(KeypadEnter);
        QCOMPARE(t.label(), QStringLiteral("5"));
        QCOMPARE(t.marked(), QList<int>{2});

        t.doubleClick(1); // another lesson during a lesson starts afresh
        QCOMPARE(t.typed(), QString());
        QCOMPARE(t.label(), QStringLiteral("7"));
        t.type(keypad(7));
        QCOMPARE(t.label(), QStringLiteral("ENTER"));
        t.type(KeypadEnter);
        QCOMPARE(t.label(), QStringLiteral("ENDE"));
        QCOMPARE(t.typed(), ClosingMessage);
    }

    void blankAndMainKeyboard() {
        Trainer t({{QStringLiteral("Leer"), QStringLiteral("5 0")}});
        QVERIFY(t.open());
        t.doubleClick(0);
        t.type(MainFive); // accepted from the main keyboard, though no keypad key lights
        QCOMPARE(t.typed(), QStringLiteral("5"));
        QCOMPARE(t.keyColor(9), Neutral);
        QCOMPARE(t.label(), QStringLiteral("LEER"));
        QCOMPARE(t.marked(), QList<int>{1});
        t.type(keypad(0));
        QCOMPARE(t.typed(), QStringLiteral("5"));
        t.type(Space);
        QCOMPARE(t.typed(), QStringLiteral("5 "));
        QCOMPARE(t.label(), QStringLiteral("0"));
    }

    void wrongKeyIsSwallowed() {
        Trainer t({{QStringLiteral("Eins"), QStringLiteral("12")}});
        QVERIFY(t.open());
        t.doubleClick(0);
        t.played.clear();
        t.down(keypad(9));
        QCOMPARE(t.keyColor(6), Green);
        t.up(keypad(9));
        QCOMPARE(t.keyColor(6), Grey);
        QCOMPARE(t.typed(), QString());
        QCOMPARE(t.label(), QStringLiteral("1"));
        QCOMPARE(t.played, QStringList({"MSGTYPE", "FASTHEY"}));

        t.settings.CheckFehlermeldung = false;
        t.settings.CheckGeraeusch = false;
        t.played.clear();
        t.type(keypad(9));
        QCOMPARE(t.played, QStringList());
    }

    // Only "Beenden" and the close box close the trainer; in the typing box Esc is a wrong key.
    void escapeKeepsTheTrainerOpen_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("list") << "List1";
        QTest::newRow("button") << "Command2";
        QTest::newRow("typing box") << "Text1";
    }

    void escapeKeepsTheTrainerOpen() {
        QFETCH(QString, focus);
        Trainer t({{QStringLiteral("Eins"), QStringLiteral("12")}});
        QVERIFY(t.open());
        t.doubleClick(0);
        t.form->findChild<QWidget*>(focus)->setFocus();
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        t.played.clear();
        t.type({Qt::Key_Escape, Qt::NoModifier, 9, 0xFF1B, QStringLiteral("\x1b")});
        QVERIFY(t.form->isVisible());
        QCOMPARE(t.typed(), QString());
        QCOMPARE(t.label(), QStringLiteral("1"));
        if (focus == QStringLiteral("Text1"))
            QCOMPARE(t.played, QStringList({"MSGTYPE", "FASTHEY"}));
    }

    void beforeTheFirstLesson() {
        Trainer t({{QStringLiteral("Eins"), QStringLiteral("1")}});
        QVERIFY(t.open());
        QVERIFY(t.form->TimerNumBlock->isActive());
        // From "Beenden" the Tab key goes by the list to the typing box.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), t.form->List1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), t.form->Text1);
        t.type(keypad(1));
        QVERIFY(!t.form->TimerNumBlock->isActive());
        QCOMPARE(t.keyColor(0), ButtonFace);
        QCOMPARE(t.keyColor(11), Grey);
        QCOMPARE(t.typed(), QString());
        QCOMPARE(t.played, QStringList({"MSGTYPE", "FASTHEY"}));
    }

    void emptyText() {
        Trainer t({{QStringLiteral("Leer"), QStringLiteral("")}});
        QVERIFY(t.open());
        t.doubleClick(0);
        QCOMPARE(t.form->rtb2->text(), QString());
        QCOMPARE(t.label(), QString());
        QCOMPARE(t.marked(), QList<int>{});
        t.type(keypad(1));
        QCOMPARE(t.typed(), QString());
    }

    // A double-click that names no row starts over what the box shows: the prompt.
    void doubleClickWithoutRow() {
        Trainer t({});
        QVERIFY(t.open());
        QCOMPARE(t.form->List1->count(), 0);
        t.doubleClick(-1);
        QCOMPARE(t.form->rtb2->text(), Prompt);
        QCOMPARE(t.lessonSize(), 16.0);
        QCOMPARE(t.label(), QStringLiteral("S"));
        QCOMPARE(t.marked(), QList<int>{0});
        QVERIFY(!t.form->TimerNumBlock->isActive());
    }

    void doubleClickAfterTheEndWithoutRow() {
        Trainer t({{QStringLiteral("Eins"), QStringLiteral("1")}});
        QVERIFY(t.open());
        t.doubleClick(0);
        t.type(keypad(1));
        QCOMPARE(t.label(), QStringLiteral("ENDE"));
        t.form->List1->clearSelection();
        t.doubleClick(-1);
        // The box is unlocked over an empty text; still nothing untested gets in.
        QVERIFY(!t.form->Text1->isReadOnly());
        t.type(keypad(4));
        QCOMPARE(t.typed(), QString());
    }

    void listInStoredOrder() {
        Trainer t({{QStringLiteral("Zahlen"), QStringLiteral("1")},
                   {QStringLiteral("ohne Text"), QVariant()},
                   {QVariant(), QStringLiteral("2")},
                   {QStringLiteral("Anfang"), QStringLiteral("3")},
                   {QStringLiteral("Die \"Null\""), QStringLiteral("0")}});
        QVERIFY(t.open());
        QStringList titles;
        for (int i = 0; i < t.form->List1->count(); ++i)
            titles << t.form->List1->item(i)->text();
        QCOMPARE(titles, QStringList({"Zahlen", "Anfang", "Die \"Null\""}));
        t.doubleClick(2);
        QCOMPARE(t.form->rtb2->text(), QStringLiteral("0"));
    }

    void loadAndReopen() {
        Trainer t({{QStringLiteral("A"), QStringLiteral("45")},
                   {QStringLiteral("B"), QStringLiteral("6")}});
        t.settings.Farbwert1 = 0x80FF80;
        for (int opening = 0; opening < 2; ++opening) {
            TestSupport::onModal([&](QWidget*) {
                frmNumBlock& f = *t.form;
                QCOMPARE(f.List1->count(), 2);
                QCOMPARE(f.rtb2->text(), Prompt);
                QCOMPARE(t.lessonSize(), 8.0);
                QCOMPARE(t.label(), QString());
                QCOMPARE(t.typed(), QString());
                QVERIFY(f.Text1->isEnabled() && f.Text1->isReadOnly());
                QVERIFY(f.TimerNumBlock->isActive());
                for (int i = 0; i < KeypadKeyCount; ++i)
                    QCOMPARE(t.keyColor(i), Neutral);
                QCOMPARE(f.Frame1->palette().color(QPalette::Window), QColor(0x80, 0xFF, 0x80));
                QCOMPARE(QApplication::focusWidget(), f.Command2);
                // A lesson typed half way leaves grey keys behind.
                t.doubleClick(0);
                t.type(keypad(4));
                QCOMPARE(t.keyColor(8), Grey);
                t.doubleClick(1);
                QCOMPARE(t.keyColor(8), Grey);
                QTest::mouseClick(f.Command2, Qt::LeftButton);
                QVERIFY(!f.isVisible()); // or showModal() would wait for ever
            });
            t.form->showModal();
            QVERIFY(!t.form->isVisible());
            QVERIFY(!t.form->TimerNumBlock->isActive());
            QCOMPARE(t.keyColor(0), ButtonFace);
        }
    }

    void blink() {
        Trainer t({});
        t.form->TimerNumBlock->setInterval(20);
        QList<quint32> colours;
        QObject::connect(t.form->TimerNumBlock, &QTimer::timeout,
                         [&] { colours << t.keyColor(0); });
        QVERIFY(t.open());
        QCOMPARE(t.keyColor(0), Neutral);
        QTRY_VERIFY(colours.size() >= 4);
        QCOMPARE(colours.mid(0, 4), QList<quint32>({ButtonFace, Red, ButtonFace, Red}));

        t.form->Text1->setFocus();
        t.type(NumLock); // any key stops it for good
        QCOMPARE(t.keyColor(0), ButtonFace);
        const auto ticks = colours.size();
        QTest::qWait(100);
        QCOMPARE(colours.size(), ticks);
        QCOMPARE(t.keyColor(0), ButtonFace);
    }

    // Text gets into the box only by accepted keys: not by the mouse, a menu or Shift+Insert.
    void nothingIsPasted() {
        Trainer t({{QStringLiteral("Eins"), QStringLiteral("1")}});
        QVERIFY(t.open());
        t.doubleClick(0);
        QApplication::clipboard()->setText(QStringLiteral("1"));
        QApplication::clipboard()->setText(QStringLiteral("1"), QClipboard::Selection);
        QTest::mouseClick(t.form->Text1->viewport(), Qt::MiddleButton);
        t.type({Qt::Key_Insert, Qt::ShiftModifier, 118, 0xFF63, {}});
        t.type({Qt::Key_V, Qt::ControlModifier, 55, 0x76, QStringLiteral("\x16")});
        QCOMPARE(t.form->Text1->contextMenuPolicy(), Qt::NoContextMenu);
        QCOMPARE(t.typed(), QString());
        QCOMPARE(t.label(), QStringLiteral("1"));
    }

    void failingQueryKeepsTheWindowUsable() {
        Trainer t({});
        QVERIFY(t.db.exec(QStringLiteral("DROP TABLE numuebungen")));
        QString message;
        TestSupport::onModal([&](QWidget* box) {
            message = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
            box->close();
        });
        t.form->Form_Load();
        QVERIFY(message.startsWith(QStringLiteral("Die Nummernblock-Lektionen konnten nicht")));
        QCOMPARE(t.form->List1->count(), 0);
        QCOMPARE(t.form->rtb2->text(), Prompt);
    }
};

#include "tst_numblock.moc"
QUENDAL_TEST(TstNumBlock)
