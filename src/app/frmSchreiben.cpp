#include "frmSchreiben.h"

#include "CommandBarBuilder.h"
#include "Program.h"
#include "ProgramIcon.h"
#include "components/DialogLook.h"
#include "components/DinoBar.h"
#include "components/GoalFlag.h"
#include "components/Maker.h"
#include "components/PictureButton.h"
#include "data/DataLocation.h"
#include "data/DatabaseSetup.h"
#include "data/LogIndex.h"
#include "data/ResultLog.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmGym.h"
#include "dialogs/frmTip.h"
#include "dialogs/frmarc.h"
#include "keyboard/InputBoxFilter.h"
#include "keyboard/OnScreenKeyboard.h"
#include "keypad/frmNumBlock.h"
#include "lessons/frmLek.h"
#include "platform/Beep.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/OleColor.h"
#include "platform/ProgramModule.h"
#include "platform/RichTextBox.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/Twips.h"
#include "platform/WindowFrame.h"
#include "settings/SettingsIO.h"
#include "settings/WindowPlacement.h"
#include "statistics/StatisticsModule.h"
#include "typing/LessonClock.h"
#include "typing/RunButtons.h"
#include "typing/TypingTexts.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>

namespace {

const QString ProgramCaption = QStringLiteral("Quendal 1.1");
const QString LineBreakName = QStringLiteral("RETURN");

QFont lessonFont(bool bold = true) {
    return DialogLook::courierNew(18, bold);
}

void setColors(QWidget* widget, quint32 background, quint32 text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, OleColor::toQColor(background));
    palette.setColor(QPalette::Base, OleColor::toQColor(background));
    palette.setColor(QPalette::WindowText, OleColor::toQColor(text));
    palette.setColor(QPalette::Text, OleColor::toQColor(text));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

frmSchreiben::frmSchreiben(Program& program, QWidget* parent)
    : QMainWindow(parent), beep(Beep), program_(program),
      scoring_(program.counters, program.FingerZones) {
    buildWindow();
    CommandBarBuilder commands(*this);
    commands.buildMenus();
    commands.buildToolBar();
    // The help key works anywhere in the window, also while a lesson is typed.
    auto* help = new QAction(this);
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::WindowShortcut);
    connect(help, &QAction::triggered, this, &frmSchreiben::helpKey);
    addAction(help);
    // A fixed single border: the client area of the design plus the menu bar, never resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

frmSchreiben::~frmSchreiben() = default;

void frmSchreiben::buildWindow() {
    setWindowTitle(QStringLiteral("Schreibmodus"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto* client = new QWidget(this);
    client->setFixedSize(Twips::toPixels(13920), Twips::toPixels(9015));
    setCentralWidget(client);

    Frame4 = new QFrame(client);
    Frame4->setGeometry(Twips::rect(60, -60, 13815, 9015));

    rtb1 = new RichTextBox(Frame4);
    rtb1->setGeometry(Twips::rect(1920, 120, 11115, 1695));
    rtb1->setFont(lessonFont());
    rtb1->setBackColor(OleColor::LightGrey);

    Text1 = new QPlainTextEdit(Frame4);
    Text1->setGeometry(Twips::rect(1920, 1860, 11115, 1695));
    // Its font comes after the start screen (Form_Load): given now, the box would lay out its
    // empty text in it at once, and loading that font would hold up the start screen.
    setColors(Text1, OleColor::LightGrey, OleColor::Black);
    Text1->setTabChangesFocus(true);
    Text1->setUndoRedoEnabled(false);
    // No scroll bar and a slim margin: the summary's lines fit on their lines at the design width.
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Text1->setLineWidth(1);
    Text1->document()->setDocumentMargin(1);

    Frame3 = new QFrame(Frame4);
    Frame3->setGeometry(Twips::rect(60, 120, 1815, 3435));
    Frame3->setFrameShape(QFrame::Box);
    Frame3->setFrameShadow(QFrame::Sunken);
    Frame3->setFont(DialogLook::font(QStringLiteral("Arial"), 8)); // narrow enough for the captions

    Label2 = DialogLook::liveLabel(Frame3, QStringLiteral("Label2"), QString(),
                                   QRect(120, 180, 1575, 435), Qt::AlignCenter);
    Label2->setFont(lessonFont(false));
    setColors(Label2, OleColor::Black, OleColor::Yellow);

    const struct {
        const char* caption;
        const char* name;
        QLabel** value;
        int top;
    } rows[] = {
        {"Zeichen:", "lblMaxZeichen", &lblMaxZeichen, 780},
        {"Richtig:", "lblTrefferAnz", &lblTrefferAnz, 1080},
        {"Falsch:", "lblFehlerAnz", &lblFehlerAnz, 1320},
        {"Fehler %:", "lblFehlerProz", &lblFehlerProz, 1680},
        {"Zeit:", "lblZeitInSec", &lblZeitInSec, 2100},
        {"Anschl./min:", "lblAnschPerMin", &lblAnschPerMin, 2400},
    };
    for (const auto& row : rows) {
        QLabel* caption =
            DialogLook::label(Frame3, QString(), QString::fromUtf8(row.caption),
                              QRect(120, row.top, 1020, 255), Qt::AlignLeft | Qt::AlignVCenter);
        *row.value = DialogLook::liveLabel(Frame3, QString::fromLatin1(row.name), QString(),
                                           QRect(1080, row.top, 630, 255),
                                           Qt::AlignRight | Qt::AlignVCenter);
        // Caption and count fill their boxes in the panel's colour: a changed count repaints
        // only itself, also where the next row's caption overlaps it by a pixel, not the panels
        // behind.
        for (QLabel* label : {caption, *row.value})
            label->setAutoFillBackground(true);
    }

    const char* captions[] = {"Start", "Auswahl"};
    for (int i = 0; i < 2; ++i) {
        cmdRun[i] = new QPushButton(QString::fromUtf8(captions[i]), Frame3);
        cmdRun[i]->setGeometry(Twips::rect(90 + i * 825, 2880, 810, 435));
        cmdRun[i]->setAutoDefault(true); // Enter on the focused button presses it
        connect(cmdRun[i], &QPushButton::clicked, this, [this, i] { cmdRun_Click(i); });
    }
    cmdRun[0]->setEnabled(false);

    Timer3 = new QTimer(this);
    Timer3->setInterval(1000);
    connect(Timer3, &QTimer::timeout, this, &frmSchreiben::Timer3_Timer);
    Timer1 = new QTimer(this);
    Timer1->setInterval(60000);
    connect(Timer1, &QTimer::timeout, this, &frmSchreiben::Timer1_Timer);

    cursor_ = std::make_unique<ExpectedCursor>(
        *rtb1, ExpectedCursor::Style{LineBreakName, false},
        ExpectedCursor::Hooks{
            [this](const QString& expected) { Label2->setText(expected); },
            [this] { Frame1->setKeyColor(ReturnKeyIndex, OleColor::Yellow); },
            [this] { beep(); },
            [this] { menulek_Click(5); },
        });
}

void frmSchreiben::buildKeyboard() {
    Frame1 = new OnScreenKeyboard(program_.KeyTable, Frame4);
    Frame1->setGeometry(Twips::rect(60, 3660, 13695, 5295));
    Frame1->setToolTip(QStringLiteral("Keybord"));

    // The track lies on the keyboard frame but is not its child: a figure moving among the 62
    // keys would make every step recompute the keys' region (measured: a tenth of a keystroke).
    const QPoint onFrame1 = Frame1->geometry().topLeft();
    DinoControl1 = new DinoBar(program_.programFolder, Frame4);
    DinoControl1->setGeometry(Twips::rect(4620, 180, 8475, 480).translated(onFrame1));
    DinoControl1->setBackColor(OleColor::Neutral);
    picZIEL = new GoalFlag(Frame4);
    picZIEL->setGeometry(Twips::rect(13140, 180, 495, 555).translated(onFrame1));
    Frame1->show();
}

bool frmSchreiben::Form_Load() {
    HookInput(Text1, InputBoxFilter::Handlers{[this](int& code) { Text1_KeyDown(code); },
                                              [this](int& code) { Text1_KeyPress(code); },
                                              [this](int code) { Text1_KeyUp(code); }});
    program_.helpFile = program_.programFolder + QStringLiteral("/quendal.chm");
    program_.KeyTable = BuildKeyTable();
    program_.FingerZones = BuildFingerZones();
    buildKeyboard(); // the keys carry the legends of the table just built
    if (!InitDatabase())
        return false;
    LoadSettings();
    farbesetzen();
    menulek_Click(4);
    cmdRun[1]->setFocus(); // Enter opens the selection, as the welcome text says
    {
        frmAbout about; // the start screen, with no owner, before the window is shown
        about.exec();
    }
    Text1->setFont(lessonFont());
    placeWindow(storedPosition_);
    // Drawn once the start screen has been seen: the window is not shown before.
    setWindowIcon(programIcon());
    // Shown as soon as the window itself is up, so that the tips open over it.
    if (program_.settings.CheckLoadTips)
        QMetaObject::invokeMethod(this, &frmSchreiben::showTips, Qt::QueuedConnection);
    return true;
}

void frmSchreiben::closeEvent(QCloseEvent* event) {
    // Closing is never refused; a running lesson is not ended and stores nothing.
    Form_Unload();
    event->accept();
}

void frmSchreiben::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    Timer3->stop();
    Timer1->stop();
    if (tip_)
        tip_->close();
    SaveSettings();
    UnhookInput(Text1);
    // Results held in memory get their last chance.
    if (!program_.heldResults.entries.isEmpty())
        storeKeptResults();
}

bool frmSchreiben::InitDatabase() {
    QString error;
    const QString folder = DataLocation::dataFolder(&error);
    if (folder.isEmpty()) {
        MessageBox::show(error, MessageBox::ProgramTitle, QMessageBox::Critical);
        return false;
    }
    program_.DbPath = DataLocation::databasePath();
    if (!DatabaseSetup::ensureWorkingCopy(
            folder, program_.DbPath, DataLocation::templatePath(program_.programFolder), &error)) {
        MessageBox::show(error, MessageBox::ProgramTitle, QMessageBox::Critical);
        return false;
    }
    QString message;
    if (!DatabaseSetup::OpenDatabase(program_.DbConnection, program_.DbPath, &message)) {
        MessageBox::show(message);
        return false;
    }
    // A working copy from an older version gets the statistics' indexes; without them (a
    // read-only file) the statistics are only slower.
    LogIndex::ensure(program_.DbConnection);
    // Results kept at an earlier lesson end go in as soon as the database takes them.
    storeKeptResults();
    // The program now waits idle for the first lesson.
    program_.DbConnection.releaseMemory();
    return true;
}

void frmSchreiben::storeKeptResults() {
    const StoreOutcome outcome = ResultLog::storePending(
        program_.DbConnection, ResultLog::pendingPath(program_.DbPath), program_.heldResults);
    if (!outcome.message.isEmpty())
        MessageBox::show(outcome.message, MessageBox::ProgramTitle, QMessageBox::Warning);
}

void frmSchreiben::LoadSettings() {
    const SettingsStore store(SettingsIO::Application);
    program_.settings = SettingsIO::loadOptions(store);
    setWindowTitle(ProgramCaption + QStringLiteral(":  ") + program_.settings.Benutzer);
    // Placed when the start screen has closed: placing needs the window's laid-out size, which
    // the start screen need not wait for.
    storedPosition_ = SettingsIO::loadPosition(store);
    settingsLoaded_ = true;
}

void frmSchreiben::SaveSettings() {
    if (!settingsLoaded_)
        return;
    SettingsStore store(SettingsIO::Application);
    if (!isMinimized()) {
        const QPoint corner = WindowFrame::corner(this);
        SettingsIO::savePosition(
            store, {float(Twips::fromPixels(corner.x())), float(Twips::fromPixels(corner.y()))});
    }
    SettingsIO::saveOptions(store, program_.settings);
    store.flush(); // a file that cannot be written loses the options, never the program
}

// The stored corner is the frame's (title bar included).
void frmSchreiben::placeWindow(WindowPosition stored) {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens << screen->geometry();
    WindowFrame::place(this, windowCorner(stored, WindowFrame::size(this), screens));
}

frmLek& frmSchreiben::lessonDialog() {
    if (!lek_)
        lek_ = std::make_unique<frmLek>(program_.DbConnection, handOver, *Frame1, this);
    return *lek_;
}

void frmSchreiben::menulek_Click(int index) {
    switch (index) {
    case 0: {
        // A cancelled choice keeps the key of a loaded lesson, so a run started from there
        // is stored under the right lesson.
        const qint32 previous = handOver.LekAuswahl;
        handOver.LekAuswahl = 0;
        lessonDialog().showModal();
        activateWindow(); // the dialog has no owner: bring the keys back to this window
        if (handOver.LekAuswahl == 0) {
            handOver.LekAuswahl = previous;
            return;
        }
        // The audio system loads now, in the background, while the user gets ready: sounds
        // are only heard during a lesson (and at the reminder, which loads it itself).
        program_.sounds.warmUp();
        menulek[1]->setEnabled(true);
        cmdRun[0]->setEnabled(true);
        cmdRun[0]->setFocus();
        ClearAll();
        rtb1->setText(handOver.LekText);
        setWindowTitle(ProgramCaption + QStringLiteral(":  ") + handOver.LekTitle +
                       QStringLiteral(":  ") + program_.settings.Benutzer);
        break;
    }
    case 1:
        menulek[0]->setEnabled(false);
        ToolButton[3]->setEnabled(false);
        menulek[1]->setEnabled(false);
        menulek[2]->setEnabled(true);
        cmdRun[0]->setText(QStringLiteral("Pause"));
        menulek[4]->setEnabled(true);
        cmdRun[1]->setText(QStringLiteral("Stop"));
        StartLesson();
        break;
    case 2:
        Text1->setEnabled(false);
        menulek[2]->setEnabled(false);
        menulek[3]->setEnabled(true);
        cmdRun[0]->setText(QStringLiteral("Weiter"));
        Timer3->stop();
        break;
    case 3:
        Text1->setEnabled(true);
        menulek[2]->setEnabled(true);
        cmdRun[0]->setText(QStringLiteral("Pause"));
        menulek[3]->setEnabled(false);
        Text1->setFocus();
        Timer3->start();
        break;
    case 4:
    case 5:
        menulek[0]->setEnabled(true);
        cmdRun[1]->setText(QStringLiteral("Auswahl"));
        ToolButton[3]->setEnabled(true);
        menulek[1]->setEnabled(false);
        cmdRun[0]->setText(QStringLiteral("Start"));
        cmdRun[0]->setEnabled(false);
        menulek[2]->setEnabled(false);
        menulek[3]->setEnabled(false);
        menulek[4]->setEnabled(false);
        if (index == 4) {
            ClearAll();
            rtb1->setText(welcomeText());
        } else {
            LektionEnde();
        }
        break;
    default:
        break;
    }
}

void frmSchreiben::menuDatei_Click(int) {
    close();
}

void frmSchreiben::menuGym_Click(int) {
    frmGym gym(program_.DbConnection);
    gym.showModal();
}

void frmSchreiben::menuEinstellungen_Click(int index) {
    frmarc settingsDialog(program_.settings, program_.sounds, [this] { farbesetzen(); });
    settingsDialog.showModal(index);
    activateWindow(); // the dialog has no owner: bring the keys back to this window
}

void frmSchreiben::menuModule_Click(int index) {
    if (index != 0)
        return;
    if (!numBlock_)
        numBlock_ = std::make_unique<frmNumBlock>(program_.DbConnection, program_.settings,
                                                  program_.sounds);
    // The trainer stands in for the main window; a running lesson's clock goes on meanwhile.
    hide();
    numBlock_->showModal();
    show();
}

void frmSchreiben::menuAuswertung_Click(int) {
    QString error;
    const auto show = ProgramModule::resolve<ShowStatistics>(
        program_.programFolder + QStringLiteral("/quendal_statistics.so"), QUENDAL_STATISTICS_ENTRY,
        &error);
    if (!show) {
        MessageBox::show(QString::fromUtf8("Die Statistik kann nicht geöffnet werden.\n\n") + error,
                         MessageBox::ProgramTitle, QMessageBox::Critical, this);
        return;
    }
    show(program_.DbConnection, program_.settings);
}

void frmSchreiben::menuUeber_Click(int index) {
    switch (index) {
    case 0: {
        frmAbout about;
        about.exec();
        break;
    }
    case 1:
        Shell::open(QUrl(Maker::homePage()));
        break;
    case 2:
        Shell::open(QUrl(QStringLiteral("mailto:") + Maker::mailAddress()));
        break;
    default:
        break;
    }
}

void frmSchreiben::menuHilfe_Click(int index) {
    if (index == 0)
        helpKey();
    else if (index == 1)
        showTips();
}

frmTip& frmSchreiben::tipsWindow() {
    if (!tip_)
        tip_ = new frmTip(program_.DbConnection, program_.settings, this);
    return *tip_;
}

void frmSchreiben::showTips() {
    tipsWindow().showModeless();
}

void frmSchreiben::menWichtig_Click() {
    Sounds::OpenDocument(program_.programFolder + QStringLiteral("/Liesmich.rtf"),
                         program_.programFolder + QStringLiteral("/"));
}

void frmSchreiben::helpKey() {
    HelpViewer::showHelp(program_.helpFile, this);
}

void frmSchreiben::ToolButton_Click(int index) {
    switch (index) {
    case 0:
        menuAuswertung_Click(0);
        break;
    case 1:
        menuUeber_Click(1);
        break;
    case 2:
        reminderStart(index);
        break;
    case 3:
        menulek_Click(0);
        break;
    case 4:
        menuModule_Click(0);
        break;
    case 6:
        menuEinstellungen_Click(0);
        break;
    default:
        break;
    }
}

void frmSchreiben::reminderStart(int index) {
    reminder.start();
    Timer1->start();
    ToolButton[index]->setBackColor(OleColor::Red);
    beep();
    ToolButton[index]->setCursor(Qt::WaitCursor);
}

void frmSchreiben::Timer1_Timer() {
    if (!reminder.tick(program_.settings.Tdauer))
        return;
    Timer1->stop();
    ToolButton[2]->setBackColor(0x80FF80);
    ToolButton[2]->unsetCursor();
    program_.sounds.PlayResSound(QStringLiteral("CHIMES2"));
    MessageBox::show(QString::fromUtf8("Fleißig, fleißig...\r\n\r\naber jetzt ist die Zeit um! "),
                     QStringLiteral("Reminder"), QMessageBox::Warning, this);
}

void frmSchreiben::cmdRun_Click(int index) {
    if (index < 0 || index > 1)
        return;
    const int entry = runEntryForButton(index, cmdRun[index]->text());
    if (entry >= 0)
        menulek_Click(entry);
}

void frmSchreiben::ClearAll() {
    Timer3->stop();
    Label2->setText(QString());
    lblMaxZeichen->setText(QString());
    lblFehlerAnz->setText(QString());
    lblFehlerProz->setText(QStringLiteral("-"));
    lblAnschPerMin->setText(QString());
    lblTrefferAnz->setText(QString());
    lblZeitInSec->setText(QString());
    rtb1->setText(QString());
    rtb1->setLocked(true);
    Text1->setPlainText(QString());
    Text1->setEnabled(false);
    Text1->setReadOnly(true);
    DinoControl1->hide();
    picZIEL->hide();
    DinoControl1->setValue(0);
    DinoControl1->setMax(0);
    program_.counters.clear();
}

void frmSchreiben::StartLesson() {
    rtb1->setLocked(false);
    Text1->setPlainText(QString());
    Text1->setEnabled(true);
    Text1->setReadOnly(false);
    Text1->setFocus();
    CountChars();
    Timer3->start();
    cursor_->reset();
    DinoControl1->setMax(program_.counters.Zeichenanzahl);
    DinoControl1->setVisible(program_.settings.checkDino);
    picZIEL->setVisible(program_.settings.checkDino);
}

void frmSchreiben::CountChars() {
    program_.counters.Zeichenanzahl = ::CountChars(handOver.LekText);
    lblMaxZeichen->setText(QString::number(program_.counters.Zeichenanzahl));
}

void frmSchreiben::Text1_KeyDown(int& keyCode) {
    if (keyCode >= 36 && keyCode <= 40) {
        keyCode = 0; // Home and the arrows would move the caret away from the typed text
        return;
    }
    AfterEcho(Text1, [this, keyCode] { Frame1->keyDown(keyCode); });
}

void frmSchreiben::Text1_KeyUp(int keyCode) {
    Frame1->keyUp(keyCode);
}

void frmSchreiben::Text1_KeyPress(int& charCode) {
    const Keystroke stroke = judgeKeystroke(Label2->text(), charCode, LineBreakName);
    if (stroke == Keystroke::LineBreakMissed || stroke == Keystroke::Miss)
        charCode = 0;
    // Counted, sounded and marked once the typed character is on the screen.
    AfterEcho(Text1, [this, stroke] {
        switch (stroke) {
        case Keystroke::LineBreakTyped:
            cursor_->advance(); // no hit; the Enter reaches the box as a new line
            break;
        case Keystroke::LineBreakMissed:
            program_.sounds.ErrorSound();
            break;
        case Keystroke::Hit:
            // Counted before the cursor moves on, so that the end of the lesson sees this hit.
            CountGood();
            cursor_->advance();
            break;
        case Keystroke::Miss:
            CountBad();
            break;
        }
    });
}

void frmSchreiben::CountGood() {
    scoring_.countGood();
    lblTrefferAnz->setText(QString::number(program_.counters.Treffer));
    DinoControl1->setValue(program_.counters.Treffer);
    program_.sounds.KeySound();
    lblFehlerProz->setText(scoring_.fehlerProzLabel());
}

void frmSchreiben::CountBad() {
    scoring_.countBad(Label2->text());
    lblFehlerAnz->setText(QString::number(program_.counters.Fehler));
    program_.sounds.ErrorSound();
    lblFehlerProz->setText(scoring_.fehlerProzLabel());
}

void frmSchreiben::ShowFehlerProz() {
    scoring_.ShowFehlerProz();
    lblFehlerProz->setText(scoring_.fehlerProzLabel());
}

void frmSchreiben::Handpruef(const QString& key) {
    scoring_.Handpruef(key);
}

void frmSchreiben::Timer3_Timer() {
    lessonClockTick(program_.counters);
    lblZeitInSec->setText(FormatMinSec(program_.counters.Dauer));
    lblAnschPerMin->setText(QString::number(qint64(program_.counters.AnschPerMin)));
}

void frmSchreiben::LektionEnde() {
    Timer3->stop();
    DinoControl1->hide();
    picZIEL->hide();
    DinoControl1->setMax(0);
    DinoControl1->setValue(0);
    rtb1->setLocked(true);
    Text1->setReadOnly(true);
    rtb1->setText(QString());
    QString summary = summaryText(program_.counters);
    Text1->setPlainText(summary.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    SaveLog();
    cmdRun[1]->setFocus();
    lowlite();
}

void frmSchreiben::SaveLog() {
    const LessonCounters& c = program_.counters;
    ResultRow row;
    row.Zeitpunkt = QDateTime::currentDateTime();
    row.Lektion = handOver.LekAuswahl;
    row.Dateiname = handOver.LekTitle;
    row.Zeichenanzahl = c.Zeichenanzahl;
    row.Dauer = c.Dauer;
    row.Treffer = c.Treffer;
    row.Fehler = c.Fehler;
    for (int f = 1; f <= 10; ++f)
        row.ff[f - 1] = c.ff[f];
    // Another program's lock is waited for briefly; the pointer says so meanwhile.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const StoreOutcome outcome = ResultLog::store(
        program_.DbConnection, row, ResultLog::pendingPath(program_.DbPath), program_.heldResults);
    QGuiApplication::restoreOverrideCursor();
    if (!outcome.message.isEmpty())
        MessageBox::show(outcome.message, MessageBox::ProgramTitle, QMessageBox::Warning, this);
}

QString frmSchreiben::ffstr() const {
    return ::ffstr(program_.counters);
}

void frmSchreiben::farbesetzen() {
    const quint32 color = quint32(program_.settings.Farbwert1);
    Frame1->setFrameColor(color);
    DinoControl1->setBackColor(color);
    picZIEL->setBackColor(color);
    Frame1->paintAllKeys(color);
}

void frmSchreiben::highlite(const QString& hlstr) {
    Frame1->highlite(hlstr);
}

void frmSchreiben::lowlite() {
    Frame1->lowlite();
}
