#include "DialogTests.h"
#include "TestMain.h"

#include "dialogs/HandCursor.h"
#include "dialogs/LinkLabel.h"
#include "dialogs/frmAbout.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

// Stands in for the desktop: records what it is asked to open and the pointer at that moment.
class DesktopRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
    QList<Qt::CursorShape> pointers;

public slots:
    void open(const QUrl& url) {
        urls << url;
        const QCursor* cursor = QApplication::overrideCursor();
        pointers << (cursor ? cursor->shape() : Qt::ArrowCursor);
    }
};

class TstFrmAbout : public QObject {
    Q_OBJECT

private:
    DesktopRecorder desktop_;
    QString savedVersion_;

    static void checkLinkLook(LinkLabel* link) {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(link, &enter); // the pointer comes over the link
        QCOMPARE(link->font().families().value(0), QStringLiteral("Tahoma"));
        QCOMPARE(link->font().pointSizeF(), 8.25);
        QVERIFY(link->font().bold());
        QVERIFY(link->font().underline());
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0xC0));
        QCOMPARE(link->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(link->cursor().pixmap().size(), QSize(32, 32));
        QCOMPARE(link->cursor().hotSpot(), HandCursor::hotSpot());
    }

    // Walks from a point of the box in one direction until a pixel of the given colour.
    static bool greyBetween(const QImage& image, QPoint from, QPoint step, int limit) {
        for (int i = 0; i < limit; ++i, from += step)
            if (image.rect().contains(from) && image.pixelColor(from) == QColor(0x80, 0x80, 0x80))
                return true;
        return false;
    }

