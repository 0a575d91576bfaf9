#pragma once

#include "StatisticsWindow.h"
#include "platform/RecordSet.h"

class BarChart;
class Database;
class QLabel;
class QSlider;

// "Auswertung  Anschläge/Min.   ( Durchschnittswerte )": strokes per minute of the latest
// 10 to 30 results, oldest first; the slider chooses how many.
class chart : public StatisticsWindow {
    Q_OBJECT
public:
    explicit chart(const Database& db, QWidget* parent = nullptr);

    void Form_Load() override;

    BarChart* MSChart1 = nullptr;
    QLabel* Label1 = nullptr;
    QSlider* Slider1 = nullptr;
    QPushButton* Command1 = nullptr;

private:
    void Form_Unload() override;
    void Slider1_Change();
    void query();

    const Database& db_;
    RecordSet rsTempo;
};
