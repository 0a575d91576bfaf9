#pragma once

#include <QLabel>

// A label that acts as a link: bold underlined Tahoma in dark blue with the hand pointer; a
// left click (press and release on it) reports clicked().
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
    bool handSet_ = false;
};
