#include "TestMain.h"
#include "TestSupport.h"

#include "platform/AniCursor.h"
#include "platform/AniPlayer.h"
#include "platform/RiffWriter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Green = qRgb(0, 160, 0);

// Left half red, top right blue (or another colour), bottom right transparent: shows row order
// and the mask.
QImage quarters(int side, QRgb upperRight = Blue) {
    QImage image(side, side, QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            image.setPixel(x, y,
                           x < side / 2   ? Red
                           : y < side / 2 ? upperRight
                                          : qRgba(0, 0, 0, 0));
    return image;
}

QImage solid(int side, QRgb color) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

struct DibOptions {
    int bpp = 32;
    bool mask = true;
    bool alpha = true; // 32 bit: write the alpha channel
    quint32 compression = 0;
    std::optional<quint32> colorsUsed = {};
};

// The colour a pixel has in the colour image: black under the mask.
QRgb xorColour(QRgb pixel) {
    return qAlpha(pixel) ? pixel | 0xFF000000u : qRgb(0, 0, 0);
}

// A bitmap as icons hold it: doubled height, bottom-up colour rows, then the AND mask.
QByteArray dib(const QImage& image, const DibOptions& o = {}) {
    const int w = image.width(), h = image.height();
    QList<QRgb> palette;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!palette.contains(xorColour(image.pixel(x, y))))
                palette << xorColour(image.pixel(x, y));
    const int paletteSize = o.bpp <= 8 ? int(o.colorsUsed.value_or(1u << o.bpp)) : 0;
    QByteArray out;
    for (quint32 v : {40u, quint32(w), quint32(2 * h)})
        RiffWriter::put32(out, v);
    RiffWriter::put16(out, 1);
    RiffWriter::put16(out, quint32(o.bpp));
    RiffWriter::put32(out, o.compression);
    for (quint32 v : {0u, 0u, 0u, o.colorsUsed.value_or(0), 0u})
        RiffWriter::put32(out, v);
    for (int i = 0; i < paletteSize; ++i) {
        const QRgb c = i < palette.size() ? palette.at(i) : 0;
        out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row((w * o.bpp + 31) / 32 * 4, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            if (o.bpp >= 24) {
                const int p = x * o.bpp / 8;
                row[p] = char(qBlue(c));
                row[p + 1] = char(qGreen(c));
                row[p + 2] = char(qRed(c));
                if (o.bpp == 32)
                    row[p + 3] = char(o.alpha ? qAlpha(c) : 0);
            } else if (o.bpp <= 8) {
                const int index = int(palette.indexOf(xorColour(c)));
                const int bit = x * o.bpp;
                row[bit / 8] = char(row[bit / 8] | index << (8 - o.bpp - bit % 8));
            }
        }
        out += row;
    }
    if (o.mask)
        for (int y = h - 1; y >= 0; --y) {
            QByteArray row((w + 31) / 32 * 4, '\0');
            for (int x = 0; x < w; ++x)
                if (!qAlpha(image.pixel(x, y)))
                    row[x / 8] = char(row[x / 8] | 0x80 >> (x % 8));
            out += row;
        }
    return out;
}

QByteArray png(const QImage& image) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

// An icon (type 1) or cursor (type 2) file; each image is listed with its own size.
QByteArray iconFile(const QList<QPair<QSize, QByteArray>>& images, int type = 2,
                    std::optional<quint32> firstOffset = {}) {
    QByteArray directory, data;
    RiffWriter::put16(directory, 0);
    RiffWriter::put16(directory, quint32(type));
    RiffWriter::put16(directory, quint32(images.size()));
    qint64 offset = 6 + 16 * images.size();
    for (const auto& [size, bytes] : images) {
        const bool first = offset == 6 + 16 * images.size();
        directory.append(char(size.width() & 0xFF)).append(char(size.height() & 0xFF));
        directory.append('\0').append('\0');
        RiffWriter::put16(directory, 1);
        RiffWriter::put16(directory, 32);
        RiffWriter::put32(directory, quint32(bytes.size()));
        RiffWriter::put32(directory, first && firstOffset ? *firstOffset : quint32(offset));
        offset += bytes.size();
        data += bytes;
    }
    return directory + data;
}

QByteArray cursorOf(const QByteArray& image, int side = 32) {
    return iconFile({{QSize(side, side), image}});
}

