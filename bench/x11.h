// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// What the start-up probe and the input benchmark share: starting the program and ending it by
// its PID, and a connection to the X server that keeps track of the top-level windows, finds a
// window of the program once it is viewable, and sends keys and clicks through XTEST, as the
// hardware would.

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The program started by launch(): one at a time, ended by its PID on every way out.
inline pid_t child = 0;

inline void endChild(int signal = SIGKILL)
{
    if (child <= 0)
        return;
    kill(child, signal);
    waitpid(child, nullptr, 0);
    child = 0;
}

[[noreturn]] inline void fail(const std::string &message)
{
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, message.c_str());
    endChild();
    std::exit(2);
}

// Starts the program with its output dropped: what it says on its way up is not ours to show.
inline pid_t launch(const std::string &path)
{
    child = fork();
    if (child < 0)
        fail("fork failed");
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execl(path.c_str(), path.c_str(), static_cast<char *>(nullptr));
        std::_Exit(127);
    }
    return child;
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return (values[(n - 1) / 2] + values[n / 2]) / 2;
}

inline double milliseconds(Clock::duration time)
{
    return std::chrono::duration<double, std::milli>(time).count();
}

// Other work on the machine disturbs every timing: the figures are printed next to it.
inline std::string loadAverage()
{
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

template<typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template<typename T> Reply<T> own(T *reply)
{
    return Reply<T>(reply, &std::free);
}

struct Point
{
    int x;
    int y;
};

struct Rect
{
    int x, y, width, height;
};

class X11
{
public:
    X11()
    {
        m_c = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_c))
            fail("cannot connect to the X server named by DISPLAY");
        const xcb_setup_t *setup = xcb_get_setup(m_c);
        m_root = xcb_setup_roots_iterator(setup).data->root;
        m_pidAtom = atom("_NET_WM_PID");
        m_nameAtom = atom("_NET_WM_NAME");
        // The creations and maps of the top-level windows and of the frames they are put in.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_c, m_root, XCB_CW_EVENT_MASK, &mask);
        readKeyboard(setup);
        xcb_flush(m_c);
    }
    ~X11() { xcb_disconnect(m_c); }
    X11(const X11 &) = delete;
    X11 &operator=(const X11 &) = delete;

    // The name the window manager gives itself; waits for one just started, fails with none.
    std::string windowManager()
    {
        const xcb_atom_t check = atom("_NET_SUPPORTING_WM_CHECK");
        const Clock::time_point deadline = Clock::now() + 10s;
        for (;;) {
            const auto window = property(m_root, check, XCB_ATOM_WINDOW);
            if (window && property(*window, check, XCB_ATOM_WINDOW) == window)
                return text(*window, m_nameAtom);
            if (Clock::now() > deadline)
                fail("no window manager is running");
            std::this_thread::sleep_for(50ms);
        }
    }

    struct Shown
    {
        xcb_window_t window;
        Clock::time_point when;
    };

    // The viewable windows of process pid: mapped, in a mapped frame where there is one.
    std::set<xcb_window_t> shown(pid_t pid)
    {
        std::set<xcb_window_t> windows;
        for (xcb_window_t w : m_clients) {
            if (windowPid(w) == pid && viewable(w))
                windows.insert(w);
        }
        return windows;
    }

    // Waits for a window of process pid with this title, not one of before, to be viewable;
    // returns when the event after which it was found so was read. The window manager maps
    // the window and its frame together, so that is the later of the two maps. Any other new
    // window of the program (an error where none was expected) is a failure.
    std::optional<Shown> waitForShown(pid_t pid, const std::string &title,
                                      const std::set<xcb_window_t> &before,
                                      Clock::time_point deadline)
    {
        std::optional<Shown> found;
        const auto check = [&](Clock::time_point seen) {
            for (xcb_window_t w : shown(pid)) {
                if (before.count(w))
                    continue;
                if (const std::string name = text(w, m_nameAtom); name != title)
                    fail("\"" + name + "\" was shown where \"" + title + "\" was awaited");
                found = Shown{w, seen};
                return true;
            }
            return false;
        };
        // Its map may have been read already, while waiting for something else.
        if (check(Clock::now()))
            return found;
        waitFor(deadline, [&](const xcb_generic_event_t *event, Clock::time_point seen) {
            return (event->response_type & 0x7f) == XCB_MAP_NOTIFY && check(seen);
        });
        return found;
    }

    bool waitForUnmap(xcb_window_t window, Clock::time_point deadline)
    {
        while (viewable(window) && Clock::now() < deadline)
            settle(1ms);
        return !viewable(window);
    }

    // Reads and keeps track of what the X server reports for a while.
    void settle(std::chrono::milliseconds time)
    {
        waitFor(Clock::now() + time,
                [](const xcb_generic_event_t *, Clock::time_point) { return false; });
    }

    bool hasFocus(xcb_window_t window, Clock::time_point deadline)
    {
        for (;;) {
            auto reply = own(xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr));
            if (reply && reply->focus == window)
                return true;
            if (Clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(1ms);
        }
    }

    // Where a window's own area lies on the screen, its frame not included.
    Rect placeOf(xcb_window_t window)
    {
        auto geometry = own(xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, window), nullptr));
        auto origin = own(xcb_translate_coordinates_reply(
            m_c, xcb_translate_coordinates(m_c, window, m_root, 0, 0), nullptr));
        if (!geometry || !origin)
            fail("cannot read a window's place on the screen");
        return {origin->dst_x, origin->dst_y, geometry->width, geometry->height};
    }

    // A key pressed and released with the modifiers held; returns when it was sent.
    Clock::time_point key(uint32_t keysym, std::vector<uint32_t> modifiers = {})
    {
        constexpr uint32_t Shift = 0xffe1;
        const auto [code, shifted] = keycode(keysym);
        if (shifted)
            modifiers.push_back(Shift);
        for (uint32_t m : modifiers)
            fake(XCB_KEY_PRESS, keycode(m).first);
        fake(XCB_KEY_PRESS, code);
        fake(XCB_KEY_RELEASE, code);
        for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m)
            fake(XCB_KEY_RELEASE, keycode(*m).first);
        return send();
    }

    void type(const std::string &text)
    {
        for (char ch : text)
            key(static_cast<unsigned char>(ch));
    }

    void moveTo(Point p)
    {
        xcb_test_fake_input(m_c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root,
                            static_cast<int16_t>(p.x), static_cast<int16_t>(p.y), 0);
        send();
    }

    Clock::time_point click()
    {
        fake(XCB_BUTTON_PRESS, 1);
        fake(XCB_BUTTON_RELEASE, 1);
        return send();
    }

