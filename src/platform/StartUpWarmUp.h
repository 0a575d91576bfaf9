#pragma once

#include <QString>
#include <QTranslator>
#include <thread>

// Reads what start-up needs a little later on threads of its own, while the display connection
// is being set up: the system's font catalogue on one, the database driver with its SQLite
// library and Qt's German texts on the other. The first window and the database then find them
// ready. The catalogue takes longest; the other two are ready first and are not held up by it.
class StartUpWarmUp {
public:
    StartUpWarmUp();
    ~StartUpWarmUp();
    StartUpWarmUp(const StartUpWarmUp&) = delete;
    StartUpWarmUp& operator=(const StartUpWarmUp&) = delete;

    // Waits for both threads: needed before the first font is used, as a font asked for while
    // the catalogue is being read would have it read a second time.
    void wait();
    // Waits for the driver and the texts only, then gives Qt's own dialogs and buttons (file and print dialogs, message box
    // buttons, shortcut names) their German texts, whatever the user's locale: the program
    // speaks no other language. Needs the application object.
    void installTranslation();

    // Where Qt finds the SQLite driver on this system.
    static QString databaseDriverPath();

private:
    std::thread fonts_;
    std::thread files_;
    QTranslator qtGerman_; // loaded on files_, used only after it has ended
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
