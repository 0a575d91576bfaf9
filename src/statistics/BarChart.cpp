#include "BarChart.h"

#include "platform/RecordSet.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QFontMetricsF>
#include <QHash>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// Zero-width spaces make a repeated label a name of its own without changing what it shows.
const QChar Invisible(0x200B);
// Longer texts are cut: the chart's own fitting of a label costs the square of its length.
constexpr int MaxLabel = 50;
// What the chart adds around a label (padding on both sides, the text's margins), generously.
constexpr qreal LabelRoom = 16;

QString bounded(const QString& text) {
    if (text.size() <= MaxLabel)
        return text;
    int cut = MaxLabel - 1;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}

// Text for a chart element that draws rich text: markup escaped, every blank kept.
QString richText(const QString& plain) {
    QString html = plain.toHtmlEscaped();
    for (QChar& c : html) {
        if (c.isSpace() || c.category() == QChar::Other_Control)
            c = QChar::Nbsp;
    }
    return html;
}

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
    categoryAxis_ = new QCategoryAxis;
    categoryAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    categoryAxis_->setGridLineVisible(false);
    valueAxis_ = new QValueAxis;
    // Whole numbers as they are up to 15 digits; beyond, where a tick is no exact number any
    // more, with an exponent. An integer format would make the chart convert the tick to a
    // 64-bit integer, which huge values overflow.
    valueAxis_->setLabelFormat(QStringLiteral("%.15g"));
    QFont labels = categoryAxis_->labelsFont();
    labels.setPointSizeF(7);
    categoryAxis_->setLabelsFont(labels);
    valueAxis_->setLabelsFont(labels);
    c->addAxis(categoryAxis_, Qt::AlignBottom);
    c->addAxis(valueAxis_, Qt::AlignLeft);
    series->attachAxis(categoryAxis_);
    series->attachAxis(valueAxis_);
    setChart(c);
    connect(c, &QChart::plotAreaChanged, this, &BarChart::placeLabels);
}

void BarChart::setAxisTitles(const QString& categoryTitle, const QString& valueTitle) {
    categoryAxis_->setTitleText(richText(categoryTitle));
    valueAxis_->setTitleText(richText(valueTitle));
}

void BarChart::setRows(const std::vector<std::pair<QString, QVariant>>& rows) {
    clearDataSource();
    QList<qreal> values;
    values.reserve(qsizetype(rows.size()));
    double top = 0;
    for (const auto& [label, value] : rows) {
        labels_ << bounded(label);
        bool ok = false;
        const double v = value.isNull() ? 0.0 : value.toDouble(&ok);
        values << (ok && std::isfinite(v) ? v : 0.0);
        top = std::max(top, values.back());
    }
    // At once: the series hears of one change, not of one per bar.
    set_->append(values);
    every_ = 0;
    placeLabels();
    // Whole-number steps with head room above the highest bar, reckoned in floating point so
    // that no value is too large for it.
    const double step = top <= 10 ? 1 : std::pow(10.0, std::floor(std::log10(top / 2)));
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
    labels_.clear();
    every_ = 0;
    placeLabels();
}

std::vector<double> BarChart::values() const {
    std::vector<double> result;
    for (int i = 0; i < set_->count(); ++i)
        result.push_back(set_->at(i));
    return result;
}

void BarChart::placeLabels() {
    const int n = int(labels_.size());
    const QFontMetricsF metrics(categoryAxis_->labelsFont());
    qreal widest = 0;
    for (const QString& label : labels_)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    // Before the chart is shown, its plot area is not laid out yet.
    const qreal plot = isVisible() ? chart()->plotArea().width() : width() * 0.85;
    // Level if every label fits beside the next; otherwise upright, and if upright labels do
    // not fit either, every second, third, ... bar gets one.
    int every = 1;
    int angle = 0;
    if (n > 0 && widest + LabelRoom > plot / (n + 1)) {
        angle = -90;
        while (every < n && metrics.height() + LabelRoom > plot / ((n + every - 1) / every + 1))
            ++every;
    }
    if (every == every_ && angle == angle_)
        return;
    every_ = every;
    angle_ = angle;
    for (const QString& label : categoryAxis_->categoriesLabels())
        categoryAxis_->remove(label);
    categoryAxis_->setStartValue(-0.5);
    QHash<QString, int> seen;
    for (int i = 0; i < n; i += every) {
        const QString html = richText(labels_.at(i));
        categoryAxis_->append(html + QString(seen[html]++, Invisible), i);
    }
    categoryAxis_->setRange(-0.5, std::max(n, 1) - 0.5);
    categoryAxis_->setLabelsAngle(angle);
}
