#include "ServerCycle.h"

#include "XcbPixels.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <dlfcn.h>
#include <xcb/present.h>

// Last: its macros would clash with Qt's names.
#include <X11/Xlib.h>

namespace {

// The Present library is loaded with the first cycle, not with the program: start-up does not
// wait for it, and a system without it still runs the program, the figure drawn step by step.
struct PresentLibrary {
    xcb_extension_t* id = nullptr;
    decltype(&xcb_present_query_version) queryVersion = nullptr;
    decltype(&xcb_present_query_version_reply) queryVersionReply = nullptr;
    decltype(&xcb_present_select_input) selectInput = nullptr;
    decltype(&xcb_present_notify_msc) notifyMsc = nullptr;
    decltype(&xcb_present_pixmap) pixmap = nullptr;
};

template <typename Function> void resolve(void* library, const char* name, Function* function) {
    *function = reinterpret_cast<Function>(dlsym(library, name));
}

const PresentLibrary* presentLibrary() {
    static const PresentLibrary present = [] {
        PresentLibrary p;
        void* library = dlopen("libxcb-present.so.0", RTLD_LAZY | RTLD_LOCAL);
        if (!library)
            return p;
        p.id = static_cast<xcb_extension_t*>(dlsym(library, "xcb_present_id"));
        resolve(library, "xcb_present_query_version", &p.queryVersion);
        resolve(library, "xcb_present_query_version_reply", &p.queryVersionReply);
        resolve(library, "xcb_present_select_input", &p.selectInput);
        resolve(library, "xcb_present_notify_msc", &p.notifyMsc);
        resolve(library, "xcb_present_pixmap", &p.pixmap);
        return p;
    }();
    const bool whole = present.id && present.queryVersion && present.queryVersionReply &&
                       present.selectInput && present.notifyMsc && present.pixmap;
    return whole ? &present : nullptr;
}

// A reading of the server's frame clock: the count of frames shown, and when it was read (a
// display's driver gives when the last frame began).
struct Reading {
    uint64_t msc = 0;
    qint64 ust = 0; // microseconds
};

// How long the readings of the server's frame clock must lie apart before steps are queued, and
// how far back they are kept.
constexpr qint64 BaselineUs = 1000000;
constexpr qint64 RecentUs = 10000000;

} // namespace

struct ServerCycle::Connection {
    const PresentLibrary* present = nullptr;
    xcb_connection_t* c = nullptr;
    uint8_t presentOpcode = 0;
    const QWidget* widget = nullptr;
    xcb_window_t parent = 0;
    uint8_t depth = 0;
    xcb_gcontext_t gc = 0;
    std::vector<xcb_pixmap_t> pixmaps;
    xcb_window_t window = 0; // ours, while shown
    QPoint at;               // where it is, in the parent
    QSize size;
    uint32_t serial = 0;
    // The readings for the window shown, the oldest first, and how far the server's clock is
    // from ours (a server on another machine).
    std::deque<Reading> readings;
    qint64 offset = 0;

    ~Connection() {
        if (c)
            xcb_disconnect(c); // the server drops the window, the pixmaps and the queue
    }
};

std::unique_ptr<ServerCycle> ServerCycle::forWidget(const QWidget& widget) {
    const xcb_window_t parent = XcbPixels::windowOf(widget);
    const PresentLibrary* p = presentLibrary();
    if (!parent || !p)
        return nullptr;
    auto x = std::make_unique<Connection>();
    x->present = p;
    // A connection of its own, to Qt's server: the answers about its clock come here, not to Qt.
    Display* display = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
    x->c = xcb_connect(display ? DisplayString(display) : nullptr, nullptr);
    if (xcb_connection_has_error(x->c))
        return nullptr;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(x->c, p->id);
    if (!extension || !extension->present)
        return nullptr;
    x->presentOpcode = extension->major_opcode;
    xcb_present_query_version_reply_t* version = p->queryVersionReply(
        x->c, p->queryVersion(x->c, XCB_PRESENT_MAJOR_VERSION, XCB_PRESENT_MINOR_VERSION), nullptr);
    const bool known = version && version->major_version >= 1;
    free(version);
    x->widget = &widget;
    x->parent = parent;
    if (!known || !XcbPixels::takesRgb32(x->c, parent, &x->depth))
        return nullptr;
    return std::unique_ptr<ServerCycle>(new ServerCycle(std::move(x)));
}

ServerCycle::ServerCycle(std::unique_ptr<Connection> connection) : x_(std::move(connection)) {
}

ServerCycle::~ServerCycle() = default;

qint64 ServerCycle::now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}

void ServerCycle::setFrames(const QList<QImage>& frames) {
    hide();
    for (xcb_pixmap_t pixmap : x_->pixmaps)
        xcb_free_pixmap(x_->c, pixmap);
    x_->pixmaps = XcbPixels::upload(x_->c, x_->parent, x_->depth, &x_->gc, frames);
    x_->size = frames.isEmpty() ? QSize() : frames.first().size();
    xcb_flush(x_->c);
}

bool ServerCycle::shown() const {
    return x_->window != 0;
}

