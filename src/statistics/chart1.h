#pragma once

#include "StatisticsWindow.h"
#include "platform/RecordSet.h"

class BarChart;
class Database;

// "Auswertung Anzahl Trainingseinheiten": how many results are stored per lesson title.
class chart1 : public StatisticsWindow {
    Q_OBJECT
public:
    explicit chart1(const Database& db, QWidget* parent = nullptr);

    void Form_Load() override;

    BarChart* MSChart1 = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    void Form_Unload() override;
    const Database& db_;
    RecordSet rsLektion;
};
