#pragma once

#include "KeyedRecordSet.h"
#include "StatisticsWindow.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

class Database;
class PictureButton;
class QFrame;

// What the two record browsers share: one snapshot of result rows, controls bound to its
// columns by name, opening on the newest row, the four navigation buttons with their beeps,
// and the keys the window sees before its controls.
class RecordBrowser : public StatisticsWindow {
    Q_OBJECT
public:
    using Query = std::function<bool(KeyedRecordSet&)>;
    using Format = std::function<QString(const QVariant&)>;
    // The text of a control shown from several columns of the current row.
    using RowFormat = std::function<QString(const KeyedRecordSet&)>;

    RecordBrowser(const QString& name, const QString& caption, int widthTwips, int heightTwips,
                  QWidget* parent = nullptr);

    // Opens the record set, shows its rows in the bound controls and goes to the newest row.
    void Form_Load() override;

    void cmdFirst_Click();
    void cmdPrevious_Click();
    void cmdNext_Click();
    void cmdLast_Click();
    void cmdClose_Click();

    // The system beep; replaceable so that a beep can be observed.
    std::function<void()> beep;

    QFrame* picStatBox = nullptr;
    PictureButton* cmdFirst = nullptr;
    PictureButton* cmdPrevious = nullptr;
    PictureButton* cmdNext = nullptr;
    PictureButton* cmdLast = nullptr;
    QPushButton* cmdClose = nullptr;

    const KeyedRecordSet& recordSet() const { return rs_; }

protected:
    void Form_Unload() override;
    // The query of the window; set by the window before it loads.
    void setQuery(Query query) { query_ = std::move(query); }
    // Shows column (found without regard to case) in a text box or label through format.
    void bind(QWidget* control, const QString& column, Format format);
    // Shows what format makes of the current row.
    void bind(QWidget* control, RowFormat format);
    // The navigation box at the twips rectangle, with the buttons' left edges inside it.
    void buildNavigation(const QRect& box, const int (&buttonLefts)[4]);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding {
        QWidget* control;
        RowFormat format;
    };
    void Form_KeyDown(int keyCode, int shift);
    void refresh();
    // Runs one navigation step; a failing record-set call is reported by its description.
    void navigate(const std::function<void()>& step);
    void watchKeys(QObject* object);

    Query query_;
    KeyedRecordSet rs_;
    std::vector<Binding> bindings_;
    const QEvent* lastPress_ = nullptr;
    QPointer<QWidget> lastReceiver_;
};
