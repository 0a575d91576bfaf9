#include "chart.h"

#include "BarChart.h"
#include "StatisticsQueries.h"
#include "StatisticsText.h"
#include "components/DialogLook.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

chart::chart(const Database& db, QWidget* parent)
    : StatisticsWindow(QStringLiteral("chart"),
                       QStringLiteral("Auswertung  Anschläge/Min.   ( Durchschnittswerte )"), 9720,
                       4335, parent),
      db_(db) {
    MSChart1 = new BarChart(this);
    MSChart1->setObjectName(QStringLiteral("MSChart1"));
    MSChart1->setGeometry(Twips::rect(0, 0, 9675, 3855));
    MSChart1->setAxisTitles(QStringLiteral("Übungstag"), QStringLiteral("Anschläge/Minute"));

    Label1 = DialogLook::label(this, QStringLiteral("Label1"), QStringLiteral("Top 10 - 30"),
                               QRect(120, 3900, 1095, 285), Qt::AlignLeft | Qt::AlignVCenter);

    Slider1 = new QSlider(Qt::Horizontal, this);
    Slider1->setObjectName(QStringLiteral("Slider1"));
    Slider1->setRange(10, 30);
    Slider1->setValue(10);
    Slider1->setSingleStep(1);
    Slider1->setPageStep(5);
    Slider1->setTickPosition(QSlider::TicksBelow);
    Slider1->setTickInterval(10);
    // The style draws the tick marks at the bottom of the height it asks for; a style that asks
    // more than the design's height gets it, upwards, so that they stay inside the window.
    QRect slider = Twips::rect(1260, 3870, 6855, 420);
    slider.setTop(std::min(slider.top(), slider.bottom() - Slider1->sizeHint().height() + 1));
    slider.moveBottom(std::min(slider.bottom(), rect().bottom()));
    Slider1->setGeometry(slider);

    Command1 = closeButton(QStringLiteral("Command1"), QRect(8400, 3900, 1095, 360));
}

void chart::Form_Load() {
    query();
    // Connected after the first query: the slider's start value is not a change.
    connect(Slider1, &QSlider::valueChanged, this, &chart::Slider1_Change, Qt::UniqueConnection);
}

void chart::Form_Unload() {
    rsTempo.close();
}

void chart::Slider1_Change() {
    rsTempo.close();
    MSChart1->clearDataSource();
    query();
}

void chart::query() {
    if (!StatisticsQueries(db_).tempo(rsTempo, Slider1->value())) {
        showReadError(rsTempo.lastError());
        return;
    }
    rsTempo.moveFirst();
    MSChart1->setDataSource(rsTempo, &StatisticsText::kurzDatum);
}
