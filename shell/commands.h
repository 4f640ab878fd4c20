// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// The shell's event procedures: the About window's, and the two menu commands of the main
// window that are the shell's rather than the record's. They see windows only through the
// surface.

#include "surface.h"

#include <functional>

namespace shell {

struct AboutControls
{
    surface::Window &window;
    surface::Label &lblAbout;
};

class frmAbout
{
public:
    // The credit label shows the first line until Form_Load gives it both.
    static inline const QString CreditLine1 = QStringLiteral("By the Pelmora developers");
    static inline const QString CreditLine2 = QStringLiteral("for student record desks");

    explicit frmAbout(const AboutControls &controls) : m_controls(controls) {}
    // Run once, when the window is loaded.
    void Form_Load() { m_controls.lblAbout.setCaption(CreditLine1 + surface::CrLf + CreditLine2); }
    // "O&K": hides the window, which stays loaded with its state.
    void cmdOK_Click() { m_controls.window.hide(); }

private:
    AboutControls m_controls;
};

class MenuCommands
{
public:
    // loadAbout creates and loads the About window; it is called on first use only.
    MenuCommands(surface::Runtime &runtime, std::function<surface::Window &()> loadAbout)
        : m_runtime(runtime), m_loadAbout(std::move(loadAbout))
    {}

    // File, "E&xit": ends the program at once.
    void mnuExit_Click() { m_runtime.End(); }
    // Help, "&About Quorlant": shows the one About window, modally; returns once it is hidden.
    void mnuAbout_Click()
    {
        if (!m_about)
            m_about = &m_loadAbout();
        m_about->show(true);
    }

private:
    surface::Runtime &m_runtime;
    std::function<surface::Window &()> m_loadAbout;
    surface::Window *m_about = nullptr;
};

} // namespace shell
