#pragma once

#include <QString>
#include <QtGlobal>

// The parts of the program that need large libraries (the audio system, charts and printing) are
// modules in the program folder, loaded when they are first needed: the program starts without
// those libraries and uses their memory only when the user gets there.
namespace ProgramModule {

// The exported function `symbol` of the module file; the module stays loaded. Null when the file
// is missing, cannot be loaded or lacks the function; `error` then says why.
QFunctionPointer resolve(const QString& modulePath, const char* symbol, QString* error = nullptr);

template <typename Function>
Function resolve(const QString& modulePath, const char* symbol, QString* error = nullptr) {
    return reinterpret_cast<Function>(resolve(modulePath, symbol, error));
}

} // namespace ProgramModule
