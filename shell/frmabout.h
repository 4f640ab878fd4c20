// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

// The About window's event procedures. They see the window only through the surface.

#include "surface.h"

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
    static const QString CreditLine1;
    static const QString CreditLine2;

    explicit frmAbout(const AboutControls &controls) : m_controls(controls) {}
    // Run once, when the window is loaded.
    void Form_Load();
    // "O&K": hides the window, which stays loaded with its state.
    void cmdOK_Click();

private:
    AboutControls m_controls;
};

} // namespace shell
