// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "aboutwindow.h"

#include "ui_aboutwindow.h"

#include "controls.h"
#include "identity.h"
#include "windowbehaviour.h"

#include <QKeyEvent>

namespace shell {

using namespace surface::qt;

struct AboutWindow::Binding
{
    Binding(AboutWindow *window, Ui::AboutWindow *ui) : window(window), lblAbout(ui->lblAbout) {}

    QtWindow window;
    QtLabel lblAbout;
};

AboutWindow::AboutWindow(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::AboutWindow>()), m_events(reportError)
{
    ui->setupUi(this);
    ui->lblVersion->setText(QStringLiteral("Version " TESSALY_VERSION_SHOWN));
    ui->lblAbout->setText(frmAbout::CreditLine1);
    // The title's own size: definition files only hold whole point sizes.
    QFont title = ui->Label1->font();
    title.setPointSizeF(9.75);
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

void AboutWindow::setVisible(bool visible)
{
    // The window it was shown over asks for the focus back before this one goes, while the
    // focus is still the program's to pass on: once it is gone, some window managers hand it to
    // no window at all (they pass over one with no taskbar button), and with none nobody would.
    if (!visible && isActiveWindow())
        reactivate(parentWidget());
    QDialog::setVisible(visible);
}

void AboutWindow::keyPressEvent(QKeyEvent *event)
{
    // O&K is neither the cancel nor the default button: Esc does nothing, and Enter presses
    // it only when it has the focus.
    if (event->matches(QKeySequence::Cancel)) {
        event->ignore();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && ui->cmdOK->hasFocus()) {
        ui->cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace shell
