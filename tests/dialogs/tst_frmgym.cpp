#include "DialogTests.h"
#include "TestMain.h"

#include "dialogs/frmGym.h"
#include "platform/Database.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <memory>

namespace {

const QVariantList FourExercises{
    QString::fromUtf8("Hände locker ausschütteln."),
    QStringLiteral("Finger spreizen und schließen, zehnmal."),
    QString::fromUtf8("Handgelenke kreisen lassen: erst links herum, dann rechts herum, "
                      "jeweils langsam und ohne Druck."),
    QStringLiteral("<i>Fäuste</i> ballen & lösen."),
};

} // namespace

class TstFrmGym : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    Database db_;
    QString path_;
    std::unique_ptr<frmGym> gym_;

    void openOn(const QString& name, const QVariantList& texts) {
        path_ = DialogTests::makeDb(dir_, name, QStringLiteral("gym"), texts);
        QVERIFY(!path_.isEmpty());
        QVERIFY(db_.open(path_));
        gym_ = std::make_unique<frmGym>(db_);
    }

    DialogTests::ModalRun run(const std::function<void()>& body) {
        return DialogTests::runModal(
            *gym_, [this] { return gym_->showModal(); }, body);
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void cleanup() {
        gym_.reset();
        db_.close();
    }

    void design() {
        openOn(QStringLiteral("design"), FourExercises);
        frmGym& w = *gym_;
        QCOMPARE(w.windowTitle(), QStringLiteral("Gymnastik-Tips"));
        QCOMPARE(w.size(), QSize(488, 220)); // 7320 x 3300 twips
        QVERIFY(DialogTests::fixedWithCloseBoxOnly(w));

        QCOMPARE(w.Label1->text(), QStringLiteral("TIP-Nr.:"));
        QVERIFY(w.Label1->font().bold());
        QVERIFY(w.lblValue->font().bold());
        QVERIFY(w.lblValue->x() > w.Label1->geometry().right());
        QVERIFY(w.Slider1->x() > w.lblValue->geometry().right());
        QCOMPARE(w.Slider1->orientation(), Qt::Horizontal);
        QCOMPARE(w.Slider1->minimum(), 1);
        QCOMPARE(w.Slider1->singleStep(), 1);
        QCOMPARE(w.Slider1->pageStep(), 1);
        QCOMPARE(w.Slider1->tickInterval(), 1);
        QVERIFY(w.Slider1->tickPosition() != QSlider::NoTicks);

        QCOMPARE(w.Label2->size(), QSize(401, 93)); // 6015 x 1395 twips
        QVERIFY(w.Label2->y() > w.Slider1->geometry().bottom());
        QVERIFY(w.Label2->autoFillBackground());
        QCOMPARE(w.Label2->palette().color(QPalette::Window), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(w.Label2->frameShape(), QFrame::Box);
        QCOMPARE(w.Label2->frameShadow(), QFrame::Plain);
        QCOMPARE(w.Label2->lineWidth(), 1);
        QVERIFY(w.Label2->font().bold());
        QVERIFY(w.Label2->wordWrap());
        for (const QLabel* label : {w.Label1, w.lblValue, w.Label2})
            QCOMPARE(label->textFormat(), Qt::PlainText);
        QVERIFY(DialogTests::textFits(w.Label1));

        QCOMPARE(w.Command1->text(), QString::fromUtf8("Schließen"));
        QVERIFY(!w.Command1->isDefault());
        QVERIFY(!w.Command1->autoDefault());
        QVERIFY(DialogTests::captionFits(w.Command1));
        QVERIFY(w.Command1->y() > w.Label2->geometry().bottom());
        QVERIFY(w.Command1->x() > w.width() / 2);
        QVERIFY(
            DialogTests::laidOutCleanly({w.Label1, w.lblValue, w.Slider1, w.Label2, w.Command1}));
    }

    void fourRows() {
        openOn(QStringLiteral("four"), FourExercises);
        QString atOpen, atOpenNr, atThree, atThreeNr;
        int maximum = 0;
        const auto result = run([&] {
            atOpenNr = gym_->lblValue->text();
            atOpen = gym_->Label2->text();
            maximum = gym_->Slider1->maximum();
            // As the user moves the slider: two steps to the right.
            QTest::keyClick(gym_->Slider1, Qt::Key_Right);
            QTest::keyClick(gym_->Slider1, Qt::Key_Right);
            atThreeNr = gym_->lblValue->text();
            atThree = gym_->Label2->text();
            QTest::mouseClick(gym_->Command1, Qt::LeftButton);
        });
        QVERIFY(result.ran);
        QVERIFY(!result.stillOpen);
        QCOMPARE(maximum, 4);
        QCOMPARE(atOpenNr, QStringLiteral("1"));
        QCOMPARE(atOpen, FourExercises.at(0).toString());
        QCOMPARE(atThreeNr, QStringLiteral("3"));
        QCOMPARE(atThree, FourExercises.at(2).toString());

        // The next opening starts at 1 again and sees rows added meanwhile.
        QVERIFY(
            TestSupport::execOn(path_, QStringLiteral("INSERT INTO gym (txt) VALUES ('Fünf')")));
        run([&] {
            atOpenNr = gym_->lblValue->text();
            atOpen = gym_->Label2->text();
            maximum = gym_->Slider1->maximum();
            gym_->Slider1->setValue(5);
            atThree = gym_->Label2->text();
        });
        QCOMPARE(atOpenNr, QStringLiteral("1"));
        QCOMPARE(atOpen, FourExercises.at(0).toString());
        QCOMPARE(maximum, 5);
        QCOMPARE(atThree, QString::fromUtf8("Fünf"));
    }

    void fewRows_data() {
        QTest::addColumn<QVariantList>("texts");
        QTest::addColumn<QString>("nr");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("sliderEnabled");
        QTest::newRow("one row") << QVariantList{QStringLiteral("Nur eine")} << QStringLiteral("1")
                                 << QStringLiteral("Nur eine") << true;
        QTest::newRow("no text") << QVariantList{QVariant()} << QStringLiteral("1") << QString()
                                 << true;
        QTest::newRow("empty table")
            << QVariantList{} << QString() << QString::fromUtf8("Keine Übung vorhanden.") << false;
    }

    void fewRows() {
        QFETCH(QVariantList, texts);
        QFETCH(QString, nr);
        QFETCH(QString, shown);
        QFETCH(bool, sliderEnabled);
        openOn(QStringLiteral("few%1").arg(QTest::currentDataTag()).remove(QLatin1Char(' ')),
               texts);
        QString seenNr, seen;
        bool enabled = !sliderEnabled;
        int minimum = 0, maximum = 0;
        const auto result = run([&] {
            seenNr = gym_->lblValue->text();
            seen = gym_->Label2->text();
            enabled = gym_->Slider1->isEnabled();
            minimum = gym_->Slider1->minimum();
            maximum = gym_->Slider1->maximum();
            QTest::keyClick(gym_->Slider1, Qt::Key_Right);
            QTest::mouseClick(gym_->Command1, Qt::LeftButton);
        });
        QVERIFY(!result.stillOpen);
        QCOMPARE(seenNr, nr);
        QCOMPARE(seen, shown);
        QCOMPARE(enabled, sliderEnabled);
        QCOMPARE(minimum, 1);
        QCOMPARE(maximum, 1);
    }

    void escapeDoesNotClose_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("close box") << 0;
        QTest::newRow("Schließen") << 1;
        QTest::newRow("Enter on Schließen") << 2;
    }

    void escapeDoesNotClose() {
        QFETCH(int, way);
        openOn(QStringLiteral("esc%1").arg(way), FourExercises);
        bool openAfterEsc = false, openAfterEnter = false;
        const auto result = run([&] {
            QTest::keyClick(gym_->Slider1, Qt::Key_Escape);
            QTest::keyClick(gym_.get(), Qt::Key_Escape);
            openAfterEsc = gym_->isVisible();
            QTest::keyClick(gym_->Slider1, Qt::Key_Return);
            openAfterEnter = gym_->isVisible();
            if (way == 0) {
                gym_->close();
            } else if (way == 1) {
                QTest::mouseClick(gym_->Command1, Qt::LeftButton);
            } else {
                gym_->Command1->setFocus();
                QTest::keyClick(gym_->Command1, Qt::Key_Return);
            }
        });
        QVERIFY(result.ran);
        QVERIFY(openAfterEsc);
        QVERIFY(openAfterEnter);
        QVERIFY(!result.stillOpen);
    }
};

QUENDAL_TEST(TstFrmGym)
#include "tst_frmgym.moc"
