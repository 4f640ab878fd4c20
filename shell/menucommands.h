// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// The two menu commands of the main window that are the shell's rather than the record's.
// They see windows only through the surface.

#include "surface.h"

#include <functional>

namespace shell {

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
