#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace DataTest {

// Sets (or, with unset, removes) an environment variable for one test and puts the old value
// back afterwards.
class EnvGuard {
public:
    explicit EnvGuard(const char* name) : name_(name), had_(qEnvironmentVariableIsSet(name)) {
        old_ = qgetenv(name);
    }
    EnvGuard(const char* name, const QString& value) : EnvGuard(name) {
        qputenv(name_, value.toLocal8Bit());
    }
    ~EnvGuard() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    void unset() { qunsetenv(name_); }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

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
