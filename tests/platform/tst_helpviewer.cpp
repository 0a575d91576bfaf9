#include "TestMain.h"
#include "TestSupport.h"

#include "platform/ChmFile.h"
#include "platform/HelpViewer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtEndian>

#include <chm_lib.h>

namespace {

QString helpFile() {
    return TestSupport::binDir() + QStringLiteral("/quendal.chm");
}

QByteArray helpBytes() {
    QFile file(helpFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where an object of the uncompressed section starts in the bytes of the compiled help, or -1.
qsizetype objectOffset(const QByteArray& bytes, const char* object) {
    chmFile* handle = chm_open(QFile::encodeName(helpFile()).constData());
    if (!handle)
        return -1;
    chmUnitInfo unit;
    const int found = chm_resolve_object(handle, object, &unit);
    chm_close(handle);
    if (found != CHM_RESOLVE_SUCCESS)
        return -1;
    return qsizetype(qFromLittleEndian<quint64>(bytes.constData() + 0x58) + unit.start);
}

// The compiled help with the block length of its compressed stream's reset table set to zero,
// a number that chmlib divides by.
QByteArray withZeroResetBlockLength() {
    QByteArray bytes = helpBytes();
    const qsizetype table = objectOffset(bytes, "::DataSpace/Storage/MSCompressed/Transform/"
                                                "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
                                                "InstanceData/ResetTable");
    if (table < 0)
        return {};
    bytes.replace(table + 0x20, 8, QByteArray(8, '\0'));
    return bytes;
}

// The compiled help whose default page, named in #SYSTEM, is not in the file.
QByteArray withMissingDefaultPage() {
    QByteArray bytes = helpBytes();
    const qsizetype system = objectOffset(bytes, "/#SYSTEM");
    const qsizetype page = bytes.indexOf(QByteArray("\x02\0\x0b\0start.html", 14), system);
    if (system < 0 || page < 0)
        return {};
    bytes[page + 4] = 'x';
    return bytes;
}

QTreeWidgetItem* topItem(QTreeWidget* tree, const QString& title) {
    const auto items = tree->findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
    return items.isEmpty() ? nullptr : items.first();
}

QStringList childTitles(QTreeWidgetItem* item) {
    QStringList titles;
    for (int i = 0; item && i < item->childCount(); ++i)
        titles << item->child(i)->text(0);
    return titles;
}

} // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT
private:
    HelpViewer* openHelp(const QString& path = helpFile()) {
        // A file that does not open would show a message that no one here closes.
        if (!ChmFile().open(path) || !HelpViewer::showHelp(path))
            return nullptr;
        return HelpViewer::current();
    }

private slots:
    void cleanup() { delete HelpViewer::current(); }

    void opensOnTheStartPageWithTheGermanContents_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: the help file as built
        QTest::newRow("as built") << QByteArray();
        QTest::newRow("default page not in the file") << withMissingDefaultPage();
    }
    void opensOnTheStartPageWithTheGermanContents() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = bytes.isEmpty() ? helpFile() : dir.filePath(QStringLiteral("h.chm"));
        if (!bytes.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        HelpViewer* viewer = openHelp(path);
        QVERIFY(viewer);
        QCOMPARE(viewer->windowTitle(), QStringLiteral("QuenDal Hilfe"));
        QVERIFY(viewer->isVisible());
        QTreeWidget* tree = viewer->contentsTree();
        QStringList top;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            top << tree->topLevelItem(i)->text(0);
        QCOMPARE(top, (QStringList{"Willkommen bei QuenDal", "Das Hauptfenster",
                                   "Eine Lektion schreiben", QString::fromUtf8("Die Menüs"),
                                   "Fenster und Dialoge", QString::fromUtf8("Tastenkürzel")}));
        QCOMPARE(viewer->browser()->source().path(), QStringLiteral("/start.html"));
        QVERIFY(viewer->browser()->toPlainText().startsWith("Willkommen bei QuenDal"));
        QCOMPARE(tree->currentItem(), tree->topLevelItem(0));

        // A path that climbs above the file's root names nothing in it.
        QVERIFY(viewer->file().read(QStringLiteral("/bilder/../start.html")));
        viewer->browser()->setSource(QUrl(QStringLiteral("chm:/../reminder.html")));
        QVERIFY(viewer->browser()->toPlainText().contains(QStringLiteral("nicht enthalten")));
    }

