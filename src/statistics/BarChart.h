#pragma once

#include <QChartView>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>
#include <vector>

class QBarCategoryAxis;
class QBarSet;
class QValueAxis;
class RecordSet;

// A bar chart bound to rows as a chart control binds to a record set: the first column gives
// one category per row, in row order, the second the value of the one series. Equal labels
// stay separate categories (the category axis would merge them), each showing its own label.
class BarChart : public QChartView {
    Q_OBJECT
public:
    explicit BarChart(QWidget* parent = nullptr);

    void setAxisTitles(const QString& categoryTitle, const QString& valueTitle);
    // Each row: label, value (NULL draws no bar).
    void setRows(const std::vector<std::pair<QString, QVariant>>& rows);
    // Binds the record set's first two columns; label turns the first column into text.
    void setDataSource(RecordSet& rs, QString (*label)(const QVariant&) = nullptr);
    void clearDataSource();

    // What the chart shows, category by category, as the user reads it.
    QStringList labels() const;
    std::vector<double> values() const;

    QBarCategoryAxis* categoryAxis() const { return categoryAxis_; }
    QValueAxis* valueAxis() const { return valueAxis_; }

    // The visible text of a category name.
    static QString shownLabel(const QString& category);

private:
    QBarSet* set_ = nullptr;
    QBarCategoryAxis* categoryAxis_ = nullptr;
    QValueAxis* valueAxis_ = nullptr;
};
