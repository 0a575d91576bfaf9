#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A text file of the user's own turned into a lesson text: decoded, reduced to what the
// keyboard can type, wrapped into lines of at most 50 characters and cut before its 10000th
// character. Plain functions without a window, so that every case can be tried alone.
namespace OwnText {

constexpr int LineLength = 50;
constexpr int ScanLimit = 10000; // the scan stops when it reaches this position (from 1)
constexpr int TitleLength = 100;
// A character takes at most four bytes in any encoding we read; one character more than the
// scan can use tells a CR LF pair at its end, and a byte-order mark comes on top.
constexpr qint64 ReadLimit = 4 * qint64(ScanLimit) + 4;

// What doit makes of a text.
struct Normalised {
    QString TextOut;
    bool Changed = false;   // a character outside 32 to 126 was met or replaced, or a line broken
    bool Truncated = false; // the scan reached its limit
};

// The file's bytes as text: UTF-16 when they begin with its byte-order mark or their zero bytes
// stand on one side of the byte pairs; UTF-8 when they are valid UTF-8 (with or without a
// byte-order mark; a sequence cut off at the end of bytes counts as valid when truncatedInput
// is set), unless, without a mark, they read better as Windows-1252; Windows-1252 otherwise.
QString decode(const QByteArray& bytes, bool truncatedInput = false);
bool isValidUtf8(const QByteArray& bytes, bool allowCutEnd = false);
QString decodeWindows1252(const QByteArray& bytes);

// The character pass: one character out for every character (code point) in, but for a run of
// control characters at the end, which is dropped. Line breaks are kept; every other control
// character becomes a blank, the German letters and the euro sign stay, low and left double
// quotes become '"', the en dash '-', everything else a blank. changed is set when any
// character outside 32 to 126 (other than CR and LF) was met.
QString mapCharacters(const QString& text, bool* changed);

// The normalisation of a decoded text: the character pass, then the wrap pass.
Normalised doit(const QString& TextIn);

// The lesson title: the part of the path behind its last "/" without control characters, at
// most 100 characters.
QString titleFromPath(const QString& path);

// Reads no more of the file than can reach the lesson. Nothing for what is not a readable,
// non-empty regular file.
std::optional<QString> readFile(const QString& path);

// True when the text holds something to type besides blanks and line breaks.
bool hasContent(const QString& text);

} // namespace OwnText
