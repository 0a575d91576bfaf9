#include "frmNumBlock.h"

#include "KeypadKeyButton.h"
#include "components/DialogLook.h"
#include "keyboard/InputBoxFilter.h"
#include "platform/Beep.h"
#include "platform/Database.h"
#include "platform/MessageBox.h"
#include "platform/OleColor.h"
#include "platform/RecordSet.h"
#include "platform/RichTextBox.h"
#include "platform/Twips.h"
#include "settings/Settings.h"
#include "sound/Sounds.h"
#include "typing/ExpectedCursor.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

const QString LineBreakName = QStringLiteral("ENTER");
const QString EndName = QStringLiteral("ENDE");

const QString Prompt = QStringLiteral("Schalten Sie jetzt den\r\nNummernblock Ihres Keyboards\r\n"
                                      "ein.Starten Sie eine\r\nLektion.");
const QString ClosingMessage =
    QString::fromUtf8("Lektion beendet.Bitte wählen Sie eine neue Lektion aus.");

constexpr qreal DesignTextSize = 15.75;
constexpr qreal SmallTextSize = 8;
constexpr qreal LessonTextSize = 16;

QFont courierFont() {
    return DialogLook::courierNew(DesignTextSize, true);
}

void setPointSize(QWidget* widget, qreal points) {
    QFont font = widget->font();
    font.setPointSizeF(points);
    widget->setFont(font);
}

