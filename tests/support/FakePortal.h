#pragma once

#include <QDBusConnection>
#include <QList>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QVariantMap>
#include <memory>

class FakeScreenshot;

// A bus daemon of the test's own with a stand-in for the desktop portal's screenshot interface
// (org.freedesktop.portal.Desktop at /org/freedesktop/portal/desktop), so that nothing of the
// real desktop is touched. The stand-in answers on a thread of its own: a blocking call from
// the test's thread is answered too.
class FakePortal {
public:
    // How the stand-in answers PickColor.
    struct Answer {
        uint response = 0;
        QVariantMap results;
        bool silent = false;  // sends no Response at all
        bool ownPath = false; // names the request itself, as portals before handle_token did
    };
    // One PickColor as the stand-in received it.
    struct Request {
        QString parentWindow;
        QVariantMap options;
    };

    FakePortal();
    ~FakePortal();
    FakePortal(const FakePortal&) = delete;
    FakePortal& operator=(const FakePortal&) = delete;

    // The daemon runs and the test's connection to it is up.
    bool isRunning() const;
    // The test's own connection to the private bus.
    QDBusConnection clientBus() const;
    // Takes the portal's name on the bus, offering the interface in this version.
    bool serve(uint version);
    void setAnswer(const Answer& answer);
    QList<Request> requests() const;

    // A colour as the portal sends it: a (ddd) structure of red, green and blue from 0 to 1.
    static QVariant color(double red, double green, double blue);

private:
    QTemporaryDir dir_;
    QProcess daemon_;
    QString clientName_;
    QString portalName_;
    QThread thread_;
    std::unique_ptr<FakeScreenshot> screenshot_;
};
