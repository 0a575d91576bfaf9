#include "frmStatistik.h"

#include "StatisticsQueries.h"
#include "StatisticsText.h"
#include "chart.h"
#include "chart1.h"
#include "components/DialogLook.h"
#include "components/GraphicalButton.h"
#include "frmblockchart.h"
#include "frmblockdat.h"
#include "frmdaten.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

QGroupBox* group(QWidget* parent, const QString& name, const QRect& twips) {
    auto* box = new QGroupBox(parent);
    box->setObjectName(name);
    box->setGeometry(Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
    return box;
}

void separator(QWidget* parent, int top) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(Twips::rect(120, top, 7575, 30));
}

QLabel* text(QWidget* parent, const QString& caption, int left, int top, int width) {
    return DialogLook::label(parent, QString(), caption, QRect(left, top, width, 285),
                             Qt::AlignLeft | Qt::AlignVCenter);
}

QLabel* figure(QWidget* parent, const QString& name, int left, int top, int width,
               Qt::Alignment horizontal) {
    QLabel* l = DialogLook::label(parent, name, QString(), QRect(left, top, width, 285),
                                  horizontal | Qt::AlignVCenter);
    l->setFont(DialogLook::msSansSerif(8.25, true));
    return l;
}

} // namespace

frmStatistik::frmStatistik(const Database& db, const Settings& settings, QWidget* parent)
    : StatisticsWindow(QStringLiteral("frmStatistik"), QStringLiteral("Statistik"), 8295, 6675,
                       parent),
      db_(db), settings_(settings) {
    Frame3 = new QFrame(this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Frame3->setFrameShape(QFrame::Box);
    Frame3->setFrameShadow(QFrame::Sunken);
    Frame3->setGeometry(Twips::rect(120, 60, 8055, 5940));

    Frame2 = group(Frame3, QStringLiteral("Frame2"), QRect(120, 60, 7815, 1560));
    text(Frame2, QStringLiteral("Insgesamt wurde"), 240, 360, 1695);
    Label12 = figure(Frame2, QStringLiteral("Label12"), 1980, 360, 1095, Qt::AlignHCenter);
    text(Frame2, QStringLiteral("mal geübt."), 3120, 360, 1455);
    Command4 = viewButton(Frame2, QStringLiteral("Command4"), QStringLiteral("Chart 1"), true, 300);
    separator(Frame2, 840);
    text(Frame2, QStringLiteral("Im Durchschnitt haben Sie mit"), 240, 1080, 2415);
    Label14 = figure(Frame2, QStringLiteral("Label14"), 2700, 1080, 975, Qt::AlignHCenter);
    text(Frame2, QStringLiteral("Anschlägen/Min. geschrieben."), 3720, 1080, 2415);
    Command2 =
        viewButton(Frame2, QStringLiteral("Command2"), QStringLiteral("Chart 2"), true, 1020);

    Frame5 = group(Frame3, QStringLiteral("Frame5"), QRect(120, 1680, 7815, 780));
    text(Frame5, QStringLiteral("Die Übungen im Einzelnen und Druckausgabe"), 240, 300, 4815);
    Command5 =
        viewButton(Frame5, QStringLiteral("Command5"), QStringLiteral("Liste 1"), false, 240);

    Frame1 = group(Frame3, QStringLiteral("Frame1"), QRect(120, 2520, 7815, 3300));
    text(Frame1, QStringLiteral("Bisher waren"), 240, 300, 1095);
    Label15 = figure(Frame1, QStringLiteral("Label15"), 1380, 300, 1215, Qt::AlignHCenter);
    text(Frame1, QStringLiteral("Zeichen zu tippen."), 2640, 300, 2055);
    separator(Frame1, 720);
    QLabel* errors = text(Frame1, QStringLiteral("Fehler"), 240, 900, 855);
    errors->setFont(DialogLook::msSansSerif(8.25, true));
    text(Frame1, QStringLiteral("Linke Hand:"), 1380, 900, 1215);
    Label4 = figure(Frame1, QStringLiteral("Label4"), 2640, 900, 1095, Qt::AlignLeft);
    text(Frame1, QStringLiteral("Rechte  Hand:"), 1380, 1200, 1215);
    Label6 = figure(Frame1, QStringLiteral("Label6"), 2640, 1200, 1095, Qt::AlignLeft);
    text(Frame1, QStringLiteral("Summe:"), 1380, 1500, 1215);
    Label13 = figure(Frame1, QStringLiteral("Label13"), 2640, 1500, 1095, Qt::AlignLeft);
    separator(Frame1, 1920);
    text(Frame1, QStringLiteral("Finger-Fehler-Auswertung Gesamt"), 240, 2160, 4815);
    Command7 =
        viewButton(Frame1, QStringLiteral("Command7"), QStringLiteral("Chart 3"), true, 2100);
    text(Frame1, QStringLiteral("Finger-Fehler-Auswertung pro Übung"), 240, 2700, 4815);
    Command6 =
        viewButton(Frame1, QStringLiteral("Command6"), QStringLiteral("Liste 2"), false, 2640);

    Command1 = closeButton(QStringLiteral("Command1"), QRect(6840, 6150, 1335, 420));
    Command1->setToolTip(QStringLiteral("Zurück in den Schreibmodus"));

    connect(Command4, &QPushButton::clicked, this, [this] { chart1(db_).showModal(); });
    connect(Command2, &QPushButton::clicked, this, [this] { chart(db_).showModal(); });
    connect(Command5, &QPushButton::clicked, this,
            [this] { frmdaten(db_, settings_).showModal(); });
    connect(Command6, &QPushButton::clicked, this, [this] { frmblockdat(db_).showModal(); });
    connect(Command7, &QPushButton::clicked, this, [this] { frmblockchart(db_).showModal(); });
}

QPushButton* frmStatistik::viewButton(QWidget* parent, const QString& name, const QString& caption,
                                      bool isChart, int top) {
    auto* button = new GraphicalButton(caption, isChart ? 0xC0FFFF : 0xFFC0C0, parent);
    button->setObjectName(name);
    button->setGeometry(Twips::rect(6120, top, 1455, 420));
    button->setToolTip(isChart ? QStringLiteral("Grafik") : QStringLiteral("Liste"));
    return button;
}

void frmStatistik::Form_Load() {
    const StatisticsQueries queries(db_);
    const qint64 n = queries.LogCount();
    if (n == 0) {
        MessageBox::show(QStringLiteral("Es sind leider noch keine Daten abrufbar"),
                         QStringLiteral("Statistik"), QMessageBox::Warning);
        Frame3->setEnabled(false);
        return;
    }
    const auto s = n < 0 ? std::nullopt : queries.summary();
    if (!s) {
        showReadError(queries.lastError());
        Frame3->setEnabled(false);
        return;
    }
    Label12->setText(QString::number(s->anz));
    Label14->setText(StatisticsText::average(s->mittel));
    Label15->setText(s->totals.zeichen.text());
    Label4->setText(s->totals.left.text());
    Label6->setText(s->totals.right.text());
    ExactSum both = s->totals.left;
    both.add(s->totals.right);
    Label13->setText(both.text());
}
