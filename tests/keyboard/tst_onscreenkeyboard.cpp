#include "TestMain.h"
#include "TestSupport.h"

#include "keyboard/KeyButton.h"
#include "keyboard/OnScreenKeyboard.h"
#include "platform/OleColor.h"
#include "platform/VirtualKey.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QTest>
#include <QToolTip>
#include <memory>

namespace {

constexpr quint32 Neutral = 0xFFC0C0;
constexpr quint32 Green = 0x00FF00;
constexpr quint32 Red = 0x0000FF;
constexpr quint32 Yellow = 0x00FFFF;

// Indices of the keys showing colour ole, in index order.
QList<int> keysIn(const OnScreenKeyboard& kb, quint32 ole) {
    QList<int> keys;
    for (int i = 0; i < KeyCount; ++i)
        if (kb.keyColor(i) == ole)
            keys << i;
    return keys;
}

QList<int> allKeysBut(const QList<int>& excluded) {
    QList<int> keys;
    for (int i = 0; i < KeyCount; ++i)
        if (!excluded.contains(i))
            keys << i;
    return keys;
}

// A point on the face of key i, left of its cap, in keyboard coordinates.
QPoint facePoint(const OnScreenKeyboard& kb, int i) {
    const QRect g = kb.key(i)->geometry();
    return QPoint(g.left() + 2, g.center().y());
}

} // namespace

class TstOnScreenKeyboard : public QObject {
    Q_OBJECT

private:
    // Outlives every keyboard a test creates.
    const KeyTableArray table_ = BuildKeyTable();

private slots:
    void frameDesign() {
        OnScreenKeyboard kb(table_);
        QCOMPARE(kb.objectName(), QStringLiteral("Frame1"));
        QCOMPARE(kb.size(), QSize(913, 353)); // 13695 x 5295 twips at 96 dpi
        QCOMPARE(kb.toolTip(), QStringLiteral("Keybord"));
        QVERIFY(!kb.isEnabled());
        QCOMPARE(kb.frameColor(), Neutral);
        QCOMPARE(kb.palette().color(QPalette::Disabled, QPalette::Window), QColor(192, 192, 255));
        QVERIFY(kb.autoFillBackground());
        QCOMPARE(&kb.table(), &table_);
        for (int i = 0; i < KeyCount; ++i) {
            KeyButton* key = kb.key(i);
            QVERIFY(key);
            QCOMPARE(key->parentWidget(), &kb);
            QCOMPARE(key->names(), table_[i].Names);
            QVERIFY2(!key->isEnabled(), "keys take no clicks");
            QCOMPARE(key->focusPolicy(), Qt::NoFocus);
            QCOMPARE(kb.keyColor(i), Neutral);
        }
    }

    // The keys carry no tooltip of their own: hovering a key shows the frame's.
    void keyShowsTheFrameTooltip() {
        OnScreenKeyboard kb(table_);
        kb.show();
        QVERIFY(QTest::qWaitForWindowExposed(&kb));
        KeyButton* key = kb.key(8);
        const QPoint pos = key->rect().center();
        QHelpEvent help(QEvent::ToolTip, pos, key->mapToGlobal(pos));
        QCoreApplication::sendEvent(key, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Keybord"));
        QToolTip::hideText();
    }

    void keyGeometry_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("pixels");
        // Twips divided by 15 at 96 dpi.
        QTest::newRow("f") << 0 << QRect(280, 168, 65, 57);
        QTest::newRow("space") << 2 << QRect(280, 280, 257, 57);
        QTest::newRow("Return") << 53 << QRect(792, 168, 89, 57);
        QTest::newRow("Back") << 60 << QRect(816, 56, 73, 57);
        QTest::newRow("F1") << 59 << QRect(32, 8, 65, 41);
        QTest::newRow("left Shift") << 9 << QRect(8, 224, 65, 57);
        QTest::newRow("Del") << 55 << QRect(728, 280, 65, 57);
    }

