// The shell's commands against the recording double, and the About window on real widgets.

#include "common/scriptedboxes.h"
#include "shell/aboutwindow.h"
#include "shell/shell.h"
#include "shell/startup.h"
#include "student_form/studentwindow.h"
#include "surface/recording/recording.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>
#include <thread>

using namespace Qt::StringLiterals;
using namespace surface::recording;

namespace {

// Runs action, which shows the About window modally, and hands it to inspect once it is up
// and active. inspect closes it; should one of its checks fail first, the window is closed
// here, so that the failure is reported rather than the test left waiting on the modal window.
void whileAboutShown(const std::function<void()> &action,
                     const std::function<void(QWidget *)> &inspect)
{
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto *about = qobject_cast<shell::AboutWindow *>(QApplication::activeModalWidget());
        if (!about || seen || !about->windowHandle()->isActive())
            return;
        seen = true;
        inspect(about);
        if (QTest::currentTestFailed() && about->isVisible())
            about->close();
    });
    poll.start();
    action();
    poll.stop();
    QVERIFY(seen);
}

} // namespace

class TestShell : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exitEndsAtOnce();
    void aboutLoadsOnceAndShowsModally();
    void aboutWindowOnRealWidgets();
    void iconComesAfterTheFirstFrame();
    void preloadRunsOnItsOwnThread();
    void futileBusLaunchIsSkipped_data();
    void futileBusLaunchIsSkipped();
};

void TestShell::exitEndsAtOnce()
{
    Recorder recorder;
    RecordingRuntime runtime(recorder);
    int loads = 0;
    RecordingWindow about(recorder, u"frmAbout"_s, u"About Quorlant"_s);
    shell::MenuCommands commands(runtime, [&]() -> surface::Window & {
        ++loads;
        return about;
    });
    recorder.run([&] { commands.mnuExit_Click(); });
    QVERIFY(recorder.ended);
    QCOMPARE(recorder.log, QStringList{u"End"_s});
    QCOMPARE(loads, 0);
}

void TestShell::aboutLoadsOnceAndShowsModally()
{
    Recorder recorder;
    RecordingRuntime runtime(recorder);
    RecordingWindow about(recorder, u"frmAbout"_s, u"About Quorlant"_s);
    RecordingLabel lblAbout(recorder, u"lblAbout"_s);
    shell::frmAbout form({about, lblAbout});
    int loads = 0;
    shell::MenuCommands commands(runtime, [&]() -> surface::Window & {
        ++loads;
        form.Form_Load();
        return about;
    });
    commands.mnuAbout_Click();
    commands.mnuAbout_Click();
    QCOMPARE(loads, 1);
    QCOMPARE(about.shown, 2);
    QCOMPARE(recorder.log, (QStringList{u"lblAbout.Caption = "_s + shell::aboutCreditLine1() +
                                            u"\r\n"_s + shell::aboutCreditLine2(),
                                        u"frmAbout.Show modal"_s, u"frmAbout.Show modal"_s}));
    const QStringList lines = lblAbout.value.split(u"\r\n"_s);
    QCOMPARE(lines.size(), 2);
    QVERIFY(!lines[0].isEmpty() && !lines[1].isEmpty());
    form.cmdOK_Click();
    QCOMPARE(recorder.log.last(), u"frmAbout.Hide"_s);
}

void TestShell::aboutWindowOnRealWidgets()
{
    shell::setProgramIdentity();
    shell::Shell program;
    program.start();
    auto &main = program.mainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    auto *name = main.findChild<QLineEdit *>(u"txtName"_s);
    name->setText(u"Ann"_s);
    QVERIFY(!program.aboutWindow());

    QWidget *first = nullptr;
    QString caption;
    whileAboutShown([&] { main.aboutAction()->trigger(); },
                    [&](QWidget *about) {
                        first = about;
                        QCOMPARE(about->windowTitle(), u"About Quorlant"_s);
                        QCOMPARE(about->size(), QSize(298, 227));
                        auto *ok = about->findChild<QPushButton *>(u"cmdOK"_s);
                        QCOMPARE(QApplication::focusWidget(), ok);
                        auto *title = about->findChild<QLabel *>(u"Label1"_s);
                        QCOMPARE(title->font().family(), u"MS Sans Serif"_s);
                        QCOMPARE(title->font().pointSizeF(), 9.75);
                        QVERIFY(title->alignment() & Qt::AlignHCenter);
                        QCOMPARE(about->findChild<QLabel *>(u"lblVersion"_s)->text(),
                                 u"Version 1.0"_s);
                        auto *books = about->findChild<QLabel *>(u"imgBooks"_s);
                        QVERIFY(books->hasScaledContents());
                        QVERIFY(!books->pixmap().isNull());
                        caption = about->findChild<QLabel *>(u"lblAbout"_s)->text();
                        QCOMPARE(caption.count(u'\n'), 1);
                        // Esc does nothing; resizing moves nothing.
                        QTest::keyClick(ok, Qt::Key_Escape);
                        QVERIFY(about->isVisible());
                        const QRect before = ok->geometry();
                        about->resize(200, 150);
                        QCOMPARE(ok->geometry(), before);
                        QTest::keyClick(ok, Qt::Key_K, Qt::AltModifier);
                    });
    QTRY_VERIFY(!first->isVisible());
    QCOMPARE(program.aboutWindow(), first);
    QCOMPARE(name->text(), u"Ann"_s);

    // Again: the same window, closed by its frame this time.
    whileAboutShown([&] { main.aboutAction()->trigger(); },
                    [&](QWidget *about) {
                        QCOMPARE(about, first);
                        QCOMPARE(about->findChild<QLabel *>(u"lblAbout"_s)->text(), caption);
                        about->close();
                    });
    QVERIFY(!first->isVisible());
    QCOMPARE(program.aboutWindow(), first);
    QVERIFY(main.isVisible());
    QVERIFY(!main.windowIcon().isNull());
}

