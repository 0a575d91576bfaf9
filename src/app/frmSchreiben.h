#pragma once

#include "lessons/LessonHandOver.h"
#include "settings/SettingsIO.h"
#include "typing/ExpectedCursor.h"
#include "typing/Scoring.h"
#include "typing/TrainingReminder.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

class DinoBar;
class GoalFlag;
class OnScreenKeyboard;
class PictureButton;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class RichTextBox;
class frmLek;
class frmTip;
class frmNumBlock;
struct Program;

// The typing window: start-up and shutdown, the lesson run control, the expected-character
// cursor with the keystroke evaluation, the on-screen keyboard and the lesson end.
class frmSchreiben : public QMainWindow {
    Q_OBJECT
public:
    explicit frmSchreiben(Program& program, QWidget* parent = nullptr);
    ~frmSchreiben() override;

    // The start-up sequence. False when the program has to end (the reason has been shown).
    bool Form_Load();
    // The shutdown: settings written, input box released. Runs once, when the window closes.
    void Form_Unload();

    // The lesson handed over by the selection dialog.
    LessonHandOver handOver;

    // Run control: 0 "Auswahl", 1 "Start", 2 "Pause", 3 "Weiter", 4 "Stop", 5 end of lesson.
    void menulek_Click(int index);
    void cmdRun_Click(int index);
    void ClearAll();

    void farbesetzen();
    void highlite(const QString& hlstr);
    void lowlite();

    void CountGood();
    void CountBad();
    void ShowFehlerProz();
    void Handpruef(const QString& key);

    // Menus and tool bar.
    void menuDatei_Click(int index);
    void menuGym_Click(int index);
    void menuEinstellungen_Click(int index);
    void menuModule_Click(int index);
    void menuAuswertung_Click(int index);
    void menuUeber_Click(int index);
    void menuHilfe_Click(int index);
    void menWichtig_Click();
    void ToolButton_Click(int index);

    // The training reminder, started by tool bar button 2.
    TrainingReminder reminder;

    void LektionEnde();
    void SaveLog();
    QString ffstr() const;

    Scoring& scoring() { return scoring_; }

    // Controls, named as the window's design names them.
    QFrame* Frame4 = nullptr;
    QFrame* Frame3 = nullptr;
    RichTextBox* rtb1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblMaxZeichen = nullptr;
    QLabel* lblTrefferAnz = nullptr;
    QLabel* lblFehlerAnz = nullptr;
    QLabel* lblFehlerProz = nullptr;
    QLabel* lblZeitInSec = nullptr;
    QLabel* lblAnschPerMin = nullptr;
    std::array<QPushButton*, 2> cmdRun{};
    OnScreenKeyboard* Frame1 = nullptr;
    DinoBar* DinoControl1 = nullptr;
    GoalFlag* picZIEL = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer1 = nullptr;
    QMenu* mDatei = nullptr;
    QMenu* mLek = nullptr;
    QMenu* mGym = nullptr;
    QMenu* mEinstellungen = nullptr;
    QMenu* mModule = nullptr;
    QMenu* mAuswertung = nullptr;
    QMenu* mUeber = nullptr;
    QMenu* mHilfe = nullptr;
    std::array<QAction*, 1> menuDatei{};
    std::array<QAction*, 6> menulek{};
    std::array<QAction*, 1> menuGym{};
    std::array<QAction*, 4> menuEinstellungen{};
    std::array<QAction*, 1> menuModule{};
    std::array<QAction*, 1> menuAuswertung{};
    std::array<QAction*, 3> menuUeber{};
    std::array<QAction*, 2> menuHilfe{};
    QAction* menWichtig = nullptr;
    // Tool bar buttons 0 to 4 and 6; there is no button 5.
    std::array<PictureButton*, 7> ToolButton{};

    // The system beep; replaceable so that a beep can be observed.
    std::function<void()> beep;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void buildKeyboard();
    bool InitDatabase();
    // Stores the results kept in the pending file and those held; shows what the user must know.
    void storeKeptResults();
    void LoadSettings();
    void SaveSettings();
    void placeWindow(WindowPosition stored);
    void reminderStart(int index);
    void Timer1_Timer();
    void helpKey();
    void StartLesson();
    void CountChars();
    void Text1_KeyDown(int& keyCode);
    void Text1_KeyPress(int& charCode);
    void Text1_KeyUp(int keyCode);
    void Timer3_Timer();
    frmLek& lessonDialog();
    frmTip& tipsWindow();
    void showTips();

    Program& program_;
    Scoring scoring_;
    std::unique_ptr<ExpectedCursor> cursor_;
    std::unique_ptr<frmLek> lek_;
    std::unique_ptr<frmNumBlock> numBlock_; // one instance; every showing loads it afresh
    frmTip* tip_ = nullptr;       // owned by this window: it stays in front and closes with it
    bool settingsLoaded_ = false; // only what was read at start-up is ever written back
    WindowPosition storedPosition_; // read with the settings, applied once the start screen closes
    bool unloaded_ = false;
};
