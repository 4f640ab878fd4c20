#include "commands.h"

namespace shell {

using namespace Qt::StringLiterals;

QString aboutCreditLine1()
{
    return u"By the Pelmora developers"_s;
}

QString aboutCreditLine2()
{
    return u"for student record desks"_s;
}

QString aboutDateNotice()
{
    return u"December 2026"_s;
}

void frmAbout::Form_Load()
{
    c.lblAbout.setCaption(aboutCreditLine1() + surface::CrLf + aboutCreditLine2());
}

void frmAbout::cmdOK_Click()
{
    c.window.hide();
}

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
