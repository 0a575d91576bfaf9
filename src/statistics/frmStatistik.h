#pragma once

#include "StatisticsWindow.h"

class Database;
class QFrame;
class QGroupBox;
class QLabel;
struct Settings;

// "Statistik": the summary of all stored results in sentences, and the buttons that open the
// charts and the record browsers. Every opening reads everything afresh.
class frmStatistik : public StatisticsWindow {
    Q_OBJECT
public:
    frmStatistik(const Database& db, const Settings& settings, QWidget* parent = nullptr);

    void Form_Load() override;

    QFrame* Frame3 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label13 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command1 = nullptr;

private:
    QPushButton* viewButton(QWidget* parent, const QString& name, const QString& caption,
                            bool chart, int top);

    const Database& db_;
    const Settings& settings_;
};
