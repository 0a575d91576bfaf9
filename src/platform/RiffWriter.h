#pragma once

#include <QByteArray>
#include <vector>

// Writing RIFF files (animated cursors and their icon frames): little-endian numbers and chunks
// padded to an even length.
namespace RiffWriter {

inline void put16(QByteArray& out, quint32 value) {
    out.append(char(value & 0xFF)).append(char((value >> 8) & 0xFF));
}

inline void put32(QByteArray& out, quint32 value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

inline QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray out(id, 4);
    put32(out, quint32(body.size()));
    out += body;
    if (body.size() % 2)
        out.append('\0');
    return out;
}

inline QByteArray dwords(const std::vector<quint32>& values) {
    QByteArray out;
    for (quint32 value : values)
        put32(out, value);
    return out;
}

} // namespace RiffWriter
