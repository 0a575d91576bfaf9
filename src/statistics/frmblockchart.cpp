#include "frmblockchart.h"

#include "BarChart.h"
#include "StatisticsQueries.h"
#include "components/DialogLook.h"
#include "platform/RecordSet.h"
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
    RecordSet source;
    if (!StatisticsQueries(db_).fingerSums(source)) {
        showReadError(source.lastError());
        return;
    }
    // The one row's twelve columns become twelve categories, named by the word after the
    // first "_" of each column's name.
    std::vector<std::pair<QString, QVariant>> rows;
    for (const QString& name : source.fieldNames()) {
        const QVariant v = source.field(name);
        rows.emplace_back(name.section(QLatin1Char('_'), 1, 1), v.isNull() ? QVariant(0) : v);
    }
    MSChart1->setRows(rows);
}
