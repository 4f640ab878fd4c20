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

// A piece of the start that needs nothing from the GUI thread, run on a thread of its own from
// construction until wait() or destruction. The start is one long chain of work on the GUI
// thread; what can leave that chain is done on a core that would otherwise idle, before Qt asks
// for it. If no thread can be started, nothing is done ahead: Qt does it when it needs it.
class Preload
{
public:
    explicit Preload(std::function<void()> work);
    ~Preload(); // waits
    Preload(const Preload &) = delete;
    Preload &operator=(const Preload &) = delete;

    void wait();

private:
    std::thread m_thread;
};

// Reads the system's font configuration (fontconfig's files and font caches), which Qt would
// read on the GUI thread when the window's first text is measured. Needs no QApplication.
// fontconfig's loading is thread-safe: whoever asks first loads it, later callers use it.
void loadFontConfig();

// Where no session bus is named (DBUS_SESSION_BUS_ADDRESS is unset or empty), D-Bus takes the
// one in the user's runtime directory ($XDG_RUNTIME_DIR/bus) and, failing that, with a display
// set, forks a child to run dbus-launch, which would start one. Where dbus-launch is not
// installed, that child can only fail, and the fork is dear: the start waits for it, and
// afterwards the first write to each page the program already had costs a page fault. Where
// that is so, this names the bus D-Bus would have found, or else an address that cannot connect:
// the same outcome, without the child. Where dbus-launch is installed, it changes nothing. It
// changes the environment: call it before any thread starts.
void skipFutileBusLaunch();

// Opens the session bus connection, which Qt's accessibility bridge would open, and wait for,
// on the GUI thread as soon as the window being built first reports a change. Needs the
// QApplication. It is Qt's one shared connection, so the bridge finds it open (or finds that
// there is no bus, as it would have).
void connectSessionBus();

} // namespace shell