struct AniSpec {
    QList<QByteArray> icons;
    int frames = -1; // -1: one per icon
    int steps = -1;  // -1: as many as frames
    quint32 jiffies = 10;
    quint32 flags = 1;
    std::optional<std::vector<quint32>> rates = {};
    std::optional<std::vector<quint32>> sequence = {};
    QByteArray extra = {}; // further chunks before the frame list
    quint32 headerSize = 36;
};

QByteArray ani(const AniSpec& s) {
    const quint32 frames = s.frames < 0 ? quint32(s.icons.size()) : quint32(s.frames);
    QByteArray header;
    for (quint32 v : {s.headerSize, frames, s.steps < 0 ? frames : quint32(s.steps), 32u, 32u, 32u,
                      1u, s.jiffies, s.flags})
        RiffWriter::put32(header, v);
    QByteArray list("fram");
    for (const QByteArray& icon : s.icons)
        list += RiffWriter::chunk("icon", icon);
    QByteArray body = "ACON" + RiffWriter::chunk("anih", header);
    if (s.rates)
        body += RiffWriter::chunk("rate", RiffWriter::dwords(*s.rates));
    if (s.sequence)
        body += RiffWriter::chunk("seq ", RiffWriter::dwords(*s.sequence));
    body += s.extra + RiffWriter::chunk("LIST", list);
    return RiffWriter::chunk("RIFF", body);
}

// Three cursors of one colour each: red, blue, green.
QList<QByteArray> threeColours() {
    return {cursorOf(dib(solid(32, Red))), cursorOf(dib(solid(32, Blue))),
            cursorOf(dib(solid(32, Green)))};
}

QString stepsText(const AniCursor& cursor) {
    QStringList parts;
    for (const AniCursor::Step& step : cursor.steps())
        parts << QStringLiteral("%1/%2").arg(step.frame).arg(step.jiffies);
    return parts.join(QLatin1Char(' '));
}

