#include "chart1.h"

#include "BarChart.h"
#include "StatisticsQueries.h"
#include "platform/Twips.h"

#include <QPushButton>

chart1::chart1(const Database& db, QWidget* parent)
    : StatisticsWindow(QStringLiteral("chart1"),
                       QStringLiteral("Auswertung Anzahl Trainingseinheiten"), 11115, 4530, parent),
      db_(db) {
    MSChart1 = new BarChart(this);
    MSChart1->setObjectName(QStringLiteral("MSChart1"));
    MSChart1->setGeometry(Twips::rect(0, 0, 11115, 4530));
    MSChart1->setAxisTitles(QStringLiteral("Lektion"), QStringLiteral("Anzahl"));
    cmdClose = closeButton(QStringLiteral("cmdClose"), QRect(9900, 4080, 1095, 360));
}

void chart1::Form_Load() {
    if (!StatisticsQueries(db_).lessonCounts(rsLektion)) {
        showReadError(rsLektion.lastError());
        return;
    }
    rsLektion.moveFirst();
    MSChart1->setDataSource(rsLektion);
}

void chart1::Form_Unload() {
    rsLektion.close();
}
