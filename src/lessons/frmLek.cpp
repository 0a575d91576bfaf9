#include "frmLek.h"

#include "LessonHandOver.h"
#include "OwnTextImport.h"
#include "components/DialogLook.h"
#include "data/LessonQueries.h"
#include "keyboard/OnScreenKeyboard.h"
#include "platform/Database.h"
#include "platform/MessageBox.h"
#include "platform/OleColor.h"
#include "platform/RecordSet.h"
#include "platform/Twips.h"
#include "platform/WindowFrame.h"
#include "typing/TypingTexts.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <limits>

struct frmLek::Private {
    Private(const Database& database, LessonHandOver& lesson, OnScreenKeyboard& keys,
            QWidget* anchorWidget)
        : db(database), handOver(lesson), keyboard(keys), anchor(anchorWidget) {}

    const Database& db;
    LessonHandOver& handOver;
    OnScreenKeyboard& keyboard;
    QPointer<QWidget> anchor;

    // The lesson under the slider; kept between showings like the dialog itself.
    RecordSet rsLek;
    // The key of the lesson the dialog shows while rsLek stands on a lesson that can be
    // taken; 0 otherwise, so OK has nothing to hand over.
    qint32 loadedKey = 0;
    // A read error is reported once per showing; the dialog stays usable after it.
    bool readErrorShown = false;

    QFrame* tabPane = nullptr;
    QFrame* Frame1 = nullptr;
    QFrame* Frame2 = nullptr;
};

namespace {

QLabel* makeInfoLabel(QFrame* frame) {
    auto* label = new QLabel(frame);
    label->setGeometry(0, 0, frame->width(), frame->height());
    label->setTextFormat(Qt::PlainText); // comments are shown as written, never as markup
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, OleColor::toQColor(OleColor::LightGrey));
    label->setPalette(pal);
    label->setFont(DialogLook::msSansSerif(8.25, true));
    return label;
}

QPushButton* makeButton(const QString& text, const QRect& geometry, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(geometry);
    return button;
}

// The lesson's key as the main window keeps it: a 32-bit number, neither 0 (no choice) nor
// the mark of an own text. NULL, a text, a real number or a wider number names no lesson, so
// 0 comes back.
qint32 lessonKey(const QVariant& id) {
    const int type = id.metaType().id();
    if (id.isNull() || (type != QMetaType::LongLong && type != QMetaType::Int))
        return 0;
    const qlonglong key = id.toLongLong();
    if (key < std::numeric_limits<qint32>::min() || key > std::numeric_limits<qint32>::max() ||
        key == LessonHandOver::OwnText)
        return 0;
    return qint32(key);
}

