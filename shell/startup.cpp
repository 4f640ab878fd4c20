#include "startup.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QList>
#include <QStandardPaths>
#include <QString>
#include <QtGlobal>

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <utility>

using namespace Qt::StringLiterals;

namespace shell {

namespace {

// A message with its own copy of what its context only points at.
struct HeldMessage
{
    QtMsgType type;
    QByteArray file;
    int line;
    QByteArray function;
    QByteArray category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
QList<HeldMessage> heldMessages;

// Why the window system could not start, in a few words: the first thing its plugins said.
QString reason()
{
    for (const HeldMessage &message : std::as_const(heldMessages)) {
        if (!message.category.startsWith("qt.qpa"))
            continue;
        // The X plugin names the display it tried, which is nothing when none is set.
        if (message.text.trimmed() == QLatin1StringView("could not connect to display"))
            return QStringLiteral("no display is set (DISPLAY is empty)");
        return message.text.simplified();
    }
    return QStringLiteral("no window system could be started");
}

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        const QByteArray line =
            QStringLiteral("Tessaly: cannot start its windows: %1\n").arg(reason()).toLocal8Bit();
        std::fputs(line.constData(), stderr);
        std::fflush(stderr);
        // Not abort(): a missing display is the user's situation, not a fault of the program.
        std::_Exit(EXIT_FAILURE);
    }
    heldMessages.append({type, QByteArray(context.file), context.line, QByteArray(context.function),
                         QByteArray(context.category), text});
}

} // namespace

DisplayGuard::DisplayGuard()
{
    previousHandler = qInstallMessageHandler(holdMessage);
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage &held : std::as_const(heldMessages)) {
        const QMessageLogContext context(
            held.file.isNull() ? nullptr : held.file.constData(), held.line,
            held.function.isNull() ? nullptr : held.function.constData(),
            held.category.isNull() ? nullptr : held.category.constData());
        qt_message_output(held.type, context, held.text);
    }
    heldMessages.clear();
}

Preload::Preload(std::function<void()> work)
{
    try {
        m_thread = std::thread(std::move(work));
    } catch (const std::system_error &) {
        // No thread to spare: the work is left to whoever first needs it.
    }
}

Preload::~Preload()
{
    wait();
}

void Preload::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

void loadFontConfig()
{
    // Failure is not ours to report: Qt meets the same configuration and says what is wrong.
    FcInit();
}

void skipFutileBusLaunch()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    // D-Bus runs dbus-launch from its own install directory first, then from the PATH.
    if (!QStandardPaths::findExecutable(u"dbus-launch"_s, {u"/usr/bin"_s}).isEmpty() ||
        !QStandardPaths::findExecutable(u"dbus-launch"_s).isEmpty())
        return;
    const QByteArray runtimeDir = qgetenv("XDG_RUNTIME_DIR");
    if (runtimeDir.isEmpty()) {
        // Then D-Bus has nowhere to look but the launch. An address that cannot connect
        // (/dev/null is never a socket) fails at once, as the launch would have.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/dev/null");
        return;
    }
    // D-Bus takes the runtime directory's bus only if it is a socket of this user's; anything
    // else there it passes over, and what it does then is left to it.
    const QByteArray bus = runtimeDir + "/bus";
    struct stat status = {};
    if (::lstat(bus.constData(), &status) == 0 &&
        (status.st_uid != ::getuid() || !S_ISSOCK(status.st_mode)))
        return;
    // Where there is no bus, connecting to the path fails at once, as the launch would have.
    // In an address, letters, digits and - _ / . * stand as they are, other bytes as %XX.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + bus.toPercentEncoding("/*", "~"));
}

void connectSessionBus()
{
    QDBusConnection::sessionBus();
}

} // namespace shell
