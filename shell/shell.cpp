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
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace shell {

namespace {

// The window system's messages while it starts: only shown if it does.
QStringList heldMessages;
QString firstPlatformMessage;
QtMessageHandler passOn = nullptr;

void holdWhileStarting(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (firstPlatformMessage.isEmpty() && QByteArrayView(context.category).startsWith("qt.qpa"))
        firstPlatformMessage = text.simplified();
    if (type != QtFatalMsg) {
        heldMessages.append(qFormatLogMessage(type, context, text));
        return;
    }
    QString reason =
        firstPlatformMessage.isEmpty() ? text.section(u'\n', 0, 0) : firstPlatformMessage;
    // The X plugin names the display it tried, which is nothing when none is set.
    if (reason == QLatin1StringView("could not connect to display"))
        reason = QStringLiteral("no display is set (DISPLAY is empty)");
    std::fprintf(stderr, "%s: cannot start its windows: %s\n", TESSALY_NAME, qPrintable(reason));
    std::_Exit(EXIT_FAILURE);
}

} // namespace

std::unique_ptr<QApplication> startApplication(char *programPath)
{
    static int argc = 1;
    static char *argv[] = {programPath, nullptr};
    passOn = qInstallMessageHandler(holdWhileStarting);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(passOn);
    for (const QString &message : std::as_const(heldMessages))
        std::fprintf(stderr, "%s\n", qPrintable(message));
    heldMessages.clear();
    return app;
}

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
