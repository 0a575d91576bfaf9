#include "StatisticsDb.h"
#include "TestMain.h"

#include "platform/Database.h"
#include "settings/Settings.h"
#include "statistics/frmdaten.h"

#include <QAbstractPrintDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>

class TstPrintout : public QObject {
    Q_OBJECT

private:
    QTemporaryDir out_;

    // The print-out of the newest row on a PDF printer, read back as text pages.
    QStringList printPages(const StatisticsDb::Row& row, const QString& benutzer, int copies) {
        StatisticsDb file(QStringLiteral("print"));
        if (!file.add(row))
            return {};
        Database db;
        if (!db.open(file.path()))
            return {};
        Settings settings;
        settings.Benutzer = benutzer;
        frmdaten w(db, settings);
        w.Form_Load();
        int minute = 5;
        w.now = [&minute] { return QDateTime(QDate(2026, 12, 6), QTime(14, minute++, 9)); };
        const QString pdf = out_.filePath(QStringLiteral("page.pdf"));
        QFile::remove(pdf);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (!w.printOn(printer, copies))
            return {};
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!text.waitForFinished(20000))
            return {};
        QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QChar('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }

    static QStringList lines(const QString& page) {
        QStringList result;
        for (const QString& l : page.split(QLatin1Char('\n')))
            if (!l.trimmed().isEmpty())
                result << l.trimmed();
        return result;
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QVERIFY(out_.isValid());
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QFAIL("pdftotext (poppler-utils) is needed to read the print-out back");
    }

    void threeCopiesThreePages() {
        TestSupport::EnvGuard username("USERNAME", QStringLiteral("anna"));
        TestSupport::EnvGuard domain("USERDOMAIN", QStringLiteral("HAUS"));
        StatisticsDb::Row row;
        row.zeitpunkt = "2026-12-06 14:00:00";
        row.dateiname = "Grundreihe";
        row.zeichen = 200;
        row.dauer = 323;
        row.treffer = 240;
        row.fehler = 3;
        const QStringList pages = printPages(row, QStringLiteral("Anna Muster"), 3);
        QCOMPARE(pages.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const QStringList l = lines(pages[i]);
            QCOMPARE(l.size(), 18); // 20 lines, two of them empty
            QCOMPARE(l[0], QStringLiteral("QuenDal 1.1"));
            // Each page carries the moment it was composed.
            QCOMPARE(l[1], QStringLiteral("AUSWERTUNG 06.12.2026 14:0%1:09").arg(5 + i));
            QCOMPARE(l[2], QStringLiteral("anna auf HAUS"));
            QCOMPARE(l[3], QStringLiteral("QuenDal-Benutzername: Anna Muster"));
            QCOMPARE(l[4], QString(71, QLatin1Char('-')));
            QCOMPARE(l.mid(5, 7), (QStringList{"Lektion: Grundreihe", "Anzahl der Zeichen: 200",
                                               "Übungsdauer: 05:23", "Fehler Gesamt: 3",
                                               "Fehler in Prozent: 1,5", "Anschläge pro Minute: 45",
                                               QString(71, QLatin1Char('-'))}));
            QCOMPARE(l[17], QStringLiteral("Viel Erfolg beim Training!"));
        }
    }

    void emptyValuesPrintEmpty() {
        TestSupport::EnvGuard username("USERNAME");
        username.unset();
        TestSupport::EnvGuard user("USER", QStringLiteral("bert"));
        TestSupport::EnvGuard domain("USERDOMAIN");
        domain.unset();
        StatisticsDb::Row row;
        row.zeitpunkt = "2026-12-06 14:00:00";
        row.zeichen = 0;
        row.dauer = 0;
        const QStringList pages = printPages(row, QString(), 1);
        QCOMPARE(pages.size(), 1);
        const QStringList l = lines(pages[0]);
        QCOMPARE(l[2], QStringLiteral("bert auf"));
        QCOMPARE(l[3], QStringLiteral("QuenDal-Benutzername:"));
        QVERIFY(l.contains(QStringLiteral("Fehler in Prozent:")));
        QVERIFY(l.contains(QStringLiteral("Anschläge pro Minute:")));
        QVERIFY(l.contains(QStringLiteral("Übungsdauer: 00:00")));
    }

    void printButtonWithoutPrinterSaysSo() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed here");
        StatisticsDb file(QStringLiteral("noprinter"));
        StatisticsDb::Row row;
        row.zeitpunkt = "2026-12-06 14:00:00";
        QVERIFY(file.add(row));
        Database db;
        QVERIFY(db.open(file.path()));
        Settings settings;
        frmdaten w(db, settings);
        w.Form_Load();
        QString text;
        TestSupport::onModal([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                text = box->text();
                box->accept();
            } else {
                modal->close();
            }
        });
        w.Command1->click();
        QCOMPARE(text, QStringLiteral("Es ist kein Drucker eingerichtet. Bitte richten Sie zuerst "
                                      "einen Drucker ein."));
    }
};

QUENDAL_TEST(TstPrintout)
#include "tst_printout.moc"
