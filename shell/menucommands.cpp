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
