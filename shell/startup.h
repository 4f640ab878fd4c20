#pragma once

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

} // namespace shell
