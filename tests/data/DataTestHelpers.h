#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "TestSupport.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

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

// File permissions as an ordinary user meets them, also when the tests run as root: the
// calling thread gives up the capabilities that let root write to a read-only file or folder.
class OwnerPermissionsOnly {
public:
    OwnerPermissionsOnly() {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        if (syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &=
            ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        active_ = syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~OwnerPermissionsOnly() {
        if (active_)
            syscall(SYS_capset, &header_, saved_);
    }
    OwnerPermissionsOnly(const OwnerPermissionsOnly&) = delete;
    OwnerPermissionsOnly& operator=(const OwnerPermissionsOnly&) = delete;

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool active_ = false;
};

} // namespace DataTest
