#pragma once

#include <QString>
#include <QTranslator>
#include <thread>

// Reads what start-up needs a little later on a thread of its own, while the display connection
// is being set up: the system's font catalogue, the database driver with its SQLite library and
// Qt's German texts. The first window and the database then find them ready.
class StartUpWarmUp {
public:
    StartUpWarmUp();
    ~StartUpWarmUp();
    StartUpWarmUp(const StartUpWarmUp&) = delete;
    StartUpWarmUp& operator=(const StartUpWarmUp&) = delete;

    void wait();
    // Waits, then gives Qt's own dialogs and buttons (file and print dialogs, message box
    // buttons, shortcut names) their German texts, whatever the user's locale: the program
    // speaks no other language. Needs the application object.
    void installTranslation();

    // Where Qt finds the SQLite driver on this system.
    static QString databaseDriverPath();

private:
    std::thread thread_;
    QTranslator qtGerman_; // loaded on the thread, used only after it has ended
};

// Connects to the desktop's session bus on a thread of its own. Qt's accessibility bridge does
// so at the first text a widget holds and waits for the connection; where no bus is running,
// the attempt to start one takes milliseconds, which the first window then waited for. Made
// after the application object, so that it is finished before that goes.
class SessionBusWarmUp {
public:
    SessionBusWarmUp();
    ~SessionBusWarmUp();
    SessionBusWarmUp(const SessionBusWarmUp&) = delete;
    SessionBusWarmUp& operator=(const SessionBusWarmUp&) = delete;

private:
    std::thread thread_;
};
