#include "DialogTests.h"
#include "TestMain.h"

#include "dialogs/frmTip.h"
#include "platform/Database.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

const QString T1 = QString::fromUtf8("Übung macht den Meister: täglich zehn Minuten genügen.");
const QString T2 = QStringLiteral("<b>Kein HTML</b> & keine Zeichen verschluckt");
const QString T3 = QStringLiteral("Der Blick bleibt auf dem Bildschirm, nicht auf den Tasten. "
                                  "Auch ein längerer Tip bricht im Fenster um und bleibt lesbar, "
                                  "so wie dieser hier, der über mehrere Zeilen geht.");

} // namespace

class TstFrmTip : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    Database db_;
    Settings settings_;
    std::unique_ptr<QWidget> owner_;
    std::unique_ptr<frmTip> tip_;

    void openOn(const QString& name, const QVariantList& tips) {
        const QString path = DialogTests::makeDb(dir_, name, QStringLiteral("tips"), tips);
        QVERIFY(!path.isEmpty());
        QVERIFY(db_.open(path));
        tip_ = std::make_unique<frmTip>(db_, settings_, owner_.get());
    }

    void show() {
        tip_->showModeless();
        QVERIFY(QTest::qWaitForWindowExposed(tip_.get()));
    }

    void next() { QTest::mouseClick(tip_->cmdNextTip, Qt::LeftButton); }

    QString shown() const { return tip_->lblTipText->text(); }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void init() {
        settings_ = Settings::defaults();
        owner_ = std::make_unique<QWidget>();
        owner_->resize(600, 400);
        owner_->show();
    }

    void cleanup() {
        tip_.reset();
        owner_.reset();
        db_.close();
    }

    void design() {
        openOn(QStringLiteral("design"), {T1, T2, T3});
        frmTip& w = *tip_;
        QCOMPARE(w.windowTitle(), QStringLiteral("Tips und Tricks"));
        QCOMPARE(w.size(), QSize(466, 314)); // 6990 x 4710 twips
        QVERIFY(DialogTests::fixedWithCloseBoxOnly(w));
        QCOMPARE(w.parentWidget(), owner_.get());
        QVERIFY(!w.isModal());

        QCOMPARE(w.Picture1->size(), QSize(433, 245)); // 6495 x 3675 twips
        QVERIFY(w.Picture1->y() < 15);
        QCOMPARE(w.Picture1->pixmap().size(), QSize(428, 246));
        QVERIFY(!w.Picture1->pixmap().hasAlphaChannel());

        QCOMPARE(w.lblTipText->parentWidget(), w.Picture1);
        QVERIFY(w.Picture1->rect().contains(w.lblTipText->geometry()));
        QVERIFY(w.lblTipText->autoFillBackground());
        QCOMPARE(w.lblTipText->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xFF));
        QCOMPARE(w.lblTipText->font().families().value(0), QStringLiteral("Arial"));
        QCOMPARE(w.lblTipText->font().pointSizeF(), 9.75);
        QVERIFY(!w.lblTipText->font().bold());
        QVERIFY(w.lblTipText->wordWrap());
        QCOMPARE(w.lblTipText->textFormat(), Qt::PlainText);
        QCOMPARE(w.lblTipText->text(), QString());

        QCOMPARE(w.Check1->text(), QStringLiteral("&Tips beim Start anzeigen"));
        QCOMPARE(w.cmdNextTip->text(), QString::fromUtf8("&Nächster Tip"));
        QCOMPARE(w.cmdOK->text(), QString::fromUtf8("&Schließen"));
        QVERIFY(w.cmdOK->isDefault());
        QVERIFY(!w.cmdNextTip->isDefault());
        QVERIFY(w.Check1->sizeHint().width() <= w.Check1->width());
        QVERIFY(DialogTests::captionFits(w.cmdNextTip));
        QVERIFY(DialogTests::captionFits(w.cmdOK));
        for (const QWidget* control :
             {static_cast<QWidget*>(w.Check1), static_cast<QWidget*>(w.cmdNextTip),
              static_cast<QWidget*>(w.cmdOK)})
            QVERIFY(control->y() > w.Picture1->geometry().bottom());
        // The check box at the bottom left, the buttons to its right.
        QVERIFY(w.Check1->x() < w.width() / 4);
        QVERIFY(w.cmdNextTip->x() > w.Check1->geometry().right());
        QVERIFY(w.cmdOK->x() > w.cmdNextTip->geometry().right());
        QVERIFY(DialogTests::laidOutCleanly({w.Picture1, w.Check1, w.cmdNextTip, w.cmdOK}));
    }

    void stepsThroughInTableOrder() {
        settings_.CheckLoadTips = true;
        openOn(QStringLiteral("three"), {T1, T2, T3});
        show();
        QCOMPARE(shown(), T1);
        QVERIFY(tip_->Check1->isChecked());
        QCOMPARE(tip_->Tips, (QStringList{T1, T2, T3}));
        const QStringList expected{T2, T3, T1, T2};
        for (const QString& text : expected) {
            next();
            QCOMPARE(shown(), text);
        }
        QCOMPARE(tip_->CurrentTip, 2);
        // A long tip is broken into lines inside the label, not cut off at its right edge.
        next();
        QCOMPARE(shown(), T3);
        QVERIFY(tip_->lblTipText->heightForWidth(tip_->lblTipText->width()) <=
                tip_->lblTipText->height());
    }

    void closingKeepsThePlace_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("Schließen") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("Enter") << 2;
        QTest::newRow("close box") << 3;
    }

    void closingKeepsThePlace() {
        QFETCH(int, way);
        openOn(QStringLiteral("close%1").arg(way), {T1, T2, T3});
        show();
        next();
        QCOMPARE(shown(), T2);
        switch (way) {
        case 0:
            QTest::mouseClick(tip_->cmdOK, Qt::LeftButton);
            break;
        case 1:
            QTest::keyClick(tip_->Check1, Qt::Key_Escape);
            break;
        case 2:
            // Enter closes unless a button other than "&Schließen" has the focus.
            tip_->Check1->setFocus();
            QTest::keyClick(tip_->Check1, Qt::Key_Return);
            break;
        default:
            tip_->close();
        }
        QVERIFY(!tip_->isVisible());
        show();
        QCOMPARE(shown(), T3);
        QCOMPARE(tip_->CurrentTip, 3);
    }

    void enterOnNextButtonShowsNextTip() {
        openOn(QStringLiteral("enter"), {T1, T2, T3});
        show();
        tip_->cmdNextTip->setFocus();
        QTest::keyClick(tip_->cmdNextTip, Qt::Key_Return);
        QVERIFY(tip_->isVisible());
        QCOMPARE(shown(), T2);
    }

    void showingWhileOpenOnlyRaises() {
        const QString path =
            DialogTests::makeDb(dir_, QStringLiteral("raise"), QStringLiteral("tips"), {T1, T2});
        QVERIFY(db_.open(path));
        tip_ = std::make_unique<frmTip>(db_, settings_, owner_.get());
        show();
        next();
        QVERIFY(
            TestSupport::execOn(path, QStringLiteral("INSERT INTO tips (txt) VALUES (?)"), {T3}));
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
        tip_->showModeless();
        QCOMPARE(shown(), T2);
        QCOMPARE(tip_->Tips.size(), 2); // not read again
        tip_->close();
        show();
        QCOMPARE(tip_->Tips.size(), 3); // a new opening reads the table again
        QCOMPARE(shown(), T3);
    }

    void checkBoxSwitchesTheSettingAtOnce_data() {
        QTest::addColumn<bool>("before");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }

    void checkBoxSwitchesTheSettingAtOnce() {
        QFETCH(bool, before);
        settings_.CheckLoadTips = before;
        openOn(QStringLiteral("check%1").arg(before), {T1});
        show();
        QCOMPARE(tip_->Check1->isChecked(), before);
        QTest::mouseClick(tip_->Check1, Qt::LeftButton);
        QCOMPARE(settings_.CheckLoadTips, !before);
        QVERIFY(tip_->isVisible());
        QTest::keyClick(tip_->Check1, Qt::Key_Space);
        QCOMPARE(settings_.CheckLoadTips, before);
    }

    void emptyTable() {
        const QString path =
            DialogTests::makeDb(dir_, QStringLiteral("empty"), QStringLiteral("tips"), {T1});
        QVERIFY(db_.open(path));
        tip_ = std::make_unique<frmTip>(db_, settings_, owner_.get());
        show();
        QCOMPARE(shown(), T1);
        tip_->close();
        QVERIFY(TestSupport::execOn(path, QStringLiteral("DELETE FROM tips")));
        show();
        QVERIFY(tip_->Tips.isEmpty());
        QCOMPARE(tip_->CurrentTip, 1);
        QCOMPARE(shown(), QString()); // not the tip of the last opening
        next();
        QCOMPARE(shown(), QString());
        QVERIFY(tip_->isVisible());
    }

    void rowsWithoutTextAreSkipped() {
        openOn(QStringLiteral("nulls"), {T1, QVariant(), T2});
        show();
        QCOMPARE(tip_->Tips, (QStringList{T1, T2}));
        next();
        QCOMPARE(shown(), T2);
        next();
        QCOMPARE(shown(), T1);
    }
};

QUENDAL_TEST(TstFrmTip)
#include "tst_frmtip.moc"
