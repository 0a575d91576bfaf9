// Starts one program under the running X server and measures it from the outside, the way a
// user meets it: real X key events (the XTest request that xdotool sends as well), windows seen
// mapping on the root window, paint seen as X DAMAGE on the window, CPU, memory and I/O read
// from /proc. Prints "name value" lines; bench/run_bench.sh runs it interleaved and tabulates.
//
//   bench_driver --program PATH [--ours] [--keys FILE] [--paces 13,60] [--max-keys N]
//                [--region x,y,w,h] [--trace FILE] [--start-only] [--idle SECONDS]
//
// --ours: the about box is closed with Return (the time to the idle main window is measured), a
//   lesson is opened with Ctrl+L, Return, Return before each pace, and a lesson typed to its end
//   gives the lesson end figures.
// --keys: one key a line as xdotool names it ("f", "space", "Return", "shift+a", "altgr+q").
// --region: where the typed characters show, in window pixels; a negative y counts from the
//   bottom edge, a width or height of 0 reaches the far edge. Paint elsewhere (an animation, a
//   clock) does not count as the keystroke reaching the screen.
// --idle: after the paces, type the first key of a fresh lesson (with --ours: opened as before
//   each pace) and measure the CPU the program uses over the given seconds while nothing more
//   is typed: the clock, the walking figure and whatever else runs while the user pauses.
// --start-only: measure the start alone (the first window, and with --ours the main window), then
//   end the program; a start costs a fraction of a second, so a run can take several.
// --trace: strace the lesson (file system calls) and count fsyncs, journal files and file
//   writes while typing and at the lesson end; the slowed run's timings are not printed.
// BENCH_HOOK, BENCH_HOOK_AFTER (environment): shell commands run just before the first key and
//   after the last key of each pace, and around the idle stretch, to profile these alone (with
//   the program started under valgrind --tool=callgrind: "callgrind_control -z" and
//   "callgrind_control -d"; the program's process id is in $BENCH_PID, for perf record -p).
// BENCH_SMAPS (environment): a file that receives the program's /proc/PID/smaps at the moment
//   its PSS is read, to see which mappings it is made of.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// The few entry points of libXtst and libXdamage this driver needs; their development headers
// are not part of the set-up.
extern "C" {
int XTestFakeKeyEvent(Display* display, unsigned int keycode, Bool isPress, unsigned long delay);
typedef XID Damage;
typedef struct {
    int type;
    unsigned long serial;
    Bool send_event;
    Display* display;
    Drawable drawable;
    Damage damage;
    int level;
    Bool more;
    Time timestamp;
    XRectangle area;
    XRectangle geometry;
} XDamageNotifyEvent;
Bool XDamageQueryExtension(Display* display, int* eventBase, int* errorBase);
Damage XDamageCreate(Display* display, Drawable drawable, int level);
}

namespace {

constexpr int DamageReportRawRectangles = 0;

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "bench_driver: %s\n", message.c_str());
    std::exit(2);
}

double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double wallSeconds() {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

void print(const std::string& name, double value) {
    std::printf("%s %.6g\n", name.c_str(), value);
    std::fflush(stdout);
}

// --- /proc -------------------------------------------------------------------------------------

std::string slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// On-CPU time of all live threads in ns (schedstat) and utime+stime of the whole process in ms.
struct Cpu {
    double schedNs = 0;
    double ticksMs = 0;
};

Cpu readCpu(pid_t pid) {
    Cpu cpu;
    const std::string taskDir = "/proc/" + std::to_string(pid) + "/task";
    if (DIR* dir = opendir(taskDir.c_str())) {
        while (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            std::istringstream in(slurp(taskDir + "/" + entry->d_name + "/schedstat"));
            double ns = 0;
            in >> ns;
            cpu.schedNs += ns;
        }
        closedir(dir);
    }
    const std::string stat = slurp("/proc/" + std::to_string(pid) + "/stat");
    const auto close = stat.rfind(')');
    if (close != std::string::npos) {
        std::istringstream in(stat.substr(close + 2));
        std::vector<std::string> fields;
        for (std::string f; in >> f;)
            fields.push_back(f);
        // After the name: state is field 3, utime 14 and stime 15.
        if (fields.size() > 12)
            cpu.ticksMs = (std::stod(fields[11]) + std::stod(fields[12])) * 1000.0 /
                          double(sysconf(_SC_CLK_TCK));
    }
    return cpu;
}

std::map<std::string, double> readKeyValues(const std::string& path) {
    std::map<std::string, double> values;
    std::istringstream in(slurp(path));
    for (std::string line; std::getline(in, line);) {
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        try {
            values[line.substr(0, colon)] = std::stod(line.substr(colon + 1));
        } catch (...) {
        }
    }
    return values;
}

// --- X -----------------------------------------------------------------------------------------

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool intersects(const XRectangle& r) const {
        return r.x < x + w && x < r.x + r.width && r.y < y + h && y < r.y + r.height;
    }
};

