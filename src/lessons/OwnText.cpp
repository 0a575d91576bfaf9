#include "OwnText.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <optional>

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

// One character of UTF-8 at a byte position.
constexpr int Broken = 0;
constexpr int CutOff = -1; // the bytes end inside the character
struct Utf8Char {
    int length = Broken;
    char32_t c = 0;
};

Utf8Char utf8At(const uchar* p, qsizetype n, qsizetype i) {
    const uchar b = p[i];
    if (b < 0x80)
        return {1, b};
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
        return {};
    }
    for (int k = 1; k < length; ++k) {
        if (i + k >= n)
            return {CutOff, 0};
        if (!isContinuation(p[i + k]))
            return {};
        c = (c << 6) | (p[i + k] & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return {};
    return {length, c};
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

// Control characters: C0 and C1, DEL included.
bool isControl(char32_t c) {
    return c < 32 || (c >= 127 && c < 160);
}

// A character beyond ASCII that the lesson keeps (the German letters, the euro sign) or maps to
// a plain one (the quotes, the dash) instead of blanking it.
bool keepsForeign(char32_t c) {
    bool changed = false;
    return c > 126 && mapped(c, &changed) != Blank;
}

char16_t fromWindows1252(uchar b) {
    return b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b);
}

// Windows-1252 whose high bytes happen to pair up as UTF-8: "Maß°" reads as "Ma" and a letter
// of a rare script, which the lesson blanks. Such a reading blanks a character that begins
// with a letter the lesson keeps in Windows-1252, and it keeps no foreign character of its
// own: German UTF-8 has umlauts, ß, € or quotes, and Windows-1252 text never pairs up as those.
bool isWindows1252InDisguise(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    bool disguised = false;
    for (qsizetype i = 0; i < bytes.size();) {
        const Utf8Char u = utf8At(p, bytes.size(), i);
        if (u.length <= 0)
            break; // a character cut off where reading stopped
        if (u.length > 1) {
            if (keepsForeign(u.c))
                return false;
            disguised = disguised || keepsForeign(fromWindows1252(p[i]));
        }
        i += u.length;
    }
    return disguised;
}

// UTF-16 without a byte-order mark: nearly every character of a European text has a zero high
// byte, so the zero bytes stand on one side of the byte pairs. Zeros at the end are padding.
std::optional<QStringConverter::Encoding> utf16ByZeroBytes(const QByteArray& bytes) {
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    qsizetype end = bytes.size();
    while (end > 0 && bytes.at(end - 1) == '\0')
        --end;
    std::array<qsizetype, 2> zeros{}; // at even and at odd offsets
    for (qsizetype i = 0; i < end; ++i)
        if (bytes.at(i) == '\0')
            ++zeros[i % 2];
    // Half the characters or more with a zero high byte, hardly any with a zero low byte.
    const qsizetype units = (end + 1) / 2;
    const auto oneSided = [units](qsizetype high, qsizetype low) {
        return high > 0 && 2 * high >= units && 8 * low <= high;
    };
    if (oneSided(zeros[1], zeros[0]))
        return QStringConverter::Utf16LE;
    if (oneSided(zeros[0], zeros[1]))
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

} // namespace

bool isValidUtf8(const QByteArray& bytes, bool allowCutEnd) {
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size();) {
        const Utf8Char u = utf8At(p, bytes.size(), i);
        if (u.length == CutOff)
            return allowCutEnd; // the rest of the character lies beyond what was read
        if (u.length == Broken)
            return false;
        i += u.length;
    }
    return true;
}

QString decodeWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char ch : bytes)
        text.append(QChar(fromWindows1252(uchar(ch))));
    return text;
}

QString decode(const QByteArray& bytes, bool truncatedInput) {
    std::optional<QStringConverter::Encoding> utf16;
    qsizetype mark = 0;
    if (bytes.startsWith("\xFF\xFE"))
        utf16 = QStringConverter::Utf16LE, mark = 2;
    else if (bytes.startsWith("\xFE\xFF"))
        utf16 = QStringConverter::Utf16BE, mark = 2;
    else
        utf16 = utf16ByZeroBytes(bytes);
    if (utf16) {
        // The decoder keeps a half character at the end to itself; broken pairs turn into
        // replacement characters and later into blanks.
        QStringDecoder decoder(*utf16);
        return decoder(bytes.mid(mark));
    }
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArray body = bom ? bytes.mid(3) : bytes;
    if (isValidUtf8(body, truncatedInput) && (bom || !isWindows1252InDisguise(body))) {
        QStringDecoder utf8(QStringConverter::Utf8);
        return utf8(body);
    }
    return decodeWindows1252(bytes);
}

QString mapCharacters(const QString& text, bool* changed) {
    QString out;
    out.reserve(text.size());
    int count = 0;
    qsizetype padding = -1; // where the run of control characters at the end begins
    for (char32_t c : text.toUcs4()) {
        const bool content = c > 32 && !isControl(c);
        if (++count > ScanLimit) {
            // Nothing from the scan limit on reaches the lesson; it only tells whether the
            // control characters before the limit run on to the end.
            if (content)
                padding = -1;
            if (padding < 0)
                break;
            continue;
        }
        if (content)
            padding = -1;
        else if (isControl(c) && c != CR && c != LF && padding < 0)
            padding = out.size();
        out.append(QChar(char16_t(mapped(c, changed))));
    }
    // Control characters at the end (NUL padding, say) add nothing to type, nor do the blanks
    // and line breaks among them.
    if (padding >= 0)
        out.truncate(padding);
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
    // A line break or another control character in the name has no place in a one-line title.
    title.removeIf([](QChar c) { return isControl(c.unicode()); });
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
