#include "TestMain.h"

#include "components/clsToolTipDeluxe.h"

#include <QApplication>
#include <QEnterEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QTest>
#include <memory>

class TstToolTip : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> owner_;
    QWidget* control_ = nullptr;

    void hover() {
        const QPointF global = control_->mapToGlobal(QPointF(5, 5));
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), global);
        QApplication::sendEvent(control_, &enter);
    }

private slots:
    void init() {
        owner_ = std::make_unique<QWidget>();
        owner_->setGeometry(100, 100, 300, 200);
        control_ = new QWidget(owner_.get());
        control_->setGeometry(40, 30, 60, 40);
        owner_->show();
        QVERIFY(QTest::qWaitForWindowExposed(owner_.get()));
    }

    void cleanup() { owner_.reset(); }

    void timesAreClamped_data() {
        QTest::addColumn<int>("given");
        QTest::addColumn<int>("taken");
        QTest::newRow("40000") << 40000 << 32767;
        QTest::newRow("-5") << -5 << 0;
        QTest::newRow("200") << 200 << 200;
    }

    void timesAreClamped() {
        QFETCH(int, given);
        QFETCH(int, taken);
        clsToolTipDeluxe tip;
        tip.Create(owner_.get(), true, true);
        tip.VisibleTime(given);
        tip.DelayTime(given);
        QCOMPARE(tip.autoPopTime(), taken);
        QCOMPARE(tip.initialDelay(), taken);
    }

    void maxWidth() {
        clsToolTipDeluxe plain;
        plain.Create(owner_.get());
        QCOMPARE(plain.maxTipWidth(), 300);
        QCOMPARE(plain.initialDelay(), 500); // a tooltip's usual times until the owner sets its own
        QCOMPARE(plain.autoPopTime(), 5000);

        clsToolTipDeluxe early;
        early.MaxWidth(120);     // kept for Create
        early.VisibleTime(1234); // no window yet: no effect
        QVERIFY(!early.hTip());
        early.Create(owner_.get(), true, false);
        early.AddControl(control_, QStringLiteral("ein recht langer Text, der sich auf "
                                                  "mehrere Zeilen verteilen muss"));
        QVERIFY(early.autoPopTime() != 1234);
        early.DelayTime(0);
        hover();
        QTRY_VERIFY(early.hTip()->isVisible());
        QVERIFY(early.hTip()->width() <= 120);
        QVERIFY(early.hTip()->height() > 2 * QFontMetrics(early.hTip()->font()).height());
        early.MaxWidth(400); // at once
        QCOMPARE(early.maxTipWidth(), 400);
    }

    void delayAndTimeout() {
        clsToolTipDeluxe tip;
        tip.Create(owner_.get(), true, true);
        tip.DelayTime(150);
        tip.VisibleTime(300);
        tip.AddControl(control_, QStringLiteral("Hilfe"));
        QPointer<QWidget> window = tip.hTip();
        hover();
        QTest::qWait(60);
        QVERIFY(!window->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(window->isVisible(), 1000);
        QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 1000);

        // Leaving the control ends the tip at once.
        tip.VisibleTime(10000);
        hover();
        QTRY_VERIFY(window->isVisible());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(control_, &leave);
        QVERIFY(!window->isVisible());
    }

    void centredTipPointsAtTheControl() {
        clsToolTipDeluxe tip;
        tip.Create(owner_.get(), true, true);
        tip.DelayTime(0);
        tip.AddControl(control_, QStringLiteral("Mitte"), true);
        hover();
        QTRY_VERIFY(tip.hTip()->isVisible());
        const QPoint bottom =
            control_->mapToGlobal(QPoint(control_->width() / 2, control_->height()));
        QCOMPARE(tip.hTip()->y(), bottom.y());
        QVERIFY(tip.hTip()->x() < bottom.x() && tip.hTip()->geometry().right() > bottom.x());

        // A control at the screen's right edge: the balloon stays whole on the screen.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(control_, &leave);
        const QRect screen = owner_->screen()->availableGeometry();
        owner_->move(screen.right() - 60, 100);
        hover();
        QTRY_VERIFY(tip.hTip()->isVisible());
        QVERIFY(tip.hTip()->geometry().right() <= screen.right());
        QVERIFY(tip.hTip()->geometry().right() >= screen.right() - 1);
    }

    void coloursAndFont() {
        clsToolTipDeluxe tip;
        tip.Font(nullptr); // nothing there, nothing happens
        tip.Create(owner_.get(), true, false);
        const QFont before = tip.hTip()->font();
        tip.Font(nullptr);
        QCOMPARE(tip.hTip()->font(), before);
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPointSizeF(9.75);
        f.setBold(true);
        tip.Font(&f);
        QCOMPARE(tip.hTip()->font().pixelSize(), 13);
        QVERIFY(tip.hTip()->font().bold());
        f.setPointSizeF(10.5); // halves go to the even number: 10 points
        tip.Font(&f);
        QCOMPARE(tip.hTip()->font().pixelSize(), 13);

        tip.ToolTipBackColor(0x0000FF); // 0x00BBGGRR: red
        tip.ToolTipTextColor(0xFF0000);
        tip.DelayTime(0);
        tip.AddControl(control_, QStringLiteral("Farbe"));
        hover();
        QTRY_VERIFY(tip.hTip()->isVisible());
        const QImage shot = tip.hTip()->grab().toImage();
        QCOMPARE(QColor(shot.pixel(shot.width() - 3, shot.height() - 3)), QColor(255, 0, 0));
    }

    void titleIcon_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("icon"); // the standard icon drawn beside the title, -1 none
        QTest::newRow("none") << 0 << -1;
        QTest::newRow("information") << 1 << int(QStyle::SP_MessageBoxInformation);
        QTest::newRow("warning") << 2 << int(QStyle::SP_MessageBoxWarning);
        QTest::newRow("error") << 3 << int(QStyle::SP_MessageBoxCritical);
    }

    void titleIcon() {
        QFETCH(int, code);
        QFETCH(int, icon);
        clsToolTipDeluxe tip;
        tip.Create(owner_.get(), true, true);
        tip.ToolTipBackColor(0xFFFFFF);
        tip.DelayTime(0);
        tip.AddControl(control_, QStringLiteral("Text"));
        tip.SetToolTipTitle(QStringLiteral("Titel"), code);
        hover();
        QTRY_VERIFY(tip.hTip()->isVisible());
        const QImage shot = tip.hTip()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        // Which of the three icons, drawn on the tip's white, shows anywhere in the tip.
        const auto shows = [&](QStyle::StandardPixmap standard) {
            QImage drawn(16, 16, QImage::Format_RGB32);
            drawn.fill(Qt::white);
            QPainter p(&drawn);
            p.setRenderHint(QPainter::Antialiasing);
            QApplication::style()->standardIcon(standard).paint(&p, drawn.rect());
            p.end();
            for (int y = 0; y + 16 <= shot.height(); ++y)
                for (int x = 0; x + 16 <= shot.width(); ++x)
                    if (shot.copy(x, y, 16, 16) == drawn)
                        return true;
            return false;
        };
        for (const auto standard : {QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxWarning,
                                    QStyle::SP_MessageBoxCritical})
            QCOMPARE(shows(standard), int(standard) == icon);
    }

    void destroyedOnceAndWithItsOwner() {
        auto tip = std::make_unique<clsToolTipDeluxe>();
        tip->Create(owner_.get(), true, true);
        QPointer<QWidget> window = tip->hTip();
        tip->Destroy();
        QVERIFY(!window);
        QVERIFY(!tip->hTip());
        tip.reset(); // nothing left to destroy

        clsToolTipDeluxe second;
        second.Create(owner_.get(), true, true);
        QPointer<QWidget> owned = second.hTip();
        owner_.reset();
        QVERIFY(!owned);
        QVERIFY(!second.hTip());
    }
};

QUENDAL_TEST(TstToolTip)
#include "tst_tooltip.moc"
