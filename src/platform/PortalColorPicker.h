#pragma once

#include <QColor>
#include <QDBusConnection>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QVariantMap>
#include <functional>
#include <optional>

class QDBusPendingCallWatcher;
class QWindow;

// The desktop portal's colour picker (org.freedesktop.portal.Screenshot, PickColor): the way to
// a screen pixel where the window system lets no program read the screen (Wayland). The portal
// shows a picker of its own and answers later, so the user interface never waits for the user.
class PortalColorPicker : public QObject {
    Q_OBJECT
public:
    // The colour the user picked; nothing when the pick was cancelled, failed or timed out.
    using Callback = std::function<void(std::optional<QColor>)>;

    explicit PortalColorPicker(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                               QObject* parent = nullptr);
    ~PortalColorPicker() override;

    // A portal runs (or can be started) on the bus and its screenshot interface offers
    // PickColor. Asks the bus, waiting a few seconds at most.
    bool available() const;

    // Starts a pick with parentWindow as the portal dialog's parent ("" or "x11:<xid>"). One
    // pick at a time: while one is under way this returns false and done is never called.
    bool pick(const QString& parentWindow, Callback done);
    bool busy() const { return busy_; }

    // How long a pick may take before it counts as abandoned; two minutes unless set.
    void setTimeout(int milliseconds) { timeout_.setInterval(milliseconds); }
    int timeout() const { return timeout_.interval(); }

    // The portal's name for window as a parent: "x11:<xid>" on X11, empty elsewhere.
    static QString parentWindowId(const QWindow* window);

private slots:
    void onResponse(uint response, const QVariantMap& results);

private:
    void listen(const QString& requestPath);
    void finish(std::optional<QColor> color);

    QDBusConnection bus_;
    QTimer timeout_;
    QPointer<QDBusPendingCallWatcher> call_;
    QString requestPath_;
    Callback done_;
    bool busy_ = false;
};
