#pragma once

#include "KeypadKeys.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

class Database;
class ExpectedCursor;
class KeypadKeyButton;
class QFrame;
class QKeyEvent;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class RichTextBox;
class Sounds;
struct Settings;

// "NumBlock-Trainer": the keypad lessons of the database in a list; a double-click starts one,
// and the typing box then takes only the key the lesson expects next, lighting the keys of the
// on-screen keypad as they are pressed. Until the first key or lesson the NumLock key blinks as
// a prompt to switch the keypad on. Nothing is counted or stored.
//
// Every showing loads the window afresh, so one instance may be shown again and again; the
// blink's phase carries over from one showing to the next.
class frmNumBlock : public QDialog {
    Q_OBJECT
public:
    frmNumBlock(const Database& db, const Settings& settings, Sounds& sounds,
                QWidget* parent = nullptr);
    ~frmNumBlock() override;

    // Loads the window and runs it modally.
    int showModal();
    // The set-up of every showing; showModal runs it first.
    void Form_Load();

    // Marks the first character of what rtb2 shows.
    void strt();
    // 1-based position of the expected character in rtb2; on a line break, its LF.
    qint32 NumPos() const;

    // Controls, named as the window's design names them.
    QLabel* Label2 = nullptr;
    QListWidget* List1 = nullptr;
    RichTextBox* rtb2 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QFrame* Frame1 = nullptr;
    std::array<KeypadKeyButton*, KeypadKeyCount> Command1{};
    QPushButton* Command2 = nullptr;
    // Its interval (1000 ms) may be shortened before the window is shown.
    QTimer* TimerNumBlock = nullptr;

    // The system beep at a line break and at the end of a lesson.
    std::function<void()> beep;

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildKeypad();
    void restoreDesign();

    void Command2_Click();
    void List1_DblClick();
    void LoadNumLessonList();
    void FillNumLessonList();
    void StartNumLesson();
    void EndNumLesson();
    void StartBlink();
    void StopBlink();
    void TimerNumBlock_Timer();

    void AdvanceNumCursor();
    void Text1_KeyPress(int& keyAscii);
    void Text1_KeyDown(int keyCode);
    void Text1_KeyUp(int keyCode);
    void ResetKeypadColors();
    void ColorKeypadKey(int keyCode, quint32 color);

    const Database& db_;
    const Settings& settings_;
    Sounds& sounds_;
    std::unique_ptr<ExpectedCursor> cursor_;
    bool BlinkState = false;
};
