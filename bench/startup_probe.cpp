// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// Measures how long a program takes from exec until its top-level window is mapped and
// viewable on the X server, and how much memory it holds resident at that moment. Two programs
// are run in alternation, so that drifting load on the machine falls on both alike.
//
//   startup_probe [--runs N] [--warmup W] [--window-manager] NAME=PROGRAM NAME=PROGRAM
//
// It needs DISPLAY. With or without a window manager: one reparents the program's window into
// a frame of its own and maps that, so a map seen on the root may be the frame's, with the
// program's window inside it. --window-manager waits for one to be running first, and fails
// if none comes.

#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample
{
    double milliseconds;
    // CPU time of all the child's threads until the map: what it did, whatever it waited for.
    double cpuMilliseconds;
    double residentMiB;
    double proportionalMiB;
    double faults;
};

struct Program
{
    std::string name;
    std::string path;
    std::vector<Sample> samples;

    double median(double Sample::*field) const;
    double minimum(double Sample::*field) const;
};

[[noreturn]] void fail(const std::string &message)
{
    std::fprintf(stderr, "startup_probe: %s\n", message.c_str());
    std::exit(2);
}

// A field of /proc/PID/status or /proc/PID/smaps_rollup, "Name:  1234 kB", in MiB.
double kibField(const std::string &file, const std::string &field)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::strtod(line.c_str() + field.size() + 1, nullptr) / 1024.0;
    }
    return -1;
}

// The CPU time the process has used so far, in nanoseconds from the scheduler's accounting
// (unlike the clock ticks of /proc/PID/stat), including threads that have already ended,
// which the per-thread files under /proc/PID/task no longer show.
double cpuMilliseconds(pid_t pid)
{
    clockid_t clock;
    timespec used{};
    if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &used) != 0)
        return 0;
    return used.tv_sec * 1e3 + used.tv_nsec / 1e6;
}

// Minor and major page faults of the whole process so far, from /proc/PID/stat.
double pageFaults(const std::string &proc)
{
    std::ifstream in(proc + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The command name, in brackets, may hold spaces; the fields are counted after it.
    const auto close = text.rfind(") ");
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(text.substr(close + 2));
    std::string skipped;
    for (int field = 3; field < 10; ++field) // state to flags
        fields >> skipped;
    double minor = 0, childMinor = 0, major = 0;
    fields >> minor >> childMinor >> major;
    return minor + major;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

class Display
{
public:
    Display()
    {
        m_connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_connection))
            fail("cannot connect to the X server named by DISPLAY");
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        // The creations and maps of the root's children are reported to us: the top-level
        // windows, or the frames a window manager puts them in.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_void_cookie_t cookie =
            xcb_change_window_attributes_checked(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        if (std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error{
                xcb_request_check(m_connection, cookie), &std::free})
            fail("cannot watch the root window");
        m_pidAtom = internAtom("_NET_WM_PID");
        m_checkAtom = internAtom("_NET_SUPPORTING_WM_CHECK");
        m_nameAtom = internAtom("_NET_WM_NAME");
        m_utf8Atom = internAtom("UTF8_STRING");
    }
    ~Display() { xcb_disconnect(m_connection); }
    Display(const Display &) = delete;
    Display &operator=(const Display &) = delete;

    // Discards whatever is queued, such as the unmaps of the previous child.
    void drain()
    {
        xcb_flush(m_connection);
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
            std::free(event);
    }

    // The name of the running window manager (EWMH), empty if there is none.
    std::string windowManager()
    {
        const xcb_window_t check = windowProperty(m_root, m_checkAtom);
        if (check == XCB_NONE || windowProperty(check, m_checkAtom) != check)
            return {};
        const auto cookie = xcb_get_property(m_connection, 0, check, m_nameAtom, m_utf8Atom, 0, 64);
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(m_connection, cookie, nullptr), &std::free);
        if (!reply || reply->format != 8)
            return "(unnamed)";
        return std::string(static_cast<const char *>(xcb_get_property_value(reply.get())),
                           static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
    }

    // Waits until a top-level window of process pid is mapped and viewable; returns when that
    // was seen.
    std::optional<Clock::time_point> waitForMap(pid_t pid, Clock::time_point deadline)
    {
        pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        for (;;) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
                const Clock::time_point seen = Clock::now();
                const int type = event->response_type & 0x7f;
                xcb_window_t mapped = XCB_NONE;
                if (type == XCB_MAP_NOTIFY) {
                    mapped = reinterpret_cast<xcb_map_notify_event_t *>(event)->window;
                } else if (type == XCB_CREATE_NOTIFY) {
                    // A window manager may map the program's window inside its frame after
                    // the frame, where the root does not see it: watch the window itself.
                    const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
                    if (created->parent == m_root) {
                        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                        xcb_change_window_attributes(m_connection, created->window,
                                                     XCB_CW_EVENT_MASK, &mask);
                        xcb_flush(m_connection);
                    }
                }
                std::free(event);
                // A window of an earlier child may still be going; only this child's counts.
                if (mapped != XCB_NONE && showsProcess(mapped, pid, 2))
                    return seen;
            }
            if (xcb_connection_has_error(m_connection))
                fail("lost the connection to the X server");
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return std::nullopt;
            if (poll(&fd, 1, static_cast<int>(left.count())) < 0 && errno != EINTR)
                fail("poll failed");
        }
    }

