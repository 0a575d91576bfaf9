#pragma once

#include "platform/AniCursor.h"

#include <QPointer>
#include <QWidget>

class AniPlayer;

// The progress bar of a lesson: a coloured track along which the walking figure from the
// program folder's "dino.ani", drawn by the bar itself, moves from Min to Max. The setters keep
// Min < Max and Min <= Value <= Max. Without a loadable figure file the bar shows only its
// colour.
class DinoBar : public QWidget {
    Q_OBJECT
public:
    explicit DinoBar(const QString& programFolder, QWidget* parent = nullptr);
    ~DinoBar() override;

    qint32 Min() const { return min_; }
    qint32 Max() const { return max_; }
    qint32 Value() const { return value_; }
    quint32 BackColor() const { return backColor_; }

    void setMin(qint32 newMin);
    void setMax(qint32 newMax);
    void setValue(qint32 newValue);
    void setBackColor(quint32 ole);

    // Where the figure stands; empty without a figure.
    QRect figureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The loaded figure, what plays it and where the bar draws it; empty when there is no
    // figure.
    struct AniStaticRecord {
        AniCursor hCursor;
        QPointer<AniPlayer> hWnd;
        QRect place;
    };

    static void CreateAniStatic(AniStaticRecord& record, const QString& file, QWidget* parent,
                                int x, int y);
    static void DestroyAniStatic(AniStaticRecord& record);
    void PlaceDino();

    qint32 min_ = 0;
    qint32 max_ = 100;
    qint32 value_ = 0;
    quint32 backColor_ = 0xC0E0FF; // the bar's own colour until the host sets one
    AniStaticRecord aniStatic_;
};
