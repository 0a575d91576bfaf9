#include "frmTip.h"

#include "components/DialogLook.h"
#include "platform/Database.h"
#include "platform/OleColor.h"
#include "platform/RecordSet.h"
#include "platform/Twips.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace {

// Where the tip is written on the card, in the card's pixels.
const QRect TipArea(92, 26, 312, 188);

// The card the tips are written on: a warm paper background, a light bulb, and a white sheet
// under the text.
QPixmap tipCard() {
    QImage image(428, 246, QImage::Format_RGB888);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient paper(0, 0, 0, image.height());
    paper.setColorAt(0, QColor(255, 247, 214));
    paper.setColorAt(1, QColor(240, 214, 140));
    painter.fillRect(image.rect(), paper);
    painter.setPen(QPen(QColor(150, 115, 50), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(image.rect()).adjusted(1, 1, -1, -1));

    // The sheet with its shadow.
    const QRect sheet = TipArea.adjusted(-8, -8, 8, 8);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawRect(sheet.translated(4, 4));
    painter.setBrush(Qt::white);
    painter.setPen(QPen(QColor(150, 115, 50), 1));
    painter.drawRect(sheet);

    // The bulb: glass, rays, screw base.
    const QPointF centre(44, 62);
    painter.setPen(QPen(QColor(230, 160, 0), 2.5));
    for (int i = 0; i < 8; ++i) {
        const QLineF ray = QLineF::fromPolar(34, 22.5 + i * 45.0).translated(centre);
        painter.drawLine(QLineF(ray.pointAt(0.72), ray.p2()));
    }
    QPainterPath glass;
    glass.addEllipse(centre, 19, 19);
    glass.addRect(QRectF(centre.x() - 9, centre.y() + 8, 18, 16));
    painter.setPen(QPen(QColor(110, 80, 20), 1.5));
    QRadialGradient glow(centre - QPointF(6, 6), 24);
    glow.setColorAt(0, QColor(255, 255, 220));
    glow.setColorAt(1, QColor(255, 215, 60));
    painter.setBrush(glow);
    painter.drawPath(glass.simplified());
    painter.setBrush(QColor(150, 150, 150));
    for (int i = 0; i < 3; ++i)
        painter.drawRoundedRect(QRectF(centre.x() - 10, centre.y() + 25 + i * 6, 20, 5), 2, 2);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

frmTip::frmTip(const Database& db, Settings& settings, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      db_(db), settings_(settings) {
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(QStringLiteral("Tips und Tricks"));
    setModal(false);
    setFont(DialogLook::msSansSerif(8.25));
    setFixedSize(Twips::toPixels(6990), Twips::toPixels(4710));

    Picture1 =
        DialogLook::label(this, QStringLiteral("Picture1"), QString(), QRect(240, 120, 6495, 3675));
    Picture1->setPixmap(tipCard());

    lblTipText = new QLabel(Picture1);
    lblTipText->setObjectName(QStringLiteral("lblTipText"));
    lblTipText->setGeometry(TipArea);
    lblTipText->setTextFormat(Qt::PlainText); // tips are shown as stored, never as markup
    lblTipText->setWordWrap(true);
    lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTipText->setFont(DialogLook::font(QStringLiteral("Arial"), 9.75));
    DialogLook::setBackColor(lblTipText, OleColor::White);
    DialogLook::setForeColor(lblTipText, OleColor::Black);

    Check1 = new QCheckBox(QStringLiteral("&Tips beim Start anzeigen"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(Twips::rect(240, 4095, 2940, 285));

    cmdNextTip = new QPushButton(QString::fromUtf8("&Nächster Tip"), this);
    cmdNextTip->setObjectName(QStringLiteral("cmdNextTip"));
    cmdNextTip->setGeometry(Twips::rect(3810, 4050, 1425, 390));

    cmdOK = new QPushButton(QString::fromUtf8("&Schließen"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(Twips::rect(5310, 4050, 1425, 390));
    cmdOK->setDefault(true);

    setTabOrder(cmdOK, cmdNextTip);
    setTabOrder(cmdNextTip, Check1);

    connect(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    connect(cmdNextTip, &QPushButton::clicked, this, [this] { ShowNextTip(); });
    // "&Schließen", Enter and Esc close; the window object and its tips stay.
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

void frmTip::showModeless() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    Form_Load();
    show();
    activateWindow();
}

void frmTip::Form_Load() {
    // A fresh opening shows no text until a tip is chosen.
    lblTipText->clear();
    cmdOK->setFocus();
    Check1->setChecked(settings_.CheckLoadTips);
    loadtips();
    ShowNextTip();
}

void frmTip::loadtips() {
    RecordSet rs;
    const bool opened = rs.open(db_, QStringLiteral("SELECT txt FROM tips"));
    Tips.clear();
    if (!opened)
        return;
    if (rs.recordCount() > 0) {
        rs.moveFirst();
        while (!rs.eof()) {
            // A row without a text is no tip: it is left out.
            if (!rs.isNull(QStringLiteral("txt")))
                Tips.append(rs.text(QStringLiteral("txt")));
            rs.moveNext();
        }
    }
    rs.close();
}

void frmTip::DisplayCurrentTip() {
    if (CurrentTip >= 1 && CurrentTip <= Tips.size())
        lblTipText->setText(Tips.at(CurrentTip - 1));
}

void frmTip::ShowNextTip() {
    CurrentTip = CurrentTip + 1;
    if (CurrentTip > Tips.size())
        CurrentTip = 1;
    DisplayCurrentTip();
}

void frmTip::Check1_Click() {
    settings_.CheckLoadTips = Check1->isChecked();
}
