#include "DialogTests.h"
#include "FakePortal.h"
#include "TestMain.h"

#include "components/PictureButton.h"
#include "components/clsToolTipDeluxe.h"
#include "dialogs/frmarc.h"
#include "platform/PortalColorPicker.h"
#include "settings/Settings.h"
#include "sound/Sounds.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <memory>

namespace {

// Sends a mouse event to w whose pointer stands at the global point.
void mouse(QWidget* w, QEvent::Type type, const QPoint& global, Qt::MouseButton button,
           Qt::MouseButtons buttons) {
    const QPointF local = w->mapFromGlobal(global);
    QMouseEvent event(type, local, local, QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

QPoint centreOf(const QWidget* w) {
    return w->mapToGlobal(w->rect().center());
}

} // namespace

class TstFrmarc : public QObject {
    Q_OBJECT

private:
    Settings settings_;
    std::unique_ptr<Sounds> sounds_;
    QStringList played_;
    int farbesetzenCalls_ = 0;
    Settings atFarbesetzen_;
    std::unique_ptr<frmarc> dlg_;

    frmarc& make() {
        dlg_ = std::make_unique<frmarc>(settings_, *sounds_, [this] {
            ++farbesetzenCalls_;
            atFarbesetzen_ = settings_;
        });
        return *dlg_;
    }

    // Opens the dialog on page, runs body in it and closes it if body did not.
    DialogTests::ModalRun run(int page, const std::function<void()>& body) {
        frmarc& d = make();
        return DialogTests::runModal(
            d, [&] { return d.showModal(page); }, body);
    }

    // The dialog shown (not modal) at a fixed place, for pointer work.
    frmarc& shown() {
        frmarc& d = make();
        d.move(0, 200);
        d.show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(&d)); }();
        return d;
    }

private slots:
    void init() {
        settings_ = Settings::defaults();
        settings_.Benutzer = QStringLiteral("Anna");
        settings_.Farbwert1 = 0x123456;
        settings_.Tdauer = 7;
        settings_.CheckFehlermeldung = false;
        sounds_ = std::make_unique<Sounds>(settings_);
        played_.clear();
        sounds_->player = [this](const QString& name) { played_ << name; };
        farbesetzenCalls_ = 0;
    }

    void cleanup() {
        dlg_.reset();
        sounds_.reset();
    }

