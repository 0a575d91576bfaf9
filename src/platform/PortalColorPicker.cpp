#include "PortalColorPicker.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString screenshotInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
const char* const responseSlot = SLOT(onResponse(uint, QVariantMap));

// A portal that does not answer within this time is taken as absent.
constexpr int probeTimeoutMs = 3000;
constexpr int pickTimeoutMs = 2 * 60 * 1000;

// The portal sends the colour as a (ddd) structure of red, green and blue from 0 to 1.
std::optional<QColor> colorFrom(const QVariant& value) {
    if (!value.canConvert<QDBusArgument>())
        return std::nullopt;
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ddd)"))
        return std::nullopt;
    double rgb[3] = {};
    argument.beginStructure();
    argument >> rgb[0] >> rgb[1] >> rgb[2];
    argument.endStructure();
    int channel[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (!std::isfinite(rgb[i]))
            return std::nullopt;
        channel[i] = int(std::lround(std::clamp(rgb[i], 0.0, 1.0) * 255));
    }
    return QColor(channel[0], channel[1], channel[2]);
}

} // namespace

PortalColorPicker::PortalColorPicker(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), bus_(bus) {
    timeout_.setSingleShot(true);
    timeout_.setInterval(pickTimeoutMs);
    connect(&timeout_, &QTimer::timeout, this, [this] { finish(std::nullopt); });
}

PortalColorPicker::~PortalColorPicker() {
    // A pick still open ends unheard: its caller is going away with us.
    if (!requestPath_.isEmpty())
        bus_.disconnect(portalService, requestPath_, requestInterface, QStringLiteral("Response"),
                        this, responseSlot);
}

bool PortalColorPicker::available() const {
    if (!bus_.isConnected())
        return false;
    QDBusConnectionInterface* daemon = bus_.interface();
    if (!daemon->isServiceRegistered(portalService).value() &&
        !daemon->activatableServiceNames().value().contains(portalService))
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        portalService, portalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << screenshotInterface << QStringLiteral("version");
    const QDBusMessage reply = bus_.call(get, QDBus::Block, probeTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    // PickColor came with version 2 of the interface.
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toUInt() >= 2;
}

bool PortalColorPicker::pick(const QString& parentWindow, Callback done) {
    if (busy_ || !bus_.isConnected())
        return false;
    busy_ = true;
    done_ = std::move(done);

    // The portal names the request after our bus name and the token; listening there before
    // asking means an answer cannot slip past between the call and its reply.
    static quint64 serial = 0;
    const QString token =
        QStringLiteral("quendal%1_%2").arg(QCoreApplication::applicationPid()).arg(++serial);
    QString sender = bus_.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    listen(portalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token);

    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, portalPath, screenshotInterface, QStringLiteral("PickColor"));
    call << parentWindow
         << QVariant::fromValue(QVariantMap{{QStringLiteral("handle_token"), token}});
    call_ = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(call_, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* watcher) {
                const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
                if (reply.isError())
                    finish(std::nullopt);
                else if (reply.value().path() != requestPath_) // an older portal's own name
                    listen(reply.value().path());
            });
    timeout_.start();
    return true;
}

void PortalColorPicker::onResponse(uint response, const QVariantMap& results) {
    if (!busy_)
        return;
    // 0 is success; 1 the user cancelled; 2 anything else.
    finish(response == 0 ? colorFrom(results.value(QStringLiteral("color"))) : std::nullopt);
}

void PortalColorPicker::listen(const QString& requestPath) {
    if (!requestPath_.isEmpty())
        bus_.disconnect(portalService, requestPath_, requestInterface, QStringLiteral("Response"),
                        this, responseSlot);
    requestPath_ = requestPath;
    if (!requestPath_.isEmpty())
        bus_.connect(portalService, requestPath_, requestInterface, QStringLiteral("Response"),
                     this, responseSlot);
}

void PortalColorPicker::finish(std::optional<QColor> color) {
    timeout_.stop();
    listen(QString());
    if (call_) {
        call_->disconnect(this);
        call_->deleteLater();
    }
    busy_ = false;
    // The caller may start the next pick from done.
    const Callback done = std::exchange(done_, {});
    if (done)
        done(color);
}

QString PortalColorPicker::parentWindowId(const QWindow* window) {
    if (window && QGuiApplication::platformName() == QLatin1String("xcb"))
        return QStringLiteral("x11:") + QString::number(window->winId(), 16);
    return QString();
}
