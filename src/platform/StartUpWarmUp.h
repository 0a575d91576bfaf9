#pragma once

#include <QString>
#include <thread>

// Reads what start-up needs a little later on a thread of its own, while the display connection
// is being set up: the system's font catalogue and the database driver with its SQLite library.
// The first window and the database then find them ready.
class StartUpWarmUp {
public:
    StartUpWarmUp();
    ~StartUpWarmUp();
    StartUpWarmUp(const StartUpWarmUp&) = delete;
    StartUpWarmUp& operator=(const StartUpWarmUp&) = delete;

    void wait();

    // Where Qt finds the SQLite driver on this system.
    static QString databaseDriverPath();

private:
    std::thread thread_;
};