    void keyGeometry() {
        QFETCH(int, index);
        QFETCH(QRect, pixels);
        OnScreenKeyboard kb(table_);
        QCOMPARE(kb.key(index)->geometry(), pixels);
    }

    void keyDownLightsEveryKeyWithTheCode_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<int>>("lit");

        QTest::newRow("a") << 65 << QList<int>{8};
        QTest::newRow("Shift") << 16 << QList<int>{9, 10};
        QTest::newRow("Return") << 13 << QList<int>{53};
        QTest::newRow("space") << 32 << QList<int>{2};
        QTest::newRow("Strg") << 17 << QList<int>{40};
        QTest::newRow("Alt") << 18 << QList<int>{17};
        QTest::newRow("AltGr") << 13261 << QList<int>{18};
        QTest::newRow("sz") << 219 << QList<int>{51};
        QTest::newRow("less") << 226 << QList<int>{16};
        QTest::newRow("F2") << 113 << QList<int>{56};
        QTest::newRow("F3") << 114 << QList<int>{57};
        QTest::newRow("F4") << 115 << QList<int>{58};
        QTest::newRow("F1") << 112 << QList<int>{};
        QTest::newRow("F5") << 116 << QList<int>{};
        QTest::newRow("Tab") << 9 << QList<int>{};
        QTest::newRow("Esc") << 27 << QList<int>{};
        QTest::newRow("circumflex") << 220 << QList<int>{};
        QTest::newRow("keypad 0") << 96 << QList<int>{};
        QTest::newRow("End") << 35 << QList<int>{};
        QTest::newRow("Page Down") << 34 << QList<int>{};
        QTest::newRow("swallowed") << 0 << QList<int>{};
    }

    void keyDownLightsEveryKeyWithTheCode() {
        QFETCH(int, code);
        QFETCH(QList<int>, lit);
        OnScreenKeyboard kb(table_);

        kb.keyDown(code);
        QCOMPARE(keysIn(kb, Green), lit);
        QCOMPARE(keysIn(kb, Neutral), allKeysBut(lit));

        kb.keyUp(code);
        QCOMPARE(keysIn(kb, Neutral).size(), KeyCount);
    }

    void physicalKeyLightsItsKey_data() {
        QTest::addColumn<quint32>("scanCode");
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QList<int>>("lit");

        const int none = Qt::NoModifier;
        const int pad = Qt::KeypadModifier;
        QTest::newRow("A") << 38u << int(Qt::Key_A) << none << QList<int>{8};
        QTest::newRow("ue") << 34u << int(Qt::Key_Udiaeresis) << none << QList<int>{29};
        QTest::newRow("accent") << 21u << int(Qt::Key_Dead_Acute) << none << QList<int>{52};
        QTest::newRow("<>") << 94u << int(Qt::Key_Less) << none << QList<int>{16};
        QTest::newRow("left Shift") << 50u << int(Qt::Key_Shift) << none << QList<int>{9, 10};
        QTest::newRow("right Shift") << 62u << int(Qt::Key_Shift) << none << QList<int>{9, 10};
        QTest::newRow("left Ctrl") << 37u << int(Qt::Key_Control) << none << QList<int>{40};
        QTest::newRow("right Ctrl") << 105u << int(Qt::Key_Control) << none << QList<int>{40};
        QTest::newRow("left Alt") << 64u << int(Qt::Key_Alt) << none << QList<int>{17};
        QTest::newRow("AltGr") << 108u << int(Qt::Key_AltGr) << none << QList<int>{18};
        QTest::newRow("space") << 65u << int(Qt::Key_Space) << none << QList<int>{2};
        QTest::newRow("Return") << 36u << int(Qt::Key_Return) << none << QList<int>{53};
        QTest::newRow("keypad Enter") << 104u << int(Qt::Key_Enter) << pad << QList<int>{53};
        QTest::newRow("Backspace") << 22u << int(Qt::Key_Backspace) << none << QList<int>{60};
        QTest::newRow("Caps") << 66u << int(Qt::Key_CapsLock) << none << QList<int>{13};
        QTest::newRow("Insert") << 118u << int(Qt::Key_Insert) << none << QList<int>{54};
        QTest::newRow("Delete") << 119u << int(Qt::Key_Delete) << none << QList<int>{55};
        QTest::newRow("F1") << 67u << int(Qt::Key_F1) << none << QList<int>{};
        QTest::newRow("F2") << 68u << int(Qt::Key_F2) << none << QList<int>{56};
        QTest::newRow("F5") << 71u << int(Qt::Key_F5) << none << QList<int>{};
        QTest::newRow("Tab") << 23u << int(Qt::Key_Tab) << none << QList<int>{};
        QTest::newRow("Esc") << 9u << int(Qt::Key_Escape) << none << QList<int>{};
        QTest::newRow("circumflex") << 49u << int(Qt::Key_Dead_Circumflex) << none << QList<int>{};
        QTest::newRow("keypad 0, NumLock on") << 90u << int(Qt::Key_0) << pad << QList<int>{};
        QTest::newRow("keypad 1, NumLock on") << 87u << int(Qt::Key_1) << pad << QList<int>{};
    }

    void physicalKeyLightsItsKey() {
        QFETCH(quint32, scanCode);
        QFETCH(int, qtKey);
        QFETCH(int, modifiers);
        QFETCH(QList<int>, lit);
        OnScreenKeyboard kb(table_);

        const auto mods = Qt::KeyboardModifiers(modifiers);
        kb.keyDown(VirtualKey::fromEvent(QKeyEvent(QEvent::KeyPress, qtKey, mods, scanCode, 0, 0)));
        QCOMPARE(keysIn(kb, Green), lit);
        kb.keyUp(VirtualKey::fromEvent(QKeyEvent(QEvent::KeyRelease, qtKey, mods, scanCode, 0, 0)));
        QCOMPARE(keysIn(kb, Neutral).size(), KeyCount);
    }

    void shiftLightsAndReleasesBoth() {
        OnScreenKeyboard kb(table_);
        kb.keyDown(16);
        kb.keyDown(65);
        QCOMPARE(keysIn(kb, Green), (QList<int>{8, 9, 10}));
        kb.keyUp(65);
        QCOMPARE(keysIn(kb, Green), (QList<int>{9, 10}));
        kb.keyUp(16);
        QCOMPARE(keysIn(kb, Green), QList<int>{});
        QCOMPARE(kb.keyColor(9), Neutral);
        QCOMPARE(kb.keyColor(10), Neutral);
    }

    // The Ctrl press that comes first for AltGr is taken back before AltGr itself lights.
    void altGrSequence() {
        OnScreenKeyboard kb(table_);
        kb.keyDown(17);
        QCOMPARE(keysIn(kb, Green), QList<int>{40});
        kb.keyUp(17);
        kb.keyDown(VirtualKey::AltGr);
        QCOMPARE(keysIn(kb, Green), QList<int>{18});
        QCOMPARE(kb.keyColor(40), Neutral);
        kb.keyUp(VirtualKey::AltGr);
        QCOMPARE(keysIn(kb, Neutral).size(), KeyCount);
    }

    void highlite_data() {
        QTest::addColumn<QString>("hlstr");
        QTest::addColumn<QList<int>>("red");

        QTest::newRow("empty") << QString() << QList<int>{};
        QTest::newRow("f and j") << QStringLiteral("f|j") << QList<int>{0, 1};
        QTest::newRow("a") << QStringLiteral("a") << QList<int>{8};
        QTest::newRow("A") << QStringLiteral("A") << QList<int>{8};
        QTest::newRow("@") << QStringLiteral("@") << QList<int>{19};
        QTest::newRow("euro") << QStringLiteral("\u20ac") << QList<int>{21};
        QTest::newRow("double quote") << QStringLiteral("\"") << QList<int>{42};
        QTest::newRow("LEER") << QStringLiteral("LEER") << QList<int>{2};
        QTest::newRow("SHIFTL") << QStringLiteral("SHIFTL") << QList<int>{9};
        QTest::newRow("SHIFTR") << QStringLiteral("SHIFTR") << QList<int>{10};
        QTest::newRow("RETURN") << QStringLiteral("RETURN") << QList<int>{53};
        QTest::newRow("F1") << QStringLiteral("F1") << QList<int>{59};
        QTest::newRow("F is the letter") << QStringLiteral("F") << QList<int>{0};
        QTest::newRow("< and >") << QStringLiteral("<|>") << QList<int>{16};
        QTest::newRow("umlauts") << QStringLiteral("\u00e4|\u00d6|\u00fc")
                                 << QList<int>{12, 14, 29};
        QTest::newRow("unknown") << QStringLiteral("Tab") << QList<int>{};
        QTest::newRow("unknown with known") << QStringLiteral("xyz|s|^") << QList<int>{7};
        QTest::newRow("case matters") << QStringLiteral("leer") << QList<int>{};
        QTest::newRow("whole names only") << QStringLiteral("SHIFT") << QList<int>{};
        QTest::newRow("empty items") << QStringLiteral("|a||s|") << QList<int>{7, 8};
        QTest::newRow("bar alone") << QStringLiteral("|") << QList<int>{};
    }

    void highlite() {
        QFETCH(QString, hlstr);
        QFETCH(QList<int>, red);
        OnScreenKeyboard kb(table_);
        // Whatever the keys showed before, the preview starts from neutral.
        kb.paintAllKeys(0x123456);
        kb.keyDown(16);
        kb.setKeyColor(ReturnKeyIndex, Yellow);
        const QString before = hlstr;

        kb.highlite(hlstr);
        QCOMPARE(keysIn(kb, Red), red);
        QCOMPARE(keysIn(kb, Neutral), allKeysBut(red));
        QCOMPARE(hlstr, before);
    }

    void lowliteReturnsAllToNeutral() {
        OnScreenKeyboard kb(table_);
        kb.highlite(QStringLiteral("a|b|c"));
        kb.keyDown(16);
        kb.setKeyColor(ReturnKeyIndex, Yellow);
        kb.lowlite();
        QCOMPARE(keysIn(kb, Neutral).size(), KeyCount);
    }

    void redKeyTurnsGreenWhilePressed() {
        OnScreenKeyboard kb(table_);
        kb.highlite(QStringLiteral("a|s"));
        kb.keyDown(65);
        QCOMPARE(kb.keyColor(8), Green);
        QCOMPARE(kb.keyColor(7), Red);
        kb.keyUp(65);
        QCOMPARE(kb.keyColor(8), Neutral);
        QCOMPARE(kb.keyColor(7), Red);
    }

    void yellowReturnTurnsGreenThenNeutral() {
        OnScreenKeyboard kb(table_);
        kb.setKeyColor(ReturnKeyIndex, Yellow);
        QCOMPARE(kb.keyColor(ReturnKeyIndex), Yellow);
        kb.keyDown(13);
        QCOMPARE(kb.keyColor(ReturnKeyIndex), Green);
        kb.keyUp(13);
        QCOMPARE(kb.keyColor(ReturnKeyIndex), Neutral);
    }

    void colourSettingGivesWayToNeutral() {
        OnScreenKeyboard kb(table_);
        const quint32 chosen = 0x80FF80;
        kb.setFrameColor(chosen);
        kb.paintAllKeys(chosen);
        QCOMPARE(keysIn(kb, chosen).size(), KeyCount);

        kb.keyDown(65);
        kb.keyUp(65);
        QCOMPARE(kb.keyColor(8), Neutral);
        QCOMPARE(keysIn(kb, chosen), allKeysBut({8}));

        kb.highlite(QString());
        QCOMPARE(keysIn(kb, Neutral).size(), KeyCount);
        QCOMPARE(kb.frameColor(), chosen);

        kb.paintAllKeys(chosen);
        kb.lowlite();
        QCOMPARE(keysIn(kb, Neutral).size(), KeyCount);
        QCOMPARE(kb.frameColor(), chosen);
    }

    void keyColourOutOfRangeIsIgnored() {
        OnScreenKeyboard kb(table_);
        kb.setKeyColor(-1, Red);
        kb.setKeyColor(KeyCount, Red);
        QCOMPARE(keysIn(kb, Neutral).size(), KeyCount);
        QCOMPARE(kb.keyColor(KeyCount), Neutral);
    }

    void stateColourIsPainted() {
        OnScreenKeyboard kb(table_);
        kb.setFrameColor(0x00FFFF);
        kb.keyDown(65);
        kb.highlite(QStringLiteral("f"));
        kb.keyDown(16);
        kb.setKeyColor(ReturnKeyIndex, Yellow);
        kb.setKeyColor(2, OleColor::ButtonFace);
        const QImage image = kb.grab().toImage();

        QCOMPARE(image.pixelColor(facePoint(kb, 0)), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(facePoint(kb, 9)), QColor(0, 255, 0));
        QCOMPARE(image.pixelColor(facePoint(kb, 10)), QColor(0, 255, 0));
        QCOMPARE(image.pixelColor(facePoint(kb, ReturnKeyIndex)), QColor(255, 255, 0));
        QCOMPARE(image.pixelColor(facePoint(kb, 8)), QColor(192, 192, 255)); // a: lit, then reset
        QCOMPARE(image.pixelColor(facePoint(kb, 2)), OleColor::toQColor(OleColor::ButtonFace));
        // The frame between the keys, left of the "1" key.
        QCOMPARE(image.pixelColor(20, 80), QColor(255, 255, 0));

        // Centred on each face a light cap, not the state colour.
        for (int i : {0, 2, 9, ReturnKeyIndex}) {
            const QRect g = kb.key(i)->geometry();
            const QColor cap = image.pixelColor(g.center().x() - 18, g.center().y() - 10);
            QVERIFY2(cap.lightness() >= 230 && cap.saturation() < 30, qPrintable(cap.name()));
        }
    }

    void capShrinksOnASmallButton() {
        KeyButton key(QStringLiteral("a|A"), QSize(56, 44));
        key.resize(30, 24);
        key.setColor(Red);
        const QImage image = key.grab().toImage();
        const QColor red(255, 0, 0);
        QCOMPARE(image.pixelColor(1, 12), red);
        QCOMPARE(image.pixelColor(28, 12), red);
        QCOMPARE(image.pixelColor(15, 1), red);
        QCOMPARE(image.pixelColor(15, 22), red);
        QVERIFY(image.pixelColor(8, 8) != red); // the cap is still there
        QVERIFY(image.pixelColor(8, 8).lightness() >= 200);
    }

    void legendIsDrawn() {
        // A cap with a legend differs from the blank space bar cap of the same size.
        KeyButton blank(QStringLiteral("LEER"), QSize(56, 44));
        KeyButton letter(QStringLiteral("q|Q|@"), QSize(56, 44));
        KeyButton word(QStringLiteral("STRG"), QSize(56, 44));
        for (KeyButton* key : {&blank, &letter, &word})
            key->resize(65, 57);
        const QImage none = blank.grab().toImage();
        QVERIFY(letter.grab().toImage() != none);
        QVERIFY(word.grab().toImage() != none);
        QVERIFY(letter.grab().toImage() != word.grab().toImage());
    }

    // Lighting one key must not repaint the whole keyboard.
    void onlyTheChangedKeyRepaints() {
        OnScreenKeyboard kb(table_);
        kb.show();
        QVERIFY(QTest::qWaitForWindowExposed(&kb));
        TestSupport::PaintCounter counter;
        for (int i = 0; i < KeyCount; ++i)
            kb.key(i)->installEventFilter(&counter);
        kb.installEventFilter(&counter);
        QCoreApplication::processEvents();
        counter.paints.clear();

        kb.keyDown(65);
        QTRY_VERIFY(counter.paints.value(kb.key(8)) > 0);
        QCOMPARE(counter.paints.value(&kb), 0); // the frame behind the key stays as it was
        const QRect lit = kb.key(8)->geometry();
        for (int i = 0; i < KeyCount; ++i)
            if (!kb.key(i)->geometry().intersects(lit))
                QCOMPARE(counter.paints.value(kb.key(i)), 0);

        // Setting the colour a key already has paints nothing.
        counter.paints.clear();
        kb.keyUp(32);
        kb.keyDown(65);
        QTest::qWait(50);
        QVERIFY(counter.paints.isEmpty());
    }

    // A key changing colour repaints around its cap, not the legend; what the window then shows
    // is the key drawn afresh in the new colour, rounded corners and all.
    void aColourChangeRepaintsAroundTheCap_data() {
        QTest::addColumn<QString>("names");
        QTest::addColumn<quint32>("from");
        QTest::addColumn<quint32>("to");
        QTest::newRow("letter lit") << QStringLiteral("a|A") << Neutral << Red;
        QTest::newRow("letter back") << QStringLiteral("a|A") << Yellow << Neutral;
        QTest::newRow("sign key") << QStringLiteral("7|/|{") << Neutral << Green;
        QTest::newRow("word") << QStringLiteral("STRG") << Neutral << Yellow;
        QTest::newRow("symbol") << QStringLiteral("RETURN") << Green << Red;
    }
    void aColourChangeRepaintsAroundTheCap() {
        QFETCH(QString, names);
        QFETCH(quint32, from);
        QFETCH(quint32, to);
        KeyButton key(names, QSize(56, 44));
        key.resize(65, 57);
        key.setColor(from);
        key.show();
        QVERIFY(QTest::qWaitForWindowExposed(&key));
        TestSupport::PaintCounter counter;
        key.installEventFilter(&counter);
        key.setColor(to);
        QTRY_VERIFY(counter.paints.value(&key) > 0);
        const QRegion painted = counter.regions.value(&key);
        QVERIFY(painted.contains(QPoint(1, 28)));
        QVERIFY(painted.contains(QPoint(8, 8))); // a rounded corner of the cap
        QVERIFY(!painted.contains(QPoint(32, 28)));
        const QImage shown = TestSupport::windowContents(&key);
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
                 key.grab().toImage().convertToFormat(QImage::Format_RGB32));
        // The rim beside the cap shows the new colour (the colour is stored blue, green, red).
        QCOMPARE(shown.pixelColor(1, 28), QColor(to & 0xFF, (to >> 8) & 0xFF, (to >> 16) & 0xFF));
    }

    // A key lights at every keystroke, and its repaint stays on the painting thread: painted in
    // one piece under the clip of its band, it was split among the painter's helper threads,
    // which the keystroke then waited for.
    void aColourChangeKeepsToThePaintingThread() {
        KeyButton key(QStringLiteral("a|A"), QSize(56, 44));
        key.resize(65, 57);
        key.show();
        QVERIFY(QTest::qWaitForWindowExposed(&key));
        TestSupport::PaintCounter counter;
        key.installEventFilter(&counter);
        const qint64 before = helperThreadsNs();
        for (int i = 0; i < 60; ++i) {
            key.setColor(i % 2 ? Neutral : Red);
            QCoreApplication::processEvents();
        }
        QCOMPARE(counter.paints.value(&key), 60);
        QVERIFY2(helperThreadsNs() - before < 300000,
                 qPrintable(QString::number(helperThreadsNs() - before)));
    }

private:
    // The time on the processor of the painter's helper threads so far, in nanoseconds.
    static qint64 helperThreadsNs() {
        qint64 ns = 0;
        const QDir tasks(QStringLiteral("/proc/self/task"));
        for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile comm(tasks.filePath(task + QStringLiteral("/comm")));
            QFile sched(tasks.filePath(task + QStringLiteral("/schedstat")));
            if (comm.open(QIODevice::ReadOnly) && comm.readAll().startsWith("Thread (pooled)") &&
                sched.open(QIODevice::ReadOnly))
                ns += sched.readAll().split(' ').value(0).toLongLong();
        }
        return ns;
    }
};

#include "tst_onscreenkeyboard.moc"
QUENDAL_TEST(TstOnScreenKeyboard)
