#include "OwnText.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <array>

namespace OwnText {

namespace {

constexpr char16_t Blank = u' ';
constexpr char16_t CR = u'\r';
constexpr char16_t LF = u'\n';

// Windows-1252 from 0x80 to 0x9F; the five bytes the code page leaves open become blanks later.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isContinuation(uchar b) {
    return (b & 0xC0) == 0x80;
}

QString trimmed(const QString& text, qsizetype from, qsizetype to) { // [from, to), 0-based
    while (from < to && text.at(from) == Blank)
        ++from;
    while (to > from && text.at(to - 1) == Blank)
        --to;
    return text.mid(from, to - from);
}

char32_t mapped(char32_t c, bool* changed) {
    if (c == CR || c == LF)
        return c;
    if (c < 32) {
        *changed = true;
        return Blank;
    }
    if (c <= 126)
        return c;
    *changed = true;
    switch (c) {
    case 0x201E: // „
    case 0x201C: // “
        return u'"';
    case 0x2013: // –
        return u'-';
    case u'ä':
    case u'Ä':
    case u'ö':
    case u'Ö':
    case u'ü':
    case u'Ü':
    case u'€':
    case u'ß':
        return c;
    default:
        return Blank;
    }
}

} // namespace

bool isValidUtf8(const QByteArray& bytes, bool allowCutEnd) {
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const uchar b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        char32_t min = 0;
        char32_t c = 0;
        if ((b & 0xE0) == 0xC0) {
            length = 2, min = 0x80, c = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            length = 3, min = 0x800, c = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            length = 4, min = 0x10000, c = b & 0x07;
        } else {
            return false;
        }
        for (int k = 1; k < length; ++k) {
            if (i + k >= n)
                return allowCutEnd; // the rest of the character lies beyond what was read
            if (!isContinuation(p[i + k]))
                return false;
            c = (c << 6) | (p[i + k] & 0x3F);
        }
        if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

QString decodeWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char ch : bytes) {
        const uchar b = uchar(ch);
        text.append(QChar(b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b)));
    }
    return text;
}

QString decode(const QByteArray& bytes, bool truncatedInput) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                          : QStringConverter::Utf16BE);
        // The decoder keeps a half character at the end to itself; broken pairs turn into
        // replacement characters and later into blanks.
        QString text = utf16(bytes.mid(2));
        return text;
    }
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArray body = bom ? bytes.mid(3) : bytes;
    if (isValidUtf8(body, truncatedInput)) {
        QStringDecoder utf8(QStringConverter::Utf8);
        return utf8(body);
    }
    return decodeWindows1252(bytes);
}

QString mapCharacters(const QString& text, bool* changed) {
    QString out;
    out.reserve(text.size());
    int count = 0;
    for (char32_t c : text.toUcs4()) {
        // Nothing from the scan limit on can reach the lesson.
        if (++count > ScanLimit)
            break;
        out.append(QChar(char16_t(mapped(c, changed))));
    }
    return out;
}

Normalised doit(const QString& TextIn) {
    Normalised result;
    const QString text = mapCharacters(TextIn, &result.Changed);
    const qsizetype n = text.size();

    // Positions from 1, as the scan counts them.
    qsizetype LineStart = 1;
    qsizetype ScanPos = 1;
    qsizetype LastSpace = 0;
    auto at = [&](qsizetype pos) { return text.at(pos - 1); };
    auto appendLine = [&](qsizetype from, qsizetype to) { // from..to-1, from 1
        result.TextOut += trimmed(text, from - 1, to - 1);
        result.TextOut += QStringLiteral("\r\n");
    };

    while (ScanPos <= n) {
        const QChar c = at(ScanPos);
        if (c == CR || c == LF) {
            // A line break of the file ends the line where it stands.
            appendLine(LineStart, ScanPos);
            LastSpace = 0;
            ScanPos += (c == CR && ScanPos < n && at(ScanPos + 1) == LF) ? 2 : 1;
            LineStart = ScanPos;
        } else {
            if (c == Blank)
                LastSpace = ScanPos;
            if (ScanPos - LineStart == LineLength) {
                if (LastSpace != 0) {
                    appendLine(LineStart, LastSpace);
                    ScanPos = LastSpace + 1;
                    LineStart = ScanPos;
                    LastSpace = 0;
                } else {
                    appendLine(LineStart, ScanPos);
                    LineStart = ScanPos;
                }
                result.Changed = true;
            } else {
                ++ScanPos;
            }
        }
        if (ScanPos >= ScanLimit) {
            result.Truncated = true;
            break;
        }
    }

    if (ScanPos > LineStart)
        result.TextOut += trimmed(text, LineStart - 1, std::min(ScanPos, n + 1) - 1);
    return result;
}

QString titleFromPath(const QString& path) {
    QString title = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (title.size() > TitleLength) {
        title.truncate(TitleLength);
        if (title.back().isHighSurrogate())
            title.chop(1); // never half a character
    }
    return title;
}

std::optional<QString> readFile(const QString& path) {
    // Only regular files: a directory, a device or a pipe would give nothing or never end.
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(ReadLimit);
    if (bytes.isEmpty())
        return std::nullopt;
    const bool more = !file.atEnd();
    return decode(bytes, more);
}

bool hasContent(const QString& text) {
    for (const QChar c : text)
        if (c != Blank && c != CR && c != LF)
            return true;
    return false;
}

} // namespace OwnText
