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

} // namespace shell
