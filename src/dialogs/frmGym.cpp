#include "frmGym.h"

#include "components/DialogLook.h"
#include "platform/Database.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

frmGym::frmGym(const Database& db, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      db_(db) {
    setObjectName(QStringLiteral("frmGym"));
    setWindowTitle(QStringLiteral("Gymnastik-Tips"));
    setFont(DialogLook::msSansSerif(8.25));
    setFixedSize(Twips::toPixels(7320), Twips::toPixels(3300));
    const QFont bold = DialogLook::msSansSerif(8.25, true);

    Label1 = DialogLook::label(this, QStringLiteral("Label1"), QStringLiteral("TIP-Nr.:"),
                               QRect(660, 390, 855, 255), Qt::AlignLeft | Qt::AlignVCenter);
    Label1->setFont(bold);
    lblValue = DialogLook::label(this, QStringLiteral("lblValue"), QString(),
                                 QRect(1530, 390, 495, 255), Qt::AlignLeft | Qt::AlignVCenter);
    lblValue->setFont(bold);

    Slider1 = new QSlider(Qt::Horizontal, this);
    Slider1->setObjectName(QStringLiteral("Slider1"));
    Slider1->setGeometry(Twips::rect(2100, 240, 4575, 510));
    Slider1->setMinimum(1);
    Slider1->setMaximum(1);
    Slider1->setValue(1);
    Slider1->setSingleStep(1);
    Slider1->setPageStep(1);
    Slider1->setTickPosition(QSlider::TicksBelow);
    Slider1->setTickInterval(1);

    Label2 =
        DialogLook::label(this, QStringLiteral("Label2"), QString(), QRect(660, 960, 6015, 1395));
    Label2->setFont(bold);
    Label2->setWordWrap(true);
    Label2->setFrameStyle(QFrame::Box | QFrame::Plain);
    Label2->setLineWidth(1);
    Label2->setMargin(2);
    DialogLook::setBackColor(Label2, OleColor::LightGrey);

    Command1 = new QPushButton(QString::fromUtf8("Schließen"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips::rect(5400, 2640, 1275, 420));
    // Not the window's default button: Enter elsewhere must not close it.
    Command1->setAutoDefault(false);

    setTabOrder(Slider1, Command1);
    connect(Slider1, &QSlider::valueChanged, this, [this] { Slider1_Change(); });
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

int frmGym::showModal() {
    Form_Load();
    return exec();
}

void frmGym::Form_Load() {
    // A table that cannot be read counts as one without exercises.
    rsGym.open(db_, QStringLiteral("SELECT txt FROM gym"));
    const int count = rsGym.recordCount();
    {
        // Exercise 1 of the new snapshot is shown once, below, not on every range change.
        const QSignalBlocker blocker(Slider1);
        Slider1->setMaximum(count >= 1 ? count : 1);
        Slider1->setValue(1);
    }
    Slider1->setEnabled(count >= 1);
    Slider1->setFocus();
    Slider1_Change();
}

void frmGym::Slider1_Change() {
    if (rsGym.recordCount() < 1) {
        // Nothing to choose from: say so instead of showing an empty exercise.
        lblValue->clear();
        Label2->setText(QString::fromUtf8("Keine Übung vorhanden."));
        return;
    }
    const qint32 v = Slider1->value();
    lblValue->setText(QString::number(v));
    rsGym.setAbsolutePosition(v);
    Label2->setText(rsGym.text(QStringLiteral("txt")));
}

void frmGym::done(int result) {
    // The next opening reads the table afresh.
    rsGym.close();
    QDialog::done(result);
}

void frmGym::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        event->accept(); // Esc is no way out here: only the close box and "Schließen"
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier && Command1->hasFocus()) {
        Command1->click(); // a focused button takes Enter, as buttons do
        return;
    }
    QDialog::keyPressEvent(event);
}