struct Key {
    std::vector<KeyCode> modifiers;
    KeyCode code = 0;
};

class Session {
public:
    Session() {
        display_ = XOpenDisplay(nullptr);
        if (!display_)
            fail("no X display");
        root_ = DefaultRootWindow(display_);
        XSelectInput(display_, root_, SubstructureNotifyMask);
        int errorBase = 0;
        if (!XDamageQueryExtension(display_, &damageEvent_, &errorBase))
            fail("the X server has no DAMAGE extension");
        XSync(display_, False);
    }

    Key key(const std::string& combo) const {
        Key k;
        std::string rest = combo;
        for (;;) {
            const auto plus = rest.find('+');
            if (plus == std::string::npos || plus + 1 >= rest.size())
                break;
            const std::string mod = rest.substr(0, plus);
            rest = rest.substr(plus + 1);
            const char* sym = mod == "shift"   ? "Shift_L"
                              : mod == "ctrl"  ? "Control_L"
                              : mod == "altgr" ? "ISO_Level3_Shift"
                                               : mod.c_str();
            k.modifiers.push_back(code(sym));
        }
        k.code = code(rest);
        return k;
    }

    void press(const Key& key) {
        for (KeyCode m : key.modifiers)
            XTestFakeKeyEvent(display_, m, True, 0);
        XTestFakeKeyEvent(display_, key.code, True, 0);
        XFlush(display_);
    }
    void release(const Key& key) {
        XTestFakeKeyEvent(display_, key.code, False, 0);
        for (auto m = key.modifiers.rbegin(); m != key.modifiers.rend(); ++m)
            XTestFakeKeyEvent(display_, *m, False, 0);
        XFlush(display_);
    }
    void stroke(const std::string& combo) {
        const Key k = key(combo);
        press(k);
        pump(nowMs() + 30);
        release(k);
    }

    void focus(Window window) {
        XSetInputFocus(display_, window, RevertToParent, CurrentTime);
        XSync(display_, False);
    }

    // Handles X events until the given time.
    void pump(double untilMs) {
        const int fd = ConnectionNumber(display_);
        for (;;) {
            while (XPending(display_)) {
                XEvent event;
                XNextEvent(display_, &event);
                handle(event);
            }
            const double left = untilMs - nowMs();
            if (left <= 0)
                return;
            fd_set set;
            FD_ZERO(&set);
            FD_SET(fd, &set);
            timeval tv{time_t(left / 1000), suseconds_t(std::fmod(left, 1000.0) * 1000)};
            select(fd + 1, &set, nullptr, nullptr, &tv);
        }
    }

    // The next top-level window mapped after `since` other than `except`; 0 on time-out.
    std::pair<Window, double> waitMapped(double since, double timeoutMs, Window except = 0) {
        const double end = nowMs() + timeoutMs;
        while (nowMs() < end) {
            for (auto& [window, at] : mapped_)
                if (at >= since && window != except)
                    return {window, at};
            pump(std::min(end, nowMs() + 5));
        }
        return {0, 0};
    }
    bool waitUnmapped(Window window, double timeoutMs) {
        const double end = nowMs() + timeoutMs;
        while (nowMs() < end) {
            if (!mapped_.count(window))
                return true;
            pump(std::min(end, nowMs() + 5));
        }
        return false;
    }

    void watch(Window window, Rect region) {
        XWindowAttributes attributes;
        XGetWindowAttributes(display_, window, &attributes);
        if (region.y < 0)
            region.y += attributes.height;
        if (region.w <= 0)
            region.w = attributes.width - region.x;
        if (region.h <= 0)
            region.h = attributes.height - region.y;
        region_ = region;
        XDamageCreate(display_, window, DamageReportRawRectangles);
        XSync(display_, False);
    }

