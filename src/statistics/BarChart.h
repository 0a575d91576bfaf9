#pragma once

#include <QChartView>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>
#include <vector>

class QBarSet;
class QCategoryAxis;
class QValueAxis;
class RecordSet;

// A bar chart bound to rows as a chart control binds to a record set: the first column gives
// one bar per row, in row order, labelled with it, the second the bar's value. Labels and
// titles are shown as plain text; a long label is cut with "…". Labels that do not fit side by
// side are turned upright, and where even that leaves too little room only every second
// (third, ...) bar is labelled.
class BarChart : public QChartView {
    Q_OBJECT
public:
    explicit BarChart(QWidget* parent = nullptr);

    void setAxisTitles(const QString& categoryTitle, const QString& valueTitle);
    // Each row: label, value (NULL, or a value that is not a finite number, draws no bar).
    void setRows(const std::vector<std::pair<QString, QVariant>>& rows);
    // Binds the record set's first two columns; label turns the first column into text.
    void setDataSource(RecordSet& rs, QString (*label)(const QVariant&) = nullptr);
    void clearDataSource();

    // The label of each bar, as the user reads it.
    QStringList labels() const { return labels_; }
    std::vector<double> values() const;

    QCategoryAxis* categoryAxis() const { return categoryAxis_; }
    QValueAxis* valueAxis() const { return valueAxis_; }

private:
    // Places the labels for the current width; does nothing when nothing would change.
    void placeLabels();

    QBarSet* set_ = nullptr;
    QCategoryAxis* categoryAxis_ = nullptr;
    QValueAxis* valueAxis_ = nullptr;
    QStringList labels_;
    int every_ = 0; // every how many bars a label stands; 0 until placed for the current rows
    int angle_ = 0;
};
