#pragma once

#include <QDialog>
#include <memory>

class Database;
class OnScreenKeyboard;
class QLabel;
class QPushButton;
class QSlider;
class QTabBar;
struct LessonHandOver;

// The lesson selection: one tab per exercise type, a slider for the lesson number, the
// lesson's comment, and its keys previewed on the main keyboard while the dialog is open.
class frmLek : public QDialog {
    Q_OBJECT
public:
    // anchor is the main window: the dialog is top-aligned with it and centred on its width.
    frmLek(const Database& db, LessonHandOver& handOver, OnScreenKeyboard& keyboard,
           QWidget* anchor);
    ~frmLek() override;

    // Loads the dialog afresh (tabs, lesson 1 of the first type, position) and runs it modally.
    int showModal();

    void gettabs();
    qint32 LekCount(const QString& art) const;

    // Controls, named as the dialog's design names them.
    QTabBar* TabStrip1 = nullptr;
    QSlider* SliderNr = nullptr;
    QPushButton* CommandOk = nullptr;
    QPushButton* CommandAbr = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* lblTextComment = nullptr;
    QLabel* lblTextNr = nullptr;

    qint32 LekTotal = 0;

public slots:
    void done(int result) override;

private:
    void Form_Load();
    void TabStrip1_Click();
    void SliderNr_Change();
    void CommandOk_Click();
    // Tells the user once per showing that the database could not be read (error: the
    // driver's description); the dialog stays open with what could be read.
    void readFailed(const QString& error);

    struct Private;
    std::unique_ptr<Private> d;
};
