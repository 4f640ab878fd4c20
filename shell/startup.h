#pragma once

#include <functional>
#include <thread>

namespace shell {

// Watches the window system's start inside the QApplication constructor, from construction
// until destruction. Where no display can be opened (or no window system plugin loads), Qt would
// print a paragraph and abort with a core dump; this prints one line on stderr instead and exits
// with status 1. Messages Qt prints on a successful start are passed on when the guard ends.
class DisplayGuard
{
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;
};

// Reads the system's font configuration (fontconfig's files and font caches) on a thread of its
// own, from construction until wait(). Qt would read it on the GUI thread when the window's
// first text is measured, a few milliseconds in the middle of building the window; started
// before the QApplication, it is done by the time the window is built, on a core the start
// otherwise leaves idle. fontconfig's loading is thread-safe: whichever thread asks first
// loads it, and a later caller uses what is there.
class FontConfigPreload
{
public:
    explicit FontConfigPreload(std::function<void()> load = loadFontConfig);
    ~FontConfigPreload(); // waits
    FontConfigPreload(const FontConfigPreload &) = delete;
    FontConfigPreload &operator=(const FontConfigPreload &) = delete;

    // Returns once the configuration has been read (or at once if no thread could be started:
    // then Qt reads it itself, as it would without this).
    void wait();

    static void loadFontConfig();

private:
    std::thread m_thread;
};

} // namespace shell
