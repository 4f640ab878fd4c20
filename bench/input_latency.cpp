// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// How long Print takes to show its box, seen from outside the program as a user sees it: from
// a key (Alt+P) or a click on the button, sent into the X server through XTEST, until the X
// server reports the box viewable, framed by the running window manager.
//
//   input_latency [--runs N] PROGRAM

#include "x11.h"

using namespace bench;

namespace {

constexpr uint32_t KeyReturn = 0xff0d;
constexpr uint32_t KeyAlt = 0xffe9;

// The main window's fixed layout, in pixels from the top left of its central area (below the
// menu bar): the centres of the controls clicked.
constexpr Point NameEdit{240, 9};
constexpr Point UnitsEdit{284, 49};
constexpr Point FreshmanOption{34, 48};
constexpr Point FirstMajor{200, 96};
constexpr Point SchoolEdit{214, 177};
constexpr Point PrintButton{40, 204};
// Blank space, where the pointer rests so that no tooltip opens.
constexpr Point Rest{330, 235};
constexpr int CentralHeight = 245;

class Bench
{
public:
    Bench(X11 &x, const char *path, int runs) : m_x(x), m_runs(runs)
    {
        m_pid = launch(path);
        const auto shown = m_x.waitForShown(m_pid, "Quorlant", {}, Clock::now() + 30s);
        if (!shown)
            fail(std::string("no main window within 30 s from ") + path);
        m_main = shown->window;
        const Rect r = m_x.placeOf(m_main);
        m_central = {r.x, r.y + r.height - CentralHeight};
        haveKeyboard(100ms);
        m_x.settle(500ms); // the start's deferred work
    }

    // Times trigger, which returns when its input was sent, until the box with this title is
    // viewable; then closes the box with Enter.
    void measure(const char *name, const std::string &title,
                 const std::function<Clock::time_point()> &trigger)
    {
        std::vector<double> times;
        for (int run = 0; run < m_runs; ++run) {
            m_x.settle(30ms);
            const auto before = m_x.shown(m_pid);
            const Clock::time_point sent = trigger();
            // Long: on a busy machine Qt now and then leaves X events unread for seconds.
            const auto box = m_x.waitForShown(m_pid, title, before, Clock::now() + 30s);
            if (!box)
                fail("no \"" + title + "\" box within 30 s");
            times.push_back(milliseconds(box->when - sent));
            close(box->window);
            // Only now: a click followed at once by a move away is now and then lost.
            moveTo(Rest);
        }
        std::printf("%-28s %5zu %9.2f %9.2f %9.2f %9.2f\n", name, times.size(), median(times),
                    *std::min_element(times.begin(), times.end()),
                    *std::max_element(times.begin(), times.end()), times.front());
        std::fflush(stdout);
    }

    Clock::time_point printByKey() { return m_x.key('p', {KeyAlt}); }
    Clock::time_point printByClick()
    {
        moveTo(PrintButton);
        m_x.settle(20ms);
        return m_x.click();
    }

    // Name, units, grade, major, and a school typed that is not in the list.
    void fillRecord()
    {
        clickAt(NameEdit);
        m_x.type("ann lee");
        clickAt(UnitsEdit);
        m_x.type("30");
        clickAt(FreshmanOption);
        clickAt(FirstMajor);
        clickAt(SchoolEdit);
        m_x.type("lakeside");
        moveTo(Rest);
    }

private:
    void moveTo(Point p) { m_x.moveTo({m_central.x + p.x, m_central.y + p.y}); }

    // No hand clicks that fast after a move, nor moves on that fast: sent at once, a click is
    // now and then lost.
    void clickAt(Point p)
    {
        moveTo(p);
        m_x.settle(10ms);
        m_x.click();
        m_x.settle(10ms);
    }

    void close(xcb_window_t box)
    {
        // A key sent before the window manager hands the box the keyboard would be lost.
        if (!m_x.hasFocus(box, Clock::now() + 30s))
            fail("a box did not get the keyboard within 30 s");
        m_x.key(KeyReturn);
        if (!m_x.waitForUnmap(box, Clock::now() + 30s))
            fail("a box did not close within 30 s");
        haveKeyboard();
    }

    // Where the window manager does not give the main window the keyboard back when a box
    // closes, a user clicks on it before typing on; so does this.
    void haveKeyboard(std::chrono::milliseconds wait = 10ms)
    {
        if (m_x.hasFocus(m_main, Clock::now() + wait))
            return;
        for (int attempt = 0; attempt < 60; ++attempt) {
            moveTo(Rest);
            m_x.click();
            if (m_x.hasFocus(m_main, Clock::now() + 500ms))
                return;
        }
        fail("the main window does not take the keyboard, even when clicked");
    }

    X11 &m_x;
    int m_runs;
    pid_t m_pid = 0;
    xcb_window_t m_main = 0;
    Point m_central{0, 0};
};

} // namespace

int main(int argc, char *argv[])
{
    int runs = 40;
    const char *path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (!path && arg[0] != '-')
            path = argv[i];
        else
            runs = 0;
    }
    if (!path || runs < 1)
        fail("usage: input_latency [--runs N] PROGRAM");

    X11 x;
    std::printf("window manager: %s\n", x.windowManager().c_str());
    Bench bench(x, path, runs);
    std::printf("load average before: %s\n", loadAverage().c_str());
    std::printf("ms from the input sent to the box viewable, %d runs each\n", runs);
    std::printf("%-28s %5s %9s %9s %9s %9s\n", "case", "runs", "median", "best", "worst", "first");
    bench.measure("Print, empty form, Alt+P", "Error", [&] { return bench.printByKey(); });
    bench.measure("Print, empty form, click", "Error", [&] { return bench.printByClick(); });
    bench.fillRecord();
    bench.measure("Print, whole record, Alt+P", "Quorlant", [&] { return bench.printByKey(); });
    bench.measure("Print, whole record, click", "Quorlant", [&] { return bench.printByClick(); });
    std::printf("load average after: %s\n", loadAverage().c_str());
    endChild(SIGTERM);
    return 0;
}
