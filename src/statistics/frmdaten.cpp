#include "frmdaten.h"

#include "Printer.h"
#include "StatisticsQueries.h"
#include "StatisticsText.h"
#include "components/DialogLook.h"
#include "components/Maker.h"
#include "components/PictureButton.h"
#include "platform/MessageBox.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"
#include "settings/Settings.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>

namespace {

// A printer with paper coming out of it, in a 16 x 14 grid.
void printerPicture(QPainter& p, const QRectF& area) {
    p.translate(area.topLeft());
    p.scale(area.width() / 16.0, area.height() / 14.0);
    p.setPen(QPen(QColor(30, 30, 30), 0.8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1, 8, 5));
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(QRectF(1, 5.5, 14, 5.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 9, 8, 4));
    p.drawLine(QPointF(5.5, 11), QPointF(10.5, 11));
}

} // namespace

frmdaten::frmdaten(const Database& db, const Settings& settings, QWidget* parent)
    : RecordBrowser(QStringLiteral("frmdaten"), QStringLiteral("Auswertung der einzelnen Übungen"),
                    5115, 4185, parent),
      settings_(settings) {
    const struct {
        const char* caption;
        const char* column;
        Format format;
    } rows[] = {
        {"Datum:", "Zeitpunkt", &StatisticsText::datum},
        {"Uhrzeit:", "Zeitpunkt", &StatisticsText::uhrzeit},
        {"Lektion:", "Dateiname", &StatisticsText::plain},
        {"Zeichenanzahl:", "Zeichenanzahl", &StatisticsText::number},
        {"Dauer [Min:Sek]", "DauerM", &StatisticsText::plain},
        {"Treffer:", "Treffer", &StatisticsText::number},
        {"Fehler:", "Fehler", &StatisticsText::number},
        {"Fehler [%]:", "FehlerProz", &StatisticsText::twoDecimals},
        {"Anschläge /Min.:", "Ansch", &StatisticsText::number},
    };
    const int boxTops[9] = {60, 375, 720, 1020, 1350, 1665, 1995, 2310, 2640};
    const QFont bold = DialogLook::msSansSerif(8.25, true);
    for (int i = 0; i < 9; ++i) {
        lblLabels[i] = DialogLook::label(this, QStringLiteral("lblLabels_%1").arg(i),
                                         QString::fromUtf8(rows[i].caption),
                                         QRect(180, boxTops[i] + 30, 1815, 255));
        if (i == 2)
            lblLabels[i]->setFont(bold);
    }
    for (int i = 0; i < 9; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtFields_%1").arg(i));
        box->setGeometry(Twips::rect(1560, boxTops[i], 3375, 285));
        box->setReadOnly(true);
        box->setFont(bold);
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, OleColor::toQColor(OleColor::ButtonFace));
        box->setPalette(pal);
        txtFields[i] = box;
        bind(box, QLatin1String(rows[i].column), rows[i].format);
    }
    // The hits row is set apart: shown greyed.
    lblLabels[5]->setEnabled(false);
    txtFields[5]->setEnabled(false);

    const int lefts[4] = {180, 720, 2160, 2700};
    buildNavigation(QRect(1560, 3060, 3375, 540), lefts);

    auto* print = new PictureButton(printerPicture, OleColor::ButtonFace, this);
    print->setObjectName(QStringLiteral("Command1"));
    print->setToolTip(QStringLiteral("Auswertung drucken"));
    print->setGeometry(Twips::rect(2700, 3720, 1095, 360));
    connect(print, &QAbstractButton::clicked, this, &frmdaten::Command1_Click);
    Command1 = print;

    cmdClose = closeButton(QStringLiteral("cmdClose"), QRect(3900, 3720, 1095, 360), false);

    setQuery([&db](KeyedRecordSet& rs) { return StatisticsQueries(db).results(rs); });
}

void frmdaten::Command1_Click() {
    PrintAuswertung();
}

void frmdaten::PrintAuswertung() {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        MessageBox::show(QStringLiteral("Es ist kein Drucker eingerichtet. Bitte richten Sie "
                                        "zuerst einen Drucker ein."),
                         MessageBox::ProgramTitle, QMessageBox::Information, this);
        return;
    }
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer_.get(), this);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Every copy is composed as a page of its own; the printer must not repeat them.
    const int copies = printer_->copyCount();
    printer_->setCopyCount(1);
    printOn(*printer_, copies);
}

bool frmdaten::printOn(QPrinter& printer, int copies) {
    const KeyedRecordSet& rs = recordSet();
    if (rs.bof() || rs.eof())
        return false;
    Printer out(printer);
    if (!out.isActive())
        return false;
    const QString version =
        QStringLiteral("%1.%2").arg(QUENDAL_VERSION_MAJOR).arg(QUENDAL_VERSION_MINOR);
    QString user = qEnvironmentVariable("USERNAME");
    if (user.isEmpty())
        user = qEnvironmentVariable("USER");
    const QString hyphens(71, QLatin1Char('-'));
    auto line = [&out](const QString& text) {
        out.setCurrentX(1500);
        return out.print(text);
    };
    auto value = [&rs](const char* column) {
        return StatisticsText::number(rs.field(QLatin1String(column)));
    };
    for (int copy = 1; copy <= copies; ++copy) {
        out.setCurrentY(500);
        out.setFontBold(true);
        out.setFontSize(14);
        bool ok = line(QStringLiteral("QuenDal ") + version);
        out.setFontSize(12);
        ok = ok && line(QStringLiteral("AUSWERTUNG ") + StatisticsText::jetzt(now()));
        out.setFontBold(false);
        ok = ok && line(user + QStringLiteral(" auf ") + qEnvironmentVariable("USERDOMAIN"));
        ok = ok && line(QString());
        ok = ok && line(QStringLiteral("QuenDal-Benutzername: ") + settings_.Benutzer);
        ok = ok && line(hyphens);
        ok = ok && line(QStringLiteral("Lektion: ") + rs.text(QStringLiteral("Dateiname")));
        ok = ok && line(QStringLiteral("Anzahl der Zeichen: ") + value("Zeichenanzahl"));
        ok = ok && line(QStringLiteral("Übungsdauer: ") + rs.text(QStringLiteral("DauerM")));
        ok = ok && line(QStringLiteral("Fehler Gesamt: ") + value("Fehler"));
        ok = ok && line(QStringLiteral("Fehler in Prozent: ") + value("FehlerProz"));
        ok = ok && line(QStringLiteral("Anschläge pro Minute: ") + value("Ansch"));
        ok = ok && line(hyphens);
        ok = ok && line(QString());
        ok = ok && line(QStringLiteral("QuenDal ") + version +
                        QStringLiteral(" - das Schreibtraining für die deutsche Tastatur"));
        ok = ok && line(QStringLiteral("Entwickelt vom QuenDal-Team"));
        ok = ok && line(QStringLiteral("Programm, Lektionen und Hilfe: das QuenDal-Team"));
        ok = ok && line(QStringLiteral("Im Web: ") + Maker::homePage());
        ok = ok && line(QStringLiteral("Kontakt: ") + Maker::mailAddress());
        ok = ok && line(QStringLiteral("Viel Erfolg beim Training!"));
        if (!ok)
            return false; // the unfinished document is abandoned
        out.newPage();
    }
    return out.endDoc();
}
