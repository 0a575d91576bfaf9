#pragma once

#include "StatisticsWindow.h"

class BarChart;
class Database;

// "Grafische Auswertung: Fehler der einzelnen Finger": the errors of all results per finger,
// with each hand's total at its side of the chart.
class frmblockchart : public StatisticsWindow {
    Q_OBJECT
public:
    explicit frmblockchart(const Database& db, QWidget* parent = nullptr);

    void Form_Load() override;

    BarChart* MSChart1 = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    const Database& db_;
};
