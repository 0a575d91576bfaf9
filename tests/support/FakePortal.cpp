#include "FakePortal.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QTimer>

namespace {

struct Rgb {
    double red = 0;
    double green = 0;
    double blue = 0;
};

QDBusArgument& operator<<(QDBusArgument& argument, const Rgb& rgb) {
    argument.beginStructure();
    argument << rgb.red << rgb.green << rgb.blue;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Rgb& rgb) {
    argument.beginStructure();
    argument >> rgb.red >> rgb.green >> rgb.blue;
    argument.endStructure();
    return argument;
}

// Only what a test needs: a socket in the test's folder, anyone may own any name.
const char* const busConfig =
    "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
    " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
    "<busconfig>\n"
    "  <type>session</type>\n"
    "  <listen>unix:tmpdir=%1</listen>\n"
    "  <auth>EXTERNAL</auth>\n"
    "  <policy context=\"default\">\n"
    "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
    "    <allow eavesdrop=\"true\"/>\n"
    "    <allow own=\"*\"/>\n"
    "  </policy>\n"
    "</busconfig>\n";

} // namespace

Q_DECLARE_METATYPE(Rgb)

class FakeScreenshot : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
    Q_PROPERTY(uint version READ version)

public:
    explicit FakeScreenshot(uint version) : version_(version) {}
    uint version() const { return version_; }

    void setAnswer(const FakePortal::Answer& answer) {
        QMutexLocker lock(&mutex_);
        answer_ = answer;
    }
    QList<FakePortal::Request> requests() const {
        QMutexLocker lock(&mutex_);
        return requests_;
    }

public slots:
    QDBusObjectPath PickColor(const QString& parentWindow, const QVariantMap& options) {
        QMutexLocker lock(&mutex_);
        requests_.append({parentWindow, options});
        QString path;
        if (answer_.ownPath) {
            path = QStringLiteral("/org/freedesktop/portal/desktop/request/other/r%1")
                       .arg(requests_.size());
        } else {
            QString sender = message().service().mid(1);
            sender.replace(QLatin1Char('.'), QLatin1Char('_'));
            path = QStringLiteral("/org/freedesktop/portal/desktop/request/") + sender +
                   QLatin1Char('/') + options.value(QStringLiteral("handle_token")).toString();
        }
        if (!answer_.silent) {
            // The answer follows the reply, as the user takes a moment to pick.
            const FakePortal::Answer answer = answer_;
            const QDBusConnection bus = connection();
            QTimer::singleShot(answer.ownPath ? 200 : 10, this, [bus, path, answer] {
                QDBusMessage response = QDBusMessage::createSignal(
                    path, QStringLiteral("org.freedesktop.portal.Request"),
                    QStringLiteral("Response"));
                response << answer.response << QVariant::fromValue(answer.results);
                QDBusConnection(bus).send(response);
            });
        }
        return QDBusObjectPath(path);
    }

private:
    const uint version_;
    mutable QMutex mutex_;
    FakePortal::Answer answer_;
    QList<FakePortal::Request> requests_;
};

FakePortal::FakePortal() {
    static int instances = 0;
    ++instances;
    clientName_ = QStringLiteral("fakeportal-client-%1").arg(instances);
    portalName_ = QStringLiteral("fakeportal-portal-%1").arg(instances);
    qDBusRegisterMetaType<Rgb>();

    QFile config(dir_.filePath(QStringLiteral("bus.conf")));
    if (!dir_.isValid() || !config.open(QIODevice::WriteOnly))
        return;
    config.write(QString::fromLatin1(busConfig).arg(dir_.path()).toUtf8());
    config.close();
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--config-file=") + config.fileName(),
                   QStringLiteral("--print-address"), QStringLiteral("--nofork")});
    if (!daemon_.waitForStarted(5000))
        return;
    QByteArray address;
    while (!address.contains('\n') && daemon_.waitForReadyRead(5000))
        address += daemon_.readAllStandardOutput();
    address = address.trimmed();
    if (!address.isEmpty())
        QDBusConnection::connectToBus(QString::fromUtf8(address), clientName_);
    if (clientBus().isConnected())
        QDBusConnection::connectToBus(QString::fromUtf8(address), portalName_);
}

FakePortal::~FakePortal() {
    QDBusConnection::disconnectFromBus(clientName_);
    QDBusConnection::disconnectFromBus(portalName_);
    thread_.quit();
    thread_.wait();
    screenshot_.reset();
    if (daemon_.state() != QProcess::NotRunning) {
        daemon_.terminate();
        if (!daemon_.waitForFinished(5000))
            daemon_.kill();
        daemon_.waitForFinished(5000);
    }
}

bool FakePortal::isRunning() const {
    return clientBus().isConnected() && QDBusConnection(portalName_).isConnected();
}

QDBusConnection FakePortal::clientBus() const {
    return QDBusConnection(clientName_);
}

bool FakePortal::serve(uint version) {
    if (!isRunning() || screenshot_)
        return false;
    screenshot_ = std::make_unique<FakeScreenshot>(version);
    screenshot_->moveToThread(&thread_);
    thread_.start();
    QDBusConnection bus(portalName_);
    return bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), screenshot_.get(),
                              QDBusConnection::ExportAllSlots |
                                  QDBusConnection::ExportAllProperties) &&
           bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
}

void FakePortal::setAnswer(const Answer& answer) {
    if (screenshot_)
        screenshot_->setAnswer(answer);
}

QList<FakePortal::Request> FakePortal::requests() const {
    return screenshot_ ? screenshot_->requests() : QList<Request>();
}

QVariant FakePortal::color(double red, double green, double blue) {
    return QVariant::fromValue(Rgb{red, green, blue});
}

#include "FakePortal.moc"
