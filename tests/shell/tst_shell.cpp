// The shell's commands against the recording double, and the About window on real widgets.

#include "common/scriptedboxes.h"
#include "shell/aboutwindow.h"
#include "shell/shell.h"
#include "shell/startup.h"
#include "student_form/studentwindow.h"
#include "surface/recording/recording.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <atomic>
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

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
