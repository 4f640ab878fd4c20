// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "application.h"

#include "identity.h"

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

} // namespace shell