bool ServerCycle::fits(const QPoint& target) const {
    const QWidget* widget = x_->widget;
    return !xcb_connection_has_error(x_->c) &&
           XcbPixels::wholeOnScreen(*widget, x_->parent, QRect(target, x_->size)) &&
           (!x_->window || widget->mapTo(widget->window(), target) == x_->at);
}

bool ServerCycle::show(int frame, const QPoint& target) {
    if (frame < 0 || frame >= int(x_->pixmaps.size()) || !fits(target)) {
        hide();
        return false;
    }
    const xcb_pixmap_t pixmap = x_->pixmaps[size_t(frame)];
    if (!x_->window) {
        // Its background is the frame it starts with: what the server shows when the window is
        // uncovered, until the next step. It takes no input: clicks go to the window below.
        x_->at = x_->widget->mapTo(x_->widget->window(), target);
        x_->window = xcb_generate_id(x_->c);
        xcb_create_window(x_->c, XCB_COPY_FROM_PARENT, x_->window, x_->parent, int16_t(x_->at.x()),
                          int16_t(x_->at.y()), uint16_t(x_->size.width()),
                          uint16_t(x_->size.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          XCB_COPY_FROM_PARENT, XCB_CW_BACK_PIXMAP, &pixmap);
        x_->present->selectInput(x_->c, xcb_generate_id(x_->c), x_->window,
                                 XCB_PRESENT_EVENT_MASK_COMPLETE_NOTIFY);
        xcb_map_window(x_->c, x_->window);
        x_->present->notifyMsc(x_->c, x_->window, 0, 0, 0, 0);
    } else {
        x_->present->pixmap(x_->c, x_->window, pixmap, ++x_->serial, 0, 0, 0, 0, 0, 0, 0,
                            XCB_PRESENT_OPTION_COPY, 0, 0, 0, 0, nullptr);
    }
    xcb_flush(x_->c);
    return true;
}

void ServerCycle::hide() {
    if (!x_->window)
        return;
    xcb_destroy_window(x_->c, x_->window);
    xcb_flush(x_->c);
    x_->window = 0;
    x_->readings.clear();
}

void ServerCycle::refresh() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(x_->c)) {
        const auto* notify = reinterpret_cast<const xcb_present_complete_notify_event_t*>(event);
        if ((event->response_type & 0x7F) == XCB_GE_GENERIC &&
            notify->extension == x_->presentOpcode &&
            notify->event_type == XCB_PRESENT_COMPLETE_NOTIFY &&
            notify->kind == XCB_PRESENT_COMPLETE_KIND_NOTIFY_MSC && notify->window == x_->window &&
            x_->window) {
            const Reading reading{notify->msc, qint64(notify->ust)};
            if (x_->readings.empty()) {
                // Both clocks are the machine's monotonic one unless the server runs elsewhere.
                const qint64 apart = now() - reading.ust;
                x_->offset = std::llabs(apart) < 1000000 ? 0 : apart;
            }
            x_->readings.push_back(reading);
            // The rate is read over the last ten seconds or so: a window moved to a screen of
            // another rate walks at the right pace again soon.
            while (x_->readings.size() > 2 && reading.ust - x_->readings[1].ust >= RecentUs)
                x_->readings.pop_front();
        }
        free(event);
    }
    if (xcb_connection_has_error(x_->c))
        x_->window = 0;
    if (x_->window) {
        x_->present->notifyMsc(x_->c, x_->window, 0, 0, 0, 0);
        xcb_flush(x_->c);
    }
}

double ServerCycle::interval() const {
    if (!x_->window || x_->readings.size() < 2)
        return 0;
    const Reading& first = x_->readings.front();
    const Reading& last = x_->readings.back();
    const qint64 baseline = last.ust - first.ust;
    if (last.msc <= first.msc || baseline < BaselineUs)
        return 0;
    const double interval = double(baseline) / double(last.msc - first.msc);
    return interval >= 1000 && interval <= 1000000 ? interval : 0; // else no display's rate
}

qint64 ServerCycle::reach() const {
    if (!interval())
        return 0;
    const Reading& last = x_->readings.back();
    return last.ust + x_->offset + (last.ust - x_->readings.front().ust);
}

bool ServerCycle::queue(const QList<Step>& steps) {
    const double interval = this->interval();
    if (!interval)
        return false;
    // Counted from the oldest reading: the steps of one top-up share rate and origin.
    const Reading& first = x_->readings.front();
    for (const Step& step : steps) {
        if (step.frame < 0 || step.frame >= int(x_->pixmaps.size()))
            continue;
        // A moment already past is shown at once.
        const double frames = std::round(double(step.at - x_->offset - first.ust) / interval);
        const uint64_t target = first.msc + uint64_t(std::max(0.0, frames));
        x_->present->pixmap(x_->c, x_->window, x_->pixmaps[size_t(step.frame)], ++x_->serial, 0, 0,
                            0, 0, 0, 0, 0, XCB_PRESENT_OPTION_COPY, target, 0, 0, 0, nullptr);
    }
    xcb_flush(x_->c);
    return true;
}
