#include "startup.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QList>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
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
    // D-Bus runs dbus-launch from the directory it was built for first (/usr/bin in Debian's
    // build), then searches the PATH as execvp does: an empty entry is the working directory, and
    // with no PATH at all the search is /bin:/usr/bin.
    const QString path =
        qEnvironmentVariableIsSet("PATH") ? qEnvironmentVariable("PATH") : u"/bin:/usr/bin"_s;
    QStringList launcherDirs = {u"/usr/bin"_s};
    for (const QString &dir : path.split(u':'))
        launcherDirs.append(dir.isEmpty() ? u"."_s : dir);
    if (!QStandardPaths::findExecutable(u"dbus-launch"_s, launcherDirs).isEmpty())
        return;

    // D-Bus takes $XDG_RUNTIME_DIR/bus only if it is a socket of this user's, not reached through
    // a link; that bus is named as it is. Anything else would end in the launch, so an address
    // that cannot connect (/dev/null is never a socket) fails at once, as the launch would have.
    QByteArray address = "unix:path=/dev/null";
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        const QByteArray bus = qgetenv("XDG_RUNTIME_DIR") + "/bus";
        struct stat status = {};
        if (::lstat(bus.constData(), &status) == 0 && status.st_uid == ::getuid() &&
            S_ISSOCK(status.st_mode)) {
            // In an address, letters, digits and - _ / . * stand as they are, other bytes as %XX.
            address = "unix:path=" + bus.toPercentEncoding("/*", "~");
        }
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
}

void connectSessionBus()
{
    QDBusConnection::sessionBus();
}

} // namespace shell