void TestShell::iconComesAfterTheFirstFrame()
{
    QApplication::setWindowIcon(QIcon());
    shell::Shell program;
    program.start();
    auto &main = program.mainWindow();
    // Nothing decoded while the window is still on its way to the screen.
    QVERIFY(QApplication::windowIcon().isNull());
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QTRY_VERIFY(!main.windowIcon().isNull());

    // The program's own picture, at both sizes it comes in.
    const QIcon expected(u":/icons/tessaly.ico"_s);
    for (int size : {16, 32}) {
        QCOMPARE(main.windowIcon().pixmap(size).toImage(), expected.pixmap(size).toImage());
        QCOMPARE(main.windowHandle()->icon().pixmap(size).toImage(),
                 expected.pixmap(size).toImage());
    }
}

void TestShell::preloadRunsOnItsOwnThread()
{
    // Done off the GUI thread, and finished once wait() returns.
    std::thread::id worker;
    std::atomic<bool> done = false;
    shell::Preload preload([&] {
        worker = std::this_thread::get_id();
        done = true;
    });
    preload.wait();
    QVERIFY(done);
    QVERIFY(worker != std::this_thread::get_id());

    // Ending it without a wait still waits, rather than leaving the thread to run loose.
    std::atomic<bool> doneBeforeEnd = false;
    {
        shell::Preload unwaited([&] { doneBeforeEnd = true; });
    }
    QVERIFY(doneBeforeEnd);

    // Reading the font configuration ahead leaves Qt's fonts intact: the window's font is
    // still found.
    shell::Preload fontConfig(shell::loadFontConfig);
    fontConfig.wait();
    QVERIFY(QFontDatabase::families().contains(u"DejaVu Sans"_s));
}