    // Paint in the watched region since the last call (count, time of the first).
    std::pair<int, double> takeDamage() {
        auto result = std::make_pair(damageCount_, firstDamage_);
        damageCount_ = 0;
        firstDamage_ = 0;
        return result;
    }

private:
    KeyCode code(const std::string& name) const {
        const KeySym sym = XStringToKeysym(name.c_str());
        const KeyCode c = sym == NoSymbol ? 0 : XKeysymToKeycode(display_, sym);
        if (!c)
            fail("no key code for " + name);
        return c;
    }

    void handle(const XEvent& event) {
        const double at = nowMs();
        if (event.type == MapNotify && event.xmap.event == root_)
            mapped_[event.xmap.window] = at;
        else if (event.type == UnmapNotify && event.xunmap.event == root_)
            mapped_.erase(event.xunmap.window);
        else if (event.type == damageEvent_) {
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            if (region_.intersects(damage.area)) {
                if (damageCount_++ == 0)
                    firstDamage_ = at;
            }
        }
    }

    Display* display_ = nullptr;
    Window root_ = 0;
    int damageEvent_ = 0;
    std::map<Window, double> mapped_;
    Rect region_;
    int damageCount_ = 0;
    double firstDamage_ = 0;
};

// --- the run -----------------------------------------------------------------------------------

struct Options {
    std::string program;
    bool ours = false;
    std::vector<std::string> keys;
    std::vector<double> paces;
    int maxKeys = 0;
    Rect region;
    std::string trace;
    bool startOnly = false;
    double idleSeconds = 0;
};

double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Waits until the program neither paints in the region nor uses more than a little CPU for a
// while: the previous step has been dealt with.
void settle(Session& x, pid_t pid, double maxMs = 60000) {
    const double end = nowMs() + maxMs;
    x.takeDamage();
    while (nowMs() < end) {
        const Cpu before = readCpu(pid);
        x.pump(nowMs() + 300);
        const Cpu after = readCpu(pid);
        if (x.takeDamage().first == 0 && after.schedNs - before.schedNs < 15e6)
            return;
    }
    fail("the program did not settle");
}

// Runs the shell command in the environment variable of that name, if it is set; the program
// then has a moment to answer a profiler's request.
void runHook(Session& x, const char* name) {
    const char* hook = getenv(name);
    if (!hook)
        return;
    if (std::system(hook) != 0)
        fail(std::string(name) + " failed: " + hook);
    x.pump(nowMs() + 300);
}

// Chooses the first lesson with Ctrl+L and Return and starts it with Return.
void openLesson(Session& x, pid_t pid, Window main) {
    const double asked = nowMs();
    x.stroke("ctrl+l");
    auto [dialog, at] = x.waitMapped(asked, 30000, main);
    if (!dialog)
        fail("the lesson selection did not open");
    x.focus(dialog);
    x.pump(nowMs() + 400);
    x.stroke("Return");
    if (!x.waitUnmapped(dialog, 60000))
        fail("the lesson selection did not close");
    x.focus(main);
    settle(x, pid);
    x.stroke("Return");
    settle(x, pid);
}

// One lesson's keys at one pace: CPU per keystroke and keystroke-to-screen latencies.
struct Typed {
    double cpuPerKeyUs = 0, ticksPerKeyUs = 0, latencyMedianUs = 0, latencyMaxUs = 0;
    int seen = 0;
};

Typed typeKeys(Session& x, pid_t pid, const std::vector<Key>& keys, double pace) {
    const double interval = 1000.0 / pace;
    std::vector<double> latencies;
    x.pump(nowMs() + 50);
    x.takeDamage();
    runHook(x, "BENCH_HOOK");
    const Cpu before = readCpu(pid);
    const double start = nowMs();
    for (size_t i = 0; i < keys.size(); ++i) {
        const double at = start + i * interval;
        x.pump(at);
        x.takeDamage(); // paint that belongs to the previous key
        x.press(keys[i]);
        x.pump(at + interval / 2);
        const auto [count, first] = x.takeDamage();
        if (count > 0)
            latencies.push_back((first - at) * 1000.0);
        x.release(keys[i]);
    }
    x.pump(start + keys.size() * interval);
    const Cpu after = readCpu(pid);
    runHook(x, "BENCH_HOOK_AFTER");
    Typed t;
    const double n = double(keys.size());
    t.cpuPerKeyUs = (after.schedNs - before.schedNs) / 1000.0 / n;
    t.ticksPerKeyUs = (after.ticksMs - before.ticksMs) * 1000.0 / n;
    t.latencyMedianUs = median(latencies);
    t.latencyMaxUs = latencies.empty() ? 0 : *std::max_element(latencies.begin(), latencies.end());
    t.seen = int(latencies.size());
    return t;
}

