#pragma once

#include <QString>

// The maker's addresses: the about box links, the main window's web and mail entries and the
// tool bar's browser button all use these.
namespace Maker {

inline QString homePage() {
    return QStringLiteral("https://www.example.org/quendal");
}

inline QString mailAddress() {
    return QStringLiteral("quendal@example.org");
}

} // namespace Maker