private:
    xcb_atom_t atom(const char *name)
    {
        auto reply = own(xcb_intern_atom_reply(
            m_c, xcb_intern_atom(m_c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }

    std::optional<uint32_t> property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
    {
        auto reply = own(xcb_get_property_reply(
            m_c, xcb_get_property(m_c, 0, window, name, type, 0, 1), nullptr));
        if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4)
            return std::nullopt;
        return *static_cast<uint32_t *>(xcb_get_property_value(reply.get()));
    }

    std::string text(xcb_window_t window, xcb_atom_t name)
    {
        auto reply = own(xcb_get_property_reply(
            m_c, xcb_get_property(m_c, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
            nullptr));
        if (!reply || reply->format != 8)
            return {};
        const char *value = static_cast<const char *>(xcb_get_property_value(reply.get()));
        return std::string(value, value + xcb_get_property_value_length(reply.get()));
    }

    pid_t windowPid(xcb_window_t window)
    {
        const auto pid = property(window, m_pidAtom, XCB_ATOM_CARDINAL);
        return pid ? static_cast<pid_t>(*pid) : -1;
    }

    bool viewable(xcb_window_t window)
    {
        auto reply = own(
            xcb_get_window_attributes_reply(m_c, xcb_get_window_attributes(m_c, window), nullptr));
        return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    // Reads events until done says so or the deadline passes, and keeps the list of top-level
    // windows: once framed, their maps are reported to them, not to the root.
    bool waitFor(Clock::time_point deadline,
                 const std::function<bool(const xcb_generic_event_t *, Clock::time_point)> &done)
    {
        pollfd fd{xcb_get_file_descriptor(m_c), POLLIN, 0};
        for (;;) {
            while (auto event = own(xcb_poll_for_event(m_c))) {
                const Clock::time_point seen = Clock::now();
                const uint8_t type = event->response_type & 0x7f;
                const auto *create =
                    reinterpret_cast<const xcb_create_notify_event_t *>(event.get());
                if (type == XCB_CREATE_NOTIFY && create->parent == m_root &&
                    !create->override_redirect) { // not a menu or a tooltip
                    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                    xcb_change_window_attributes(m_c, create->window, XCB_CW_EVENT_MASK, &mask);
                    xcb_flush(m_c);
                    m_clients.insert(create->window);
                } else if (type == XCB_DESTROY_NOTIFY) {
                    m_clients.erase(
                        reinterpret_cast<const xcb_destroy_notify_event_t *>(event.get())->window);
                }
                if (done(event.get(), seen))
                    return true;
            }
            if (xcb_connection_has_error(m_c))
                fail("lost the connection to the X server");
            if (child > 0 && waitpid(child, nullptr, WNOHANG) == child) {
                child = 0;
                fail("the program ended");
            }
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return false;
            if (poll(&fd, 1, static_cast<int>(std::min<long>(left.count(), 200))) < 0 &&
                errno != EINTR)
                fail("poll failed");
        }
    }

    void readKeyboard(const xcb_setup_t *setup)
    {
        m_minKeycode = setup->min_keycode;
        const auto count = static_cast<uint8_t>(setup->max_keycode - setup->min_keycode + 1);
        auto reply = own(xcb_get_keyboard_mapping_reply(
            m_c, xcb_get_keyboard_mapping(m_c, setup->min_keycode, count), nullptr));
        if (!reply)
            fail("cannot read the keyboard mapping");
        m_perCode = reply->keysyms_per_keycode;
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply.get());
        m_keysyms.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(reply.get()));
    }

    // The key that gives this symbol, and whether it needs Shift.
    std::pair<xcb_keycode_t, bool> keycode(uint32_t keysym) const
    {
        for (int column = 0; column < std::min(2, int(m_perCode)); ++column) {
            for (std::size_t i = column; i < m_keysyms.size(); i += m_perCode) {
                if (m_keysyms[i] == keysym)
                    return {static_cast<xcb_keycode_t>(m_minKeycode + i / m_perCode), column == 1};
            }
        }
        fail("no key gives key symbol " + std::to_string(keysym));
    }

    void fake(uint8_t type, uint8_t detail)
    {
        xcb_test_fake_input(m_c, type, detail, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    }

    Clock::time_point send()
    {
        const Clock::time_point now = Clock::now();
        xcb_flush(m_c);
        return now;
    }

    xcb_connection_t *m_c = nullptr;
    xcb_window_t m_root = 0;
    xcb_atom_t m_pidAtom = 0, m_nameAtom = 0;
    xcb_keycode_t m_minKeycode = 0;
    uint8_t m_perCode = 1;
    std::vector<xcb_keysym_t> m_keysyms;
    std::set<xcb_window_t> m_clients;
};

} // namespace bench