// File system calls of a strace log in a time window: fsyncs, journal files created, writes to
// files (sockets, pipes and devices left out).
struct Traced {
    int fsyncs = 0, journals = 0, fileWrites = 0;
};

Traced countTrace(const std::string& log, double from, double to) {
    Traced t;
    std::istringstream in(slurp(log));
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string pid, time;
        fields >> pid >> time;
        double at = 0;
        try {
            at = std::stod(time);
        } catch (...) {
            continue;
        }
        if (at < from || at >= to || line.find("resumed>") != std::string::npos)
            continue;
        const std::string call = line.substr(line.find(time) + time.size() + 1);
        if (call.rfind("fsync(", 0) == 0 || call.rfind("fdatasync(", 0) == 0)
            ++t.fsyncs;
        else if (call.rfind("openat(", 0) == 0 && call.find("-journal\"") != std::string::npos &&
                 call.find("O_CREAT") != std::string::npos)
            ++t.journals;
        else if ((call.rfind("write", 0) == 0 || call.rfind("pwrite", 0) == 0) &&
                 call.find("</") != std::string::npos && call.find("</dev/") == std::string::npos)
            ++t.fileWrites;
    }
    return t;
}

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                fail("missing value for " + arg);
            return argv[++i];
        };
        if (arg == "--program")
            o.program = value();
        else if (arg == "--ours")
            o.ours = true;
        else if (arg == "--keys") {
            std::istringstream in(slurp(value()));
            for (std::string line; std::getline(in, line);)
                if (!line.empty())
                    o.keys.push_back(line);
        } else if (arg == "--paces") {
            std::istringstream in(value());
            for (std::string p; std::getline(in, p, ',');)
                o.paces.push_back(std::stod(p));
        } else if (arg == "--max-keys")
            o.maxKeys = std::stoi(value());
        else if (arg == "--region") {
            if (std::sscanf(value().c_str(), "%d,%d,%d,%d", &o.region.x, &o.region.y, &o.region.w,
                            &o.region.h) != 4)
                fail("--region wants x,y,w,h");
        } else if (arg == "--trace")
            o.trace = value();
        else if (arg == "--start-only")
            o.startOnly = true;
        else if (arg == "--idle")
            o.idleSeconds = std::stod(value());
        else
            fail("unknown argument " + arg);
    }
    if (o.program.empty())
        fail("--program is missing");
    return o;
}

} // namespace

