#pragma once

#include <QFont>
#include <QPainter>
#include <QString>

class QPrinter;

// A printer driven line by line: positions in twips from the top left corner of the
// printable area, the font's size and weight, one line at a time, page breaks and the end of
// the document. A new page begins only when something is printed on it.
class Printer {
public:
    explicit Printer(QPrinter& printer);
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    bool isActive() const { return painter_.isActive(); }

    void setCurrentX(int twips);
    void setCurrentY(int twips);
    void setFontSize(qreal points);
    void setFontBold(bool bold);
    // The line at the current position; then the start of the next line.
    bool print(const QString& line);
    void newPage();
    bool endDoc();

private:
    qreal toDevice(int twips) const;

    QPrinter& printer_;
    QPainter painter_;
    QFont font_;
    qreal x_ = 0, y_ = 0; // device units
    bool pageStarted_ = false;
    bool pageBreakPending_ = false;
};