void setColors(QWidget* widget, quint32 background, quint32 text) {
    QPalette palette = widget->palette();
    for (const auto role : {QPalette::Window, QPalette::Base})
        palette.setColor(role, OleColor::toQColor(background));
    for (const auto role : {QPalette::WindowText, QPalette::Text})
        palette.setColor(role, OleColor::toQColor(text));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

frmNumBlock::frmNumBlock(const Database& db, const Settings& settings, Sounds& sounds,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      beep(Beep), db_(db), settings_(settings), sounds_(sounds) {
    setObjectName(QStringLiteral("frmNumBlock"));
    setWindowTitle(QStringLiteral("NumBlock-Trainer"));
    setFont(DialogLook::msSansSerif(8.25, false));
    setFixedSize(Twips::toPixels(4830), Twips::toPixels(7350));

    Command2 = new QPushButton(QStringLiteral("Beenden"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(Twips::rect(3540, 6900, 1155, 375));
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setGeometry(Twips::rect(120, 120, 1335, 495));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setFont(DialogLook::msSansSerif(18, false));
    setColors(Label2, OleColor::Black, OleColor::Yellow);

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(Twips::rect(120, 780, 1335, 1785));
    List1->setFont(DialogLook::msSansSerif(8.25, true));
    setColors(List1, OleColor::LightGrey, OleColor::Black);
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setToolTip(QStringLiteral("Lektion durch Doppelklick auswählen."));
    List1->viewport()->installEventFilter(this);

    rtb2 = new RichTextBox(this);
    rtb2->setObjectName(QStringLiteral("rtb2"));
    rtb2->setGeometry(Twips::rect(1500, 120, 3255, 1395));
    rtb2->setFont(courierFont());
    rtb2->setBackColor(OleColor::LightGrey);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(Twips::rect(1500, 1560, 3255, 1035));
    Text1->setFont(courierFont());
    setColors(Text1, OleColor::LightGrey, OleColor::Black);
    Text1->setUndoRedoEnabled(false);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setReadOnly(true);
    // Only the keys the lesson accepts reach the box: no pasting by mouse, menu or Shift+Insert.
    HookInput(Text1, InputBoxFilter::Handlers{[this](int& code) { Text1_KeyDown(code); },
                                              [this](int& code) { Text1_KeyPress(code); },
                                              [this](int code) { Text1_KeyUp(code); }});

    buildKeypad();

    TimerNumBlock = new QTimer(this);
    TimerNumBlock->setInterval(1000);
    connect(TimerNumBlock, &QTimer::timeout, this, [this] { TimerNumBlock_Timer(); });

    // "Beenden" comes first and so holds the focus when the window opens.
    setTabOrder(Command2, List1);
    setTabOrder(List1, Text1);

    cursor_ = std::make_unique<ExpectedCursor>(
        *rtb2, ExpectedCursor::Style{LineBreakName, true},
        ExpectedCursor::Hooks{
            [this](const QString& expected) { Label2->setText(expected); },
            nullptr, // no key lights up for a line break here
            [this] { beep(); },
            [this] { EndNumLesson(); },
        });
}

frmNumBlock::~frmNumBlock() = default;

void frmNumBlock::buildKeypad() {
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(Twips::rect(120, 2700, 4575, 4095));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    // Disabled, so its keys take no clicks.
    Frame1->setEnabled(false);
    const KeypadKeyArray& keys = keypadKeys();
    for (int i = 0; i < KeypadKeyCount; ++i) {
        const KeypadKeyDef& def = keys[i];
        auto* key = new KeypadKeyButton(def.legend, def.subLegend, Frame1);
        key->setObjectName(QStringLiteral("Command1_%1").arg(i));
        key->setGeometry(
            Twips::rect(def.twips.x(), def.twips.y(), def.twips.width(), def.twips.height()));
        Command1[i] = key;
    }
    Command1[0]->setToolTip(QStringLiteral("Nummerblock Ein/Aus"));
}

int frmNumBlock::showModal() {
    Form_Load();
    return exec();
}

// A closed window's controls are gone; the next showing finds them as designed.
void frmNumBlock::restoreDesign() {
    List1->clear();
    Label2->clear();
    Text1->setPlainText(QString());
    setPointSize(Text1, DesignTextSize);
    rtb2->setText(QString());
    setPointSize(rtb2, DesignTextSize);
    rtb2->setLocked(false);
    Command2->setFocus();
}

void frmNumBlock::Form_Load() {
    restoreDesign();
    LoadNumLessonList();
    StartBlink();
    setPointSize(rtb2, SmallTextSize);
    rtb2->setText(Prompt);
    rtb2->setLocked(true);
    Text1->setEnabled(true);
    Text1->setReadOnly(true);
    ResetKeypadColors();
    setColors(Frame1, quint32(settings_.Farbwert1), OleColor::Black);
}

void frmNumBlock::done(int result) {
    // Closing by "Beenden" or the close box.
    StopBlink();
    QDialog::done(result);
}

void frmNumBlock::keyPressEvent(QKeyEvent* event) {
    // Only "Beenden" and the close box close the trainer: Esc is no cancel key here, so a
    // stray Esc from the list or the button does not end the practice.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmNumBlock::Command2_Click() {
    StopBlink();
    accept();
}

bool frmNumBlock::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List1->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // The first click has already made its choice; a double-click anywhere in the list
        // starts whatever is chosen.
        List1_DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmNumBlock::LoadNumLessonList() {
    FillNumLessonList();
}

void frmNumBlock::FillNumLessonList() {
    // In stored order; a row without a title or a text cannot be typed and is left out.
    RecordSet rs;
    if (!rs.open(db_, QStringLiteral("SELECT title FROM numuebungen WHERE title IS NOT NULL "
                                     "AND txt IS NOT NULL ORDER BY rowid"))) {
        MessageBox::show(QStringLiteral("Die Nummernblock-Lektionen konnten nicht gelesen "
                                        "werden.\r\n\r\n") +
                             rs.lastError(),
                         MessageBox::ProgramTitle, QMessageBox::Warning, this);
        return;
    }
    if (rs.recordCount() > 0) {
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            List1->addItem(rs.text(QStringLiteral("Title")));
        rs.close();
    }
}

void frmNumBlock::List1_DblClick() {
    const QListWidgetItem* item = List1->currentItem();
    const QString t = item && item->isSelected() ? item->text() : QString();
    RecordSet rs;
    if (!rs.open(db_,
                 QStringLiteral("SELECT txt FROM numuebungen WHERE title = ? AND txt IS NOT NULL"),
                 {t})) {
        MessageBox::show(QStringLiteral("Die Lektion konnte nicht gelesen werden.\r\n\r\n") +
                             rs.lastError(),
                         MessageBox::ProgramTitle, QMessageBox::Warning, this);
        return;
    }
    // Without a row the lesson starts over whatever the box shows.
    if (rs.recordCount() >= 1) {
        rs.moveFirst();
        rtb2->setText(rs.text(QStringLiteral("txt")));
        rs.close();
    }
    StartNumLesson();
}

void frmNumBlock::StartNumLesson() {
    sounds_.warmUp(); // before the first key sound, beside the typing
    rtb2->setLocked(true);
    setPointSize(rtb2, LessonTextSize);
    Text1->setEnabled(true);
    Text1->setReadOnly(false);
    Text1->setFocus();
    Text1->setPlainText(QString());
    setPointSize(Text1, LessonTextSize);
    strt();
    StopBlink();
}

void frmNumBlock::EndNumLesson() {
    rtb2->setText(QString());
    rtb2->setLocked(true);
    setPointSize(Text1, SmallTextSize);
    Text1->setPlainText(ClosingMessage);
    Text1->setReadOnly(true);
}

void frmNumBlock::StartBlink() {
    TimerNumBlock->start();
}

void frmNumBlock::StopBlink() {
    TimerNumBlock->stop();
    Command1[0]->setColor(OleColor::ButtonFace);
}

void frmNumBlock::TimerNumBlock_Timer() {
    Command1[0]->setColor(BlinkState ? OleColor::Red : OleColor::ButtonFace);
    BlinkState = !BlinkState;
}

void frmNumBlock::strt() {
    cursor_->reset();
}

qint32 frmNumBlock::NumPos() const {
    return cursor_->pos();
}

void frmNumBlock::AdvanceNumCursor() {
    cursor_->advance();
}

void frmNumBlock::Text1_KeyPress(int& keyAscii) {
    const QString expected = Label2->text();
    if (expected == EndName) {
        // Nothing is tested after the end; nothing may enter the box either, even when a
        // double-click without a lesson has unlocked it.
        keyAscii = 0;
        return;
    }
    switch (judgeKeystroke(expected, keyAscii, LineBreakName)) {
    case Keystroke::LineBreakTyped:
    case Keystroke::Hit:
        AdvanceNumCursor(); // the key goes on into the box
        break;
    case Keystroke::LineBreakMissed:
    case Keystroke::Miss:
        keyAscii = 0;
        sounds_.ErrorSound();
        break;
    }
}

void frmNumBlock::Text1_KeyDown(int keyCode) {
    if (keyCode > 0)
        StopBlink();
    ColorKeypadKey(keyCode, OleColor::Green);
    Text1->setFocus();
    sounds_.KeySound();
}

void frmNumBlock::Text1_KeyUp(int keyCode) {
    ColorKeypadKey(keyCode, OleColor::Grey);
}

void frmNumBlock::ResetKeypadColors() {
    for (KeypadKeyButton* key : Command1)
        key->setColor(OleColor::Neutral);
}

void frmNumBlock::ColorKeypadKey(int keyCode, quint32 color) {
    const int index = keypadKeyIndex(keyCode);
    if (index > 0)
        Command1[index]->setColor(color);
}
