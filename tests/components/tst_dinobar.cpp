#include "TestMain.h"
#include "TestSupport.h"

#include "components/DinoBar.h"
#include "platform/AniPlayer.h"

#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace {

QByteArray shippedFigure() {
    QFile file(TestSupport::binDir() + QStringLiteral("/dino.ani"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A program folder of its own, with the given dino.ani or without one.
class ProgramFolder {
public:
    explicit ProgramFolder(const std::optional<QByteArray>& figure) {
        if (figure) {
            QFile file(dir_.filePath(QStringLiteral("dino.ani")));
            if (file.open(QIODevice::WriteOnly))
                file.write(*figure);
        }
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

AniPlayer* figureOf(const DinoBar& bar) {
    return bar.findChild<AniPlayer*>();
}

void apply(DinoBar& bar, const QString& op) {
    const QStringList parts = op.split(QLatin1Char(' '));
    const qint32 value = parts.at(1).toInt();
    if (parts.at(0) == QLatin1String("Min"))
        bar.setMin(value);
    else if (parts.at(0) == QLatin1String("Max"))
        bar.setMax(value);
    else
        bar.setValue(value);
}

// Shows the bar at the tests' width with the figure half way along.
[[nodiscard]] bool showHalfWay(DinoBar& bar) {
    bar.resize(565, 32);
    bar.setMax(200);
    bar.setValue(100);
    bar.show();
    return QTest::qWaitForWindowExposed(&bar);
}

QColor pixelAt(QWidget& widget, int x, int y) {
    return widget.grab().toImage().pixelColor(x, y);
}

// How many pixels of the place are not the bar's colour: the figure drawn there.
int figurePixels(const QImage& image, const QRect& place, const QColor& bar) {
    int count = 0;
    for (int y = place.top(); y <= place.bottom(); ++y)
        for (int x = place.left(); x <= place.right(); ++x)
            count += image.pixelColor(x, y) != bar;
    return count;
}

} // namespace

class TstDinoBar : public QObject {
    Q_OBJECT

private:
    const ProgramFolder folder_{shippedFigure()};

private slots:
    void newBar() {
        DinoBar bar(folder_.path());
        QCOMPARE(bar.Min(), 0);
        QCOMPARE(bar.Max(), 100);
        QCOMPARE(bar.Value(), 0);
        QCOMPARE(bar.BackColor(), 0xC0E0FFu);
        bar.resize(565, 32); // 8475 x 480 twips
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        AniPlayer* figure = figureOf(bar);
        QVERIFY(figure);
        QCOMPARE(bar.figureRect(), QRect(0, 0, 32, 32));
        QCOMPARE(pixelAt(bar, 560, 16), QColor(0xFF, 0xE0, 0xC0));
        TestSupport::PaintCounter counter;
        bar.installEventFilter(&counter);
        QTRY_VERIFY(figure->currentStep() != 0); // it walks, and the bar shows its new frame
        QTRY_VERIFY(counter.regions.value(&bar).intersects(QRect(0, 0, 32, 32)));
    }

    void placement_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QStringList>("ops");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");

        using L = QStringList;
        QTest::newRow("a quarter of the way")
            << 565 << L{"Max 200", "Value 50"} << 133 << 0 << 200 << 50;
        QTest::newRow("at the end") << 565 << L{"Max 200", "Value 200"} << 533 << 0 << 200 << 200;
        QTest::newRow("12.5 rounds to 12") << 57 << L{"Max 2", "Value 1"} << 12 << 0 << 2 << 1;
        QTest::newRow("13.5 rounds to 14") << 59 << L{"Max 2", "Value 1"} << 14 << 0 << 2 << 1;
        QTest::newRow("266.5 rounds to 266")
            << 565 << L{"Max 200", "Value 100"} << 266 << 0 << 200 << 100;
        QTest::newRow("32 pixels wide") << 32 << L{"Value 100"} << 0 << 0 << 100 << 100;
        QTest::newRow("33 pixels wide") << 33 << L{"Value 100"} << 1 << 0 << 100 << 100;
        QTest::newRow("reset before the first lesson")
            << 565 << L{"Value 40", "Value 0", "Max 0"} << 0 << 0 << 100 << 0;
        QTest::newRow("reset when a lesson is taken")
            << 565 << L{"Max 200", "Value 150", "Value 0", "Max 0"} << 0 << 0 << 200 << 0;
        QTest::newRow("reset at the lesson end")
            << 565 << L{"Max 200", "Value 150", "Max 0", "Value 0"} << 0 << 0 << 200 << 0;
        QTest::newRow("lesson without characters")
            << 565 << L{"Max 80", "Value 20", "Max 0"} << 133 << 0 << 80 << 20;
        QTest::newRow("more hits than Max")
            << 565 << L{"Max 10", "Value 11"} << 533 << 0 << 10 << 10;
        QTest::newRow("Max below Value")
            << 565 << L{"Max 200", "Value 150", "Max 100"} << 533 << 0 << 100 << 100;
        QTest::newRow("Min above Value")
            << 565 << L{"Max 200", "Value 50", "Min 100"} << 0 << 100 << 200 << 100;
        QTest::newRow("Min at Max rejected")
            << 565 << L{"Value 50", "Min 100"} << 266 << 0 << 100 << 50;
        QTest::newRow("Value below Min")
            << 565 << L{"Min -100", "Value -200"} << 0 << -100 << 100 << -100;
        QTest::newRow("negative Min") << 565 << L{"Min -100", "Value 0"} << 266 << -100 << 100 << 0;
        QTest::newRow("whole 32-bit range, top")
            << 565 << L{"Min -2147483648", "Max 2147483647", "Value 2147483647"} << 533
            << int(-2147483647 - 1) << 2147483647 << 2147483647;
        // 2^31 / (2^32 - 1) is 0.5 as a 32-bit float: 266.5, to even.
        QTest::newRow("whole 32-bit range, middle")
            << 565 << L{"Min -2147483648", "Max 2147483647", "Value 0"} << 266
            << int(-2147483647 - 1) << 2147483647 << 0;
    }

    void placement() {
        QFETCH(int, width);
        QFETCH(QStringList, ops);
        QFETCH(int, x);
        DinoBar bar(folder_.path());
        bar.resize(width, 32);
        for (const QString& op : ops)
            apply(bar, op);
        QTEST(bar.Min(), "min");
        QTEST(bar.Max(), "max");
        QTEST(bar.Value(), "value");
        QVERIFY(figureOf(bar));
        QCOMPARE(bar.figureRect(), QRect(x, 0, 32, 32));
    }

    void resizePlacesFigure() {
        DinoBar bar(folder_.path());
        bar.resize(565, 32);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        bar.setMax(200);
        bar.setValue(100);
        QCOMPARE(bar.figureRect().topLeft(), QPoint(266, 0));
        bar.resize(100, 32); // (100 - 32) / 2
        QCOMPARE(bar.figureRect(), QRect(34, 0, 32, 32));
        bar.resize(20, 32);
        QCOMPARE(bar.figureRect(), QRect(0, 0, 32, 32));
    }

    void backColor_data() {
        QTest::addColumn<uint>("ole");
        QTest::addColumn<QColor>("color");
        QTest::newRow("key colour") << 0xFFC0C0u << QColor(0xC0, 0xC0, 0xFF);
        QTest::newRow("light green") << 0x80FF80u << QColor(0x80, 0xFF, 0x80);
        QTest::newRow("red") << 0x0000FFu << QColor(0xFF, 0, 0);
    }

    void backColor() {
        QFETCH(uint, ole);
        QFETCH(QColor, color);
        DinoBar bar(folder_.path());
        QVERIFY(showHalfWay(bar));
        const QRect figure = bar.figureRect();
        QCOMPARE(figure, QRect(266, 0, 32, 32));

        bar.setBackColor(ole);
        QCOMPARE(bar.BackColor(), ole);
        QCOMPARE(bar.figureRect(), figure);
        const QImage shot = bar.grab().toImage();
        QCOMPARE(shot.pixelColor(2, 2), color);
        QCOMPARE(shot.pixelColor(560, 30), color);
        QCOMPARE(shot.pixelColor(figure.topLeft()), color); // around the figure: the bar
        const int drawn = figurePixels(shot, figure, color);
        QVERIFY2(drawn > 150, qPrintable(QString::number(drawn)));
    }

    // A step along the bar repaints the figure's old and new place, not the bar; the window
    // shows the bar drawn afresh, the figure at its new place.
    void aStepRepaintsTheFiguresTwoPlaces_data() {
        QTest::addColumn<uint>("ole");
        QTest::addColumn<int>("to");
        QTest::newRow("one step, the bar's own colour") << 0u << 101;
        QTest::newRow("one step") << 0xFFC0C0u << 101;
        QTest::newRow("jump, other colour") << 0x80FF80u << 150;
        QTest::newRow("back") << 0x0000FFu << 90;
    }
    void aStepRepaintsTheFiguresTwoPlaces() {
        QFETCH(uint, ole);
        QFETCH(int, to);
        DinoBar bar(folder_.path());
        if (ole)
            bar.setBackColor(ole);
        QVERIFY(showHalfWay(bar));
        const QRect before = bar.figureRect();
        TestSupport::PaintCounter counter;
        bar.installEventFilter(&counter);
        bar.setValue(to);
        const QRect after = bar.figureRect();
        QVERIFY(after != before);
        QTRY_VERIFY(counter.paints.value(&bar) > 0);
        // The step itself draws the figure at its new place, before a new frame could.
        const QImage stepped = TestSupport::windowContents(&bar);
        const int drawn = figurePixels(stepped, after, stepped.pixelColor(2, 2)); // far from it
        QVERIFY2(drawn > 150, qPrintable(QString::number(drawn)));
        QTest::qWait(150); // a frame or two of the figure
        const QRegion painted = counter.regions.value(&bar);
        QVERIFY(painted.subtracted(QRegion(before).united(after)).isEmpty());
        QVERIFY(QRegion(before).subtracted(painted).isEmpty());
        QImage shown = TestSupport::windowContents(&bar).convertToFormat(QImage::Format_RGB32);
        QImage fresh = bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (QImage* image : {&shown, &fresh}) // the figure itself may have moved on a frame
            QPainter(image).fillRect(after, Qt::black);
        QCOMPARE(shown, fresh);
    }

    void noFigure_data() {
        QTest::addColumn<std::optional<QByteArray>>("file");
        const QByteArray figure = shippedFigure();
        QVERIFY(figure.size() > 1000);
        QByteArray noise(figure.size(), '\0');
        QRandomGenerator random(7);
        for (char& byte : noise)
            byte = char(random.bounded(256));
        QByteArray flipped = figure;
        flipped[4] = char(flipped[4] ^ 0x40); // the RIFF size

        QTest::newRow("no file") << std::optional<QByteArray>();
        QTest::newRow("empty file") << std::optional<QByteArray>(QByteArray());
        QTest::newRow("half the file") << std::optional<QByteArray>(figure.left(figure.size() / 2));
        QTest::newRow("damaged size") << std::optional<QByteArray>(flipped);
        QTest::newRow("random bytes") << std::optional<QByteArray>(noise);
    }

    void noFigure() {
        QFETCH(std::optional<QByteArray>, file);
        const ProgramFolder folder(file);
        DinoBar bar(folder.path());
        bar.resize(565, 32);
        bar.setBackColor(0xFFC0C0);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QVERIFY(!figureOf(bar));
        bar.setMax(200);
        bar.setValue(50);
        QCOMPARE(bar.Max(), 200);
        QCOMPARE(bar.Value(), 50);
        QCOMPARE(pixelAt(bar, 133 + 16, 16), QColor(0xC0, 0xC0, 0xFF)); // only the bar
    }
};

#include "tst_dinobar.moc"
QUENDAL_TEST(TstDinoBar)
