// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "aboutwindow.h"

#include "ui_frmabout.h"

#include "controls.h"
#include "identity.h"
#include "keyboard.h"
#include "runtime.h"
#include "windowframe.h"

namespace shell {

using namespace surface::qt;

struct AboutWindow::Binding
{
    Binding(AboutWindow *window, Ui::frmAbout *ui) : window(window), lblAbout(ui->lblAbout) {}

    QtWindow window;
    QtLabel lblAbout;
};

AboutWindow::AboutWindow() : ui(std::make_unique<Ui::frmAbout>()), m_events(reportError)
{
    ui->setupUi(this);
    ui->lblVersion->setText(QStringLiteral("Version " TESSALY_VERSION_SHOWN));
    ui->lblAbout->setText(frmAbout::CreditLine1);
    // The title's own font. Definition files only hold whole point sizes; systems without
    // this family substitute their nearest.
    QFont title(QStringLiteral("MS Sans Serif"));
    title.setPointSizeF(9.75);
    title.setWeight(QFont::Normal);
    title.setItalic(false);
    title.setUnderline(false);
    title.setStrikeOut(false);
    ui->Label1->setFont(title);

    setSizableDialogFrame(this);
    clickAccessKeysAtOnce(this);
    skipTaskbar(this);
    m_binding = std::make_unique<Binding>(this, ui.get());
    m_form = std::make_unique<frmAbout>(AboutControls{m_binding->window, m_binding->lblAbout});

    connect(ui->cmdOK, &QPushButton::clicked, this,
            [this] { m_events.run([this] { m_form->cmdOK_Click(); }); });
    m_events.run([this] { m_form->Form_Load(); });
    ui->cmdOK->setFocus();
}

AboutWindow::~AboutWindow() = default;

surface::Window &AboutWindow::surfaceWindow()
{
    return m_binding->window;
}

} // namespace shell
