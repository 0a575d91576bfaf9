#include "AniCursor.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// A byte range read little-endian (big-endian for PNG). Every read is bounds-checked; out of
// range reads give 0, and callers check has() first wherever a length comes from the file.
class Bytes {
public:
    Bytes(const char* data, qint64 size) : data_(data), size_(size) {}

    qint64 size() const { return size_; }
    const char* data() const { return data_; }

    bool has(qint64 offset, qint64 length) const {
        return offset >= 0 && length >= 0 && offset <= size_ && length <= size_ - offset;
    }
    Bytes mid(qint64 offset, qint64 length) const {
        return has(offset, length) ? Bytes(data_ + offset, length) : Bytes(data_, 0);
    }
    bool tagAt(qint64 offset, const char* tag) const {
        return has(offset, 4) && std::memcmp(data_ + offset, tag, 4) == 0;
    }
    quint8 u8(qint64 offset) const { return has(offset, 1) ? quint8(data_[offset]) : 0; }
    quint16 u16(qint64 offset) const { return quint16(u8(offset) | u8(offset + 1) << 8); }
    quint32 u32(qint64 offset) const { return u16(offset) | quint32(u16(offset + 2)) << 16; }
    quint32 u32be(qint64 offset) const {
        return quint32(u8(offset)) << 24 | quint32(u8(offset + 1)) << 16 |
               quint32(u8(offset + 2)) << 8 | u8(offset + 3);
    }

private:
    const char* data_;
    qint64 size_;
};

constexpr int PreferredSide = 32; // the size the figure is shown at

// Calls visit(chunk start, chunk body) for each chunk of a RIFF range; visit returns false to
// stop. False when a chunk claims more bytes than the range holds.
template <class Visit> bool forEachChunk(const Bytes& range, Visit visit) {
    qint64 pos = 0;
    while (range.has(pos, 8)) {
        const quint32 size = range.u32(pos + 4);
        if (!range.has(pos + 8, size))
            return false;
        if (!visit(pos, range.mid(pos + 8, size)))
            return false;
        pos += 8 + qint64(size) + (size & 1); // chunks are padded to an even length
    }
    return true;
}

bool validSide(qint64 side) {
    return side >= 1 && side <= AniCursor::MaxImageSide;
}

