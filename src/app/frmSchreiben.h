#pragma once

#include "lessons/LessonHandOver.h"
#include "typing/ExpectedCursor.h"
#include "typing/Scoring.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

class DinoBar;
class GoalFlag;
class InputBoxFilter;
class OnScreenKeyboard;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class RichTextBox;
class frmLek;
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
    QMenu* mLek = nullptr;
    std::array<QAction*, 6> menulek{};

    // The system beep; replaceable so that a beep can be observed.
    std::function<void()> beep;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void buildKeyboard();
    void buildMenus();
    bool InitDatabase();
    void LoadSettings();
    void StartLesson();
    void CountChars();
    void Text1_KeyDown(int& keyCode);
    void Text1_KeyPress(int& charCode);
    void Text1_KeyUp(int keyCode);
    void Timer3_Timer();
    frmLek& lessonDialog();

    Program& program_;
    Scoring scoring_;
    std::unique_ptr<ExpectedCursor> cursor_;
    InputBoxFilter* inputFilter_ = nullptr;
    std::unique_ptr<frmLek> lek_;
};
