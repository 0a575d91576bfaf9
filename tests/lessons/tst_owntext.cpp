#include "TestMain.h"
#include "TestSupport.h"

#include "lessons/LessonHandOver.h"
#include "lessons/OwnText.h"
#include "lessons/OwnTextImport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The warning box as ImportDriver records it.
const QString Warning =
    QString::fromUtf8("Eigene Texte|Der Text wurde zur besseren Darstellung verändert !|%1|OK")
        .arg(int(QMessageBox::Warning));

QString rep(QChar c, int n) {
    return QString(n, c);
}

// 49 letters and a CR LF, again and again: nothing to wrap, nothing to change.
QString plainLines(int length) {
    QString text;
    while (text.size() < length)
        text += rep(u'x', 49) + QStringLiteral("\r\n");
    return text.left(length);
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Answers the modal windows of one import: the file dialog with path (or cancels it for an
// empty path), and records and closes each message box.
struct ImportDriver {
    QString path;
    QStringList messages; // "title|text|icon|buttons"
    QString fileDialogTitle, fileDialogFilter, fileDialogFolder;
    QStringList fileDialogTexts; // the "look in" label, then the buttons
    QTimer timer;

    explicit ImportDriver(const QString& file) : path(file) {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* fd = qobject_cast<QFileDialog*>(modal)) {
                fileDialogTitle = fd->windowTitle();
                fileDialogFilter = fd->nameFilters().join(u';');
                fileDialogFolder = fd->directory().absolutePath();
                if (!fd->testOption(QFileDialog::DontUseNativeDialog))
                    fileDialogTexts << QStringLiteral("the desktop's dialog");
                if (auto* label = fd->findChild<QLabel*>(QStringLiteral("lookInLabel")))
                    fileDialogTexts << label->text();
                if (auto* buttons = fd->findChild<QDialogButtonBox*>())
                    for (QAbstractButton* button : buttons->buttons())
                        fileDialogTexts << button->text();
                if (path.isEmpty()) {
                    fd->reject();
                } else {
                    // As a user types it: the folder, then the name in the name box. The
                    // dialog's view of the folder is read in the background, so neither
                    // selectFile() nor accept() can be relied on here.
                    fd->setDirectory(QFileInfo(path).absolutePath());
                    auto* edit = fd->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                    if (edit)
                        edit->setText(QFileInfo(path).fileName());
                    static_cast<QDialog*>(fd)->done(edit ? QDialog::Accepted : QDialog::Rejected);
                }
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                QStringList buttons;
                for (QAbstractButton* button : box->buttons())
                    buttons << button->text();
                messages << box->windowTitle() + u'|' + box->text() + u'|' +
                                QString::number(box->icon()) + u'|' + buttons.join(u',');
                box->accept();
            }
        });
        timer.start(10);
    }
};

} // namespace

