#pragma once

// The shell's event procedures: the two menu commands that are not about the record, and
// the About window's own. They see windows only through the surface.

#include "surface/surface.h"

#include <functional>

namespace shell {

// The About window's texts.
QString aboutCreditLine1();
QString aboutCreditLine2();
QString aboutDateNotice();

struct AboutControls
{
    surface::Window &window;
    surface::Label &lblAbout;
};

class frmAbout
{
public:
    explicit frmAbout(const AboutControls &controls) : c(controls) {}
    // Run once, when the window is loaded.
    void Form_Load();
    // "O&K": hides the window, which stays loaded with its state.
    void cmdOK_Click();

private:
    AboutControls c;
};

class MenuCommands
{
public:
    // loadAbout creates and loads the About window; it is called on first use only.
    MenuCommands(surface::Runtime &runtime, std::function<surface::Window &()> loadAbout)
        : m_runtime(runtime), m_loadAbout(std::move(loadAbout))
    {}

    // File, "E&xit": ends the program at once.
    void mnuExit_Click();
    // Help, "&About Quorlant": shows the one About window, modally; returns once it is hidden.
    void mnuAbout_Click();

private:
    surface::Runtime &m_runtime;
    std::function<surface::Window &()> m_loadAbout;
    surface::Window *m_about = nullptr;
};

} // namespace shell