namespace {

// What lies where the runtime directory's bus would be.
enum class RuntimeBus { Nothing, Socket, LinkToSocket, OthersSocket, File };

// Leaves a Unix socket at path, as a running bus does. Returns its descriptor, or -1.
int socketAt(const QByteArray &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(),
                std::min(sizeof address.sun_path - 1, size_t(path.size())));
    if (fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

void TestShell::futileBusLaunchIsSkipped_data()
{
    // In the texts, <work> stands for a fresh folder, which is also the working directory's
    // parent: the working directory is <work>/bin, where a dbus-launch is put if asked for.
    using Text = std::optional<QByteArray>; // unset if empty
    using Launcher = std::optional<QFile::Permissions>;
    QTest::addColumn<Text>("address");
    QTest::addColumn<Launcher>("launcher");
    QTest::addColumn<Text>("path");
    QTest::addColumn<Text>("runtimeDir");
    QTest::addColumn<RuntimeBus>("runtimeBus");
    QTest::addColumn<Text>("expected");

    const Text unset;
    const Launcher none;
    const Text bin("<work>/bin");
    const Text run("<work>/run");
    const Text runtimeBus("unix:path=<work>/run/bus");
    const Text nowhere("unix:path=/dev/null");
    QTest::newRow("no bus named, one there")
        << unset << none << bin << run << RuntimeBus::Socket << runtimeBus;
    QTest::newRow("an empty address")
        << Text("") << none << bin << run << RuntimeBus::Socket << runtimeBus;
    QTest::newRow("a runtime directory to escape")
        << unset << none << bin << Text("<work>/r*n time~%") << RuntimeBus::Socket
        << Text("unix:path=<work>/r*n%20time%7E%25/bus");
    QTest::newRow("no bus there") << unset << none << bin << run << RuntimeBus::Nothing << nowhere;
    QTest::newRow("a link to the bus")
        << unset << none << bin << run << RuntimeBus::LinkToSocket << nowhere;
    QTest::newRow("another user's bus")
        << unset << none << bin << run << RuntimeBus::OthersSocket << nowhere;
    QTest::newRow("a file where the bus would be")
        << unset << none << bin << run << RuntimeBus::File << nowhere;
    QTest::newRow("no runtime directory")
        << unset << none << bin << unset << RuntimeBus::Nothing << nowhere;
    QTest::newRow("an empty runtime directory")
        << unset << none << bin << Text("") << RuntimeBus::Nothing << nowhere;
    QTest::newRow("a launcher that cannot be run")
        << unset << Launcher(QFile::ReadOwner) << bin << run << RuntimeBus::Nothing << nowhere;
    QTest::newRow("no PATH") << unset << none << unset << run << RuntimeBus::Nothing << nowhere;
    // Left to D-Bus:
    const Launcher runnable(QFile::ReadOwner | QFile::ExeOwner);
    QTest::newRow("a launcher on the PATH")
        << unset << runnable << bin << run << RuntimeBus::Socket << unset;
    QTest::newRow("a launcher in the working directory, by an empty PATH entry")
        << unset << runnable << Text("<work>/none:") << run << RuntimeBus::Nothing << unset;
    QTest::newRow("a bus named") << Text("unix:path=/run/named") << none << bin << run
                                 << RuntimeBus::Nothing << Text("unix:path=/run/named");
}

void TestShell::futileBusLaunchIsSkipped()
{
    QFETCH(std::optional<QByteArray>, address);
    QFETCH(std::optional<QFile::Permissions>, launcher);
    QFETCH(std::optional<QByteArray>, path);
    QFETCH(std::optional<QByteArray>, runtimeDir);
    QFETCH(RuntimeBus, runtimeBus);
    QFETCH(std::optional<QByteArray>, expected);
    if (expected != address && (QFileInfo(u"/usr/bin/dbus-launch"_s).isExecutable() ||
                                QFileInfo(u"/bin/dbus-launch"_s).isExecutable()))
        QSKIP("dbus-launch is installed here: a bus can always be started");
    if (runtimeBus == RuntimeBus::OthersSocket && ::getuid() != 0)
        QSKIP("only root can leave a socket of another user's");

    QTemporaryDir work;
    QVERIFY(work.isValid());
    const QByteArray workPath = QFile::encodeName(work.path());
    // The expected addresses spell <work> as it is: it must need no escaping.
    QVERIFY2(workPath.toPercentEncoding("/*", "~") == workPath, workPath.constData());
    const auto inWork = [&](std::optional<QByteArray> text) {
        if (text)
            text->replace("<work>", workPath);
        return text;
    };

    const QList<QByteArray> names = {"PATH", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR"};
    QList<std::optional<QByteArray>> saved;
    for (const QByteArray &name : names)
        saved.append(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    const QString oldCurrent = QDir::currentPath();
    int socket = -1;
    const auto restore = qScopeGuard([&] {
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (saved[i])
                qputenv(names[i], *saved[i]);
            else
                qunsetenv(names[i]);
        }
        QDir::setCurrent(oldCurrent);
        if (socket >= 0)
            ::close(socket);
    });
    const auto setOrUnset = [](const char *name, const std::optional<QByteArray> &value) {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    };

    QVERIFY(QDir(work.path()).mkpath(u"bin"_s));
    QVERIFY(QDir::setCurrent(work.filePath(u"bin"_s)));
    if (launcher) {
        QFile file(work.filePath(u"bin/dbus-launch"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nexit 1\n");
        file.close();
        QVERIFY(file.setPermissions(*launcher));
    }
    if (const auto dir = inWork(runtimeDir); dir && !dir->isEmpty()) {
        QVERIFY(QDir().mkpath(QFile::decodeName(*dir)));
        const QByteArray bus = *dir + "/bus";
        switch (runtimeBus) {
        case RuntimeBus::Nothing:
            break;
        case RuntimeBus::Socket:
            socket = socketAt(bus);
            QVERIFY(socket >= 0);
            break;
        case RuntimeBus::OthersSocket:
            socket = socketAt(bus);
            QVERIFY(socket >= 0);
            QCOMPARE(::chown(bus.constData(), 65534, 65534), 0);
            break;
        case RuntimeBus::LinkToSocket:
            socket = socketAt(workPath + "/socket");
            QVERIFY(socket >= 0);
            QCOMPARE(::symlink((workPath + "/socket").constData(), bus.constData()), 0);
            break;
        case RuntimeBus::File:
            QFile file(QFile::decodeName(bus));
            QVERIFY(file.open(QIODevice::WriteOnly));
            break;
        }
    }

    setOrUnset("PATH", inWork(path));
    setOrUnset("DBUS_SESSION_BUS_ADDRESS", address);
    setOrUnset("XDG_RUNTIME_DIR", inWork(runtimeDir));

    shell::skipFutileBusLaunch();

    QCOMPARE(qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"), expected.has_value());
    if (expected)
        QCOMPARE(qgetenv("DBUS_SESSION_BUS_ADDRESS"), *inWork(expected));
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