class TstOwnText : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void normalise_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::addColumn<bool>("warn");
        const QString a50 = rep(u'a', 50);
        const QString crlf = QStringLiteral("\r\n");

        QTest::newRow("Hallo Welt") << "Hallo Welt "
                                    << "Hallo Welt" << false;
        QTest::newRow("60 letters") << rep(u'a', 60) << a50 + crlf + rep(u'a', 10) << true;
        QTest::newRow("30+30") << rep(u'a', 30) + " " + rep(u'b', 30)
                               << rep(u'a', 30) + crlf + rep(u'b', 30) << true;
        QTest::newRow("blank at 51")
            << a50 + " " + rep(u'b', 10) << a50 + crlf + rep(u'b', 10) << true;
        QTest::newRow("50 and a blank") << a50 + " " << a50 + crlf << true;
        QTest::newRow("leading blank line")
            << " " + rep(u'a', 55) << crlf + a50 + crlf + rep(u'a', 5) << true;
        QTest::newRow("word break keeps the words whole")
            << QStringLiteral("Der Himmel ueber der Stadt war blau und die Sonne schien hell.")
            << QStringLiteral("Der Himmel ueber der Stadt war blau und die Sonne\r\nschien hell.")
            << true;
        QTest::newRow("blank runs inside stay") << "  a   b  "
                                                << "a   b" << false;
        QTest::newRow("umlauts stay but warn")
            << QString::fromUtf8("Grüße aus Köln: ÄÖÜ ß 5 €")
            << QString::fromUtf8("Grüße aus Köln: ÄÖÜ ß 5 €") << true;
        QTest::newRow("low and left quotes")
            << QString::fromUtf8("„Wort“") << QStringLiteral("\"Wort\"") << true;
        QTest::newRow("right quotes become blanks")
            << QString::fromUtf8("x ”Wort” y") << QStringLiteral("x  Wort  y") << true;
        QTest::newRow("right quote at a line end")
            << QString::fromUtf8("”Wort”") << QStringLiteral("Wort") << true;
        QTest::newRow("en dash") << QString::fromUtf8("a – b") << "a - b" << true;
        QTest::newRow("others blank")
            << QString::fromUtf8("Café ‘x’ \x7f!") << "Caf   x   !" << true;
        QTest::newRow("one blank per character")
            << QString::fromUtf8("a\U0001F600b") << "a b" << true;
        QTest::newRow("TAB") << "a\tb"
                             << "a b" << true;
        QTest::newRow("NUL and other controls")
            << QString::fromLatin1("a\0b\x1b", 4) << "a b" << true;
        QTest::newRow("NUL padding at the end") << "eins\r\n" + QString(12000, QChar(0)) + " \r\n"
                                                << "eins\r\n"
                                                << true;
        QTest::newRow("CR LF kept") << "eins\r\nzwei"
                                    << "eins\r\nzwei" << false;
        QTest::newRow("LF alone") << "eins\nzwei\n"
                                  << "eins\r\nzwei\r\n"
                                  << false;
        QTest::newRow("CR alone") << "eins\rzwei"
                                  << "eins\r\nzwei" << false;
        QTest::newRow("paragraphs kept") << "eins\r\n\r\nzwei"
                                         << "eins\r\n\r\nzwei" << false;
        QTest::newRow("blanks at hard line ends go") << " eins \r\n zwei "
                                                     << "eins\r\nzwei" << false;
        QTest::newRow("50 letters then CR LF") << a50 + crlf + "b" << a50 + crlf + "b" << false;
        QTest::newRow("only blanks") << "     "
                                     << "" << false;
        QTest::newRow("empty") << ""
                               << "" << false;
        QTest::newRow("9998 characters") << plainLines(9998) << plainLines(9998) << false;
        QTest::newRow("9999 characters") << plainLines(9999) << plainLines(9999) << true;
        QTest::newRow("10000 characters") << plainLines(9999) + "y" << plainLines(9999) << true;
        QTest::newRow("CR LF across the limit")
            << plainLines(9996) + "xx\r\nyy" << plainLines(9996) + "xx\r\n"
            << true;
    }

    void normalise() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QFETCH(bool, warn);
        const OwnText::Normalised n = OwnText::doit(in);
        QCOMPARE(n.TextOut, out);
        QCOMPARE(n.Changed || n.Truncated, warn);
    }

    void truncationFlag() {
        QVERIFY(!OwnText::doit(plainLines(9998)).Truncated);
        QVERIFY(OwnText::doit(plainLines(9999)).Truncated);
        QVERIFY(!OwnText::doit(plainLines(9999)).Changed);
    }

    void decode_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QString>("text");
        const QString gruesse = QString::fromUtf8("Grüße");
        QTest::newRow("UTF-8") << QByteArray("Gr\xC3\xBC\xC3\x9F"
                                             "e")
                               << false << gruesse;
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F"
                                                       "e")
                                         << false << gruesse;
        QTest::newRow("UTF-16LE") << QByteArray("\xFF\xFEG\0r\0\xFC\0\xDF\0e\0", 12) << false
                                  << gruesse;
        QTest::newRow("UTF-16BE") << QByteArray("\xFE\xFF\0G\0r\0\xFC\0\xDF\0e", 12) << false
                                  << gruesse;
        QTest::newRow("UTF-16LE without mark")
            << QByteArray("G\0r\0\xFC\0\xDF\0e\0\0\0", 12) << false << gruesse + QChar(0);
        QTest::newRow("UTF-16BE without mark")
            << QByteArray("\0G\0r\0\xFC\0\xDF\0e", 10) << false << gruesse;
        QTest::newRow("NUL padding is no UTF-16") << QByteArray("Hallo!\0\0\0\0", 10) << false
                                                  << QString::fromLatin1("Hallo!\0\0\0\0", 10);
        QTest::newRow("Windows-1252") << QByteArray("Gr\xFC\xDF"
                                                    "e")
                                      << false << gruesse;
        QTest::newRow("Windows-1252 high")
            << QByteArray("\x80 \x84x\x93 \x96 \x94") << false << QString::fromUtf8("€ „x“ – ”");
        QTest::newRow("Windows-1252 that pairs up as UTF-8")
            << QByteArray("Ma\xDF\xB0") << false << QString::fromUtf8("Maß°");
        QTest::newRow("UTF-8 with a rare letter and umlauts")
            << QString::fromUtf8("Čapek, Müller").toUtf8() << false
            << QString::fromUtf8("Čapek, Müller");
        QTest::newRow("UTF-8 apostrophe")
            << QString::fromUtf8("It’s").toUtf8() << false << QString::fromUtf8("It’s");
        QTest::newRow("broken UTF-8") << QByteArray("\xC3\x28") << false << QString::fromUtf8("Ã(");
        QTest::newRow("overlong") << QByteArray("\xC0\xAF") << false << QString::fromUtf8("À¯");
        QTest::newRow("surrogate in UTF-8")
            << QByteArray("a\xED\xA0\x80") << false << QString::fromUtf8("aí\u00A0€");
        QTest::newRow("cut at the end of a whole file")
            << QByteArray("a\xC3") << false << QString::fromUtf8("aÃ");
        QTest::newRow("cut where reading stopped") << QByteArray("a\xC3") << true << "a";
    }

    void decode() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, cut);
        QFETCH(QString, text);
        QCOMPARE(OwnText::decode(bytes, cut), text);
    }

    void title_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("folder") << "/home/anna/Texte/Uebung eins.txt"
                                << "Uebung eins.txt";
        QTest::newRow("no folder") << "Uebung.txt"
                                   << "Uebung.txt";
        QTest::newRow("line break in the name") << "/tmp/zwei\nZeilen\t.txt"
                                                << "zweiZeilen.txt";
        QTest::newRow("120 characters") << "/tmp/" + rep(u'n', 116) + ".txt" << rep(u'n', 100);
    }

    void title() {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(OwnText::titleFromPath(path), title);
    }

    void unreadableFiles() {
        const QString empty = dir_.filePath(QStringLiteral("leer.txt"));
        QVERIFY(writeFile(empty, {}));
        QVERIFY(!OwnText::readFile(empty));
        QVERIFY(!OwnText::readFile(dir_.path()));
        QVERIFY(!OwnText::readFile(dir_.filePath(QStringLiteral("fehlt.txt"))));
        QVERIFY(!OwnText::readFile(QStringLiteral("/dev/zero")));
        const QString fifo = dir_.filePath(QStringLiteral("rohr.txt"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(!OwnText::readFile(fifo)); // would wait for a writer for ever
        if (::geteuid() != 0) {
            const QString locked = dir_.filePath(QStringLiteral("gesperrt.txt"));
            QVERIFY(writeFile(locked, "Text"));
            QVERIFY(QFile::setPermissions(locked, {}));
            QVERIFY(!OwnText::readFile(locked));
        }
    }

    void hugeFilesInBoundedTime() {
        // A sparse 1 GB file of NUL bytes and one of text: only the beginning is read.
        const QString zeros = dir_.filePath(QStringLiteral("null.txt"));
        {
            QFile f(zeros);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(qint64(1) << 30));
        }
        const QString words = dir_.filePath(QStringLiteral("worte.txt"));
        {
            QFile f(words);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const QByteArray chunk = QByteArray("Hallo Welt, ").repeated(100000);
            for (int i = 0; i < 20; ++i)
                QVERIFY(f.write(chunk) == chunk.size());
        }
        QElapsedTimer clock;
        clock.start();
        const std::optional<QString> nul = OwnText::readFile(zeros);
        QVERIFY(nul);
        QVERIFY(nul->size() <= OwnText::ReadLimit);
        QVERIFY(!OwnText::hasContent(OwnText::doit(*nul).TextOut));
        const std::optional<QString> text = OwnText::readFile(words);
        QVERIFY(text);
        const OwnText::Normalised n = OwnText::doit(*text);
        QVERIFY(n.Truncated);
        QVERIFY(n.TextOut.startsWith(QStringLiteral("Hallo Welt, Hallo Welt,")));
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    }

    // Random and mutated bytes: the lesson text only ever holds typeable characters, in lines
    // of at most 50 without blanks at their ends, and never more than 9999 of the input.
    void fuzz() {
        QRandomGenerator rng(20261207);
        const QByteArray sample = QString::fromUtf8("Grüße aus Köln – „Zitat“ und ”mehr”.\r\n"
                                                    "Zweite Zeile\tmit Tab, € und é.\n")
                                      .toUtf8()
                                      .repeated(40);
        const QString allowed = QString::fromUtf8("äÄöÖüÜ€ß");
        for (int round = 0; round < 400; ++round) {
            QByteArray bytes;
            if (round % 2 == 0) {
                bytes.resize(rng.bounded(round % 10 == 0 ? 60000 : 3000));
                for (char& b : bytes)
                    b = char(rng.bounded(256));
                if (round % 8 == 0)
                    bytes.prepend(round % 16 == 0 ? "\xFF\xFE" : "\xEF\xBB\xBF");
            } else {
                bytes = sample.left(rng.bounded(sample.size()));
                for (int k = rng.bounded(6); k > 0 && !bytes.isEmpty(); --k)
                    bytes[rng.bounded(bytes.size())] = char(rng.bounded(256));
            }
            const QString text = OwnText::decode(bytes, rng.bounded(2) == 1);
            const OwnText::Normalised n = OwnText::doit(text);
            const QString& out = n.TextOut;
            const QStringList lines = out.split(QStringLiteral("\r\n"));
            int kept = 0;
            for (const QString& line : lines) {
                QVERIFY2(line.size() <= 50, qPrintable(QString::number(round)));
                QVERIFY(!line.startsWith(u' ') && !line.endsWith(u' '));
                for (const QChar c : line) {
                    QVERIFY2((c.unicode() >= 32 && c.unicode() <= 126) || allowed.contains(c),
                             qPrintable(QString::number(c.unicode())));
                    ++kept;
                }
            }
            QVERIFY(kept <= 9999);
            QCOMPARE(n.Truncated, text.toUcs4().size() >= 9999);
        }
    }

    void importThroughFileDialog() {
        const QString path = dir_.filePath(QString::fromUtf8("Übung eins.txt"));
        QVERIFY(writeFile(path, QString::fromUtf8("Grüße aus Köln\nHallo Welt ").toUtf8()));
        QDialog selection;
        selection.show();
        LessonHandOver handOver;
        ImportDriver driver(path);
        QVERIFY(OwnTextImport::run(&selection, handOver));
        QCOMPARE(driver.fileDialogTitle, QString::fromUtf8("Datei öffnen"));
        QCOMPARE(driver.fileDialogFilter, QStringLiteral("Textdateien txt (*.txt)"));
        QCOMPARE(driver.fileDialogFolder, qEnvironmentVariable("HOME"));
        QCOMPARE(driver.fileDialogTexts,
                 (QStringList{"Suchen in:", QString::fromUtf8("&Öffnen"), "Abbrechen"}));
        QCOMPARE(handOver.LekAuswahl, 999999);
        QCOMPARE(handOver.LekText, QString::fromUtf8("Grüße aus Köln\r\nHallo Welt"));
        QCOMPARE(handOver.LekTitle, QString::fromUtf8("Übung eins.txt"));
        QCOMPARE(driver.messages, QStringList{Warning});
        QCOMPARE(selection.cursor().shape(), Qt::ArrowCursor);
    }

    // The warning the user sees after a first text that drew it, for each kind of second text.
    void secondImportWarnsOnlyWhenChanged_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("warned");
        QTest::newRow("plain") << QByteArray("Hallo Welt\r\nzweite Zeile")
                               << "Hallo Welt\r\nzweite Zeile" << false;
        QTest::newRow("9998 plain characters")
            << plainLines(9998).toLatin1() << plainLines(9998) << false;
        QTest::newRow("only cut at the limit")
            << (plainLines(9999) + "yy").toLatin1() << plainLines(9999) << true;
    }
    void secondImportWarnsOnlyWhenChanged() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(bool, warned);
        const QString changed = dir_.filePath(QStringLiteral("tab.txt"));
        const QString second = dir_.filePath(QStringLiteral("second.txt"));
        QVERIFY(writeFile(changed, "a\tb"));
        QVERIFY(writeFile(second, bytes));
        QDialog selection;
        LessonHandOver handOver;
        {
            ImportDriver driver(changed);
            QVERIFY(OwnTextImport::run(&selection, handOver));
            QCOMPARE(driver.messages.size(), 1);
        }
        ImportDriver driver(second);
        QVERIFY(OwnTextImport::run(&selection, handOver));
        QCOMPARE(driver.messages, warned ? QStringList{Warning} : QStringList());
        QCOMPARE(handOver.LekText, text);
        QCOMPARE(handOver.LekTitle, QStringLiteral("second.txt"));
    }

    void quietEnds_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("cancelled") << QString() << QByteArray();
        QTest::newRow("empty file") << "leer2.txt" << QByteArray();
        QTest::newRow("only blanks and breaks") << "luft.txt" << QByteArray("  \r\n \t \r\n");
        QTest::newRow("only foreign characters")
            << "fremd.txt" << QString::fromUtf8("éèê").toUtf8();
    }

    void quietEnds() {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        const QString path = file.isEmpty() ? QString() : dir_.filePath(file);
        if (!path.isEmpty())
            QVERIFY(writeFile(path, bytes));
        QDialog selection;
        LessonHandOver handOver;
        handOver.LekText = QStringLiteral("vorher");
        ImportDriver driver(path);
        QVERIFY(!OwnTextImport::run(&selection, handOver));
        QCOMPARE(handOver.LekAuswahl, 0);
        QCOMPARE(handOver.LekText, QStringLiteral("vorher"));
        QVERIFY(driver.messages.isEmpty());
        QCOMPARE(selection.cursor().shape(), Qt::ArrowCursor);
    }
};

QUENDAL_TEST(TstOwnText)
#include "tst_owntext.moc"
