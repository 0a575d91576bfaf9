#pragma once

#include <QString>

// The maker's addresses, shown in the about box and used by the main window's web and mail
// entries.
namespace Maker {

inline const QString HomePage = QStringLiteral("https://www.example.org/quendal");
inline const QString Mail = QStringLiteral("quendal@example.org");

} // namespace Maker
