// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// The shell's commands against the recording double, and the About window on real widgets.

#include "aboutwindow.h"
#include "modalwindow.h"
#include "recording.h"
#include "shell.h"
#include "studentwindow.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace surface::recording;

class TestShell : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exitEndsAtOnce();
    void aboutLoadsOnceAndShowsModally();
    void aboutWindowOnRealWidgets();
    void iconIsSetBeforeTheWindowShows();
};

void TestShell::exitEndsAtOnce()
{
    Recorder recorder;
    RecordingRuntime runtime(recorder);
    int loads = 0;
    RecordingWindow about(recorder, u"frmAbout"_s);
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
    RecordingWindow about(recorder, u"frmAbout"_s);
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
    QCOMPARE(recorder.log, (QStringList{u"lblAbout.Caption = "_s + shell::frmAbout::CreditLine1 +
                                            u"\r\n"_s + shell::frmAbout::CreditLine2,
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
    QVERIFY(testing::whileShown<shell::AboutWindow>(
        [&] { main.aboutAction()->trigger(); },
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
            QCOMPARE(about->findChild<QLabel *>(u"lblVersion"_s)->text(), u"Version 1.0"_s);
            auto *books = about->findChild<QLabel *>(u"imgBooks"_s);
            QVERIFY(books->hasScaledContents());
            QVERIFY(!books->pixmap().isNull());
            caption = about->findChild<QLabel *>(u"lblAbout"_s)->text();
            QCOMPARE(caption.count(u'\n'), 1);
            // O&K is neither the cancel nor the default button: Esc does nothing, nor does Enter
            // with the focus elsewhere. Resizing moves nothing.
            QTest::keyClick(ok, Qt::Key_Escape);
            QVERIFY(about->isVisible());
            about->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(about->isVisible());
            ok->setFocus();
            const QRect before = ok->geometry();
            about->resize(200, 150);
            QCOMPARE(ok->geometry(), before);
            // With the focus on O&K, Enter presses it.
            QTest::keyClick(ok, Qt::Key_Return);
            QVERIFY(!about->isVisible());
        }));
    QTRY_VERIFY(!first->isVisible());
    QCOMPARE(program.aboutWindow(), first);
    QCOMPARE(name->text(), u"Ann"_s);

    // Again: the same window, closed by its frame this time.
    QVERIFY(testing::whileShown<shell::AboutWindow>(
        [&] { main.aboutAction()->trigger(); },
        [&](QWidget *about) {
            QCOMPARE(about, first);
            QCOMPARE(about->findChild<QLabel *>(u"lblAbout"_s)->text(), caption);
            about->close();
        }));
    QVERIFY(!first->isVisible());
    QCOMPARE(program.aboutWindow(), first);
    QVERIFY(main.isVisible());
    QVERIFY(!main.windowIcon().isNull());
}

void TestShell::iconIsSetBeforeTheWindowShows()
{
    QApplication::setWindowIcon(QIcon());
    shell::setProgramIdentity();
    QCOMPARE(QApplication::windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
