// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#pragma once

#include "commands.h"

#include "eventrunner.h"

#include <QDialog>

#include <memory>

namespace Ui {
class AboutWindow;
}

namespace shell {

// The About window: its definition comes from aboutwindow.ui, its procedures from frmAbout.
// Creating it loads it, which runs Form_Load. It is a dialog of parent, the window it is shown
// over.
class AboutWindow : public QDialog
{
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent = nullptr);
    ~AboutWindow() override;

    surface::Window &surfaceWindow();
    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Binding;

    std::unique_ptr<Ui::AboutWindow> ui;
    std::unique_ptr<Binding> m_binding;
    std::unique_ptr<frmAbout> m_form;
    surface::EventRunner m_events;
};

} // namespace shell
