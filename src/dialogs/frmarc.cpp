#include "frmarc.h"

#include "SettingsPictures.h"
#include "components/DialogLook.h"
#include "components/PictureButton.h"
#include "components/clsToolTipDeluxe.h"
#include "platform/OleColor.h"
#include "platform/PortalColorPicker.h"
#include "platform/ScreenPixel.h"
#include "platform/Twips.h"
#include "settings/Settings.h"
#include "sound/Sounds.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

namespace {

// Controls on the pages are placed in pixels.
QLabel* label(QWidget* page, const char* name, const QString& text, const QRect& r,
              bool bold = false) {
    auto* l = new QLabel(page);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    l->setGeometry(r);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (bold)
        l->setFont(DialogLook::msSansSerif(8.25, true));
    return l;
}

QCheckBox* checkBox(QWidget* page, const char* name, const QString& text, const QString& tip,
                    const QRect& r) {
    auto* c = new QCheckBox(text, page);
    c->setObjectName(QLatin1String(name));
    c->setToolTip(tip);
    c->setGeometry(r);
    return c;
}

QFrame* line(QWidget* page, const QRect& r) {
    auto* l = new QFrame(page);
    l->setFrameShape(r.width() > r.height() ? QFrame::HLine : QFrame::VLine);
    l->setFrameShadow(QFrame::Sunken);
    l->setGeometry(r);
    return l;
}

QFrame* colourBox(QWidget* page, const char* name, quint32 ole, const QRect& r) {
    auto* box = new QFrame(page);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(r);
    DialogLook::setBackColor(box, ole);
    return box;
}

} // namespace

