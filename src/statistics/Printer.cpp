#include "Printer.h"

#include <QFontMetricsF>
#include <QPrinter>

Printer::Printer(QPrinter& printer) : printer_(printer) {
    painter_.begin(&printer_);
    font_ = painter_.font(); // the printer's default font throughout
}

Printer::~Printer() {
    // A document that was not ended is abandoned, not sent half made.
    if (painter_.isActive()) {
        printer_.abort();
        painter_.end();
    }
}

qreal Printer::toDevice(int twips) const {
    return twips * qreal(printer_.resolution()) / 1440.0;
}

void Printer::setCurrentX(int twips) {
    x_ = toDevice(twips);
}

void Printer::setCurrentY(int twips) {
    y_ = toDevice(twips);
}

void Printer::setFontSize(qreal points) {
    font_.setPointSizeF(points);
}

void Printer::setFontBold(bool bold) {
    font_.setBold(bold);
}

bool Printer::print(const QString& line) {
    if (!painter_.isActive())
        return false;
    if (pageBreakPending_) {
        if (!printer_.newPage())
            return false;
        pageBreakPending_ = false;
    }
    pageStarted_ = true;
    painter_.setFont(font_);
    const QFontMetricsF metrics(font_, painter_.device());
    painter_.drawText(QPointF(x_, y_ + metrics.ascent()), line);
    y_ += metrics.height();
    x_ = 0;
    return true;
}

void Printer::newPage() {
    if (pageStarted_) {
        pageBreakPending_ = true;
        pageStarted_ = false;
    }
    x_ = y_ = 0;
}

bool Printer::endDoc() {
    pageBreakPending_ = false;
    return painter_.isActive() && painter_.end();
}
