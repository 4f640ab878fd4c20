#include "shell.h"

#include "aboutwindow.h"

#include "student_form/studentwindow.h"
#include "surface/qt/runtime.h"

#include <QAction>
#include <QApplication>
#include <QIcon>

namespace shell {

void setProgramIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tessaly"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));
    QCoreApplication::setOrganizationName(QStringLiteral("Pelmora"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.pelmora.Tessaly"));
}

Shell::Shell()
    : m_main(std::make_unique<student_form::StudentWindow>()),
      m_runtime(std::make_unique<surface::qt::QtRuntime>(m_main.get()))
{
    m_commands = std::make_unique<MenuCommands>(*m_runtime, [this]() -> surface::Window & {
        m_about = std::make_unique<AboutWindow>();
        return m_about->surfaceWindow();
    });

    using surface::qt::runEvent;
    QObject::connect(m_main->exitAction(), &QAction::triggered, m_main.get(),
                     [this] { runEvent([this] { m_commands->mnuExit_Click(); }); });
    QObject::connect(m_main->aboutAction(), &QAction::triggered, m_main.get(),
                     [this] { runEvent([this] { m_commands->mnuAbout_Click(); }); });
}

Shell::~Shell() = default;

void Shell::start()
{
    m_main->show();
    // Only now: the window would otherwise wait, unmapped, for the icon file to be decoded
    // (and the image plugin that reads it to be loaded). The title bar takes it a moment later.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tessaly.ico")));
}

} // namespace shell
