#include "BarChart.h"

#include "platform/RecordSet.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QHash>
#include <QValueAxis>
#include <cmath>

namespace {

// Zero-width spaces make a repeated label a name of its own without changing what it shows.
const QChar Invisible(0x200B);

} // namespace

BarChart::BarChart(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    auto* c = new QChart;
    c->legend()->hide();
    auto* series = new QBarSeries;
    set_ = new QBarSet(QString());
    set_->setColor(QColor(0x40, 0x70, 0xC0));
    series->append(set_);
    c->addSeries(series);
    categoryAxis_ = new QBarCategoryAxis;
    valueAxis_ = new QValueAxis;
    valueAxis_->setLabelFormat(QStringLiteral("%d"));
    QFont labels = categoryAxis_->labelsFont();
    labels.setPointSizeF(7);
    categoryAxis_->setLabelsFont(labels);
    valueAxis_->setLabelsFont(labels);
    c->addAxis(categoryAxis_, Qt::AlignBottom);
    c->addAxis(valueAxis_, Qt::AlignLeft);
    series->attachAxis(categoryAxis_);
    series->attachAxis(valueAxis_);
    setChart(c);
}

void BarChart::setAxisTitles(const QString& categoryTitle, const QString& valueTitle) {
    categoryAxis_->setTitleText(categoryTitle);
    valueAxis_->setTitleText(valueTitle);
}

void BarChart::setRows(const std::vector<std::pair<QString, QVariant>>& rows) {
    clearDataSource();
    QStringList categories;
    QHash<QString, int> seen;
    double top = 0;
    for (const auto& [label, value] : rows) {
        const int repeat = seen[label]++;
        categories << label + QString(repeat, Invisible);
        const double v = value.isNull() ? 0.0 : value.toDouble();
        set_->append(v);
        top = std::max(top, v);
    }
    categoryAxis_->append(categories);
    // Many bars leave too little room for a label under each: turn them upright.
    categoryAxis_->setLabelsAngle(categories.size() > 12 ? -90 : 0);
    // Whole-number steps with head room above the highest bar.
    const int step = top <= 10 ? 1 : int(std::pow(10.0, std::floor(std::log10(top / 2))));
    const double max = std::max(1.0, std::ceil(top * 1.1 / step) * step);
    valueAxis_->setRange(0, max);
    valueAxis_->setTickType(QValueAxis::TicksDynamic);
    valueAxis_->setTickAnchor(0);
    valueAxis_->setTickInterval(std::max(1.0, std::ceil(max / 10 / step) * step));
}

void BarChart::setDataSource(RecordSet& rs, QString (*label)(const QVariant&)) {
    std::vector<std::pair<QString, QVariant>> rows;
    const QStringList names = rs.fieldNames();
    if (names.size() >= 2) {
        rows.reserve(std::size_t(rs.recordCount()));
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            const QVariant first = rs.field(names.at(0));
            rows.emplace_back(label ? label(first) : first.toString(), rs.field(names.at(1)));
        }
        rs.moveFirst();
    }
    setRows(rows);
}

void BarChart::clearDataSource() {
    if (set_->count() > 0)
        set_->remove(0, set_->count());
    categoryAxis_->clear();
}

QStringList BarChart::labels() const {
    QStringList result;
    for (const QString& category : categoryAxis_->categories())
        result << shownLabel(category);
    return result;
}

std::vector<double> BarChart::values() const {
    std::vector<double> result;
    for (int i = 0; i < set_->count(); ++i)
        result.push_back(set_->at(i));
    return result;
}

QString BarChart::shownLabel(const QString& category) {
    QString shown = category;
    return shown.remove(Invisible);
}