private:
    xcb_atom_t internAtom(const char *name)
    {
        const auto cookie =
            xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(m_connection, cookie, nullptr), &std::free);
        return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }

    // Whether window, or one up to depth levels inside it (a frame holds the program's
    // window, sometimes in a second window of its own), belongs to process pid and is viewable:
    // mapped, and every window it is in mapped too.
    bool showsProcess(xcb_window_t window, pid_t pid, int depth)
    {
        if (windowPid(window) == pid) {
            const auto cookie = xcb_get_window_attributes(m_connection, window);
            std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> reply(
                xcb_get_window_attributes_reply(m_connection, cookie, nullptr), &std::free);
            return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
        }
        if (depth == 0)
            return false;
        const auto cookie = xcb_query_tree(m_connection, window);
        std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
            xcb_query_tree_reply(m_connection, cookie, nullptr), &std::free);
        if (!tree)
            return false; // gone meanwhile
        const xcb_window_t *children = xcb_query_tree_children(tree.get());
        const int count = xcb_query_tree_children_length(tree.get());
        for (int i = 0; i < count; ++i) {
            if (showsProcess(children[i], pid, depth - 1))
                return true;
        }
        return false;
    }

    xcb_window_t windowProperty(xcb_window_t window, xcb_atom_t property)
    {
        const auto cookie =
            xcb_get_property(m_connection, 0, window, property, XCB_ATOM_WINDOW, 0, 1);
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(m_connection, cookie, nullptr), &std::free);
        if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4)
            return XCB_NONE;
        return *static_cast<xcb_window_t *>(xcb_get_property_value(reply.get()));
    }

    pid_t windowPid(xcb_window_t window)
    {
        const auto cookie =
            xcb_get_property(m_connection, 0, window, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1);
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(m_connection, cookie, nullptr), &std::free);
        if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4)
            return -1;
        return static_cast<pid_t>(*static_cast<uint32_t *>(xcb_get_property_value(reply.get())));
    }

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
    xcb_atom_t m_pidAtom = XCB_ATOM_NONE;
    xcb_atom_t m_checkAtom = XCB_ATOM_NONE;
    xcb_atom_t m_nameAtom = XCB_ATOM_NONE;
    xcb_atom_t m_utf8Atom = XCB_ATOM_NONE;
};

Sample launch(Display &display, const Program &program)
{
    display.drain();
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        fail("fork failed");
    if (pid == 0) {
        // What the program says on its way up is not ours to show.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execl(program.path.c_str(), program.path.c_str(), static_cast<char *>(nullptr));
        std::_Exit(127);
    }
    const auto mapped = display.waitForMap(pid, start + std::chrono::seconds(20));
    // Frozen at the map, so the memory read is the memory at that moment.
    kill(pid, SIGSTOP);
    const std::string proc = "/proc/" + std::to_string(pid);
    const double cpu = cpuMilliseconds(pid);
    const double resident = kibField(proc + "/status", "VmRSS");
    const double proportional = kibField(proc + "/smaps_rollup", "Pss");
    const double faults = pageFaults(proc);
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!mapped)
        fail(program.name + ": no window was mapped within 20 s (" + program.path + ")");
    return {std::chrono::duration<double, std::milli>(*mapped - start).count(), cpu, resident,
            proportional, faults};
}