frmarc::frmarc(Settings& settings, Sounds& sounds, std::function<void()> farbesetzen,
               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      settings_(settings), sounds_(sounds), farbesetzen_(std::move(farbesetzen)) {
    setObjectName(QStringLiteral("frmarc"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setFont(DialogLook::msSansSerif(8.25));
    setFixedSize(Twips::toPixels(11865), Twips::toPixels(4575));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setGeometry(8, 8, width() - 16, 248);
    auto* audio = new QWidget;
    auto* reminder = new QWidget;
    auto* colours = new QWidget;
    auto* misc = new QWidget;
    SSTab1->addTab(audio, QStringLiteral("Audio"));
    SSTab1->addTab(reminder, QStringLiteral("Reminder"));
    SSTab1->addTab(colours, QStringLiteral("Farbdesign"));
    SSTab1->addTab(misc, QStringLiteral("Verschiedenes"));

    // "Audio"
    Label4 = label(audio, "Label4",
                   QString::fromUtf8("Hier können Sie die akustische Unterstützung "
                                     "(Maschinengeräusch, Fehlermeldung) abschalten."),
                   QRect(16, 16, 740, 18), true);
    Check4 = checkBox(audio, "Check4", QString::fromUtf8(" Maschinengeräusch"),
                      QString::fromUtf8("Maschinengeräusch"), QRect(40, 56, 250, 22));
    Check3 = checkBox(audio, "Check3", QStringLiteral("Fehlermeldung"),
                      QStringLiteral("Fehlermeldung"), QRect(40, 86, 250, 22));

    // "Reminder"
    Label9 = label(reminder, "Label9",
                   QString::fromUtf8("1.Hier stellen Sie die gewünschte Übungszeit ein."),
                   QRect(16, 12, 600, 18), true);
    Slider2 = new QSlider(Qt::Horizontal, reminder);
    Slider2->setObjectName(QStringLiteral("Slider2"));
    Slider2->setGeometry(40, 36, 420, 32);
    Slider2->setRange(1, 60);
    Slider2->setSingleStep(1);
    Slider2->setPageStep(1);
    Slider2->setTickPosition(QSlider::TicksBelow);
    Slider2->setTickInterval(1);
    Slider2->setToolTip(QString::fromUtf8("Hier die gewünschte Trainingsdauer einstellen."));
    lblZeit = label(reminder, "lblZeit", QString(), QRect(480, 40, 70, 22), true);
    lblZeit->setAlignment(Qt::AlignCenter);
    lblZeit->setFrameStyle(QFrame::Box | QFrame::Plain);
    DialogLook::setBackColor(lblZeit, OleColor::LightGrey);
    const QString before = QStringLiteral("2.Gestartet wird der Reminder mit dem");
    const QString gap(13, QLatin1Char(' '));
    Label2 = label(reminder, "Label2", before + gap + QStringLiteral("Button:"),
                   QRect(16, 92, 600, 18), true);
    {
        // The button stands in the gap the blanks leave in the sentence.
        const QFontMetrics fm(Label2->font());
        const int gapWidth = fm.horizontalAdvance(gap);
        const int w = std::max(24, gapWidth - 4);
        const int x = Label2->x() + fm.horizontalAdvance(before) + (gapWidth - w) / 2;
        Command2 = new PictureButton(SettingsPictures::clock, 0x80FF80, reminder);
        Command2->setGeometry(x, Label2->geometry().center().y() - 14, w, 28);
    }
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setToolTip(QStringLiteral("Reminder "));
    Label8 = label(reminder, "Label8",
                   QStringLiteral("Nach Ablauf der eingestellten Zeit werden Sie durch ein "
                                  "Signal  erinnert."),
                   QRect(16, 130, 740, 18), true);
    Label6 = label(reminder, "Label6", QStringLiteral("Signaltest:"), QRect(16, 170, 70, 18));
    Command10 = new PictureButton(SettingsPictures::bell, OleColor::ButtonFace, reminder);
    Command10->setObjectName(QStringLiteral("Command10"));
    Command10->setGeometry(90, 162, 37, 33);
    Command10->setToolTip(QStringLiteral("Signaltest"));

    // "Farbdesign"
    Label7 = label(
        colours, "Label7",
        QString::fromUtf8("Hier können Sie das Farbdesign Ihrem persönlichen Geschmack anpassen."),
        QRect(16, 12, 740, 18), true);
    Picture1 = colourBox(colours, "Picture1", OleColor::Neutral, QRect(40, 44, 130, 110));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setToolTip(QStringLiteral("Vorschaufenster"));
    Picture2 = new QLabel(colours);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(192, 44, 34, 34);
    Picture2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Picture2->setAlignment(Qt::AlignCenter);
    Picture2->setPixmap(SettingsPictures::pipette());
    Picture2->setMouseTracking(true);
    Picture2->installEventFilter(this);
    Label13 = label(colours, "Label13", QStringLiteral("Benutzen Sie die Pipette mit der Maus"),
                    QRect(234, 52, 224, 18));
    line(colours, QRect(468, 40, 2, 150));
    Shape4 = new QFrame(colours);
    Shape4->setObjectName(QStringLiteral("Shape4"));
    Shape4->setGeometry(490, 44, 93, 92);
    Shape4->setFrameStyle(QFrame::Box | QFrame::Plain);
    Image2 = new QLabel(Shape4);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(1, 1, 91, 90);
    Image2->setPixmap(QPixmap::fromImage(
        SettingsPictures::colourWheel(91, 90, colours->palette().color(QPalette::Window))));
    Label15[2] = label(colours, "Label15_2", QStringLiteral("Farbkreis"), QRect(490, 140, 93, 18));
    Label15[2]->setAlignment(Qt::AlignCenter);
    line(colours, QRect(598, 40, 2, 150));
    Shape1 = colourBox(colours, "Shape1", 0xFFC0C0, QRect(614, 40, 40, 32));
    Shape2 = colourBox(colours, "Shape2", 0xFFC0C0, QRect(614, 84, 40, 32));
    Shape3 = colourBox(colours, "Shape3", 0xFFC0C0, QRect(614, 128, 40, 32));
    Label14 = label(colours, "Label14", QStringLiteral("Originalfarbe !"), QRect(662, 47, 96, 18));
    Label15[0] =
        label(colours, "Label15_0", QStringLiteral("Farbvorschlag 1"), QRect(662, 91, 96, 18));
    Label15[1] =
        label(colours, "Label15_1", QStringLiteral("Farbvorschlag 2"), QRect(662, 135, 96, 18));

    // "Verschiedenes"
    Label3 = label(misc, "Label3",
                   QStringLiteral("Tragen  Sie hier Ihren Namen ein. Er erscheint dann bei "
                                  "Programmstart in der Titelleiste."),
                   QRect(16, 10, 740, 18), true);
    Text5 = new QLineEdit(misc);
    Text5->setObjectName(QStringLiteral("Text5"));
    Text5->setGeometry(40, 32, 260, 24);
    Text5->setFont(DialogLook::msSansSerif(9.75, true));
    line(misc, QRect(16, 66, 740, 2));
    Label5 = label(misc, "Label5",
                   QString::fromUtf8("Hier können Sie die Anzeige der Tips und Tricks aktivieren."),
                   QRect(16, 76, 600, 18), true);
    Check1 = checkBox(misc, "Check1", QStringLiteral("Tips und Tricks anzeigen"),
                      QStringLiteral("Animation"), QRect(40, 98, 250, 22));
    line(misc, QRect(16, 128, 740, 2));
    Label1 = label(misc, "Label1",
                   QString::fromUtf8("Hier können Sie die \"Dino\" - Animation aktivieren."),
                   QRect(16, 138, 600, 18), true);
    Check5 = checkBox(misc, "Check5", QStringLiteral("Animation"), QStringLiteral("Animation"),
                      QRect(40, 160, 250, 22));
    Image1 = new QLabel(misc);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(320, 150, 32, 32);
    Image1->setPixmap(SettingsPictures::dino());
    Image1->setToolTip(QStringLiteral("Dino"));
    line(misc, QRect(16, 192, 740, 2));

    Command14 = new QPushButton(QStringLiteral("OK"), this);
    Command14->setObjectName(QStringLiteral("Command14"));
    Command14->setGeometry(width() - 216, 266, 97, 29);
    Command14->setDefault(true);
    Command7 = new QPushButton(QStringLiteral("Abbrechen"), this);
    Command7->setObjectName(QStringLiteral("Command7"));
    Command7->setGeometry(width() - 108, 266, 97, 29);
    Command7->setToolTip(QStringLiteral("Beenden"));

    connect(Command14, &QPushButton::clicked, this, [this] { Command14_Click(); });
    // Esc, the close box and "Abbrechen" take nothing.
    connect(Command7, &QPushButton::clicked, this, &QDialog::reject);
    connect(Slider2, &QSlider::valueChanged, this, [this] { Slider2_Change(); });
    connect(Command10, &QAbstractButton::clicked, this,
            [this] { sounds_.PlayResSound(QStringLiteral("CHIMES2")); });
    // The reminder's own button lives in the main window; this one only shows it.

    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        portalPicker = std::make_unique<PortalColorPicker>();

    Form_Load();
}

frmarc::~frmarc() = default;

int frmarc::showModal(int page) {
    SSTab1->setCurrentIndex(page);
    return exec();
}

void frmarc::Form_Load() {
    PipetteTip = std::make_unique<clsToolTipDeluxe>();
    PipetteTip->Create(this, true, true);
    PipetteTip->MaxWidth(400);
    PipetteTip->VisibleTime(10000);
    PipetteTip->DelayTime(200);
    PipetteTip->AddControl(Picture2,
                           QString::fromUtf8("Klicken Sie die Pipette mit der linken Maustaste\r\n"
                                             "und halten Sie die Taste gedrückt.\r\n"
                                             "Führen Sie die Pipette auf eine beliebige Farbe.\r\n"
                                             "Dann die Maustaste einfach loslassen."),
                           false);

    DialogLook::setBackColor(Shape2, 0xC8D0D4);
    DialogLook::setBackColor(Shape3, 0xC0C0C0);

    Text5->setText(settings_.Benutzer);
    Check1->setChecked(settings_.CheckLoadTips);
    Check3->setChecked(settings_.CheckFehlermeldung);
    Check4->setChecked(settings_.CheckGeraeusch);
    Check5->setChecked(settings_.checkDino);
    setPreview(quint32(settings_.Farbwert1));
    // The slider holds 1 to 60 only: a period outside that is taken at the nearer end.
    Slider2->setValue(settings_.Tdauer);
    Slider2_Change();
}

void frmarc::setPreview(quint32 ole) {
    previewColor_ = ole;
    DialogLook::setBackColor(Picture1, ole);
}

void frmarc::Command14_Click() {
    settings_.Benutzer = Text5->text();
    settings_.CheckLoadTips = Check1->isChecked();
    settings_.CheckFehlermeldung = Check3->isChecked();
    settings_.CheckGeraeusch = Check4->isChecked();
    settings_.checkDino = Check5->isChecked();
    settings_.Farbwert1 = qint32(previewColor_);
    settings_.Tdauer = qint16(Slider2->value());
    if (farbesetzen_)
        farbesetzen_();
    accept();
}

void frmarc::Slider2_Change() {
    lblZeit->setText(QString::number(Slider2->value()) + QStringLiteral(" min"));
}

void frmarc::done(int result) {
    // However the dialog closes: end a pick still under way and take the tip window with it.
    if (Picking)
        Picture2_MouseUp();
    if (PipetteTip)
        PipetteTip->Destroy();
    QDialog::done(result);
}

bool frmarc::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Picture2) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            Picture2_MouseDown();
            return true;
        case QEvent::MouseMove:
            Picture2_MouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
            return true;
        case QEvent::MouseButtonRelease:
            // The pick ends when the last button is let go.
            if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
                Picture2_MouseUp();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmarc::Picture2_MouseDown() {
    // The desktop's picker answers when the user has chosen; only one of its picks at a time.
    if (portalPicker && (portalPicker->busy() || portalPicker->available())) {
        portalPicker->pick(PortalColorPicker::parentWindowId(window()->windowHandle()),
                           [this](std::optional<QColor> color) {
                               if (color)
                                   setPreview(OleColor::fromQColor(*color));
                           });
        return;
    }
    // A second button while picking goes on with the access already held.
    if (!hDC)
        hDC = std::make_unique<ScreenPixel>();
    // The pipette leaves its box and becomes the pointer; the box keeps the mouse, so the
    // moves keep coming wherever the pointer goes.
    Picture2->setPixmap(QPixmap());
    Picture2->grabMouse(SettingsPictures::pipetteCursor());
    setCursor(SettingsPictures::pipetteCursor());
    Picking = true;
}

void frmarc::Picture2_MouseMove(const QPoint& position) {
    if (Picking && hDC) {
        // A point no screen covers leaves the colour as it was.
        if (const auto color = hDC->at(Picture2->mapToGlobal(position)))
            setPreview(OleColor::fromQColor(*color));
    }
    PipetteTip->ToolTipBackColor(ResolveOleColor(0x80000018));
    PipetteTip->ToolTipTextColor(ResolveOleColor(0x80000017));
    PipetteTip->SetToolTipTitle(QStringLiteral("Information"), 1);
}

void frmarc::Picture2_MouseUp() {
    Picking = false;
    Picture2->releaseMouse();
    unsetCursor();
    Picture2->setPixmap(SettingsPictures::pipette());
    hDC.reset();
}

quint32 frmarc::ResolveOleColor(quint32 color) {
    if (OleColor::isSystemColor(color))
        return OleColor::fromQColor(OleColor::toQColor(color));
    return color;
}