int main(int argc, char** argv) {
    const Options o = parse(argc, argv);
    Session x;
    std::vector<Key> keys;
    for (const std::string& combo : o.keys)
        keys.push_back(x.key(combo));
    if (o.maxKeys > 0 && int(keys.size()) > o.maxKeys)
        keys.resize(o.maxKeys);
    // A lesson typed to its last character ends; its last key is measured on its own.
    const bool toTheEnd = o.ours && o.maxKeys <= 0 && !keys.empty();

    const double launched = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(o.program.c_str(), o.program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    setenv("BENCH_PID", std::to_string(pid).c_str(), 1);
    auto [first, firstAt] = x.waitMapped(launched, 30000);
    if (!first)
        fail("no window appeared");
    print("first_window_ms", firstAt - launched);

    Window main = first;
    if (o.ours) {
        x.focus(first);
        x.pump(nowMs() + 300);
        const double pressed = nowMs();
        x.stroke("Return");
        auto [window, at] = x.waitMapped(pressed, 30000, first);
        if (!window)
            fail("the main window did not appear");
        print("main_window_ms", at - pressed);
        main = window;
    }
    if (o.startOnly) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return 0;
    }
    x.focus(main);
    x.pump(nowMs() + 1000);
    const auto memory = readKeyValues("/proc/" + std::to_string(pid) + "/smaps_rollup");
    if (const char* file = getenv("BENCH_SMAPS"))
        std::ofstream(file) << slurp("/proc/" + std::to_string(pid) + "/smaps");
    print("pss_kb", memory.count("Pss") ? memory.at("Pss") : 0);
    print("rss_kb", memory.count("Rss") ? memory.at("Rss") : 0);
    x.watch(main, o.region);

    const std::string proc = "/proc/" + std::to_string(pid) + "/io";
    for (double pace : o.paces) {
        if (o.ours)
            openLesson(x, pid, main);
        std::vector<Key> typed = keys;
        if (toTheEnd)
            typed.pop_back();

        pid_t strace = 0;
        if (!o.trace.empty()) {
            strace = fork();
            if (strace == 0) {
                const std::string p = std::to_string(pid);
                execlp("strace", "strace", "-f", "-ttt", "-qq", "-y", "-o", o.trace.c_str(), "-e",
                       "trace=fsync,fdatasync,openat,write,pwrite64,writev", "-p", p.c_str(),
                       static_cast<char*>(nullptr));
                _exit(127);
            }
            x.pump(nowMs() + 1500); // attached
        }
        const std::string tag = "_" + std::to_string(int(pace));
        const auto io0 = readKeyValues(proc);
        const double typingFrom = wallSeconds();
        const Typed t = typeKeys(x, pid, typed, pace);
        const double typingTo = wallSeconds();
        const auto io1 = readKeyValues(proc);
        if (strace == 0) {
            print("cpu_key_us" + tag, t.cpuPerKeyUs);
            print("cpu_ticks_key_us" + tag, t.ticksPerKeyUs);
            if (t.seen > 0) { // a label window shows nothing of the keys
                print("latency_us" + tag, t.latencyMedianUs);
                print("latency_max_us" + tag, t.latencyMaxUs);
            }
            print("latency_seen_pct" + tag, 100.0 * t.seen / double(typed.size()));
        }
        print("typing_write_bytes" + tag, io1.at("write_bytes") - io0.at("write_bytes"));
        print("typing_syscw" + tag, io1.at("syscw") - io0.at("syscw"));
        if (toTheEnd) {
            settle(x, pid);
            const auto io2 = readKeyValues(proc);
            const Cpu cpu0 = readCpu(pid);
            const double endFrom = wallSeconds();
            x.takeDamage();
            const double pressed = nowMs();
            x.press(keys.back());
            double shown = 0;
            while (nowMs() < pressed + 30000 && !shown) {
                x.pump(nowMs() + 1);
                shown = x.takeDamage().second;
            }
            x.release(keys.back());
            settle(x, pid);
            const Cpu cpu1 = readCpu(pid);
            const auto io3 = readKeyValues(proc);
            const double endTo = wallSeconds();
            if (strace == 0) {
                print("end_ms" + tag, shown ? shown - pressed : -1);
                print("end_cpu_ms" + tag, (cpu1.schedNs - cpu0.schedNs) / 1e6);
            }
            print("end_write_bytes" + tag, io3.at("write_bytes") - io2.at("write_bytes"));
            print("end_syscw" + tag, io3.at("syscw") - io2.at("syscw"));
            if (strace) {
                kill(strace, SIGINT);
                waitpid(strace, nullptr, 0);
                const Traced during = countTrace(o.trace, typingFrom, typingTo);
                const Traced end = countTrace(o.trace, endFrom, endTo);
                print("typing_fsyncs", during.fsyncs);
                print("typing_file_writes", during.fileWrites);
                print("typing_journals", during.journals);
                print("end_fsyncs", end.fsyncs);
                print("end_file_writes", end.fileWrites);
                print("end_journals", end.journals);
            }
        } else if (strace) {
            kill(strace, SIGINT);
            waitpid(strace, nullptr, 0);
        }
    }
    if (o.idleSeconds > 0 && !keys.empty()) {
        if (o.ours)
            openLesson(x, pid, main);
        x.stroke(o.keys.front());
        x.pump(nowMs() + 1000); // the key itself dealt with
        runHook(x, "BENCH_HOOK");
        const Cpu before = readCpu(pid);
        const double from = nowMs();
        x.pump(from + o.idleSeconds * 1000);
        const Cpu after = readCpu(pid);
        runHook(x, "BENCH_HOOK_AFTER");
        print("idle_cpu_ms_per_s",
              (after.schedNs - before.schedNs) / 1e6 / ((nowMs() - from) / 1000));
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return 0;
}