// Tab captions show a type name as stored: an ampersand is not a mnemonic here.
QString tabCaption(const QString& name) {
    QString caption = name;
    return caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

frmLek::frmLek(const Database& db, LessonHandOver& handOver, OnScreenKeyboard& keyboard,
               QWidget* anchor)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      d(std::make_unique<Private>(db, handOver, keyboard, anchor)) {
    setObjectName(QStringLiteral("frmLek"));
    setWindowTitle(QStringLiteral("Lektionen"));
    // The dialog font of the design, small enough for all exercise types to show as tabs.
    setFont(DialogLook::font(QStringLiteral("Arial"), 8));
    setFixedSize(Twips::toPixels(7935), Twips::toPixels(4800));

    // The tab strip: a bar of tabs on top of a pane; the other controls lie on the pane.
    const QRect strip = Twips::rect(60, 120, 7815, 3915);
    TabStrip1 = new QTabBar(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->setExpanding(false);
    TabStrip1->setUsesScrollButtons(true);
    TabStrip1->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 4px 5px; border: 1px solid #a0a0a0; border-bottom: none;"
        " background: #e4e4e4; margin-right: 1px; }"
        "QTabBar::tab:selected { background: #fafafa; }"));
    TabStrip1->addTab(QStringLiteral("X"));
    const int barHeight = TabStrip1->sizeHint().height();
    TabStrip1->removeTab(0);
    TabStrip1->setGeometry(strip.x(), strip.y(), strip.width(), barHeight);

    d->tabPane = new QFrame(this);
    d->tabPane->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    d->tabPane->setGeometry(strip.x(), strip.y() + barHeight - 1, strip.width(),
                            strip.height() - barHeight + 1);
    TabStrip1->raise();

    d->Frame2 = new QFrame(this);
    d->Frame2->setObjectName(QStringLiteral("Frame2"));
    d->Frame2->setGeometry(Twips::rect(1020, 600, 915, 495));
    lblTextNr = makeInfoLabel(d->Frame2);
    lblTextNr->setObjectName(QStringLiteral("lblTextNr"));

    SliderNr = new QSlider(Qt::Horizontal, this);
    SliderNr->setObjectName(QStringLiteral("SliderNr"));
    SliderNr->setGeometry(Twips::rect(2160, 600, 4875, 495));
    SliderNr->setMinimum(1);
    SliderNr->setMaximum(2);
    SliderNr->setValue(1);
    SliderNr->setSingleStep(1);
    SliderNr->setPageStep(1);
    SliderNr->setTickPosition(QSlider::TicksBelow);
    SliderNr->setTickInterval(1);

    d->Frame1 = new QFrame(this);
    d->Frame1->setObjectName(QStringLiteral("Frame1"));
    d->Frame1->setGeometry(Twips::rect(360, 1200, 7215, 2535));
    lblTextComment = makeInfoLabel(d->Frame1);
    lblTextComment->setObjectName(QStringLiteral("lblTextComment"));

    CommandOk = makeButton(QStringLiteral("OK"), Twips::rect(5580, 4140, 1095, 495), this);
    CommandOk->setObjectName(QStringLiteral("CommandOk"));
    CommandOk->setDefault(true);
    CommandAbr = makeButton(QStringLiteral("Abbrechen"), Twips::rect(6720, 4140, 1095, 495), this);
    CommandAbr->setObjectName(QStringLiteral("CommandAbr"));
    Command1 =
        makeButton(QStringLiteral("Eigenen Text laden"), Twips::rect(180, 4140, 2055, 495), this);
    Command1->setObjectName(QStringLiteral("Command1"));

    setTabOrder(TabStrip1, SliderNr);
    setTabOrder(SliderNr, CommandOk);
    setTabOrder(CommandOk, CommandAbr);
    setTabOrder(CommandAbr, Command1);

    connect(TabStrip1, &QTabBar::currentChanged, this, [this] { TabStrip1_Click(); });
    connect(SliderNr, &QSlider::valueChanged, this, [this] { SliderNr_Change(); });
    connect(CommandOk, &QPushButton::clicked, this, [this] { CommandOk_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] {
        if (!OwnTextImport::run(this, d->handOver))
            return;
        // The same typable form as a stored lesson: the cursor and the count rely on it.
        d->handOver.LekText = typableLessonText(d->handOver.LekText);
        accept(); // done() resets the key preview
    });
    // Esc, the close box and "Abbrechen" all end in reject(): nothing is handed over.
    connect(CommandAbr, &QPushButton::clicked, this, &QDialog::reject);

    CommandOk->setEnabled(false);
}

frmLek::~frmLek() = default;

int frmLek::showModal() {
    Form_Load();
    return exec();
}

void frmLek::Form_Load() {
    d->readErrorShown = false;
    gettabs();
    if (TabStrip1->count() > 0) {
        TabStrip1_Click();
    } else {
        // No exercise types at all: nothing to show and nothing to take.
        LekTotal = 0;
        {
            const QSignalBlocker blocker(SliderNr);
            SliderNr->setMaximum(2);
            SliderNr->setValue(1);
        }
        SliderNr->setEnabled(false);
        lblTextNr->setText(QString());
        lblTextComment->setText(QString());
        d->loadedKey = 0;
        CommandOk->setEnabled(false);
    }

    // Top-aligned with the main window and centred on its width, measured from the screen's
    // left edge rather than from the main window's own position.
    if (d->anchor) {
        const float left = float(WindowFrame::size(d->anchor).width()) / 2.0f -
                           float(WindowFrame::size(this).width()) / 2.0f;
        WindowFrame::place(this, QPoint(qRound(left), WindowFrame::corner(d->anchor).y()));
    }
}

