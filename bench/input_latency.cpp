// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// Measures, from outside the program, how long each command of the main window takes to show
// its box: from the moment a key or a pointer click is injected into the X server (XTEST) to the
// moment the X server reports the box mapped. It runs the program as a user does, on an X server
// with a window manager (which reparents the boxes into frames) and, if DBUS_SESSION_BUS_ADDRESS
// names one, a session bus.
//
//   input_latency [--runs N] [--full] PROGRAM
//
// --full also fills the school list to its 32,767 schools, one typed school and Print at a time,
// and then times Print Schools on it. That fill takes many minutes.

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
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The key symbols used, from the X protocol's standard list.
constexpr uint32_t KeyReturn = 0xff0d;
constexpr uint32_t KeyShift = 0xffe1;
constexpr uint32_t KeyControl = 0xffe3;
constexpr uint32_t KeyAlt = 0xffe9;

// The main window's layout, in pixels from the top left of its central area (below the menu
// bar): the centre of each control a click is aimed at. The window has a fixed layout.
struct Point
{
    int x;
    int y;
};
constexpr Point NameEdit{240, 9};
constexpr Point UnitsEdit{284, 49};
constexpr Point FreshmanOption{34, 48};
constexpr Point FirstMajor{200, 96};
constexpr Point SchoolEdit{214, 177};
constexpr Point PrintButton{40, 204};
// Blank space, where the pointer rests so that no tooltip opens.
constexpr Point Rest{330, 235};
constexpr int CentralHeight = 245;

constexpr int MaxSchools = 32767;
constexpr int PresetSchools = 4;

// The program under test, ended by its PID on every way out.
pid_t program = 0;

void endProgram()
{
    if (program > 0) {
        kill(program, SIGTERM);
        int status = 0;
        waitpid(program, &status, 0);
        program = 0;
    }
}

[[noreturn]] void fail(const std::string &message)
{
    std::fprintf(stderr, "input_latency: %s\n", message.c_str());
    endProgram();
    std::exit(2);
}

template<typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template<typename T> Reply<T> own(T *reply)
{
    return Reply<T>(reply, &std::free);
}

struct Rect
{
    int x = 0, y = 0, width = 0, height = 0;
};

