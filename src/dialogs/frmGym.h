#pragma once

#include "platform/RecordSet.h"

#include <QDialog>

class Database;
class QLabel;
class QPushButton;
class QSlider;

// "Gymnastik-Tips": the finger exercises of the lesson database, one at a time, chosen by
// number with a slider. Every opening starts at exercise 1. Esc does not close it.
class frmGym : public QDialog {
    Q_OBJECT
public:
    explicit frmGym(const Database& db, QWidget* parent = nullptr);

    // Loads the exercises and runs the window modally.
    int showModal();

    // Controls, named as the window's design names them.
    QLabel* Label1 = nullptr;
    QLabel* lblValue = nullptr;
    QSlider* Slider1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command1 = nullptr;

public slots:
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void Slider1_Change();

    const Database& db_;
    RecordSet rsGym;
};
