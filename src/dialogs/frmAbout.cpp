#include "frmAbout.h"

#include "LinkLabel.h"
#include "components/DialogLook.h"
#include "components/Maker.h"
#include "platform/OleColor.h"
#include "platform/Shell.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QVersionNumber>

namespace {

constexpr quint32 FrameGrey = 0x808080;

// The hourglass for as long as the desktop is being asked, however the call ends.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    using DialogLook::label;
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    setFont(DialogLook::msSansSerif(8.25));
    setFixedSize(Twips::toPixels(3675), Twips::toPixels(4515));
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;

    Label9 = label(this, QStringLiteral("Label9"), QString(), QRect(240, 180, 2355, 600),
                   Qt::AlignHCenter | Qt::AlignVCenter);
    QFont nameFont = DialogLook::msSansSerif(24, true);
    nameFont.setItalic(true);
    Label9->setFont(nameFont);
    DialogLook::setForeColor(Label9, OleColor::Black);

    Label2 = label(this, QStringLiteral("Label2"), QString(), QRect(2640, 375, 855, 330),
                   Qt::AlignLeft | Qt::AlignVCenter);
    Label2->setFont(DialogLook::msSansSerif(12, true));

    Label10 = label(this, QStringLiteral("Label10"), QStringLiteral("Freeware von"),
                    QRect(120, 900, 780, 420), Qt::AlignLeft | Qt::AlignBottom);
    Label10->setWordWrap(true);

    Labelurl = new LinkLabel(this);
    Labelurl->setObjectName(QStringLiteral("Labelurl"));
    Labelurl->setText(Maker::homePage());
    Labelurl->setGeometry(Twips::rect(900, 1095, 2670, 225));
    Labelurl->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    Labelurl->setToolTip(QStringLiteral("Palvontrik homepage"));

    Label4 =
        label(this, QStringLiteral("Label4"), QStringLiteral(" Entwickelt + Programmiert von:"),
              QRect(120, 1530, 3435, 240), centred);

    greyFrames_ << Twips::rect(240, 1830, 3195, 780);
    const QFont creditFont = DialogLook::msSansSerif(9.75, true);
    Label1 = label(this, QStringLiteral("Label1"), QStringLiteral("Quendal-Team"),
                   QRect(300, 1920, 3075, 270), centred);
    Label1->setFont(creditFont);
    Label5 = label(this, QStringLiteral("Label5"), QStringLiteral("Qt-Ausgabe für Linux"),
                   QRect(300, 2250, 3075, 270), centred);
    Label5->setFont(creditFont);

    Label12 = label(this, QStringLiteral("Label12"), QStringLiteral("eMail:"),
                    QRect(120, 2790, 3435, 240), centred);

    greyFrames_ << Twips::rect(240, 3075, 3195, 420);
    Labelemail = new LinkLabel(this);
    Labelemail->setObjectName(QStringLiteral("Labelemail"));
    Labelemail->setText(Maker::mailAddress());
    Labelemail->setGeometry(Twips::rect(300, 3165, 3075, 240));
    Labelemail->setAlignment(centred);
    Labelemail->setToolTip(QStringLiteral("eMail schreiben"));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(Twips::rect(1275, 3780, 1125, 420));
    cmdOK->setDefault(true);

    // The whole box is framed; drawn last so that it sits round everything.
    greyFrames_ << rect();

    connect(Labelurl, &LinkLabel::clicked, this, [this] { Labelurl_Click(); });
    connect(Labelemail, &LinkLabel::clicked, this, [this] { Labelemail_Click(); });
    // "OK" and Enter accept, Esc rejects: either way the box closes.
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    Form_Load();
    cmdOK->setFocus();
}

void frmAbout::Form_Load() {
    Label9->setText(QStringLiteral("QuenDal"));
    const QVersionNumber version =
        QVersionNumber::fromString(QCoreApplication::applicationVersion());
    Label2->setText(QString::number(version.majorVersion()) + QLatin1Char('.') +
                    QString::number(version.minorVersion()));
}

void frmAbout::Labelurl_Click() {
    OpenURL(Labelurl->text());
}

void frmAbout::Labelemail_Click() {
    SendMail(Labelemail->text(), QString());
}

void frmAbout::OpenURL(const QString& address) {
    const BusyPointer busy;
    Shell::open(QUrl(address));
}

void frmAbout::SendMail(const QString& address, const QString& subject) {
    const BusyPointer busy;
    // Taken as it stands: neither the address nor the subject is encoded here.
    QString target = QStringLiteral("mailto:") + address;
    if (!subject.isEmpty())
        target += QStringLiteral("?subject=") + subject;
    Shell::open(QUrl(target));
}

void frmAbout::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(OleColor::toQColor(FrameGrey), 1));
    painter.setBrush(Qt::NoBrush);
    for (const QRect& frame : greyFrames_)
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
}