class Session
{
public:
    Session()
    {
        m_c = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_c))
            fail("cannot connect to the X server named by DISPLAY");
        const xcb_setup_t *setup = xcb_get_setup(m_c);
        m_root = xcb_setup_roots_iterator(setup).data->root;
        const xcb_query_extension_reply_t *xtest = xcb_get_extension_data(m_c, &xcb_test_id);
        if (!xtest || !xtest->present)
            fail("the X server has no XTEST extension");
        m_pidAtom = atom("_NET_WM_PID");
        m_nameAtom = atom("_NET_WM_NAME");
        m_utf8Atom = atom("UTF8_STRING");
        m_typeAtom = atom("_NET_WM_WINDOW_TYPE");
        m_tooltipAtom = atom("_NET_WM_WINDOW_TYPE_TOOLTIP");
        waitForWindowManager();
        // Creations, maps and unmaps of top-level windows and of the window manager's frames.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_c, m_root, XCB_CW_EVENT_MASK, &mask);
        readKeyboard(setup);
        xcb_flush(m_c);
    }
    ~Session()
    {
        endProgram();
        xcb_disconnect(m_c);
    }
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    void launch(const char *path)
    {
        m_pid = program = fork();
        if (m_pid < 0)
            fail("fork failed");
        if (m_pid == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            execl(path, path, static_cast<char *>(nullptr));
            std::_Exit(127);
        }
        const auto shown = waitForShown("Quorlant", {}, Clock::now() + 30s);
        if (!shown)
            fail(std::string("no main window within 30 s from ") + path);
        m_main = shown->window;
        const Rect r = placeOf(m_main);
        m_mainRect = r;
        m_menuHeight = r.height - CentralHeight;
        haveKeyboard(100ms);
        // What is counted is the boxes'.
        m_refocused = 0;
        // Let the start's deferred work (the icon after the first frame) finish.
        settle(500ms);
    }

    // Press and release of a key with the given modifiers held. Returns when it was sent.
    Clock::time_point key(uint32_t keysym, std::vector<uint32_t> modifiers = {})
    {
        const auto [code, shifted] = keycode(keysym);
        if (shifted)
            modifiers.push_back(KeyShift);
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

    // The pointer to a point of the window's central area, or of the screen.
    void moveTo(Point p) { moveToScreen(central(p)); }
    void moveToScreen(Point p)
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
    // A click sent at once with the move before it and the one after it is now and then
    // lost (the control is not clicked); no hand is that fast, so each is let be a moment.
    void clickAt(Point p)
    {
        moveTo(p);
        settle(10ms);
        click();
        settle(10ms);
    }

    Point central(Point p) const { return {m_mainRect.x + p.x, m_mainRect.y + m_menuHeight + p.y}; }
    Point menuBar(int x) const { return {m_mainRect.x + x, m_mainRect.y + m_menuHeight / 2}; }

    struct Shown
    {
        xcb_window_t window;
        Clock::time_point when;
    };

    // The top-level windows shown now; read before the input, so that a box that opens at
    // once is not taken for one that was there.
    std::set<xcb_window_t> shownNow()
    {
        std::set<xcb_window_t> shown;
        for (xcb_window_t w : m_clients) {
            if (viewable(w))
                shown.insert(w);
        }
        return shown;
    }

    // Waits for a window of the program with this title, not among those shown before, to
    // become viewable, that is, mapped itself and inside a mapped frame; returns the time the
    // first map after which it was found viewable was read (the window manager maps the two
    // together, so that is the last of them or the one just before it).
    std::optional<Shown> waitForShown(const std::string &title,
                                      const std::set<xcb_window_t> &before,
                                      Clock::time_point deadline)
    {
        std::optional<Shown> found;
        const auto check = [&](Clock::time_point seen) {
            for (xcb_window_t w : m_clients) {
                if (before.count(w) || !viewable(w) || windowPid(w) != m_pid)
                    continue;
                // Another box, such as an error where the record was thought whole, is a
                // failure of the run, not a late answer.
                const std::string shown = windowTitle(w);
                if (shown != title)
                    fail("\"" + shown + "\" was shown where \"" + title + "\" was awaited");
                found = Shown{w, seen};
                return true;
            }
            return false;
        };
        // Shown before the wait, its map read and dropped meanwhile: found, though late.
        if (check(Clock::now()))
            return found;
        const bool ok =
            waitFor(deadline, [&](const xcb_generic_event_t *event, Clock::time_point seen) {
                return (event->response_type & 0x7f) == XCB_MAP_NOTIFY && check(seen);
            });
        return ok ? found : std::nullopt;
    }

    bool waitForUnmap(xcb_window_t window, Clock::time_point deadline)
    {
        if (!viewable(window))
            return true;
        return waitFor(deadline, [&](const xcb_generic_event_t *event, Clock::time_point) {
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_UNMAP_NOTIFY &&
                reinterpret_cast<const xcb_unmap_notify_event_t *>(event)->window == window)
                return true;
            return type == XCB_DESTROY_NOTIFY &&
                   reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window == window;
        });
    }

    // Waits for a menu of the program to open; returns its place on the screen.
    std::optional<Rect> waitForMenu(Clock::time_point deadline)
    {
        std::optional<Rect> menu;
        const bool ok = waitFor(deadline, [&](const xcb_generic_event_t *event, Clock::time_point) {
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                return false;
            const auto *map = reinterpret_cast<const xcb_map_notify_event_t *>(event);
            if (map->event != m_root || !map->override_redirect || !isMenu(map->window))
                return false;
            menu = placeOf(map->window);
            return true;
        });
        return ok ? menu : std::nullopt;
    }

    // Waits for the main window to have the keyboard. Where the window manager does not give
    // it back when a box closes, clicks on the window, as a user would before typing, and
    // counts that.
    void haveKeyboard(std::chrono::milliseconds wait = 10ms)
    {
        if (hasFocus(m_main, Clock::now() + wait))
            return;
        ++m_refocused;
        for (int attempt = 0; attempt < 60; ++attempt) {
            moveTo(Rest);
            click();
            if (hasFocus(m_main, Clock::now() + 500ms))
                return;
        }
        fail("the main window does not take the keyboard, even when clicked");
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

    // Where a window's own area lies on the screen, frame not included.
    Rect placeOf(xcb_window_t window)
    {
        auto geometry = own(xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, window), nullptr));
        auto origin = own(xcb_translate_coordinates_reply(
            m_c, xcb_translate_coordinates(m_c, window, m_root, 0, 0), nullptr));
        if (!geometry || !origin)
            fail("cannot read a window's place on the screen");
        return {origin->dst_x, origin->dst_y, geometry->width, geometry->height};
    }

    int refocused() const { return m_refocused; }

    // Lets the program go idle, and reads away what the X server reported meanwhile.
    void settle(std::chrono::milliseconds time)
    {
        waitFor(Clock::now() + time,
                [](const xcb_generic_event_t *, Clock::time_point) { return false; });
    }