void frmLek::gettabs() {
    // Rebuilding must not count as the user selecting a tab.
    const QSignalBlocker blocker(TabStrip1);
    while (TabStrip1->count() > 0)
        TabStrip1->removeTab(0);

    RecordSet rs;
    if (!LessonQueries::openTypes(rs, d->db)) {
        readFailed(rs.lastError());
        return;
    }
    rs.moveFirst();
    for (int i = 1; i <= rs.recordCount(); ++i) {
        const QString name = rs.text(QStringLiteral("bezeichnung"));
        const int index = TabStrip1->addTab(tabCaption(name));
        TabStrip1->setTabData(index, name); // the tab's key: the type's name as stored
        rs.moveNext();
    }
    rs.close();
    if (TabStrip1->count() > 0)
        TabStrip1->setCurrentIndex(0);
}

qint32 frmLek::LekCount(const QString& art) const {
    return LessonQueries::LekCount(d->db, art);
}

void frmLek::TabStrip1_Click() {
    const int tab = TabStrip1->currentIndex();
    const QString art = tab >= 0 ? TabStrip1->tabData(tab).toString() : QString();
    LekTotal = tab >= 0 ? LekCount(art) : 0;
    // A count of 0 is also what a failed statement gives; the connection tells them apart.
    if (tab >= 0 && LekTotal == 0 && !d->db.lastError().isEmpty())
        readFailed(d->db.lastError());

    {
        // A maximum below the current value clamps the value; that clamped number must not
        // be looked up, since the new type may not have it.
        const QSignalBlocker blocker(SliderNr);
        SliderNr->setMaximum(LekTotal >= 2 ? LekTotal : 2);
    }
    SliderNr->setEnabled(LekTotal >= 2);

    // Lesson 1 of the new type, whether or not the slider already stood at 1.
    if (SliderNr->value() != 1)
        SliderNr->setValue(1);
    else
        SliderNr_Change();
}

void frmLek::SliderNr_Change() {
    if (LekTotal == 0) {
        // The preview of the lesson shown before stays; there is nothing to take here.
        lblTextNr->setText(QString());
        lblTextComment->setText(QString());
        d->loadedKey = 0;
        CommandOk->setEnabled(false);
        return;
    }

    const qint32 nr = SliderNr->value();
    const int tab = TabStrip1->currentIndex();
    bool found = nr >= 1 && nr <= LekTotal && tab >= 0;
    if (found &&
        !LessonQueries::openLesson(d->rsLek, d->db, nr, TabStrip1->tabData(tab).toString())) {
        readFailed(d->rsLek.lastError());
        found = false;
    }
    // A row whose key cannot be kept, or with nothing to type (a lesson that could never end),
    // is no lesson to take.
    d->loadedKey = found && d->rsLek.recordCount() > 0 &&
                           !d->rsLek.text(QStringLiteral("uebungstext")).isEmpty()
                       ? lessonKey(d->rsLek.field(QStringLiteral("Id")))
                       : 0;
    CommandOk->setEnabled(d->loadedKey != 0);
    if (d->loadedKey == 0) {
        // A gap in the numbering or an unusable row: show nothing rather than another
        // lesson's data.
        lblTextNr->setText(QString());
        lblTextComment->setText(QString());
        return;
    }

    lblTextNr->setText(d->rsLek.text(QStringLiteral("ordnungszahl")));
    lblTextComment->setText(d->rsLek.text(QStringLiteral("Kommentar")));
    d->keyboard.highlite(d->rsLek.text(QStringLiteral("tasten")));
}

void frmLek::CommandOk_Click() {
    if (d->loadedKey == 0 || !d->rsLek.isOpen() || d->rsLek.eof() || d->rsLek.bof())
        return;
    // The main window shows, counts and walks this very text, so it is made typable here.
    d->handOver.LekText = typableLessonText(d->rsLek.text(QStringLiteral("uebungstext")));
    d->handOver.LekAuswahl = d->loadedKey;
    d->handOver.LekTitle = d->rsLek.text(QStringLiteral("Title"));
    d->rsLek.close();
    d->loadedKey = 0;
    accept();
}

void frmLek::readFailed(const QString& error) {
    if (d->readErrorShown)
        return;
    d->readErrorShown = true;
    MessageBox::show(QStringLiteral("Die Lektionen konnten nicht vollständig gelesen werden.\r\n"
                                    "\r\n") +
                         error,
                     MessageBox::ProgramTitle, QMessageBox::Warning, this);
}

void frmLek::done(int result) {
    // However the dialog closes, the preview ends with it.
    d->keyboard.lowlite();
    QDialog::done(result);
}
