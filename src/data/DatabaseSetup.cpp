#include "DatabaseSetup.h"

#include "FileMessages.h"
#include "Schema.h"
#include "platform/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <filesystem>
#include <system_error>

namespace DatabaseSetup {

namespace {

using FileMessages::quoted;

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Creates folder and returns the folders it created, innermost first, so that a failed
// first run can take them away again. Only the last level is created when onlyLastLevel.
bool createFolder(const QString& folder, bool onlyLastLevel, QStringList* created,
                  QString* reason) {
    QStringList missing;
    for (QString dir = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
         !QFileInfo::exists(dir) && !QFileInfo(dir).isSymLink();) {
        missing << dir;
        const QString parent = QFileInfo(dir).path();
        if (parent == dir)
            break;
        dir = parent;
    }
    if (onlyLastLevel && missing.size() > 1) {
        *reason = FileMessages::reason(std::make_error_code(std::errc::no_such_file_or_directory));
        return false;
    }
    // Outermost first.
    for (auto it = missing.crbegin(); it != missing.crend(); ++it) {
        std::error_code ec;
        std::filesystem::create_directory(fsPath(*it), ec);
        if (ec) {
            *reason = FileMessages::reason(ec);
            return false;
        }
        created->prepend(*it);
    }
    return true;
}

void removeFolders(const QStringList& created) {
    for (const QString& dir : created)
        QDir().rmdir(dir);
}

QString fileErrorText(const QFileDevice& file) {
    QString kind;
    switch (file.error()) {
    case QFileDevice::ReadError:
        kind = QStringLiteral("Lesefehler");
        break;
    case QFileDevice::WriteError:
    case QFileDevice::ResizeError:
        kind = QStringLiteral("Schreibfehler");
        break;
    case QFileDevice::OpenError:
        kind = QStringLiteral("Die Datei kann nicht geöffnet werden");
        break;
    case QFileDevice::PermissionsError:
        kind = QStringLiteral("Zugriff verweigert");
        break;
    case QFileDevice::RenameError:
        kind = QStringLiteral("Die Datei kann nicht umbenannt werden");
        break;
    default:
        kind = QStringLiteral("Dateifehler");
        break;
    }
    const QString detail = file.errorString();
    return detail.isEmpty() ? kind + QLatin1Char('.')
                            : kind + QStringLiteral(" (") + detail + QStringLiteral(").");
}

// Copies through a temporary file that only becomes dbPath when complete, so a failed copy
// leaves no half-written database behind. The copy gets ordinary permissions, even when the
// template is read-only, because the program appends its results to it.
bool copyTemplate(const QString& templatePath, const QString& dbPath, QString* error) {
    QFile in(templatePath);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Die Vorlage %1 kann nicht gelesen werden: %2")
                     .arg(quoted(templatePath), fileErrorText(in));
        return false;
    }
    QSaveFile out(dbPath);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Die Datenbank %1 kann nicht angelegt werden: %2")
                     .arg(quoted(dbPath), fileErrorText(out));
        return false;
    }
    const auto failure = [&](const QFileDevice& file) {
        return QStringLiteral("Die Vorlage %1 kann nicht nach %2 kopiert werden: %3")
            .arg(quoted(templatePath), quoted(dbPath), fileErrorText(file));
    };
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(64 * 1024);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) {
            *error = failure(in);
            out.cancelWriting();
            return false;
        }
        // A short write is not yet an error; writing on brings out the real cause.
        qint64 written = 0;
        while (written < chunk.size()) {
            const qint64 n = out.write(chunk.constData() + written, chunk.size() - written);
            if (n <= 0) {
                *error = failure(out);
                out.cancelWriting();
                return false;
            }
            written += n;
        }
    }
    // Written data may still sit in the buffer: flush here so a write error is reported as one.
    if (!out.flush()) {
        *error = failure(out);
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        *error = failure(out);
        return false;
    }
    return true;
}

bool templateIsUsable(const QString& templatePath, QString* description) {
    Database db;
    if (!db.open(templatePath, Database::Access::ReadOnly)) {
        *description = db.lastError();
        return false;
    }
    return Schema::check(db, description);
}

} // namespace

bool ensureWorkingCopy(const QString& folder, const QString& dbPath, const QString& templatePath,
                       QString* error) {
    QString ignored;
    QString& message = error ? *error : ignored;
    message.clear();

    const QFileInfo folderInfo(folder);
    if (folderInfo.exists() && !folderInfo.isDir()) {
        message = QStringLiteral("Der Ordner %1 kann nicht angelegt werden: %2")
                      .arg(quoted(folder),
                           FileMessages::reason(std::make_error_code(std::errc::file_exists)));
        return false;
    }
    // An existing copy is used as it is, whatever the template holds.
    const QFileInfo dbInfo(dbPath);
    if (dbInfo.exists() || dbInfo.isSymLink())
        return true;

    const QFileInfo templateInfo(templatePath);
    if (!templateInfo.exists()) {
        message = QStringLiteral("Die Vorlage %1 ist nicht vorhanden; die Datenbank %2 kann nicht "
                                 "angelegt werden.")
                      .arg(quoted(templatePath), quoted(dbPath));
        return false;
    }
    if (!templateInfo.isFile()) {
        message = QStringLiteral("Die Vorlage %1 ist keine Datei; die Datenbank %2 kann nicht "
                                 "angelegt werden.")
                      .arg(quoted(templatePath), quoted(dbPath));
        return false;
    }

    // A template that is no lesson database would become a copy that never opens, and that
    // stays even after the template has been repaired.
    QString description;
    if (!templateIsUsable(templatePath, &description)) {
        message = QStringLiteral("Die Vorlage %1 ist keine brauchbare Lektionsdatenbank; die "
                                 "Datenbank %2 kann nicht angelegt werden.\r\n%3")
                      .arg(quoted(templatePath), quoted(dbPath), description);
        return false;
    }

    // Below APPDATA only our own folder is created: a missing APPDATA is a broken set-up, not
    // something to paper over. The fallback location may lack its parents on a fresh account.
    const bool onlyLastLevel = !qEnvironmentVariable("APPDATA").isEmpty();
    QStringList created;
    if (!folderInfo.exists()) {
        QString reason;
        if (!createFolder(folder, onlyLastLevel, &created, &reason)) {
            removeFolders(created);
            message = QStringLiteral("Der Ordner %1 kann nicht angelegt werden: %2")
                          .arg(quoted(folder), reason);
            return false;
        }
    }
    if (!copyTemplate(templatePath, dbPath, &message)) {
        removeFolders(created);
        return false;
    }
    return true;
}

bool OpenDatabase(Database& db, const QString& path, QString* message) {
    QString description;
    bool ok = db.open(path);
    if (!ok) {
        description = db.lastError();
    } else if (!Schema::check(db, &description)) {
        db.close();
        ok = false;
    }
    if (!ok && message) {
        *message = QStringLiteral("Verbindung mit ") + path + QStringLiteral(" nicht möglich.") +
                   QStringLiteral("\r\n") + description;
    }
    if (ok && message)
        message->clear();
    return ok;
}

} // namespace DatabaseSetup
