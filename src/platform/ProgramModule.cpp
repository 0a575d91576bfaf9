#include "ProgramModule.h"

#include <QLibrary>

namespace ProgramModule {

QFunctionPointer resolve(const QString& modulePath, const char* symbol, QString* error) {
    QLibrary library(modulePath);
    library.setLoadHints(QLibrary::PreventUnloadHint);
    QFunctionPointer function = library.load() ? library.resolve(symbol) : nullptr;
    if (!function && error)
        *error = library.errorString();
    return function;
}

} // namespace ProgramModule
