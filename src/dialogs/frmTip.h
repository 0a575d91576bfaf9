#pragma once

#include <QDialog>
#include <QStringList>

class Database;
class QCheckBox;
class QLabel;
class QPushButton;
struct Settings;

// "Tips und Tricks": one tip at a time from the lesson database, in table order and round
// again. The main window keeps the one instance, so the tip reached carries over to the next
// opening within a run.
class frmTip : public QDialog {
    Q_OBJECT
public:
    // owner is the main window: the tips stay in front of it and go with it.
    frmTip(const Database& db, Settings& settings, QWidget* owner);

    // Opens the window modelessly (loading it afresh), or only brings it to the front when it
    // is open already.
    void showModeless();

    void loadtips();
    void DisplayCurrentTip();

    // The tips of the table and the position (from 1) of the one shown; 0 before the first.
    QStringList Tips;
    qint32 CurrentTip = 0;

    // Controls, named as the window's design names them.
    QLabel* Picture1 = nullptr;
    QLabel* lblTipText = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* cmdNextTip = nullptr;
    QPushButton* cmdOK = nullptr;

private:
    void Form_Load();
    void ShowNextTip();
    void Check1_Click();

    const Database& db_;
    Settings& settings_;
};
