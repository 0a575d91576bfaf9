#include "StartUpWarmUp.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QLibrary>
#include <QLibraryInfo>
#include <QThread>

#include <fontconfig/fontconfig.h>

StartUpWarmUp::StartUpWarmUp() {
    // Qt takes the first thread that asks for its thread data as the main thread: this one asks
    // before the side thread can.
    QThread::currentThread();
    fonts_ = std::thread([] { FcInit(); });
    files_ = std::thread([this] {
        // Without the file (translations not installed) the dialogs stay in Qt's English.
        (void)qtGerman_.load(QStringLiteral("qtbase_de"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        // Loaded through Qt's own library store, the driver is found loaded when the database
        // is opened; a driver that is missing here fails there, with its message.
        QLibrary driver(databaseDriverPath());
        driver.setLoadHints(QLibrary::PreventUnloadHint);
        driver.load();
    });
}

StartUpWarmUp::~StartUpWarmUp() {
    wait();
}

void StartUpWarmUp::wait() {
    for (std::thread* thread : {&files_, &fonts_})
        if (thread->joinable())
            thread->join();
}

void StartUpWarmUp::installTranslation() {
    if (files_.joinable())
        files_.join();
    if (!qtGerman_.isEmpty())
        QCoreApplication::installTranslator(&qtGerman_);
}

QString StartUpWarmUp::databaseDriverPath() {
    return QLibraryInfo::path(QLibraryInfo::PluginsPath) +
           QStringLiteral("/sqldrivers/libqsqlite.so");
}

SessionBusWarmUp::SessionBusWarmUp() {
    // Qt keeps the connection, or that there is none, for every later caller.
    thread_ = std::thread([] { QDBusConnection::sessionBus(); });
}

SessionBusWarmUp::~SessionBusWarmUp() {
    thread_.join();
}
