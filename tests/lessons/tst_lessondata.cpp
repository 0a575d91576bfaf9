#include "TestMain.h"
#include "TestSupport.h"

#include "keyboard/KeyTable.h"
#include "keyboard/OnScreenKeyboard.h"
#include "lessons/LessonHandOver.h"
#include "lessons/frmLek.h"
#include "platform/Database.h"
#include "platform/RichTextBox.h"
#include "typing/ExpectedCursor.h"
#include "typing/TypingTexts.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

// Lesson databases written by other hands: odd line breaks, keys that do not fit, empty texts,
// markup, and files that cannot be read.
namespace {

QVariant null() {
    return QVariant(QMetaType::fromType<QString>());
}

const QString Long = QString(20000, QLatin1Char('x'));

} // namespace

class TstLessonData : public QObject {
    Q_OBJECT

private:
    const KeyTableArray table_ = BuildKeyTable();
    std::unique_ptr<OnScreenKeyboard> keyboard_;
    LessonHandOver handOver_;

    struct Shown {
        QStringList messages;
        QList<Qt::TextFormat> formats;
        int result = -1;
        bool ran = false;
    };

    // Shows the dialog modally. Every message box is closed with its OK button as soon as it
    // shows (what it said is kept); body runs once the dialog itself is the active modal
    // window; close, or failing that reject, ends it.
    Shown show(frmLek& dlg, const std::function<void()>& body,
               const std::function<void()>& close = {}) {
        Shown shown;
        QTimer messages;
        connect(&messages, &QTimer::timeout, [&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            shown.messages << box->text();
            shown.formats << box->textFormat();
            box->button(QMessageBox::Ok)->click();
        });
        messages.start(5);
        QTimer runner;
        connect(&runner, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() != &dlg)
                return;
            runner.stop();
            shown.ran = true;
            body();
            if (close && dlg.isVisible())
                close();
            if (dlg.isVisible())
                dlg.reject();
        });
        runner.start(10);
        shown.result = dlg.showModal();
        return shown;
    }

    static QStringList tabs(const frmLek& dlg) {
        QStringList names;
        for (int i = 0; i < dlg.TabStrip1->count(); ++i)
            names << dlg.TabStrip1->tabText(i);
        return names;
    }

    static void clickTab(frmLek& dlg, const QString& name) {
        const int i = tabs(dlg).indexOf(name);
        QVERIFY2(i >= 0, qPrintable(name));
        QTest::mouseClick(dlg.TabStrip1, Qt::LeftButton, {}, dlg.TabStrip1->tabRect(i).center());
        QCOMPARE(dlg.TabStrip1->currentIndex(), i);
    }

    // A lesson database with the given types (ids 1, 2, ...); uebungen as given, or the
    // usual table when ddl is empty.
    static void createDb(const QString& path, const QStringList& types, const QString& ddl = {}) {
        QVERIFY(TestSupport::createEmptyDb(path));
        if (!ddl.isEmpty()) {
            QVERIFY(TestSupport::execOn(path, QStringLiteral("DROP TABLE uebungen")));
            QVERIFY(TestSupport::execOn(path, ddl));
        }
        for (int i = 0; i < types.size(); ++i)
            QVERIFY(TestSupport::execOn(
                path, QStringLiteral("INSERT INTO uebungsarten (id, bezeichnung) VALUES (?, ?)"),
                {i + 1, types.at(i)}));
    }

    static void addLesson(const QString& path, const QVariant& id, int art, int nr,
                          const QVariant& text, const QString& title = QStringLiteral("Titel"),
                          const QString& kommentar = QStringLiteral("Kommentar")) {
        QVERIFY(TestSupport::execOn(
            path,
            QStringLiteral("INSERT INTO uebungen (id, art, ordnungszahl, title, kommentar, "
                           "uebungstext, tasten) VALUES (?, ?, ?, ?, ?, ?, 'a')"),
            {id, art, nr, title, kommentar, text}));
    }