private slots:
    void initTestCase() {
        savedVersion_ = QCoreApplication::applicationVersion();
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &desktop_, "open");
    }

    void cleanupTestCase() {
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        QCoreApplication::setApplicationVersion(savedVersion_);
    }

    void init() {
        desktop_.urls.clear();
        desktop_.pointers.clear();
    }

    void design() {
        frmAbout dlg;
        QCOMPARE(dlg.size(), QSize(245, 301)); // 3675 x 4515 twips
        QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
        QVERIFY(dlg.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(dlg.isModal());
        QVERIFY(!dlg.parentWidget());

        QCOMPARE(TestSupport::shapedWidgets(&dlg), QStringList());
        QCOMPARE(dlg.Label9->text(), QStringLiteral("QuenDal"));
        QCOMPARE(dlg.Label9->font().families().value(0), QStringLiteral("MS Sans Serif"));
        QCOMPARE(dlg.Label9->font().pointSizeF(), 24.0);
        QVERIFY(dlg.Label9->font().bold());
        QVERIFY(dlg.Label9->font().italic());
        QCOMPARE(dlg.Label9->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(dlg.Label2->font().pointSizeF(), 12.0);
        QVERIFY(dlg.Label2->font().bold());
        QVERIFY(DialogTests::inWindow(dlg.Label2).left() >=
                DialogTests::inWindow(dlg.Label9).right());

        QCOMPARE(dlg.Labelurl->text(), QStringLiteral("https://www.example.org/quendal"));
        QCOMPARE(dlg.Labelurl->toolTip(), QStringLiteral("Palvontrik homepage"));
        checkLinkLook(dlg.Labelurl);
        QVERIFY(DialogTests::inWindow(dlg.Label10).right() <
                DialogTests::inWindow(dlg.Labelurl).left());
        QCOMPARE(dlg.Labelemail->text(), QStringLiteral("quendal@example.org"));
        QCOMPARE(dlg.Labelemail->toolTip(), QStringLiteral("eMail schreiben"));
        checkLinkLook(dlg.Labelemail);

        QCOMPARE(dlg.Label4->text(), QStringLiteral(" Entwickelt + Programmiert von:"));
        QCOMPARE(dlg.Label12->text(), QStringLiteral("eMail:"));
        for (const QLabel* credit : {dlg.Label1, dlg.Label5}) {
            QVERIFY(!credit->text().isEmpty());
            QCOMPARE(credit->font().families().value(0), QStringLiteral("MS Sans Serif"));
            QCOMPARE(credit->font().pointSizeF(), 9.75);
            QVERIFY(credit->font().bold());
        }
        const QList<const QLabel*> centredLabels{dlg.Label9, dlg.Label4,  dlg.Label1,
                                                 dlg.Label5, dlg.Label12, dlg.Labelemail};
        for (const QLabel* centred : centredLabels)
            QVERIFY(centred->alignment() & Qt::AlignHCenter);
        for (const QLabel* label : dlg.findChildren<QLabel*>()) {
            QCOMPARE(label->textFormat(), Qt::PlainText);
            if (!label->wordWrap())
                QVERIFY2(DialogTests::textFits(label), qPrintable(label->objectName()));
        }

        QCOMPARE(dlg.cmdOK->text(), QStringLiteral("OK"));
        QVERIFY(dlg.cmdOK->isDefault());
        QVERIFY(DialogTests::captionFits(dlg.cmdOK));

        // Top to bottom as designed, nothing overlapping.
        QList<const QWidget*> controls{dlg.Label9,     dlg.Label2, dlg.Label10, dlg.Labelurl,
                                       dlg.Label4,     dlg.Label1, dlg.Label5,  dlg.Label12,
                                       dlg.Labelemail, dlg.cmdOK};
        QVERIFY(DialogTests::laidOutCleanly(controls));
        const QList<const QWidget*> column{dlg.Label9, dlg.Labelurl, dlg.Label4,     dlg.Label1,
                                           dlg.Label5, dlg.Label12,  dlg.Labelemail, dlg.cmdOK};
        for (int i = 1; i < column.size(); ++i)
            QVERIFY(column.at(i)->y() > column.at(i - 1)->y());
    }

    void greyFrames() {
        frmAbout dlg;
        const QImage image = dlg.grab().toImage();
        const QColor grey(0x80, 0x80, 0x80);
        const int w = image.width(), h = image.height();
        for (const QPoint p :
             {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1),
              QPoint(w / 2, 0), QPoint(w / 2, h - 1), QPoint(0, h / 2), QPoint(w - 1, h / 2)})
            QCOMPARE(image.pixelColor(p), grey);

        // The credits and the mail address each sit in a grey rectangle of their own.
        const QRect credits =
            DialogTests::inWindow(dlg.Label1).united(DialogTests::inWindow(dlg.Label5));
        const QRect mail = DialogTests::inWindow(dlg.Labelemail);
        for (const QRect& r : {credits, mail}) {
            const QPoint c = r.center();
            QVERIFY(greyBetween(image, QPoint(c.x(), r.top() - 1), QPoint(0, -1), 12));
            QVERIFY(greyBetween(image, QPoint(c.x(), r.bottom() + 1), QPoint(0, 1), 12));
            QVERIFY(greyBetween(image, QPoint(r.left() - 1, c.y()), QPoint(-1, 0), 12));
            QVERIFY(greyBetween(image, QPoint(r.right() + 1, c.y()), QPoint(1, 0), 12));
            QVERIFY(!greyBetween(image, QPoint(c.x(), r.top()), QPoint(0, 1), r.height()));
        }
        // Label4 and "eMail:" lie outside those rectangles.
        for (const QLabel* outside : {dlg.Label4, dlg.Label12}) {
            const QRect r = DialogTests::inWindow(outside);
            QVERIFY(!greyBetween(image, QPoint(r.center().x(), r.top() - 3), QPoint(0, 1),
                                 r.height() + 6));
        }
    }

    void version_data() {
        QTest::addColumn<QString>("applicationVersion");
        QTest::addColumn<QString>("shown");
        QTest::newRow("this release") << QStringLiteral("1.1.0.0") << QStringLiteral("1.1");
        QTest::newRow("two-digit minor") << QStringLiteral("2.10.3.4") << QStringLiteral("2.10");
    }

    void version() {
        QFETCH(QString, applicationVersion);
        QFETCH(QString, shown);
        QCoreApplication::setApplicationVersion(applicationVersion);
        frmAbout dlg;
        QCOMPARE(dlg.Label2->text(), shown);
    }

    void closing_data() {
        QTest::addColumn<int>("way");
        QTest::addColumn<int>("expected");
        QTest::newRow("OK") << 0 << int(QDialog::Accepted);
        QTest::newRow("Enter") << 1 << int(QDialog::Accepted);
        QTest::newRow("Esc") << 2 << int(QDialog::Rejected);
    }

    void closing() {
        QFETCH(int, way);
        QFETCH(int, expected);
        frmAbout dlg;
        const auto run = DialogTests::runModal(
            dlg, [&] { return dlg.exec(); },
            [&] {
                if (way == 0)
                    QTest::mouseClick(dlg.cmdOK, Qt::LeftButton);
                else
                    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                                : &dlg,
                                    way == 1 ? Qt::Key_Return : Qt::Key_Escape);
            });
        QVERIFY(run.ran);
        QVERIFY(!run.stillOpen);
        QCOMPARE(run.result, expected);
    }

    void links_data() {
        QTest::addColumn<bool>("mail");
        QTest::addColumn<QString>("target");
        QTest::newRow("home page") << false << QStringLiteral("https://www.example.org/quendal");
        QTest::newRow("mail") << true << QStringLiteral("mailto:quendal@example.org");
    }

    void links() {
        QFETCH(bool, mail);
        QFETCH(QString, target);
        frmAbout dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QLabel* link = mail ? static_cast<QLabel*>(dlg.Labelemail) : dlg.Labelurl;
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(desktop_.urls.size(), 1);
        QCOMPARE(desktop_.urls.first().toString(), target);
        QCOMPARE(desktop_.pointers.first(), Qt::WaitCursor);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(dlg.isVisible());

        // Pressing on the link and letting go elsewhere is no click.
        QTest::mousePress(link, Qt::LeftButton);
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(link->width() + 5, 2));
        QCOMPARE(desktop_.urls.size(), 1);
    }

    void sendMail_data() {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("target");
        QTest::newRow("no subject") << QString() << QStringLiteral("mailto:quendal@example.org");
        QTest::newRow("subject") << QStringLiteral("Frage zu Quendal")
                                 << QStringLiteral(
                                        "mailto:quendal@example.org?subject=Frage zu Quendal");
        QTest::newRow("not encoded")
            << QStringLiteral("Lob & Kritik")
            << QStringLiteral("mailto:quendal@example.org?subject=Lob & Kritik");
    }

    void sendMail() {
        QFETCH(QString, subject);
        QFETCH(QString, target);
        frmAbout dlg;
        dlg.SendMail(QStringLiteral("quendal@example.org"), subject);
        QCOMPARE(desktop_.urls.size(), 1);
        QCOMPARE(desktop_.urls.first().toString(), target);
        QCOMPARE(desktop_.pointers.first(), Qt::WaitCursor);
        QVERIFY(!QApplication::overrideCursor());
    }

    void failedCallLeavesDefaultPointer() {
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            QSKIP("only the offscreen platform has no desktop to fail with");
        // Without a handler the offscreen platform cannot open anything.
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("openUrl")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("openUrl")));
        frmAbout dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::mouseClick(dlg.Labelurl, Qt::LeftButton);
        QVERIFY(!QApplication::overrideCursor());
        QTest::mouseClick(dlg.Labelemail, Qt::LeftButton);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(dlg.isVisible());
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &desktop_, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &desktop_, "open");
        QVERIFY(desktop_.urls.isEmpty());
    }

    void handCursor() {
        const QImage hand = HandCursor::picture().toImage();
        QCOMPARE(hand.size(), QSize(32, 32));
        const QPoint spot = HandCursor::hotSpot();
        QVERIFY(hand.pixelColor(spot).alpha() == 255);
        // The hot spot is the tip of the raised finger: nothing of the hand lies above it, and
        // the finger runs down from it.
        int top = hand.height();
        for (int y = 0; y < hand.height(); ++y)
            for (int x = 0; x < hand.width(); ++x)
                if (hand.pixelColor(x, y).alpha() > 0)
                    top = qMin(top, y);
        QCOMPARE(spot.y(), top);
        for (int y = spot.y(); y < spot.y() + 12; ++y)
            QVERIFY(hand.pixelColor(spot.x(), y).alpha() == 255);
        int opaque = 0;
        for (int y = 0; y < hand.height(); ++y)
            for (int x = 0; x < hand.width(); ++x)
                opaque += hand.pixelColor(x, y).alpha() == 255;
        QVERIFY(opaque > 200); // a hand, not a dot
    }
};

QUENDAL_TEST(TstFrmAbout)
#include "tst_frmabout.moc"