double Program::median(double Sample::*field) const
{
    std::vector<double> values;
    for (const Sample &sample : samples)
        values.push_back(sample.*field);
    return ::median(values);
}

double Program::minimum(double Sample::*field) const
{
    double least = samples.front().*field;
    for (const Sample &sample : samples)
        least = std::min(least, sample.*field);
    return least;
}

std::string loadAverage()
{
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

} // namespace

int main(int argc, char *argv[])
{
    int runs = 30;
    int warmup = 3;
    bool needWindowManager = false;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (arg == "--warmup" && i + 1 < argc)
            warmup = std::atoi(argv[++i]);
        else if (arg == "--window-manager")
            needWindowManager = true;
        else if (const auto eq = arg.find('='); eq != std::string::npos && eq > 0)
            programs.push_back({arg.substr(0, eq), arg.substr(eq + 1), {}});
        else
            fail("usage: startup_probe [--runs N] [--warmup W] [--window-manager] NAME=PROGRAM "
                 "NAME=PROGRAM");
    }
    if (programs.size() != 2 || runs < 1)
        fail("usage: startup_probe [--runs N] [--warmup W] [--window-manager] NAME=PROGRAM "
             "NAME=PROGRAM");

    Display display;
    std::string windowManager = display.windowManager();
    // A window manager just started may not have announced itself yet.
    const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(10);
    while (needWindowManager && windowManager.empty() && Clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        windowManager = display.windowManager();
    }
    if (needWindowManager && windowManager.empty())
        fail("no window manager is running");
    std::printf("window manager: %s\n", windowManager.empty() ? "none" : windowManager.c_str());
    Program &a = programs[0];
    Program &b = programs[1];
    std::printf("load average before: %s\n", loadAverage().c_str());
    std::printf("%4s  %-10s %8s %8s %8s %8s   %-10s %8s %8s %8s %8s   %6s\n", "pair",
                a.name.c_str(), "ms", "CPU ms", "RSS MiB", "PSS MiB", b.name.c_str(), "ms",
                "CPU ms", "RSS MiB", "PSS MiB", "ratio");

    // The warm-up runs fill the page cache and are not counted. Each pair alternates which
    // program goes first, so neither always runs on the heels of the other.
    std::vector<double> timeRatios;
    std::vector<double> cpuRatios;
    std::vector<double> memoryRatios;
    for (int run = -warmup; run < runs; ++run) {
        const bool aFirst = (run % 2 == 0);
        Sample sa{}, sb{};
        if (aFirst) {
            sa = launch(display, a);
            sb = launch(display, b);
        } else {
            sb = launch(display, b);
            sa = launch(display, a);
        }
        // Let the X server finish tearing the last window down before the next start.
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        if (run < 0)
            continue;
        a.samples.push_back(sa);
        b.samples.push_back(sb);
        timeRatios.push_back(sa.milliseconds / sb.milliseconds);
        cpuRatios.push_back(sa.cpuMilliseconds / sb.cpuMilliseconds);
        memoryRatios.push_back(sa.residentMiB / sb.residentMiB);
        std::printf("%4d  %-10s %8.2f %8.2f %8.1f %8.1f   %-10s %8.2f %8.2f %8.1f %8.1f   %6.3f\n",
                    run + 1, "", sa.milliseconds, sa.cpuMilliseconds, sa.residentMiB,
                    sa.proportionalMiB, "", sb.milliseconds, sb.cpuMilliseconds, sb.residentMiB,
                    sb.proportionalMiB, timeRatios.back());
    }
    std::printf("load average after: %s\n\n", loadAverage().c_str());

    for (const Program *p : {&a, &b}) {
        std::printf("%-10s median %.2f ms to map (min %.2f), CPU %.2f ms, RSS %.1f MiB, PSS %.1f "
                    "MiB, %.0f page faults\n",
                    p->name.c_str(), p->median(&Sample::milliseconds),
                    p->minimum(&Sample::milliseconds), p->median(&Sample::cpuMilliseconds),
                    p->median(&Sample::residentMiB), p->median(&Sample::proportionalMiB),
                    p->median(&Sample::faults));
    }
    std::printf("%s/%s, medians of the paired ratios: time to map %.3f, CPU %.3f, RSS %.3f\n",
                a.name.c_str(), b.name.c_str(), median(timeRatios), median(cpuRatios),
                median(memoryRatios));
    return 0;
}