QByteArray shippedFigure() {
    QFile file(TestSupport::binDir() + QStringLiteral("/dino.ani"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What any result must satisfy: nothing, or frames and steps within the limits.
bool withinLimits(const AniCursor& cursor) {
    if (cursor.isNull())
        return cursor.steps().isEmpty();
    if (cursor.frames().size() > 256 || cursor.steps().isEmpty() || cursor.steps().size() > 1024)
        return false;
    for (const QImage& frame : cursor.frames())
        if (frame.width() < 1 || frame.width() > 256 || frame.height() < 1 || frame.height() > 256)
            return false;
    for (const AniCursor::Step& step : cursor.steps())
        if (step.frame < 0 || step.frame >= cursor.frames().size() || step.jiffies < 1)
            return false;
    return true;
}

// Damaged image data makes the PNG decoder talk, partly straight to stderr; the test output
// stays readable without it.
class QuietImageWarnings {
public:
    QuietImageWarnings()
        : previous_(qInstallMessageHandler(drop)), stderr_(dup(STDERR_FILENO)),
          null_(open("/dev/null", O_WRONLY)) {
        if (stderr_ >= 0 && null_ >= 0)
            dup2(null_, STDERR_FILENO);
    }
    ~QuietImageWarnings() {
        if (stderr_ >= 0 && null_ >= 0)
            dup2(stderr_, STDERR_FILENO);
        for (int fd : {stderr_, null_})
            if (fd >= 0)
                close(fd);
        qInstallMessageHandler(previous_);
    }

private:
    static void drop(QtMsgType, const QMessageLogContext&, const QString&) {}
    QtMessageHandler previous_;
    int stderr_;
    int null_;
};

} // namespace

class TstAniCursor : public QObject {
    Q_OBJECT

private slots:
    void shippedFigureWalks() {
        const AniCursor cursor = AniCursor::fromFile(TestSupport::binDir() + "/dino.ani");
        QCOMPARE(cursor.frames().size(), 4);
        QCOMPARE(stepsText(cursor), QStringLiteral("0/8 1/8 2/8 1/8 0/8 1/8 2/8 3/6"));
        for (const QImage& frame : cursor.frames()) {
            QCOMPARE(frame.size(), QSize(32, 32));
            QCOMPARE(qAlpha(frame.pixel(0, 0)), 0); // transparent around the figure
            int opaque = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x)
                    opaque += qAlpha(frame.pixel(x, y)) == 255;
            QVERIFY2(opaque > 150, qPrintable(QString::number(opaque)));
        }
        // Legs apart, passing, other legs apart, passing with the eye shut: all different.
        const QList<QImage>& f = cursor.frames();
        QVERIFY(f[0] != f[1] && f[1] != f[2] && f[0] != f[2] && f[1] != f[3]);
    }

    void jiffiesAreSixtiethsOfASecond() {
        QCOMPARE(AniCursor::jiffiesToMs(8), 133);
        QCOMPARE(AniCursor::jiffiesToMs(6), 100);
        QCOMPARE(AniCursor::jiffiesToMs(60), 1000);
        QCOMPARE(AniCursor::jiffiesToMs(1), 17);
    }

    void playOrder_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("frames");

        const QList<QByteArray> icons = threeColours();
        QTest::newRow("frames in turn at the header's rate")
            << ani({.icons = icons}) << "0/10 1/10 2/10" << 3;
        QTest::newRow("rate chunk")
            << ani({.icons = icons, .rates = std::vector<quint32>{5, 6, 7}}) << "0/5 1/6 2/7" << 3;
        QTest::newRow("sequence chunk")
            << ani({.icons = icons, .steps = 4, .sequence = std::vector<quint32>{2, 0, 2, 1}})
            << "2/10 0/10 2/10 1/10" << 3;
        QTest::newRow("rate and sequence") << ani({.icons = icons,
                                                   .steps = 2,
                                                   .rates = std::vector<quint32>{3, 30},
                                                   .sequence = std::vector<quint32>{1, 1}})
                                           << "1/3 1/30" << 3;
        QTest::newRow("longer chunks than steps")
            << ani({.icons = icons,
                    .steps = 2,
                    .rates = std::vector<quint32>{4, 5, 6},
                    .sequence = std::vector<quint32>{2, 1, 0}})
            << "2/4 1/5" << 3;
        QTest::newRow("zero rate runs at the fastest")
            << ani({.icons = icons, .jiffies = 0, .rates = std::vector<quint32>{0, 2, 0}})
            << "0/1 1/2 2/1" << 3;
        QTest::newRow("huge rate is capped at an hour")
            << ani({.icons = icons, .jiffies = 0xFFFFFFFF}) << "0/216000 1/216000 2/216000" << 3;
        QTest::newRow("no step count: one step a frame")
            << ani({.icons = icons, .steps = 0}) << "0/10 1/10 2/10" << 3;
        QTest::newRow("more steps than frames cycle")
            << ani({.icons = icons, .steps = 5}) << "0/10 1/10 2/10 0/10 1/10" << 3;
        QTest::newRow("surplus icons are not frames")
            << ani({.icons = icons, .frames = 2}) << "0/10 1/10" << 2;
        // An odd-sized INFO list and an unknown chunk: padding must be honoured.
        const QByteArray info =
            RiffWriter::chunk("LIST", "INFO" + RiffWriter::chunk("INAM", "Dino"));
        QTest::newRow("other chunks skipped")
            << ani({.icons = icons, .extra = RiffWriter::chunk("junk", "abc") + info})
            << "0/10 1/10 2/10" << 3;
    }

    void playOrder() {
        QFETCH(QByteArray, file);
        QFETCH(QString, steps);
        QFETCH(int, frames);
        const AniCursor cursor = AniCursor::fromData(file);
        QCOMPARE(stepsText(cursor), steps);
        QCOMPARE(cursor.frames().size(), frames);
        const QRgb colours[] = {Red, Blue, Green};
        for (int i = 0; i < cursor.frames().size(); ++i)
            QCOMPARE(cursor.frames()[i].pixel(16, 16), colours[i]);
    }

    void frameFormats_data() {
        QTest::addColumn<QByteArray>("icon");
        QTest::addColumn<int>("side");
        QTest::addColumn<QRgb>("upperRight");

        const QImage q32 = quarters(32);
        const QRgb black = qRgb(0, 0, 0);
        QTest::newRow("1-bit cursor")
            << cursorOf(dib(quarters(32, black), {.bpp = 1})) << 32 << black;
        QTest::newRow("4-bit icon")
            << iconFile({{QSize(32, 32), dib(q32, {.bpp = 4})}}, 1) << 32 << Blue;
        QTest::newRow("8-bit, odd width, short palette")
            << cursorOf(dib(quarters(20), {.bpp = 8, .colorsUsed = 3}), 20) << 20 << Blue;
        QTest::newRow("24-bit") << cursorOf(dib(q32, {.bpp = 24})) << 32 << Blue;
        QTest::newRow("32-bit alpha without mask")
            << cursorOf(dib(q32, {.bpp = 32, .mask = false})) << 32 << Blue;
        QTest::newRow("32-bit mask without alpha")
            << cursorOf(dib(q32, {.bpp = 32, .alpha = false})) << 32 << Blue;
        QTest::newRow("PNG cursor") << cursorOf(png(q32)) << 32 << Blue;
        QTest::newRow("PNG of 256 pixels") << cursorOf(png(quarters(256)), 256) << 256 << Blue;
        QTest::newRow("the 32-pixel image of several")
            << iconFile({{QSize(16, 16), dib(solid(16, Green))},
                         {QSize(32, 32), dib(q32, {.bpp = 8})},
                         {QSize(48, 48), png(solid(48, Green))}},
                        1)
            << 32 << Blue;
    }

    void frameFormats() {
        QFETCH(QByteArray, icon);
        QFETCH(int, side);
        QFETCH(QRgb, upperRight);
        const AniCursor cursor = AniCursor::fromData(ani({.icons = {icon}}));
        QCOMPARE(cursor.frames().size(), 1);
        const QImage frame = cursor.frames()[0];
        QCOMPARE(frame.size(), QSize(side, side));
        const int near = side / 8, far = side * 7 / 8;
        QCOMPARE(frame.pixel(near, near), Red);
        QCOMPARE(frame.pixel(near, far), Red); // bottom-up rows come out the right way up
        QCOMPARE(frame.pixel(far, near), upperRight);
        QCOMPARE(qAlpha(frame.pixel(far, far)), 0);
    }

    void maskedColourShowsDark() {
        // AND bit set over a coloured pixel inverts the screen; on a light bar that is dark.
        QByteArray bitmap = dib(solid(32, Red), {.bpp = 24});
        bitmap.replace(bitmap.size() - 128, 128, QByteArray(128, char(0xFF)));
        const AniCursor cursor = AniCursor::fromData(ani({.icons = {cursorOf(bitmap)}}));
        QCOMPARE(cursor.frames().size(), 1);
        QCOMPARE(cursor.frames()[0].pixel(5, 5), qRgb(0, 0, 0));
    }

    void limits() {
        QList<QByteArray> many(256, cursorOf(dib(solid(1, Red)), 1));
        QCOMPARE(AniCursor::fromData(ani({.icons = many})).frames().size(), 256);
        many << many.first();
        QVERIFY(AniCursor::fromData(ani({.icons = many})).isNull());
        QVERIFY(!AniCursor::fromData(ani({.icons = many, .frames = 256})).isNull());

        const QList<QByteArray> one{cursorOf(dib(solid(1, Red)), 1)};
        QCOMPARE(AniCursor::fromData(ani({.icons = one, .steps = 1024})).steps().size(), 1024);
        QVERIFY(AniCursor::fromData(ani({.icons = one, .steps = 1025})).isNull());
    }

    void damaged_data() {
        QTest::addColumn<QByteArray>("file");

        const QList<QByteArray> icons = threeColours();
        const QByteArray good = ani({.icons = icons});
        QVERIFY(!AniCursor::fromData(good).isNull());

        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not RIFF") << QByteArray("RIFX") + good.mid(4);
        QTest::newRow("RIFF of another kind") << good.left(8) + "WAVE" + good.mid(12);
        QTest::newRow("RIFF size beyond the file") << good.left(good.size() - 1);
        QByteArray overlong = good;
        overlong[19] = char(0x7F); // the header chunk claims almost 2 GiB
        QTest::newRow("chunk beyond the file") << overlong;
        QTest::newRow("no header")
            << RiffWriter::chunk("RIFF", "ACON" + good.mid(12 + 8 + 36)); // drops "anih"
        QTest::newRow("header of another size") << ani({.icons = icons, .headerSize = 32});
        QTest::newRow("raw frames") << ani({.icons = icons, .flags = 2});
        QTest::newRow("no frames") << ani({.icons = icons, .frames = 0});
        QTest::newRow("fewer icons than frames") << ani({.icons = icons, .frames = 4});
        QTest::newRow("sequence names a missing frame")
            << ani({.icons = icons, .sequence = std::vector<quint32>{0, 1, 3}});
        QTest::newRow("sequence shorter than the steps")
            << ani({.icons = icons, .sequence = std::vector<quint32>{0, 1}});
        QTest::newRow("rates shorter than the steps")
            << ani({.icons = icons, .rates = std::vector<quint32>{1, 2}});
        QTest::newRow("frame of 300 pixels")
            << ani({.icons = {iconFile({{QSize(0, 0), dib(solid(300, Red))}})}});
        QTest::newRow("PNG of 300 pixels")
            << ani({.icons = {iconFile({{QSize(0, 0), png(solid(300, Red))}})}});
        QByteArray brokenPng = png(solid(32, Red));
        brokenPng.replace(40, 20, QByteArray(20, 'x'));
        QTest::newRow("PNG with broken data") << ani({.icons = {cursorOf(brokenPng)}});
        QTest::newRow("16-bit frame")
            << ani({.icons = {cursorOf(dib(solid(32, Red), {.bpp = 16}))}});
        QTest::newRow("compressed frame")
            << ani({.icons = {cursorOf(dib(solid(32, Red), {.bpp = 8, .compression = 1}))}});
        QTest::newRow("colour frame without mask")
            << ani({.icons = {cursorOf(dib(solid(32, Red), {.bpp = 8, .mask = false}))}});
        QTest::newRow("palette larger than the depth")
            << ani({.icons = {cursorOf(dib(solid(32, Red), {.bpp = 4, .colorsUsed = 17}))}});
        QTest::newRow("image outside its icon")
            << ani({.icons = {iconFile({{QSize(32, 32), dib(solid(32, Red))}}, 2, 100000)}});
        QTest::newRow("icon without images") << ani({.icons = {iconFile({})}});
        QTest::newRow("bitmap header only")
            << ani({.icons = {cursorOf(dib(solid(32, Red)).left(40))}});
    }

    void damaged() {
        QFETCH(QByteArray, file);
        QuietImageWarnings quiet;
        QVERIFY(AniCursor::fromData(file).isNull());
    }

    void unreadableFiles() {
        QTemporaryDir dir;
        QVERIFY(AniCursor::fromFile(dir.filePath("dino.ani")).isNull()); // missing
        QVERIFY(AniCursor::fromFile(dir.path()).isNull());               // a folder
        QVERIFY(AniCursor::fromFile(QStringLiteral("/dev/zero")).isNull());

        // A sound figure followed by so much that the file passes 16 MiB.
        QFile big(dir.filePath("big.ani"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write(shippedFigure());
        QVERIFY(big.resize(16 * 1024 * 1024));
        big.close();
        QVERIFY(!AniCursor::fromFile(big.fileName()).isNull());
        QVERIFY(big.resize(16 * 1024 * 1024 + 1));
        QVERIFY(AniCursor::fromFile(big.fileName()).isNull());
    }

    // Every prefix of the shipped file, with its own and with a fitting RIFF size, then flipped
    // bits and random bytes in the shipped and hand-built files: never a crash, never anything
    // beyond the limits, and quick.
    void fuzz() {
        QuietImageWarnings quiet;
        QElapsedTimer clock;
        clock.start();
        const QByteArray figure = shippedFigure();
        QVERIFY(figure.size() > 1000);
        int loaded = 0;
        for (qsizetype n = 0; n <= figure.size(); ++n) {
            QByteArray prefix = figure.left(n);
            QVERIFY(n == figure.size() || AniCursor::fromData(prefix).isNull());
            if (n >= 8) {
                const quint32 size = quint32(n - 8);
                for (int i = 0; i < 4; ++i)
                    prefix[4 + i] = char(size >> (8 * i));
                const AniCursor cursor = AniCursor::fromData(prefix);
                QVERIFY2(withinLimits(cursor), qPrintable(QString::number(n)));
                loaded += !cursor.isNull();
            }
        }
        QCOMPARE(loaded, 1); // only the whole file

        QRandomGenerator random(20261207);
        const QList<QByteArray> samples = {
            figure,
            ani({.icons = {cursorOf(dib(quarters(20), {.bpp = 8})), cursorOf(png(quarters(32)))},
                 .steps = 3,
                 .rates = std::vector<quint32>{1, 2, 3},
                 .sequence = std::vector<quint32>{1, 0, 1}}),
            ani({.icons = {cursorOf(dib(quarters(32), {.bpp = 1})),
                           iconFile({{QSize(16, 16), dib(quarters(16), {.bpp = 4})},
                                     {QSize(32, 32), dib(quarters(32), {.bpp = 24})}},
                                    1)}}),
        };
        for (const QByteArray& sample : samples) {
            QVERIFY(!AniCursor::fromData(sample).isNull());
            for (int round = 0; round < 1500; ++round) {
                QByteArray variant = sample;
                const int kind = round % 3;
                const int changes = 1 + int(random.bounded(8));
                for (int c = 0; c < changes; ++c) {
                    const int at = int(random.bounded(variant.size()));
                    if (kind == 0) // flip one bit
                        variant[at] = char(variant[at] ^ (1 << random.bounded(8)));
                    else if (kind == 1) // a random 32-bit value, as a length or count
                        for (int i = 0; i < 4 && at + i < variant.size(); ++i)
                            variant[at + i] = char(random.bounded(256));
                    else // a run of random bytes
                        for (int i = 0; i < 64 && at + i < variant.size(); ++i)
                            variant[at + i] = char(random.bounded(256));
                }
                QVERIFY(withinLimits(AniCursor::fromData(variant)));
            }
        }
        QByteArray noise(4096, '\0');
        for (int round = 0; round < 300; ++round) {
            for (char& byte : noise)
                byte = char(random.bounded(256));
            noise.replace(0, 12, QByteArray("RIFF\xF8\x0F\0\0ACON", 12));
            QVERIFY(withinLimits(AniCursor::fromData(noise)));
        }
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    }

    void playerShowsFramesInTurn() {
        const AniCursor cursor = AniCursor::fromData(
            ani({.icons = {cursorOf(png(solid(48, Red)), 48), cursorOf(dib(solid(16, Blue)), 16)},
                 .rates = std::vector<quint32>{6, 30}}));
        QCOMPARE(cursor.frames().size(), 2);
        QWidget host;
        host.resize(100, 50);
        auto* player = new AniPlayer(cursor, &host);
        QSignalSpy changes(player, &AniPlayer::frameChanged);
        QCOMPARE(player->currentStep(), 0);
        QElapsedTimer clock;
        clock.start();
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QCOMPARE(player->currentFrame().size(), QSize(32, 32)); // any frame size is shown so
        QCOMPARE(player->currentFrame().pixel(31, 31), Red);

        QTRY_COMPARE_WITH_TIMEOUT(player->currentStep(), 1, 2000);
        QVERIFY2(clock.elapsed() >= 90, qPrintable(QString::number(clock.elapsed()))); // 100 ms
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0).at(0).toRect(), QRect(0, 0, 32, 32)); // every pixel changed
        QCOMPARE(player->currentFrame().pixel(0, 0), Blue);

        // The second frame stands half a second; a hidden player does not move on.
        host.hide();
        QTest::qWait(700);
        QCOMPARE(player->currentStep(), 1);
        host.show();
        QTRY_COMPARE_WITH_TIMEOUT(player->currentStep(), 0, 2000);
    }

    // A step repaints the pixels in which its frame, as drawn on the host's colour, differs
    // from the one before, and nothing when they are alike; transparent pixels show the colour.
    void playerRepaintsWhatAStepChanges() {
        QImage marked(32, 32, QImage::Format_ARGB32);
        marked.fill(Qt::transparent);
        marked.setPixel(10, 12, Red);
        marked.setPixel(13, 20, Red);
        const AniCursor cursor = AniCursor::fromData(
            ani({.icons = {cursorOf(png(solid(32, qRgba(0, 0, 0, 0)))), cursorOf(png(marked))},
                 .steps = 3,
                 .flags = 3,
                 .rates = std::vector<quint32>{3, 3, 3},
                 .sequence = std::vector<quint32>{0, 0, 1}}));
        QCOMPARE(cursor.steps().size(), 3);
        QWidget host;
        auto* player = new AniPlayer(cursor, &host);
        player->setBackground(Qt::yellow);
        QCOMPARE(QColor(player->currentFrame().pixel(0, 0)), QColor(Qt::yellow));
        QSignalSpy changes(player, &AniPlayer::frameChanged);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QTRY_COMPARE_WITH_TIMEOUT(player->currentStep(), 2, 2000);
        QCOMPARE(changes.count(), 1); // the second step shows the first frame again
        QCOMPARE(changes.at(0).at(0).toRect(), QRect(10, 12, 4, 9));
        QCOMPARE(player->currentFrame().pixel(10, 12), Red);
        QCOMPARE(QColor(player->currentFrame().pixel(11, 12)), QColor(Qt::yellow));
    }
};

#include "tst_anicursor.moc"
QUENDAL_TEST(TstAniCursor)
