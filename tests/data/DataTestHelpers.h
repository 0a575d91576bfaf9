#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "TestSupport.h"

namespace DataTest {

using TestSupport::EnvGuard;

inline QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Everything below dir, so a test can tell that nothing was added or left behind.
inline QStringList listing(const QString& dir) {
    QStringList result;
    const QDir base(dir);
    const QFileInfoList entries = base.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        result << entry.fileName();
        if (entry.isDir() && !entry.isSymLink()) {
            for (const QString& inner : listing(entry.filePath()))
                result << entry.fileName() + QLatin1Char('/') + inner;
        }
    }
    return result;
}

} // namespace DataTest
