// Draws the walking figure of the progress bar and writes it as an animated cursor file:
// RIFF "ACON" with a header, per-step rates, a play sequence and one cursor per frame
// (32 x 32, 32-bit colour with alpha and the AND mask that older readers use).
#include "platform/RiffWriter.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QString>
#include <cstdio>
#include <vector>

namespace {

constexpr int Side = 32;

enum class Pose { NearLegForward, Passing, NearLegBack };

const QColor Outline(30, 80, 30);
const QColor Skin(80, 165, 70);
const QColor FarSkin(55, 125, 50);
const QColor Belly(175, 215, 125);

void drawLeg(QPainter& p, QPointF hip, QPointF foot, const QColor& color) {
    p.setPen(QPen(Outline, 4.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hip, foot);
    p.setPen(QPen(color, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hip, foot);
    p.setPen(QPen(Outline, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(foot, foot + QPointF(2.5, 0)); // toes point the way it walks
}

QImage drawFrame(Pose pose, bool blink) {
    QImage image(Side, Side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal bob = pose == Pose::Passing ? -1.0 : 0.0; // the body rises between steps
    const QPointF farHip(12.5, 21 + bob), nearHip(15.5, 21 + bob);
    const qreal ground = 29.5;

    QPointF farFoot, nearFoot;
    switch (pose) {
    case Pose::NearLegForward:
        farFoot = {9, ground};
        nearFoot = {19.5, ground};
        break;
    case Pose::Passing:
        farFoot = {13, ground};
        nearFoot = {15, ground - 1};
        break;
    case Pose::NearLegBack:
        farFoot = {18.5, ground};
        nearFoot = {10, ground};
        break;
    }
    drawLeg(p, farHip, farFoot, FarSkin);

    QPainterPath tail;
    tail.moveTo(1.5, 21.5 + bob);
    tail.quadTo(6, 16 + bob, 10, 14.5 + bob);
    tail.lineTo(10, 21 + bob);
    tail.closeSubpath();
    p.setPen(QPen(Outline, 1));
    p.setBrush(Skin);
    p.drawPath(tail);

    // Back plates
    p.setBrush(QColor(200, 120, 50));
    for (qreal x : {9.0, 13.0, 17.0}) {
        QPolygonF plate;
        plate << QPointF(x - 1.8, 14.2 + bob) << QPointF(x, 10.5 + bob)
              << QPointF(x + 1.8, 14.2 + bob);
        p.drawPolygon(plate);
    }

    p.setBrush(Skin);
    p.drawEllipse(QRectF(7, 12.5 + bob, 15, 10.5));
    p.drawRoundedRect(QRectF(18, 8 + bob, 5, 10), 2, 2); // neck
    p.drawEllipse(QRectF(18, 4.5 + bob, 12, 8));         // head
    p.setPen(Qt::NoPen);
    p.setBrush(Belly);
    p.drawEllipse(QRectF(10, 17.5 + bob, 10, 4.5));

    p.setPen(QPen(Outline, 1));
    p.drawLine(QPointF(24.5, 10.5 + bob), QPointF(29, 10 + bob)); // mouth
    p.drawLine(QPointF(21.5, 16 + bob), QPointF(24, 18.5 + bob)); // arm
    if (blink) {
        p.drawLine(QPointF(23.5, 7.5 + bob), QPointF(26.5, 7.5 + bob));
    } else {
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(23.5, 6 + bob, 3, 3));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QRectF(24.8, 6.8 + bob, 1.5, 1.5));
    }

    drawLeg(p, nearHip, nearFoot, Skin);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// One cursor file: directory, one entry, and the bitmap bottom-up with doubled height, the
// colour rows (BGRA) followed by the AND mask (set where the figure is fully transparent).
QByteArray cursorFile(const QImage& frame) {
    constexpr int maskStride = (Side + 31) / 32 * 4;
    QByteArray dib;
    RiffWriter::put32(dib, 40);
    RiffWriter::put32(dib, Side);
    RiffWriter::put32(dib, 2 * Side);
    RiffWriter::put16(dib, 1);  // planes
    RiffWriter::put16(dib, 32); // bits per pixel
    RiffWriter::put32(dib, 0);  // uncompressed
    RiffWriter::put32(dib, Side * Side * 4 + Side * maskStride);
    for (int i = 0; i < 4; ++i)
        RiffWriter::put32(dib, 0); // resolution and palette: unused
    for (int y = Side - 1; y >= 0; --y)
        for (int x = 0; x < Side; ++x) {
            const QRgb pixel = frame.pixel(x, y);
            dib.append(char(qBlue(pixel)));
            dib.append(char(qGreen(pixel)));
            dib.append(char(qRed(pixel)));
            dib.append(char(qAlpha(pixel)));
        }
    for (int y = Side - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < Side; ++x)
            if (qAlpha(frame.pixel(x, y)) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        dib += row;
    }

    QByteArray out;
    RiffWriter::put16(out, 0);
    RiffWriter::put16(out, 2); // cursor
    RiffWriter::put16(out, 1); // one image
    out.append(char(Side));
    out.append(char(Side));
    out.append('\0'); // colour count
    out.append('\0');
    RiffWriter::put16(out, Side / 2); // hot spot: the middle, which does not matter for a figure
    RiffWriter::put16(out, Side / 2);
    RiffWriter::put32(out, quint32(dib.size()));
    RiffWriter::put32(out, 6 + 16);
    return out + dib;
}

QByteArray walkingFigure() {
    const std::vector<QImage> frames = {
        drawFrame(Pose::NearLegForward, false),
        drawFrame(Pose::Passing, false),
        drawFrame(Pose::NearLegBack, false),
        drawFrame(Pose::Passing, true),
    };
    // Two strides, the second passing step with a blink.
    const std::vector<quint32> sequence = {0, 1, 2, 1, 0, 1, 2, 3};
    const std::vector<quint32> rates = {8, 8, 8, 8, 8, 8, 8, 6};
    constexpr quint32 jiffies = 8;
    constexpr quint32 framesAreIcons = 1, hasSequence = 2;

    QByteArray header;
    for (quint32 value : {36u, quint32(frames.size()), quint32(sequence.size()), 0u, 0u, 0u, 0u,
                          jiffies, framesAreIcons | hasSequence})
        RiffWriter::put32(header, value);
    QByteArray list("fram");
    for (const QImage& frame : frames)
        list += RiffWriter::chunk("icon", cursorFile(frame));

    QByteArray body("ACON");
    body += RiffWriter::chunk("anih", header);
    body += RiffWriter::chunk("rate", RiffWriter::dwords(rates));
    body += RiffWriter::chunk("seq ", RiffWriter::dwords(sequence));
    body += RiffWriter::chunk("LIST", list);
    return RiffWriter::chunk("RIFF", body);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_dino <output.ani>\n");
        return 2;
    }
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(walkingFigure()) < 0 || !file.commit()) {
        std::fprintf(stderr, "make_dino: %s: %s\n", argv[1], qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
