#include "frmblockchart.h"

#include "BarChart.h"
#include "StatisticsQueries.h"
#include "components/DialogLook.h"
#include "platform/Twips.h"

#include <QCategoryAxis>
#include <QPushButton>
#include <QValueAxis>

frmblockchart::frmblockchart(const Database& db, QWidget* parent)
    : StatisticsWindow(QStringLiteral("frmblockchart"),
                       QStringLiteral("Grafische Auswertung: Fehler der einzelnen Finger"), 11580,
                       6660, parent),
      db_(db) {
    MSChart1 = new BarChart(this);
    MSChart1->setObjectName(QStringLiteral("MSChart1"));
    MSChart1->setGeometry(Twips::rect(0, 0, 11475, 6615));
    // The blanks put the two words under the two halves of the chart.
    MSChart1->setAxisTitles(QStringLiteral("Linke Hand") + QString(42, QLatin1Char(' ')) +
                                QStringLiteral("Rechte Hand"),
                            QStringLiteral("Fehleranzahl"));
    const QFont titles = DialogLook::msSansSerif(8.25, true);
    MSChart1->categoryAxis()->setTitleFont(titles);
    MSChart1->valueAxis()->setTitleFont(titles);
    cmdClose = closeButton(QStringLiteral("cmdClose"), QRect(10380, 6180, 1080, 360));
}

void frmblockchart::Form_Load() {
    const StatisticsQueries queries(db_);
    const std::optional<StatisticsQueries::Totals> t = queries.totals(true);
    if (!t) {
        showReadError(queries.lastError());
        return;
    }
    // Each hand's total at its side, the fingers from the left little finger to the right one.
    std::vector<std::pair<QString, QVariant>> rows{{QStringLiteral("Summe"), t->left.toVariant()}};
    const char* const fingers[5] = {"Klein", "Ring", "Mittel", "Zeige", "Daumen"};
    for (int f = 0; f < 10; ++f)
        rows.emplace_back(QLatin1String(fingers[f < 5 ? f : 9 - f]),
                          t->fingers[std::size_t(f)].toVariant());
    rows.emplace_back(QStringLiteral("Summe"), t->right.toVariant());
    MSChart1->setRows(rows);
}