QImage decodePng(const Bytes& png) {
    // The size is checked before the decoder allocates anything.
    if (!png.has(0, 24) || !png.tagAt(12, "IHDR"))
        return {};
    const quint32 width = png.u32be(16), height = png.u32be(20);
    if (!validSide(width) || !validSide(height))
        return {};
    QByteArray bytes = QByteArray::fromRawData(png.data(), png.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    const QImage image = reader.read();
    if (image.isNull() || image.width() != int(width) || image.height() != int(height))
        return {};
    return image.convertToFormat(QImage::Format_ARGB32);
}

// A device-independent bitmap as icons hold it: the colour image with doubled height, followed
// by the 1-bit AND mask (which 32-bit images with alpha may leave out).
QImage decodeDib(const Bytes& dib) {
    if (!dib.has(0, 40))
        return {};
    const quint32 headerSize = dib.u32(0);
    if (headerSize < 40 || headerSize > 124 || !dib.has(0, headerSize))
        return {};
    const qint64 width = qint32(dib.u32(4));
    const qint64 fullHeight = qint32(dib.u32(8));
    const int bpp = dib.u16(14);
    if (dib.u32(16) != 0) // compressed or bit-field bitmaps do not occur in cursors
        return {};
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        return {};
    const bool topDown = fullHeight < 0;
    const qint64 height = (topDown ? -fullHeight : fullHeight) / 2;
    if (!validSide(width) || !validSide(height))
        return {};

    qint64 pos = headerSize;
    QList<QRgb> palette;
    if (bpp <= 8) {
        const quint32 maxColors = 1u << bpp;
        const quint32 colorsUsed = dib.u32(32);
        const quint32 count = colorsUsed == 0 ? maxColors : colorsUsed;
        if (count > maxColors || !dib.has(pos, qint64(count) * 4))
            return {};
        for (quint32 i = 0; i < maxColors; ++i) {
            const qint64 entry = pos + qint64(i) * 4;
            palette << (i < count ? qRgb(dib.u8(entry + 2), dib.u8(entry + 1), dib.u8(entry))
                                  : qRgb(0, 0, 0));
        }
        pos += qint64(count) * 4;
    }
    const qint64 xorStride = (width * bpp + 31) / 32 * 4;
    const qint64 andStride = (width + 31) / 32 * 4;
    const qint64 andPos = pos + xorStride * height;
    if (!dib.has(pos, xorStride * height))
        return {};
    const bool hasMask = dib.has(andPos, andStride * height);
    if (!hasMask && bpp != 32)
        return {};

    bool alphaUsed = false;
    if (bpp == 32)
        for (qint64 i = 3; i < xorStride * height && !alphaUsed; i += 4)
            alphaUsed = dib.u8(pos + i) != 0;

    QImage image(int(width), int(height), QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    for (qint64 y = 0; y < height; ++y) {
        const qint64 row = topDown ? y : height - 1 - y;
        const qint64 xorRow = pos + row * xorStride, andRow = andPos + row * andStride;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
        for (qint64 x = 0; x < width; ++x) {
            QRgb color;
            if (bpp == 32) {
                const qint64 p = xorRow + x * 4;
                color = qRgba(dib.u8(p + 2), dib.u8(p + 1), dib.u8(p), dib.u8(p + 3));
            } else if (bpp == 24) {
                const qint64 p = xorRow + x * 3;
                color = qRgb(dib.u8(p + 2), dib.u8(p + 1), dib.u8(p));
            } else {
                const qint64 bit = x * bpp;
                const int shift = 8 - bpp - int(bit % 8);
                color = palette.at((dib.u8(xorRow + bit / 8) >> shift) & ((1 << bpp) - 1));
            }
            if (!alphaUsed) {
                const bool masked = hasMask && (dib.u8(andRow + x / 8) >> (7 - x % 8)) & 1;
                // A masked pixel with colour inverts the screen; on the light bar that is dark.
                if (!masked)
                    color |= 0xFF000000u;
                else
                    color = (color & 0xFFFFFFu) ? qRgb(0, 0, 0) : qRgba(0, 0, 0, 0);
            }
            line[x] = color;
        }
    }
    return image;
}

// An icon or cursor file: the image nearest to the figure's size among those it holds.
QImage decodeIconFile(const Bytes& icon) {
    const quint16 type = icon.u16(2);
    const quint16 count = icon.u16(4);
    if (!icon.has(0, 6) || icon.u16(0) != 0 || (type != 1 && type != 2) || count == 0 ||
        !icon.has(6, qint64(count) * 16))
        return {};
    qint64 best = -1, bestDistance = 0;
    for (qint64 i = 0; i < count; ++i) {
        const qint64 entry = 6 + i * 16;
        const int width = icon.u8(entry) ? icon.u8(entry) : 256;
        const int height = icon.u8(entry + 1) ? icon.u8(entry + 1) : 256;
        const qint64 distance = qAbs(width - PreferredSide) + qAbs(height - PreferredSide);
        if (best < 0 || distance < bestDistance) {
            best = entry;
            bestDistance = distance;
        }
    }
    const quint32 size = icon.u32(best + 8), offset = icon.u32(best + 12);
    if (!icon.has(offset, size))
        return {};
    const Bytes image = icon.mid(offset, size);
    static const char pngSignature[] = "\x89PNG\r\n\x1a\n";
    if (image.has(0, 8) && std::memcmp(image.data(), pngSignature, 8) == 0)
        return decodePng(image);
    return decodeDib(image);
}

} // namespace

AniCursor AniCursor::fromFile(const QString& path) {
    // Only regular files: a pipe or device could block or never end.
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return {};
    // Reads what the file holds (a byte more shows that it grew), not a buffer of the limit.
    const QByteArray data = file.read(file.size() + 1);
    if (data.size() > MaxFileSize)
        return {};
    return fromData(data);
}

AniCursor AniCursor::fromData(const QByteArray& data) {
    const Bytes file(data.constData(), data.size());
    if (!file.tagAt(0, "RIFF") || !file.tagAt(8, "ACON"))
        return {};
    const quint32 riffSize = file.u32(4);
    if (riffSize < 4 || !file.has(8, riffSize))
        return {};
    const Bytes body = file.mid(12, qint64(riffSize) - 4);

    std::optional<Bytes> header, rates, sequence;
    QList<Bytes> icons;
    const bool wellFormed = forEachChunk(body, [&](qint64 at, const Bytes& chunk) {
        if (body.tagAt(at, "anih"))
            header = chunk;
        else if (body.tagAt(at, "rate"))
            rates = chunk;
        else if (body.tagAt(at, "seq "))
            sequence = chunk;
        else if (body.tagAt(at, "LIST") && chunk.tagAt(0, "fram")) {
            const Bytes list = chunk.mid(4, chunk.size() - 4);
            return forEachChunk(list,
                                [&](qint64 iconAt, const Bytes& icon) {
                                    if (list.tagAt(iconAt, "icon"))
                                        icons << icon;
                                    return icons.size() < MaxFrames;
                                }) ||
                   icons.size() == MaxFrames;
        }
        return true;
    });
    if (!wellFormed || !header || !header->has(0, 36) || header->u32(0) != 36)
        return {};

    const quint32 frameCount = header->u32(4);
    quint32 stepCount = header->u32(8);
    const quint32 defaultRate = header->u32(28);
    const quint32 flags = header->u32(32);
    constexpr quint32 FramesAreIcons = 1;
    if (!(flags & FramesAreIcons)) // raw bitmap frames: not used by cursors we know of
        return {};
    if (frameCount < 1 || frameCount > quint32(icons.size()))
        return {};
    if (stepCount == 0)
        stepCount = frameCount;
    if (stepCount > MaxSteps || (sequence && sequence->size() / 4 < stepCount) ||
        (rates && rates->size() / 4 < stepCount))
        return {};

    AniCursor cursor;
    for (quint32 i = 0; i < stepCount; ++i) {
        const quint32 frame = sequence ? sequence->u32(qint64(i) * 4) : i % frameCount;
        if (frame >= frameCount)
            return {};
        const quint32 jiffies = rates ? rates->u32(qint64(i) * 4) : defaultRate;
        cursor.steps_ << Step{int(frame), int(std::clamp<quint32>(jiffies, 1, MaxJiffies))};
    }
    for (quint32 i = 0; i < frameCount; ++i) {
        const QImage frame = decodeIconFile(icons.at(i));
        if (frame.isNull())
            return {};
        cursor.frames_ << frame;
    }
    return cursor;
}

int AniCursor::jiffiesToMs(int jiffies) {
    return int((qint64(jiffies) * 1000 + 30) / 60);
}
