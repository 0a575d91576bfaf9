#pragma once

#include "RecordBrowser.h"

#include <array>

class Database;
class QLabel;
class QLineEdit;

// "Auswertung Fehler der Finger": the errors of one stored result per finger and per hand,
// the boxes of each hand drawn as its outline.
class frmblockdat : public RecordBrowser {
    Q_OBJECT
public:
    explicit frmblockdat(const Database& db, QWidget* parent = nullptr);

    std::array<QLabel*, 12> lblLabels{};
    std::array<QLineEdit*, 12> txtFields{};
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
};
