// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "menucommands.h"

namespace shell {

void MenuCommands::mnuExit_Click()
{
    m_runtime.End();
}

void MenuCommands::mnuAbout_Click()
{
    if (!m_about)
        m_about = &m_loadAbout();
    m_about->show(true);
}

} // namespace shell