    void everyMenuAndWindowHasItsTopic_data() {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QStringList>("children");
        QTest::newRow("menus") << QString::fromUtf8("Die Menüs")
                               << QString::fromUtf8("Menü Datei|Menü Lektionen|Menü Gymnastik|"
                                                    "Menü Einstellungen|Menü Module|"
                                                    "Menü Auswertung|Menü Über|Menü ?")
                                      .split('|');
        QTest::newRow("windows") << "Fenster und Dialoge"
                                 << QStringList{"Lektionen",        "Statistik",
                                                "NumBlock-Trainer", "Einstellungen",
                                                "Tips und Tricks",  "Gymnastik-Tips",
                                                "Das Infofenster",  "Reminder"};
        QTest::newRow("statistics")
            << "Statistik"
            << QString::fromUtf8("Chart 1: Anzahl Trainingseinheiten|Chart 2: Anschläge pro Minute|"
                                 "Chart 3: Fehler der einzelnen Finger|"
                                 "Liste 1: Die Übungen im Einzelnen|Ein Ergebnis drucken|"
                                 "Liste 2: Fehler der Finger je Übung")
                   .split('|');
        QTest::newRow("main window")
            << "Das Hauptfenster" << QStringList{"Die Werkzeugleiste", "Die Anzeigen"};
    }
    void everyMenuAndWindowHasItsTopic() {
        QFETCH(QString, parent);
        QFETCH(QStringList, children);
        HelpViewer* viewer = openHelp();
        QVERIFY(viewer);
        QCOMPARE(childTitles(topItem(viewer->contentsTree(), parent)), children);
    }

    // Each page of the file is in the contents tree, and choosing it there shows that page,
    // headed by the entry's title.
    void everyTopicOfTheTreeRenders() {
        HelpViewer* viewer = openHelp();
        QVERIFY(viewer);
        QStringList pages;
        for (const QString& file : viewer->file().files())
            if (file.endsWith(".html"))
                pages << file;
        QVERIFY(pages.size() >= 30);
        QStringList listed;
        for (QTreeWidgetItemIterator it(viewer->contentsTree()); *it; ++it) {
            QTreeWidgetItem* item = *it;
            viewer->contentsTree()->setCurrentItem(item);
            const QString path = viewer->browser()->source().path();
            listed << path;
            const QString text = viewer->browser()->toPlainText();
            QVERIFY2(text.startsWith(item->text(0)), qPrintable(path + ": " + text.left(60)));
            QVERIFY2(text.size() > item->text(0).size() + 40, qPrintable(path));
            QVERIFY2(!text.contains("nicht enthalten"), qPrintable(path));
        }
        listed.sort();
        pages.sort();
        QCOMPARE(listed, pages);
    }