private:
    xcb_atom_t atom(const char *name)
    {
        auto reply = own(xcb_intern_atom_reply(
            m_c, xcb_intern_atom(m_c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }

    // Boxes would map without frames and be reported differently with no window manager.
    void waitForWindowManager()
    {
        const xcb_atom_t check = atom("_NET_SUPPORTING_WM_CHECK");
        const Clock::time_point deadline = Clock::now() + 10s;
        while (Clock::now() < deadline) {
            auto reply = own(xcb_get_property_reply(
                m_c, xcb_get_property(m_c, 0, m_root, check, XCB_ATOM_WINDOW, 0, 1), nullptr));
            if (reply && xcb_get_property_value_length(reply.get()) == 4)
                return;
            std::this_thread::sleep_for(50ms);
        }
        fail("no window manager is running on this display");
    }

    void readKeyboard(const xcb_setup_t *setup)
    {
        m_minKeycode = setup->min_keycode;
        const uint8_t count = static_cast<uint8_t>(setup->max_keycode - setup->min_keycode + 1);
        auto reply = own(xcb_get_keyboard_mapping_reply(
            m_c, xcb_get_keyboard_mapping(m_c, setup->min_keycode, count), nullptr));
        if (!reply)
            fail("cannot read the keyboard mapping");
        m_perCode = reply->keysyms_per_keycode;
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply.get());
        m_keysyms.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(reply.get()));
    }

    // The key that gives this symbol, and whether Shift is needed for it.
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

    // Reads events until done says so or the deadline passes; keeps the list of the top-level
    // windows, and asks to hear of the maps of each.
    bool waitFor(Clock::time_point deadline,
                 const std::function<bool(const xcb_generic_event_t *, Clock::time_point)> &done)
    {
        pollfd fd{xcb_get_file_descriptor(m_c), POLLIN, 0};
        for (;;) {
            while (auto event = own(xcb_poll_for_event(m_c))) {
                const Clock::time_point seen = Clock::now();
                track(event.get());
                if (done(event.get(), seen))
                    return true;
            }
            if (xcb_connection_has_error(m_c))
                fail("lost the connection to the X server");
            if (m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
                m_pid = program = 0;
                fail("the program ended");
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return false;
            if (poll(&fd, 1, static_cast<int>(std::min<long>(left.count() + 1, 200))) < 0 &&
                errno != EINTR)
                fail("poll failed");
        }
    }

    void track(const xcb_generic_event_t *event)
    {
        switch (event->response_type & 0x7f) {
        case XCB_CREATE_NOTIFY: {
            const auto *create = reinterpret_cast<const xcb_create_notify_event_t *>(event);
            // Root children that are not menus or frames: the clients. Their own maps are
            // reported to them, not to the root, once the window manager has framed them.
            if (create->parent != m_root || create->override_redirect)
                break;
            const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
            xcb_change_window_attributes(m_c, create->window, XCB_CW_EVENT_MASK, &mask);
            xcb_flush(m_c);
            m_clients.insert(create->window);
            break;
        }
        case XCB_DESTROY_NOTIFY:
            m_clients.erase(reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window);
            break;
        default:
            break;
        }
    }

    bool viewable(xcb_window_t window)
    {
        auto reply = own(
            xcb_get_window_attributes_reply(m_c, xcb_get_window_attributes(m_c, window), nullptr));
        return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    pid_t windowPid(xcb_window_t window)
    {
        auto reply = own(xcb_get_property_reply(
            m_c, xcb_get_property(m_c, 0, window, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr));
        if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4)
            return -1;
        return static_cast<pid_t>(*static_cast<uint32_t *>(xcb_get_property_value(reply.get())));
    }

    std::string windowTitle(xcb_window_t window)
    {
        auto reply = own(xcb_get_property_reply(
            m_c, xcb_get_property(m_c, 0, window, m_nameAtom, m_utf8Atom, 0, 256), nullptr));
        if (!reply)
            return {};
        const char *text = static_cast<const char *>(xcb_get_property_value(reply.get()));
        return std::string(text, text + xcb_get_property_value_length(reply.get()));
    }

    // A menu is a window the window manager does not frame, of the program, and no tooltip.
    // Its window type is no help: a menu opened by the pointer says it is a normal window.
    bool isMenu(xcb_window_t window)
    {
        if (windowPid(window) != m_pid)
            return false;
        auto reply = own(xcb_get_property_reply(
            m_c, xcb_get_property(m_c, 0, window, m_typeAtom, XCB_ATOM_ATOM, 0, 8), nullptr));
        if (!reply || reply->format != 32)
            return true;
        const auto *types = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
        const int n = xcb_get_property_value_length(reply.get()) / 4;
        return std::none_of(types, types + n,
                            [&](xcb_atom_t type) { return type == m_tooltipAtom; });
    }

    xcb_connection_t *m_c = nullptr;
    xcb_window_t m_root = 0;
    xcb_atom_t m_pidAtom = 0, m_nameAtom = 0, m_utf8Atom = 0;
    xcb_atom_t m_typeAtom = 0, m_tooltipAtom = 0;
    xcb_keycode_t m_minKeycode = 0;
    uint8_t m_perCode = 1;
    std::vector<xcb_keysym_t> m_keysyms;
    std::set<xcb_window_t> m_clients;
    pid_t m_pid = 0;
    xcb_window_t m_main = 0;
    Rect m_mainRect;
    int m_menuHeight = 0;
    int m_refocused = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

std::string loadAverage()
{
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

class Bench
{
public:
    Bench(Session &session, int runs) : m_s(session), m_runs(runs) {}

    // How the command is started; returns when its last input was sent. Whatever leads up to
    // that input (opening a menu) is done before and not timed.
    using Trigger = std::function<Clock::time_point()>;

    // Runs one case: the trigger, the box with this title awaited, and closed again with
    // closeKey (and its modifier, if any).
    // The waits are long: on a busy machine Qt now and then leaves X events unread for
    // seconds, and a fill of the full list should not be lost to that.
    void measure(const std::string &name, const std::string &title, const Trigger &trigger,
                 uint32_t closeKey = KeyReturn, std::vector<uint32_t> closeModifiers = {})
    {
        std::vector<double> times;
        Rect box;
        for (int run = 0; run < m_runs; ++run) {
            m_s.settle(30ms);
            const auto before = m_s.shownNow();
            const Clock::time_point sent = trigger();
            const auto shown = m_s.waitForShown(title, before, Clock::now() + 30s);
            if (!shown) {
                std::printf("%-34s no \"%s\" window within 30 s\n", name.c_str(), title.c_str());
                std::fflush(stdout);
                return;
            }
            times.push_back(std::chrono::duration<double, std::milli>(shown->when - sent).count());
            // Its size tells a long school list from a short one, which its title does not.
            box = m_s.placeOf(shown->window);
            close(shown->window, closeKey, closeModifiers);
            // Only now: a click at once followed by a move away is lost now and then (the
            // button is not clicked); no hand is that fast.
            m_s.moveTo(Rest);
        }
        // The first run apart: the first report of a list touches its memory for the first time.
        std::printf("%-34s %5zu %9.2f %9.2f %9.2f %9.2f  %dx%d\n", name.c_str(), times.size(),
                    median(times), *std::min_element(times.begin(), times.end()),
                    *std::max_element(times.begin(), times.end()), times.front(), box.width,
                    box.height);
        std::fflush(stdout);
    }

    void close(xcb_window_t box, uint32_t closeKey = KeyReturn,
               std::vector<uint32_t> closeModifiers = {})
    {
        // A key sent before the window manager hands the box the keyboard would be lost.
        if (!m_s.hasFocus(box, Clock::now() + 30s))
            fail("a box did not get the keyboard within 30 s");
        m_s.key(closeKey, closeModifiers);
        if (!m_s.waitForUnmap(box, Clock::now() + 30s))
            fail("a box did not close within 30 s");
        ++m_closed;
        m_s.haveKeyboard();
    }

    // File, Print Schools, by its access key (Alt+F, then C) or by the pointer.
    Clock::time_point printSchoolsByKey()
    {
        m_s.key('f', {KeyAlt});
        if (!m_s.waitForMenu(Clock::now() + 30s))
            fail("the File menu did not open");
        return m_s.key('c');
    }
    Clock::time_point printSchoolsByPointer()
    {
        const auto menu = openByPointer(m_s.menuBar(12));
        // The first item of three (Print Schools, a separator, Exit).
        m_s.moveToScreen({menu.x + menu.width / 2, menu.y + menu.height / 4});
        m_s.settle(20ms);
        return m_s.click();
    }

    // Help, About: Alt pressed and released, then H (Alt+H is an option's), then A.
    Clock::time_point aboutByKey()
    {
        m_s.key(KeyAlt);
        m_s.key('h');
        const auto menu = m_s.waitForMenu(Clock::now() + 30s);
        if (!menu)
            fail("the Help menu did not open");
        // The Help menu opens under its title, so that is where the pointer will find it.
        m_helpX = menu->x - m_s.central({0, 0}).x + 8;
        return m_s.key('a');
    }
    Clock::time_point aboutByPointer()
    {
        const auto menu = openByPointer(m_s.menuBar(m_helpX));
        m_s.moveToScreen({menu.x + menu.width / 2, menu.y + menu.height / 2});
        m_s.settle(20ms);
        return m_s.click();
    }

    Clock::time_point printByKey() { return m_s.key('p', {KeyAlt}); }
    Clock::time_point printByPointer()
    {
        m_s.moveTo(PrintButton);
        m_s.settle(20ms);
        return m_s.click();
    }

    // A whole record: name, units, grade, major, and a school typed that is not in the list.
    void fillRecord()
    {
        m_s.clickAt(NameEdit);
        m_s.type("ann lee");
        m_s.clickAt(UnitsEdit);
        m_s.type("30");
        m_s.clickAt(FreshmanOption);
        m_s.clickAt(FirstMajor);
        typeSchool();
        m_s.moveTo(Rest);
    }

    // One more school: typed, then Print, then its box closed.
    void addSchool()
    {
        typeSchool();
        m_s.moveTo(PrintButton);
        m_s.settle(10ms);
        const auto before = m_s.shownNow();
        m_s.click();
        const auto shown = m_s.waitForShown("Quorlant", before, Clock::now() + 30s);
        if (!shown)
            fail("no record box while filling the list, at " + std::to_string(m_schools) +
                 " schools");
        close(shown->window);
        ++m_schools;
    }

    void fillTo(int schools)
    {
        const Clock::time_point start = Clock::now();
        while (m_schools < schools) {
            addSchool();
            // A long fill says how far it is, apart from the results.
            if (m_schools % 4096 == 0)
                std::fprintf(stderr, "input_latency: %d schools, %.0f s\n", m_schools,
                             std::chrono::duration<double>(Clock::now() - start).count());
        }
        m_s.moveTo(Rest);
        std::printf("(list filled to %d schools in %.1f s)\n", m_schools,
                    std::chrono::duration<double>(Clock::now() - start).count());
        std::fflush(stdout);
    }

    int closed() const { return m_closed; }
    // The first Print of a whole record adds its typed school.
    void countTypedSchool() { ++m_schools; }

private:
    Rect openByPointer(Point title)
    {
        m_s.moveToScreen(title);
        m_s.settle(20ms);
        m_s.click();
        const auto menu = m_s.waitForMenu(Clock::now() + 30s);
        if (!menu)
            fail("a menu did not open at a click on its title");
        return *menu;
    }

    // Random lower-case names from a fixed seed: they fall all over the sorted list, and one
    // run is like the next.
    void typeSchool()
    {
        std::uniform_int_distribution<int> letter('a', 'z');
        std::string name;
        for (int i = 0; i < 10; ++i)
            name += static_cast<char>(letter(m_random));
        m_s.clickAt(SchoolEdit);
        m_s.key('a', {KeyControl});
        m_s.type(name);
    }

    Session &m_s;
    int m_runs;
    int m_helpX = 40;
    int m_schools = PresetSchools;
    int m_closed = 0;
    std::mt19937 m_random{20261208};
};

} // namespace

int main(int argc, char *argv[])
{
    int runs = 40;
    bool full = false;
    const char *path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (arg == "--full")
            full = true;
        else if (!path && arg[0] != '-')
            path = argv[i];
        else
            runs = 0;
    }
    if (!path || runs < 1)
        fail("usage: input_latency [--runs N] [--full] PROGRAM");

    Session session;
    session.launch(path);
    Bench bench(session, runs);
    std::printf("load average before: %s\n", loadAverage().c_str());
    std::printf("ms from the input sent to the box mapped, %d runs each\n", runs);
    std::printf("%-34s %5s %9s %9s %9s %9s  %s\n", "case", "runs", "median", "best", "worst",
                "first", "box");

    // The empty form first, and the four preset schools before any is added.
    bench.measure("Print, empty form, Alt+P", "Error", [&] { return bench.printByKey(); });
    bench.measure("Print, empty form, click", "Error", [&] { return bench.printByPointer(); });
    bench.measure("Print Schools 4, Alt+F C", "School List",
                  [&] { return bench.printSchoolsByKey(); });
    bench.measure("Print Schools 4, click", "School List",
                  [&] { return bench.printSchoolsByPointer(); });
    bench.measure("About, Alt H A", "About Quorlant", [&] { return bench.aboutByKey(); }, 'k',
                  {KeyAlt});
    bench.measure("About, click", "About Quorlant", [&] { return bench.aboutByPointer(); }, 'k',
                  {KeyAlt});

    // Printing the same record again adds nothing: its school is picked in the list by then.
    bench.fillRecord();
    bench.countTypedSchool();
    bench.measure("Print, whole record, Alt+P", "Quorlant", [&] { return bench.printByKey(); });
    bench.measure("Print, whole record, click", "Quorlant", [&] { return bench.printByPointer(); });

    bench.fillTo(1000);
    bench.measure("Print Schools 1000, Alt+F C", "School List",
                  [&] { return bench.printSchoolsByKey(); });
    bench.measure("Print Schools 1000, click", "School List",
                  [&] { return bench.printSchoolsByPointer(); });

    if (full) {
        bench.fillTo(MaxSchools);
        bench.measure("Print Schools 32767, Alt+F C", "School List",
                      [&] { return bench.printSchoolsByKey(); });
        bench.measure("Print Schools 32767, click", "School List",
                      [&] { return bench.printSchoolsByPointer(); });
    }
    std::printf("The main window got the keyboard back from the window manager after %d of the %d "
                "boxes closed; after the others it was clicked.\n",
                bench.closed() - session.refocused(), bench.closed());
    std::printf("load average after: %s\n", loadAverage().c_str());
    return 0;
}
