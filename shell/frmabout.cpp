// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "frmabout.h"

namespace shell {

using namespace Qt::StringLiterals;

const QString frmAbout::CreditLine1 = u"By the Pelmora developers"_s;
const QString frmAbout::CreditLine2 = u"for student record desks"_s;

void frmAbout::Form_Load()
{
    m_controls.lblAbout.setCaption(CreditLine1 + surface::CrLf + CreditLine2);
}

void frmAbout::cmdOK_Click()
{
    m_controls.window.hide();
}

} // namespace shell
