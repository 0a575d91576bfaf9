#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QFont;
class QWidget;

// A tooltip window of one dialog: the dialog attaches tips to its controls and sets the tips'
// width, timing, colours, title with icon and font. The tip is a window of our own, painted as
// a balloon with a stem (or as a plain box) and owned by the dialog, so it goes with it.
// Settings made before Create have no effect, except the maximum width.
class clsToolTipDeluxe : public QObject {
    Q_OBJECT
public:
    clsToolTipDeluxe();
    ~clsToolTipDeluxe() override;

    void MaxWidth(qint32 lMaxWidth);       // pixels
    void VisibleTime(qint32 lTime);        // milliseconds the tip stays, 0 to 32767
    void DelayTime(qint32 lTime);          // milliseconds before it shows, 0 to 32767
    void ToolTipTextColor(quint32 lColor); // 0x00BBGGRR
    void ToolTipBackColor(quint32 lColor);
    void Font(const QFont* objFont); // nothing for nullptr

    void Create(QWidget* hWndParent, bool bAlwaysTip = false, bool bBalloonTip = false);
    void Destroy();
    void AddControl(QWidget* objControl, const QString& strCaption, bool bCenterToolTip = false);
    // iTitleIcon: 0 none, 1 information, 2 warning, 3 error.
    void SetToolTipTitle(const QString& strTitle, qint32 iTitleIcon);

    // The tip window; nullptr when there is none.
    QWidget* hTip() const;
    qint32 maxTipWidth() const { return MaxTipWidth; }
    int initialDelay() const { return delay_.interval(); }
    int autoPopTime() const { return visible_.interval(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void popUp();
    void hideTip();

    qint32 MaxTipWidth = 300;
    QPointer<QWidget> tip_;
    bool alwaysTip_ = false;
    QTimer delay_;
    QTimer visible_;
    QPointer<QWidget> hovered_;
};
