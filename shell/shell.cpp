// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "shell.h"

#include "aboutwindow.h"
#include "controls.h"
#include "identity.h"
#include "studentwindow.h"

#include <QAction>
#include <QApplication>
#include <QIcon>

namespace shell {

void setProgramIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral(TESSALY_NAME));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSALY_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral(TESSALY_ORGANIZATION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TESSALY_APP_ID));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/tessaly-16.png"));
    icon.addFile(QStringLiteral(":/icons/tessaly-32.png"));
    QApplication::setWindowIcon(icon);
}

Shell::Shell()
    : m_main(std::make_unique<student_form::StudentWindow>()),
      m_runtime(std::make_unique<surface::qt::QtRuntime>(m_main.get()))
{
    m_commands = std::make_unique<MenuCommands>(*m_runtime, [this]() -> surface::Window & {
        m_about = std::make_unique<AboutWindow>(m_main.get());
        return m_about->surfaceWindow();
    });

    // Menu commands of the main window, so they take their turn with its other procedures.
    student_form::StudentWindow *main = m_main.get();
    QObject::connect(main->exitAction(), &QAction::triggered, main,
                     [this] { m_main->runEvent([this] { m_commands->mnuExit_Click(); }); });
    QObject::connect(main->aboutAction(), &QAction::triggered, main,
                     [this] { m_main->runEvent([this] { m_commands->mnuAbout_Click(); }); });
}

Shell::~Shell() = default;

void Shell::start()
{
    m_main->show();
    // Asked for, not assumed: some window managers pass over a window that has no taskbar
    // button unless the program itself asks for the focus.
    m_main->activateWindow();
}

} // namespace shell
