#include "Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace Shell {

void open(const QUrl& target) {
    QDesktopServices::openUrl(target);
}

} // namespace Shell
