#pragma once

#include <QWidget>

// The progress bar of a lesson: a coloured track along which the progress figure walks from
// Min to Max. The setters keep Min < Max and Min <= Value <= Max.
class DinoBar : public QWidget {
    Q_OBJECT
public:
    explicit DinoBar(QWidget* parent = nullptr);

    qint32 Min() const { return min_; }
    qint32 Max() const { return max_; }
    qint32 Value() const { return value_; }
    quint32 BackColor() const { return backColor_; }

    void setMin(qint32 newMin);
    void setMax(qint32 newMax);
    void setValue(qint32 newValue);
    void setBackColor(quint32 ole);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qint32 min_ = 0;
    qint32 max_ = 100;
    qint32 value_ = 0;
    quint32 backColor_ = 0xFFC0C0;
};