    // Links are followed from the keyboard as a user would: Tab to the link, then Enter.
    void linksBetweenTopicsLoad_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("href");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("anchor");
        QTest::addColumn<QString>("heading");
        QTest::newRow("start to selection") << "start.html"
                                            << "lektionen.html"
                                            << "/lektionen.html"
                                            << ""
                                            << "Lektionen";
        QTest::newRow("menu to settings page") << "menue_einstellungen.html"
                                               << "einstellungen.html#reminder"
                                               << "/einstellungen.html"
                                               << "reminder"
                                               << "Einstellungen";
        QTest::newRow("writing to the summary") << "lektion.html"
                                                << "zaehler.html#ende"
                                                << "/zaehler.html"
                                                << "ende"
                                                << "Die Anzeigen";
        QTest::newRow("chart back to the hub") << "chart3.html"
                                               << "statistik.html"
                                               << "/statistik.html"
                                               << ""
                                               << "Statistik";
    }
    void linksBetweenTopicsLoad() {
        QFETCH(QString, page);
        QFETCH(QString, href);
        QFETCH(QString, path);
        QFETCH(QString, anchor);
        QFETCH(QString, heading);
        HelpViewer* viewer = openHelp();
        QVERIFY(viewer);
        viewer->resize(640, 260); // small enough that an anchor lies below the fold
        viewer->showTopic(page);
        QTextBrowser* browser = viewer->browser();
        browser->setFocus();
        bool onLink = false;
        for (int i = 0; i < 100 && !onLink; ++i) {
            QTest::keyClick(browser, Qt::Key_Tab);
            onLink = browser->textCursor().charFormat().anchorHref() == href;
        }
        QVERIFY2(onLink, qPrintable(href));
        QTest::keyClick(browser, Qt::Key_Return);
        QCOMPARE(browser->source().path(), path);
        QCOMPARE(browser->source().fragment(), anchor);
        QVERIFY(browser->toPlainText().startsWith(heading));
        if (!anchor.isEmpty())
            QTRY_VERIFY(browser->verticalScrollBar()->value() > 0);
        QCOMPARE(viewer->contentsTree()->currentItem()->text(0), heading);
    }

    void pictureAndStyleSheetComeFromTheFile() {
        HelpViewer* viewer = openHelp();
        QVERIFY(viewer);
        viewer->showTopic(QStringLiteral("hauptfenster.html"));
        QTextDocument* document = viewer->browser()->document();
        viewer->browser()->grab(); // lays the page out, which loads its picture
        QString picture;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat())
                    picture = it.fragment().charFormat().toImageFormat().name();
        QCOMPARE(picture, QStringLiteral("bilder/hauptfenster.png"));
        const QVariant loaded = document->resource(QTextDocument::ImageResource, QUrl(picture));
        QVERIFY(loaded.isValid());
        const QImage image = loaded.canConvert<QImage>() ? loaded.value<QImage>()
                                                         : QImage::fromData(loaded.toByteArray());
        QCOMPARE(image.size(), QSize(560, 370));
        // The heading colour is set only in the style sheet inside the file.
        QCOMPARE(document->begin().charFormat().foreground().color(), QColor(0x1f, 0x3f, 0x7f));
    }

    void showingAgainKeepsOneWindow() {
        HelpViewer* first = openHelp();
        QVERIFY(first);
        first->showTopic(QStringLiteral("reminder.html"));
        QVERIFY(HelpViewer::showHelp(helpFile()));
        QCOMPARE(HelpViewer::current(), first);
        QCOMPARE(first->browser()->source().path(), QStringLiteral("/reminder.html"));
    }

    void unreadableFilesGiveAMessage_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        const QString damaged =
            QString::fromUtf8("Die Datei ist keine gültige Hilfedatei oder sie ist beschädigt.");
        QTest::newRow("missing") << "missing"
                                 << "Die Datei ist nicht vorhanden.";
        QTest::newRow("directory") << "directory"
                                   << "Der Pfad bezeichnet einen Ordner, keine Datei.";
        QTest::newRow("empty") << "empty"
                               << "Die Datei ist leer.";
        QTest::newRow("random bytes") << "random" << damaged;
        QTest::newRow("header only") << "cut:96" << damaged;
        QTest::newRow("cut in the directory") << "cut:2000" << damaged;
        QTest::newRow("cut in half") << "half" << damaged;
        QTest::newRow("last byte missing") << "cut:-1" << damaged;
        QTest::newRow("zero block length") << "zero block" << damaged;
    }
    void unreadableFilesGiveAMessage() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        // Markup in the path must show as written.
        QString path = dir.filePath(QStringLiteral("<b>hilfe.chm"));
        const QByteArray good = helpBytes();
        QVERIFY(good.size() > 10000);
        QByteArray bytes;
        if (kind == "directory")
            QVERIFY(QDir().mkpath(path));
        else if (kind == "random") {
            bytes.resize(good.size());
            QRandomGenerator random(7);
            for (char& byte : bytes)
                byte = char(random.bounded(256));
        } else if (kind.startsWith("cut:")) {
            const int at = kind.mid(4).toInt();
            bytes = good.left(at < 0 ? good.size() + at : at);
        } else if (kind == "half")
            bytes = good.left(good.size() / 2);
        else if (kind == "zero block")
            bytes = withZeroResetBlockLength();
        if (kind != "missing" && kind != "directory") {
            QVERIFY(kind == "empty" || !bytes.isEmpty());
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }

        QString text, title;
        Qt::TextFormat format = Qt::RichText;
        TestSupport::onModal([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                text = box->text();
                title = box->windowTitle();
                format = box->textFormat();
            }
            modal->close();
        });
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!HelpViewer::showHelp(path));
        QVERIFY(clock.elapsed() < 10000);
        QCOMPARE(title, QStringLiteral("QuenDal Hilfe"));
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(text, QString::fromUtf8("Die Hilfedatei\n%1\nkann nicht geöffnet werden.\n\n%2")
                           .arg(QDir::toNativeSeparators(path), reason));
        QVERIFY(!HelpViewer::current());
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<HelpViewer*>(widget));
    }
};

QUENDAL_TEST(TestHelpViewer)
#include "tst_helpviewer.moc"