    void design() {
        frmarc& d = make();
        QCOMPARE(d.windowTitle(), QStringLiteral("Einstellungen"));
        QCOMPARE(d.size(), QSize(791, 305)); // 11865 x 4575 twips
        QVERIFY(DialogTests::fixedWithCloseBoxOnly(d));
        QCOMPARE(d.SSTab1->count(), 4);
        const QStringList pages{"Audio", "Reminder", "Farbdesign", "Verschiedenes"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(d.SSTab1->tabText(i), pages.at(i));
        QCOMPARE(d.Command14->text(), QStringLiteral("OK"));
        QVERIFY(d.Command14->isDefault());
        QCOMPARE(d.Command7->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(d.Command7->toolTip(), QStringLiteral("Beenden"));
        QVERIFY(DialogTests::captionFits(d.Command7));

        const QList<std::pair<QLabel*, const char*>> bold{
            {d.Label4, "Hier können Sie die akustische Unterstützung (Maschinengeräusch, "
                       "Fehlermeldung) abschalten."},
            {d.Label9, "1.Hier stellen Sie die gewünschte Übungszeit ein."},
            {d.Label2, "2.Gestartet wird der Reminder mit dem             Button:"},
            {d.Label8, "Nach Ablauf der eingestellten Zeit werden Sie durch ein Signal  "
                       "erinnert."},
            {d.Label7, "Hier können Sie das Farbdesign Ihrem persönlichen Geschmack anpassen."},
            {d.Label3, "Tragen  Sie hier Ihren Namen ein. Er erscheint dann bei Programmstart "
                       "in der Titelleiste."},
            {d.Label5, "Hier können Sie die Anzeige der Tips und Tricks aktivieren."},
            {d.Label1, "Hier können Sie die \"Dino\" - Animation aktivieren."},
            {d.lblZeit, "7 min"}};
        for (const auto& [label, text] : bold) {
            QCOMPARE(label->text(), QString::fromUtf8(text));
            QVERIFY2(label->font().bold(), text);
            QCOMPARE(label->font().pointSizeF(), 8.25);
            QVERIFY2(DialogTests::textFits(label), text);
            QCOMPARE(label->textFormat(), Qt::PlainText);
        }
        const QList<std::pair<QLabel*, const char*>> plain{
            {d.Label6, "Signaltest:"},         {d.Label13, "Benutzen Sie die Pipette mit der Maus"},
            {d.Label14, "Originalfarbe !"},    {d.Label15[0], "Farbvorschlag 1"},
            {d.Label15[1], "Farbvorschlag 2"}, {d.Label15[2], "Farbkreis"}};
        for (const auto& [label, text] : plain) {
            QCOMPARE(label->text(), QString::fromUtf8(text));
            QVERIFY(!label->font().bold());
            QVERIFY2(DialogTests::textFits(label), text);
        }
        // The reminder button stands in the gap of the sentence, between its words.
        const QFontMetrics fm(d.Label2->font());
        const QString head = QStringLiteral("2.Gestartet wird der Reminder mit dem");
        const int gapLeft = d.Label2->x() + fm.horizontalAdvance(head);
        const int gapRight = d.Label2->x() + fm.horizontalAdvance(head + QString(13, u' '));
        QVERIFY(d.Command2->x() >= gapLeft && d.Command2->geometry().right() < gapRight);
        QCOMPARE(d.Command2->backColor(), quint32(0x80FF80));
        QCOMPARE(d.Command2->toolTip(), QStringLiteral("Reminder "));
        QCOMPARE(d.Command10->toolTip(), QStringLiteral("Signaltest"));

        const QList<std::pair<QCheckBox*, const char*>> checks{
            {d.Check4, " Maschinengeräusch"},
            {d.Check3, "Fehlermeldung"},
            {d.Check1, "Tips und Tricks anzeigen"},
            {d.Check5, "Animation"}};
        for (const auto& [box, text] : checks)
            QCOMPARE(box->text(), QString::fromUtf8(text));
        QCOMPARE(d.Check4->toolTip(), QString::fromUtf8("Maschinengeräusch"));
        QCOMPARE(d.Check3->toolTip(), QStringLiteral("Fehlermeldung"));
        QCOMPARE(d.Check1->toolTip(), QStringLiteral("Animation"));
        QCOMPARE(d.Check5->toolTip(), QStringLiteral("Animation"));
        QCOMPARE(d.Slider2->toolTip(),
                 QString::fromUtf8("Hier die gewünschte Trainingsdauer einstellen."));
        QCOMPARE(d.Picture1->toolTip(), QStringLiteral("Vorschaufenster"));
        QCOMPARE(d.Image1->toolTip(), QStringLiteral("Dino"));
        QCOMPARE(d.Text5->font().pointSizeF(), 9.75);
        QVERIFY(d.Text5->font().bold());
        QCOMPARE(d.Image2->size(), QSize(91, 90));
        QCOMPARE(d.Slider2->minimum(), 1);
        QCOMPARE(d.Slider2->maximum(), 60);
        QCOMPARE(d.Slider2->singleStep(), 1);
        QCOMPARE(d.Slider2->pageStep(), 1);
        QCOMPARE(d.lblZeit->palette().color(QPalette::Window), QColor(0xE0, 0xE0, 0xE0));
        QVERIFY(d.lblZeit->frameShape() == QFrame::Box);

        // The swatches in their colours, 0x00BBGGRR.
        QCOMPARE(d.Shape1->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xFF));
        QCOMPARE(d.Shape2->palette().color(QPalette::Window), QColor(0xD4, 0xD0, 0xC8));
        QCOMPARE(d.Shape3->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
    }

    void loadsTheSettings() {
        settings_.CheckLoadTips = false;
        settings_.checkDino = true;
        settings_.CheckGeraeusch = true;
        frmarc& d = make();
        QCOMPARE(d.Text5->text(), QStringLiteral("Anna"));
        QVERIFY(!d.Check1->isChecked());
        QVERIFY(!d.Check3->isChecked());
        QVERIFY(d.Check4->isChecked());
        QVERIFY(d.Check5->isChecked());
        QCOMPARE(d.Picture1->palette().color(QPalette::Window), QColor(0x56, 0x34, 0x12));
        QCOMPARE(d.Slider2->value(), 7);
    }

    void pageFromCaller_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Audio") << 0 << "Audio";
        QTest::newRow("Reminder") << 1 << "Reminder";
        QTest::newRow("Farbe") << 2 << "Farbdesign";
        QTest::newRow("Verschiedenes") << 3 << "Verschiedenes";
    }

    void pageFromCaller() {
        QFETCH(int, page);
        QFETCH(QString, caption);
        QString shownPage;
        const auto r = run(page, [&] {
            shownPage = dlg_->SSTab1->tabText(dlg_->SSTab1->currentIndex());
            QVERIFY(dlg_->isModal());
        });
        QVERIFY(r.ran);
        QCOMPARE(shownPage, caption);
    }

    void okWithoutChanges() {
        const Settings before = settings_;
        const auto r = run(0, [&] { QTest::keyClick(dlg_.get(), Qt::Key_Return); });
        QVERIFY(!r.stillOpen);
        QCOMPARE(r.result, int(QDialog::Accepted));
        QCOMPARE(farbesetzenCalls_, 1);
        QCOMPARE(settings_.Benutzer, before.Benutzer);
        QCOMPARE(settings_.CheckLoadTips, before.CheckLoadTips);
        QCOMPARE(settings_.CheckFehlermeldung, before.CheckFehlermeldung);
        QCOMPARE(settings_.CheckGeraeusch, before.CheckGeraeusch);
        QCOMPARE(settings_.checkDino, before.checkDino);
        QCOMPARE(settings_.Farbwert1, 0x123456);
        QCOMPARE(settings_.Tdauer, qint16(7));
    }

    void okTakesEveryValueBeforeFarbesetzen() {
        const auto r = run(3, [&] {
            dlg_->Text5->clear();
            QTest::mouseClick(dlg_->Check1, Qt::LeftButton);
            dlg_->Check3->setChecked(true);
            dlg_->Check4->setChecked(false);
            dlg_->Check5->setChecked(false);
            dlg_->Slider2->setValue(60);
            QTest::mouseClick(dlg_->Command14, Qt::LeftButton);
        });
        QVERIFY(!r.stillOpen);
        QCOMPARE(farbesetzenCalls_, 1);
        QCOMPARE(atFarbesetzen_.Benutzer, QString()); // the empty name is taken too
        QVERIFY(!atFarbesetzen_.CheckLoadTips);
        QVERIFY(atFarbesetzen_.CheckFehlermeldung);
        QVERIFY(!atFarbesetzen_.CheckGeraeusch);
        QVERIFY(!atFarbesetzen_.checkDino);
        QCOMPARE(atFarbesetzen_.Tdauer, qint16(60));
    }

    void waysOutTakeNothing_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("Abbrechen") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("close box") << 2;
    }