private slots:
    void init() {
        keyboard_ = std::make_unique<OnScreenKeyboard>(table_);
        handOver_ = LessonHandOver{};
    }

    void cleanup() { keyboard_.reset(); }

    void oddLineBreaksAreTypedToTheEnd_data() {
        TestSupport::addOddLessonTextRows("handedOver");
        QTest::newRow("all of them, ending with a lone LF") << "a\tb\rc\nd\r\ne\n"
                                                            << "a b\r\nc\r\nd\r\ne\r\n"
                                                            << "a b\nc\nd\ne\n"
                                                            << 6;
    }
    void oddLineBreaksAreTypedToTheEnd() {
        QFETCH(QString, stored);
        QFETCH(QString, handedOver);
        QFETCH(QString, keys);
        QFETCH(int, length);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zeilen.mdb"));
        createDb(path, {QStringLiteral("Zeilen")});
        addLesson(path, 42, 1, 1, stored);
        Database db;
        QVERIFY(db.open(path));
        frmLek dlg(db, handOver_, *keyboard_, nullptr);
        const Shown shown = show(
            dlg, [&] { QVERIFY(dlg.CommandOk->isEnabled()); },
            [&] { QTest::mouseClick(dlg.CommandOk, Qt::LeftButton); });
        QVERIFY(shown.ran);
        QCOMPARE(shown.result, int(QDialog::Accepted));
        QCOMPARE(handOver_.LekAuswahl, 42);
        QCOMPARE(handOver_.LekText, handedOver);
        QCOMPARE(CountChars(handOver_.LekText), length);

        // The handed-over text in the lesson box, walked by the cursor as the user types.
        RichTextBox box;
        box.setText(handOver_.LekText);
        QString expected;
        int ends = 0;
        ExpectedCursor cursor(box, {QStringLiteral("RETURN"), false},
                              {[&](const QString& s) { expected = s; }, {}, {}, [&] { ++ends; }});
        cursor.reset();
        int hits = 0;
        for (const QChar key : keys) {
            QCOMPARE(ends, 0);
            const int code = key == QLatin1Char('\n') ? 13 : key.unicode();
            const Keystroke verdict = judgeKeystroke(expected, code, QStringLiteral("RETURN"));
            QVERIFY2(verdict == Keystroke::Hit || verdict == Keystroke::LineBreakTyped,
                     qPrintable(QStringLiteral("%1 where %2 is expected").arg(code).arg(expected)));
            hits += verdict == Keystroke::Hit;
            cursor.advance();
        }
        QCOMPARE(ends, 1);
        QCOMPARE(expected, QStringLiteral("ENDE"));
        QCOMPARE(hits, length);
    }

    void onlyUsableRowsCanBeTaken_data() {
        QTest::addColumn<QVariant>("id");
        QTest::addColumn<QVariant>("text");
        QTest::addColumn<int>("key"); // 0: the row cannot be taken
        QTest::newRow("an ordinary key") << QVariant(101) << QVariant("abc") << 101;
        QTest::newRow("beyond 32 bits") << QVariant(4294967397LL) << QVariant("abc") << 0;
        QTest::newRow("just beyond 32 bits") << QVariant(2147483648LL) << QVariant("abc") << 0;
        QTest::newRow("below 32 bits") << QVariant(-2147483649LL) << QVariant("abc") << 0;
        QTest::newRow("the largest 32-bit key")
            << QVariant(2147483647LL) << QVariant("abc") << 2147483647;
        QTest::newRow("NULL") << null() << QVariant("abc") << 0;
        QTest::newRow("a word") << QVariant("elf") << QVariant("abc") << 0;
        QTest::newRow("digits stored as text") << QVariant("102") << QVariant("abc") << 0;
        QTest::newRow("a fraction") << QVariant(103.5) << QVariant("abc") << 0;
        QTest::newRow("the own-text mark") << QVariant(999999) << QVariant("abc") << 0;
        QTest::newRow("zero, the mark of no choice") << QVariant(0) << QVariant("abc") << 0;
        QTest::newRow("empty text") << QVariant(104) << QVariant("") << 0;
        QTest::newRow("NULL text") << QVariant(105) << null() << 0;
        QTest::newRow("a text of one blank") << QVariant(106) << QVariant(" ") << 106;
    }
    void onlyUsableRowsCanBeTaken() {
        QFETCH(QVariant, id);
        QFETCH(QVariant, text);
        QFETCH(int, key);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("schluessel.mdb"));
        // A table of another program: no type on the key, so it keeps whatever was stored.
        createDb(path, {QStringLiteral("Vorher"), QStringLiteral("Probe")},
                 QStringLiteral("CREATE TABLE uebungen (id, art INTEGER, ordnungszahl INTEGER, "
                                "title TEXT, kommentar TEXT, uebungstext TEXT, tasten TEXT)"));
        addLesson(path, 7, 1, 1, QStringLiteral("vorher"));
        addLesson(path, id, 2, 1, text, QStringLiteral("Probe"), QStringLiteral("Die Probe."));
        Database db;
        QVERIFY(db.open(path));
        frmLek dlg(db, handOver_, *keyboard_, nullptr);
        bool okEnabled = false, openAfterEnter = false;
        QString nr, comment;
        const Shown shown = show(dlg, [&] {
            QVERIFY(dlg.CommandOk->isEnabled()); // the lesson of the first type
            clickTab(dlg, QStringLiteral("Probe"));
            okEnabled = dlg.CommandOk->isEnabled();
            nr = dlg.lblTextNr->text();
            comment = dlg.lblTextComment->text();
            QTest::keyClick(&dlg, Qt::Key_Return); // OK is the default button
            openAfterEnter = dlg.isVisible();
        });
        QVERIFY(shown.ran);
        QVERIFY(shown.messages.isEmpty());
        QCOMPARE(okEnabled, key != 0);
        QCOMPARE(openAfterEnter, key == 0);
        QCOMPARE(shown.result, int(key != 0 ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(handOver_.LekAuswahl, key);
        // A row that cannot be taken shows as not found, never another lesson's data.
        QCOMPARE(nr, key != 0 ? QStringLiteral("1") : QString());
        QCOMPARE(comment, key != 0 ? QStringLiteral("Die Probe.") : QString());
        if (key != 0)
            QCOMPARE(handOver_.LekTitle, QStringLiteral("Probe"));
    }

    void markupIsShownAsWritten() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("markup.mdb"));
        const QString markup = QStringLiteral("<b>x</b>");
        createDb(path, {QStringLiteral("<i>Art</i>")});
        addLesson(path, 9, 1, 1, QStringLiteral("<b>x</b>\tx"), markup, markup);
        Database db;
        QVERIFY(db.open(path));
        frmLek dlg(db, handOver_, *keyboard_, nullptr);
        QStringList tabCaptions;
        QString comment;
        Qt::TextFormat format = Qt::AutoText;
        const Shown shown = show(
            dlg,
            [&] {
                tabCaptions = tabs(dlg);
                comment = dlg.lblTextComment->text();
                format = dlg.lblTextComment->textFormat();
            },
            [&] { dlg.CommandOk->click(); });
        QCOMPARE(shown.result, int(QDialog::Accepted));
        QCOMPARE(tabCaptions, QStringList{QStringLiteral("<i>Art</i>")});
        QCOMPARE(comment, markup);
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(handOver_.LekTitle, markup);
        QCOMPARE(handOver_.LekText, QStringLiteral("<b>x</b> x"));
    }

    void readErrorsAreReportedOnce_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("tabs");
        QTest::addColumn<QString>("driverSays");
        QTest::addColumn<QString>("usableTab"); // a type whose lesson can still be taken
        const QStringList both{QStringLiteral("Defekt"), QStringLiteral("Heil")};
        QTest::newRow("a lesson column is missing")
            << "kommentar" << both << "kommentar" << QString();
        QTest::newRow("the type column is missing")
            << "bezeichnung" << QStringList{} << "bezeichnung" << QString();
        QTest::newRow("a damaged page") << "page" << both << "malformed"
                                        << "Heil";
        QTest::newRow("locked by another program")
            << "lock" << QStringList{} << "locked" << QString();
        QTest::newRow("markup in the driver's description")
            << "view" << both << "<b>weg</b>" << QString();
    }
    void readErrorsAreReportedOnce() {
        QFETCH(QString, fault);
        QFETCH(QStringList, tabs);
        QFETCH(QString, driverSays);
        QFETCH(QString, usableTab);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("defekt.mdb"));
        const QStringList types{QStringLiteral("Defekt"), QStringLiteral("Heil")};
        if (fault == QLatin1String("kommentar")) {
            createDb(path, types,
                     QStringLiteral("CREATE TABLE uebungen (id INTEGER PRIMARY KEY, art INTEGER, "
                                    "ordnungszahl INTEGER, title TEXT, uebungstext TEXT, "
                                    "tasten TEXT)"));
            for (int art = 1; art <= 2; ++art)
                QVERIFY(TestSupport::execOn(
                    path,
                    QStringLiteral("INSERT INTO uebungen (id, art, ordnungszahl, title, "
                                   "uebungstext, tasten) VALUES (?, ?, 1, 'Titel', 'abc', 'a')"),
                    {art, art}));
        } else if (fault == QLatin1String("bezeichnung")) {
            createDb(path, {});
            QVERIFY(TestSupport::execOn(path, QStringLiteral("DROP TABLE uebungsarten")));
            QVERIFY(TestSupport::execOn(
                path, QStringLiteral("CREATE TABLE uebungsarten (id INTEGER PRIMARY KEY, name)")));
        } else if (fault == QLatin1String("view")) {
            createDb(path, types,
                     QStringLiteral("CREATE TABLE \"<b>weg</b>\" (id INTEGER PRIMARY KEY, art, "
                                    "ordnungszahl, title, kommentar, uebungstext, tasten)"));
            QVERIFY(TestSupport::execOn(
                path, QStringLiteral("CREATE VIEW uebungen AS SELECT * FROM \"<b>weg</b>\"")));
            QVERIFY(TestSupport::execOn(path, QStringLiteral("DROP TABLE \"<b>weg</b>\"")));
        } else {
            createDb(path, types);
            addLesson(path, 1, 1, 1, Long); // the text runs over several overflow pages
            addLesson(path, 2, 2, 1, QStringLiteral("heil"));
        }
        if (fault == QLatin1String("page")) {
            // The first overflow page of the long text points far beyond the file's end.
            const qint64 page =
                TestSupport::queryValue(path, QStringLiteral("SELECT min(pageno) FROM dbstat "
                                                             "WHERE pagetype = 'overflow'"))
                    .toLongLong();
            const qint64 size =
                TestSupport::queryValue(path, QStringLiteral("PRAGMA page_size")).toLongLong();
            QVERIFY(page > 1 && size > 0);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.seek((page - 1) * size));
            QCOMPARE(file.write(QByteArray("\x7f\xff\xff\xff", 4)), qint64(4));
        }

        Database db;
        QVERIFY(db.open(path));
        Database other; // another program holding the file
        if (fault == QLatin1String("lock")) {
            QVERIFY(other.open(path));
            QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        }
        frmLek dlg(db, handOver_, *keyboard_, nullptr);

        for (int showing = 1; showing <= 2; ++showing) {
            handOver_.LekAuswahl = 0;
            QStringList shownTabs;
            bool usable = usableTab.isEmpty();
            const Shown shown = show(
                dlg,
                [&] {
                    shownTabs = TstLessonData::tabs(dlg);
                    for (const QString& tab : shownTabs) {
                        clickTab(dlg, tab);
                        if (tab == usableTab)
                            usable = dlg.CommandOk->isEnabled();
                        else
                            QVERIFY(!dlg.CommandOk->isEnabled());
                    }
                    if (!usableTab.isEmpty())
                        clickTab(dlg, usableTab);
                },
                [&] {
                    QTest::mouseClick(usableTab.isEmpty() ? dlg.CommandAbr : dlg.CommandOk,
                                      Qt::LeftButton);
                });
            QVERIFY(shown.ran);
            QCOMPARE(shownTabs, tabs);
            QVERIFY(usable);
            QCOMPARE(shown.messages.size(), 1);
            QVERIFY2(shown.messages.first().startsWith(QString::fromUtf8(
                         "Die Lektionen konnten nicht vollständig gelesen werden.")),
                     qPrintable(shown.messages.first()));
            QVERIFY2(shown.messages.first().contains(driverSays),
                     qPrintable(shown.messages.first()));
            QCOMPARE(shown.formats.first(), Qt::PlainText);
            QCOMPARE(shown.result,
                     int(usableTab.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
            QCOMPARE(handOver_.LekAuswahl, usableTab.isEmpty() ? 0 : 2);
        }
        if (fault == QLatin1String("lock"))
            QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
    }
};

QUENDAL_TEST(TstLessonData)
#include "tst_lessondata.moc"
