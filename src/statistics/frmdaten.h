#pragma once

#include "RecordBrowser.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QPrinter>
#include <array>
#include <memory>

class Database;
class QLabel;
class QLineEdit;
struct Settings;

// "Auswertung der einzelnen Übungen": the stored results one at a time, newest first shown,
// with a print-out of the shown result.
class frmdaten : public RecordBrowser {
    Q_OBJECT
public:
    frmdaten(const Database& db, const Settings& settings, QWidget* parent = nullptr);

    void Command1_Click();
    // Composes the print-out of the current result, one page per copy, on printer.
    bool printOn(QPrinter& printer, int copies);

    std::array<QLabel*, 9> lblLabels{};
    std::array<QLineEdit*, 9> txtFields{};
    QAbstractButton* Command1 = nullptr;

    // The moment printed on each page; replaceable so that a test can fix it.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

private:
    void PrintAuswertung();

    const Settings& settings_;
    // Lives as long as the window, so the choices of one print are offered at the next.
    std::unique_ptr<QPrinter> printer_;
};