    void waysOutTakeNothing() {
        QFETCH(int, way);
        const Settings before = settings_;
        const auto r = run(2, [&] {
            dlg_->Text5->setText(QStringLiteral("Berta"));
            dlg_->Slider2->setValue(30);
            dlg_->Check5->setChecked(!dlg_->Check5->isChecked());
            if (way == 0)
                QTest::mouseClick(dlg_->Command7, Qt::LeftButton);
            else if (way == 1)
                QTest::keyClick(dlg_.get(), Qt::Key_Escape);
            else
                dlg_->close();
        });
        QVERIFY(!r.stillOpen);
        QCOMPARE(r.result, int(QDialog::Rejected));
        QCOMPARE(farbesetzenCalls_, 0);
        QCOMPARE(settings_.Benutzer, before.Benutzer);
        QCOMPARE(settings_.Tdauer, before.Tdauer);
        QCOMPARE(settings_.checkDino, before.checkDino);
    }

    void sliderShowsMinutes_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1") << 1 << 1 << "1 min";
        QTest::newRow("60") << 60 << 60 << "60 min";
        QTest::newRow("0 clamped") << 0 << 1 << "1 min";
        QTest::newRow("-5 clamped") << -5 << 1 << "1 min";
        QTest::newRow("500 clamped") << 500 << 60 << "60 min";
    }

    void sliderShowsMinutes() {
        QFETCH(int, stored);
        QFETCH(int, value);
        QFETCH(QString, shown);
        settings_.Tdauer = qint16(stored);
        const auto r = run(1, [&] { QTest::keyClick(dlg_->Command14, Qt::Key_Return); });
        Q_UNUSED(r);
        QCOMPARE(settings_.Tdauer, qint16(value));
        frmarc& d = make();
        QCOMPARE(d.lblZeit->text(), shown);
        d.Slider2->setValue(value == 1 ? 60 : 1);
        QCOMPARE(d.lblZeit->text(),
                 value == 1 ? QStringLiteral("60 min") : QStringLiteral("1 min"));
    }

    void signalTestPlaysTheChime() {
        frmarc& d = make();
        QTest::mouseClick(d.Command10, Qt::LeftButton);
        QCOMPARE(played_, QStringList{QStringLiteral("CHIMES2")});
        QTest::mouseClick(d.Command2, Qt::LeftButton); // does nothing
        QCOMPARE(played_.size(), 1);
    }

    // A window of ours in a known colour stands in for the screen.
    void pipettePicksThePixelUnderThePointer() {
        QWidget known;
        known.setWindowFlags(Qt::FramelessWindowHint);
        known.setGeometry(20, 20, 60, 60);
        known.setAutoFillBackground(true);
        QPalette pal = known.palette();
        pal.setColor(QPalette::Window, QColor(0x12, 0x80, 0xEF));
        known.setPalette(pal);
        known.show();
        QVERIFY(QTest::qWaitForWindowExposed(&known));

        frmarc& d = shown();
        d.SSTab1->setCurrentIndex(2);
        QTest::qWait(50);
        QWidget* p2 = d.Picture2;
        mouse(p2, QEvent::MouseButtonPress, centreOf(p2), Qt::LeftButton, Qt::LeftButton);
        QVERIFY(d.Picking);
        QVERIFY(d.hDC);
        mouse(p2, QEvent::MouseMove, QPoint(50, 50), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(d.previewColor(), quint32(0xEF8012));
        QCOMPARE(d.Picture1->palette().color(QPalette::Window), QColor(0x12, 0x80, 0xEF));
        // A second button while picking holds no second access.
        mouse(p2, QEvent::MouseButtonPress, QPoint(50, 50), Qt::RightButton,
              Qt::LeftButton | Qt::RightButton);
        mouse(p2, QEvent::MouseButtonRelease, QPoint(50, 50), Qt::RightButton, Qt::LeftButton);
        QVERIFY(d.Picking);
        // The original colour's swatch, in the dialog itself.
        mouse(p2, QEvent::MouseMove, centreOf(d.Shape1), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(d.previewColor(), quint32(0xFFC0C0));
        mouse(p2, QEvent::MouseMove, centreOf(d.Shape2), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(d.previewColor(), quint32(0xC8D0D4));
        mouse(p2, QEvent::MouseMove, centreOf(d.Shape3), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(d.previewColor(), quint32(0xC0C0C0));
        mouse(p2, QEvent::MouseMove, centreOf(d.Shape1), Qt::NoButton, Qt::LeftButton);
        mouse(p2, QEvent::MouseButtonRelease, centreOf(d.Shape1), Qt::LeftButton, Qt::NoButton);
        QVERIFY(!d.Picking);
        QVERIFY(!d.hDC);
        QVERIFY(!d.Picture2->pixmap().isNull());
        // Moving without the button picks nothing.
        mouse(p2, QEvent::MouseMove, QPoint(50, 50), Qt::NoButton, Qt::NoButton);
        QCOMPARE(d.previewColor(), quint32(0xFFC0C0));
        QTest::mouseClick(d.Command14, Qt::LeftButton);
        QCOMPARE(settings_.Farbwert1, 0xFFC0C0);
        QCOMPARE(farbesetzenCalls_, 1);
    }

    void cancelAfterPickKeepsTheColour() {
        frmarc& d = shown();
        d.SSTab1->setCurrentIndex(2);
        QTest::qWait(50);
        QWidget* p2 = d.Picture2;
        mouse(p2, QEvent::MouseButtonPress, centreOf(p2), Qt::LeftButton, Qt::LeftButton);
        mouse(p2, QEvent::MouseMove, centreOf(d.Shape3), Qt::NoButton, Qt::LeftButton);
        mouse(p2, QEvent::MouseButtonRelease, centreOf(d.Shape3), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(d.previewColor(), quint32(0xC0C0C0));
        QTest::mouseClick(d.Command7, Qt::LeftButton);
        QCOMPARE(settings_.Farbwert1, 0x123456);
        QCOMPARE(make().previewColor(), quint32(0x123456));
    }

    // Where the screen cannot be read, the desktop's picker answers instead of the drag.
    void pipetteThroughThePortal_data() {
        QTest::addColumn<bool>("portalRuns");
        QTest::addColumn<uint>("response");
        QTest::addColumn<bool>("drags");
        QTest::addColumn<quint32>("preview");
        QTest::newRow("picked") << true << 0u << false << quint32(0xFF4080);
        QTest::newRow("cancelled") << true << 1u << false << quint32(0x123456);
        QTest::newRow("no portal: the drag") << false << 0u << true << quint32(0x123456);
    }

    void pipetteThroughThePortal() {
        QFETCH(bool, portalRuns);
        QFETCH(uint, response);
        QFETCH(bool, drags);
        QFETCH(quint32, preview);
        FakePortal portal;
        QVERIFY(portal.isRunning());
        if (portalRuns)
            QVERIFY(portal.serve(2));
        portal.setAnswer(
            {response, {{QStringLiteral("color"), FakePortal::color(0.5, 0.25, 1.0)}}});
        frmarc& d = shown();
        d.SSTab1->setCurrentIndex(2);
        d.portalPicker = std::make_unique<PortalColorPicker>(portal.clientBus());
        QWidget* p2 = d.Picture2;
        mouse(p2, QEvent::MouseButtonPress, centreOf(p2), Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(d.Picking, drags);
        QCOMPARE(bool(d.hDC), drags);
        QCOMPARE(d.portalPicker->busy(), !drags);
        mouse(p2, QEvent::MouseButtonRelease, centreOf(p2), Qt::LeftButton, Qt::NoButton);
        QTRY_VERIFY(!d.portalPicker->busy());
        QCOMPARE(d.previewColor(), preview);
        QCOMPARE(portal.requests().size(), portalRuns ? 1 : 0);
        QTest::mouseClick(d.Command14, Qt::LeftButton);
        QCOMPARE(settings_.Farbwert1, qint32(preview));
    }

    void pipetteTip() {
        frmarc& d = shown();
        d.SSTab1->setCurrentIndex(2);
        clsToolTipDeluxe& tip = *d.PipetteTip;
        QVERIFY(tip.hTip());
        QCOMPARE(tip.maxTipWidth(), 400);
        QCOMPARE(tip.initialDelay(), 200);
        QCOMPARE(tip.autoPopTime(), 10000);
        QPointer<QWidget> window = tip.hTip();
        QCOMPARE(window->parentWidget(), &d);

        // Hovering picks nothing but dresses the tip: title, icon, system colours.
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(centreOf(d.Picture2)));
        QApplication::sendEvent(d.Picture2, &enter);
        mouse(d.Picture2, QEvent::MouseMove, centreOf(d.Picture2), Qt::NoButton, Qt::NoButton);
        QCOMPARE(d.previewColor(), quint32(0x123456));
        QTest::qWait(120);
        QVERIFY(!window->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(window->isVisible(), 1000);
        const QImage shot = window->grab().toImage();
        const QColor tipBack = QApplication::palette().color(QPalette::ToolTipBase);
        QCOMPARE(QColor(shot.pixel(shot.width() / 2, shot.height() - 4)), tipBack);

        d.reject();
        QVERIFY(!window); // destroyed with the closing
    }
};

QUENDAL_TEST(TstFrmarc)
#include "tst_frmarc.moc"
