#include "FileMessages.h"

namespace FileMessages {

QString quoted(const QString& path) {
    return QStringLiteral("„") + path + QStringLiteral("“");
}

QString reason(const std::error_code& ec) {
    if (ec == std::errc::no_such_file_or_directory)
        return QStringLiteral("Der übergeordnete Ordner ist nicht vorhanden.");
    if (ec == std::errc::not_a_directory)
        return QStringLiteral("Ein Teil des Pfads ist eine Datei, kein Ordner.");
    if (ec == std::errc::file_exists)
        return QStringLiteral("Unter diesem Namen besteht bereits eine Datei.");
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted)
        return QStringLiteral("Zugriff verweigert.");
    if (ec == std::errc::read_only_file_system)
        return QStringLiteral("Das Dateisystem ist schreibgeschützt.");
    if (ec == std::errc::no_space_on_device)
        return QStringLiteral("Der Datenträger ist voll.");
    return QStringLiteral("Systemfehler (%1).").arg(QString::fromStdString(ec.message()));
}

} // namespace FileMessages
