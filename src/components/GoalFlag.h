#pragma once

#include <QWidget>

// The goal mark at the right end of the progress track: a chequered flag on the key colour.
class GoalFlag : public QWidget {
    Q_OBJECT
public:
    explicit GoalFlag(QWidget* parent = nullptr);
    void setBackColor(quint32 ole);
    quint32 backColor() const { return backColor_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    quint32 backColor_ = 0xFFC0C0;
};
