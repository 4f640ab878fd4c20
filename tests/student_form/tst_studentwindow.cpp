// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// The main window on real widgets (offscreen): its definition, keyboard and commands.

#include "listwidgets.h"
#include "messagebox.h"
#include "modalwindow.h"
#include "presets.h"
#include "scriptedboxes.h"
#include "shownwindow.h"
#include "studentwindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace testing;
using student_form::StudentWindow;
using surface::qt::ComboBoxWidget;
using surface::qt::ListBoxWidget;

namespace {

// Every entry is empty and nothing is picked, as at the start of a record.
void checkEmpty(ShownWindow &w)
{
    QVERIFY(w.c<QLineEdit>(u"txtName"_s)->text().isEmpty());
    QVERIFY(w.c<QLineEdit>(u"txtUnits"_s)->text().isEmpty());
    for (const QString &grade :
         {u"optFreshman"_s, u"optSophomore"_s, u"optJunior"_s, u"optSenior"_s})
        QVERIFY(!w.c<QRadioButton>(grade)->isChecked());
    QCOMPARE(w.c<QCheckBox>(u"chkDeans"_s)->checkState(), Qt::Unchecked);
    QCOMPARE(w.c<ListBoxWidget>(u"lstMajor"_s)->pickedRow(), -1);
    QVERIFY(w.c<ListBoxWidget>(u"lstMajor"_s)->selectionModel()->selectedRows().isEmpty());
    QCOMPARE(w.school()->text(), QString());
    QCOMPARE(w.school()->pickedRow(), -1);
    QVERIFY(w.school()->listView()->selectionModel()->selectedRows().isEmpty());
}

// Types a record as a keyboard user would: Ann, 3 units, the first major and school, and
// clicks its grade.
void enterRecord(ShownWindow &w, const QString &school, const QString &grade)
{
    QTest::keyClicks(w.c(u"txtName"_s), u"Ann"_s);
    QTest::keyClicks(w.c(u"txtUnits"_s), u"3"_s);
    QTest::keyClick(w.c(u"lstMajor"_s), Qt::Key_Down);
    QTest::keyClicks(w.school(), school);
    QTest::mouseClick(w.c(grade), Qt::LeftButton);
}

} // namespace

class TestStudentWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsEmptyWithTheCaretInTheName();
    void layoutFollowsTheDefinition_data();
    void layoutFollowsTheDefinition();
    void fixedSizeDialogFrame();
    void menus();
    void tabOrder();
    void altWithNoAccessKeyTypesNothing();
    void accessKeys();
    void enterNeitherPrintsNorClears();
    void captionsFit();
    void printAndClearFromTheKeyboardAndMouse();
    void printReportsTheFirstMissingEntry();
    void fullSchoolListIsReportedAndEntriesKept();
    void printSchoolsFromTheMenu();
    void printSchoolsOfAFullListOnScreen();
};

void TestStudentWindow::startsEmptyWithTheCaretInTheName()
{
    ShownWindow w;
    QCOMPARE(w.window.windowTitle(), u"Quorlant"_s);
    QCOMPARE(QApplication::focusWidget(), w.c(u"txtName"_s));
    checkEmpty(w);
    QCOMPARE(testing::rowTexts(w.c<ListBoxWidget>(u"lstMajor"_s)), testing::Majors);
    QCOMPARE(w.school()->items(), testing::PresetSchools);
    QVERIFY(w.school()->sorted());
}

// Positions in twips from the window's definition; 15 twips make a pixel.
void TestStudentWindow::layoutFollowsTheDefinition_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twips");

    const auto row = [](const char *name, const char *container, int l, int t, int w, int h) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(container)
                            << QRect(l, t, w, h);
    };
    row("lblName", "centralwidget", 2040, 0, 495, 255);
    row("txtName", "centralwidget", 2640, 0, 1935, 285);
    row("lblUnits", "centralwidget", 2640, 600, 1215, 255);
    row("txtUnits", "centralwidget", 3960, 600, 615, 285);
    row("optFreshman", "fraGrade", 120, 360, 1335, 255);
    row("optSophomore", "fraGrade", 120, 720, 1335, 255);
    row("optJunior", "fraGrade", 120, 1080, 1335, 255);
    row("optSenior", "fraGrade", 120, 1440, 1335, 255);
    row("lstMajor", "centralwidget", 2160, 1320, 2535, 645);
    row("chkDeans", "centralwidget", 360, 2280, 1455, 255);
    row("cboSchool", "centralwidget", 2640, 2520, 1455, 765);
    row("cmdPrint", "centralwidget", 240, 2880, 735, 375);
    row("cmdOK", "centralwidget", 1200, 2880, 735, 375);
    row("fraGrade", "centralwidget", 240, 240, 1575, 1815);
    row("fraMajor", "centralwidget", 2040, 1080, 2775, 1095);
    row("fraSchool", "centralwidget", 2520, 2280, 1695, 1215);
}

void TestStudentWindow::layoutFollowsTheDefinition()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, twips);

    ShownWindow w;
    QWidget *widget = w.c(name);
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QCOMPARE(widget->geometry(),
             QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    QVERIFY(widget->isVisible());
    QVERIFY(widget->isEnabled());
    // The lists lie above their frames.
    if (name == u"lstMajor" || name == u"cboSchool") {
        const QString frame = name == u"lstMajor" ? u"fraMajor"_s : u"fraSchool"_s;
        const QObjectList siblings = widget->parentWidget()->children();
        QVERIFY(siblings.indexOf(widget) > siblings.indexOf(w.c(frame)));
        QVERIFY(w.c(frame)->geometry().contains(widget->geometry()));
    }
}

void TestStudentWindow::fixedSizeDialogFrame()
{
    ShownWindow w;
    QWidget *client = w.c(u"centralwidget"_s);
    QCOMPARE(client->size(), QSize(346, 245)); // 5190 x 3675 twips
    QCOMPARE(client->y(), w.window.menuBar()->height());
    QCOMPARE(w.window.minimumSize(), w.window.maximumSize());
    QCOMPARE(w.window.size(), QSize(346, 245 + w.window.menuBar()->height()));
    const Qt::WindowFlags flags = w.window.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!w.window.isModal());
}

void TestStudentWindow::menus()
{
    ShownWindow w;
    // Each menu's entries as "name caption", a separator as "-".
    const auto entries = [](const QList<QAction *> &items) {
        QStringList out;
        for (const QAction *item : items)
            out.append(item->isSeparator() ? u"-"_s : item->objectName() + u' ' + item->text());
        return out;
    };
    const QList<QAction *> bar = w.window.menuBar()->actions();
    QCOMPARE(bar.size(), 2);
    QCOMPARE(bar[0]->text(), u"&File"_s);
    QCOMPARE(bar[1]->text(), u"&Help"_s);
    const QList<QAction *> file = bar[0]->menu()->actions();
    const QList<QAction *> help = bar[1]->menu()->actions();
    QCOMPARE(entries(file),
             (QStringList{u"mnuPrintSchools Print S&chools"_s, u"-"_s, u"mnuExit E&xit"_s}));
    QCOMPARE(entries(help), QStringList{u"mnuAbout &About Quorlant"_s});
    for (QAction *item : file + help) {
        QVERIFY(item->shortcut().isEmpty());
        QVERIFY(item->isEnabled() && item->isVisible());
    }
    QCOMPARE(w.window.exitAction(), file[2]);
    QCOMPARE(w.window.aboutAction(), help[0]);
}

// In every field that takes typing, the school box's included.
void TestStudentWindow::altWithNoAccessKeyTypesNothing()
{
    ShownWindow w;
    for (const QString &field : {u"txtName"_s, u"txtUnits"_s, u"cboSchool"_s}) {
        w.c(field)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::AltModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_M);
        const QString edit = field == u"cboSchool"_s ? u"cboSchool/edit"_s : field;
        QCOMPARE(w.c<QLineEdit>(edit)->text(), u"m"_s);
    }
}

void TestStudentWindow::tabOrder()
{
    ShownWindow w;
    const auto walk = [&](const QStringList &order) {
        QCOMPARE(focusName(), order[0]);
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focusName(), order[i]);
        }
        for (qsizetype i = order.size() - 2; i >= 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCOMPARE(focusName(), order[i]);
        }
    };
    // The grade group is one stop, as on any desktop: Tab enters it at the chosen grade (the
    // first when none is chosen) and the arrow keys move within it.
    walk({u"txtName"_s, u"txtUnits"_s, u"optFreshman"_s, u"lstMajor"_s, u"chkDeans"_s,
          u"cboSchool"_s, u"cmdPrint"_s, u"cmdOK"_s, u"txtName"_s});
    if (QTest::currentTestFailed())
        return;
    w.c<QRadioButton>(u"optJunior"_s)->setChecked(true);
    walk({u"txtName"_s, u"txtUnits"_s, u"optJunior"_s, u"lstMajor"_s});
    if (QTest::currentTestFailed())
        return;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(focusName(), u"optSenior"_s);
    QVERIFY(w.c<QRadioButton>(u"optSenior"_s)->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(focusName(), u"txtUnits"_s);

    // Labels and frames never take the focus.
    for (const QString &name :
         {u"lblName"_s, u"lblUnits"_s, u"fraGrade"_s, u"fraMajor"_s, u"fraSchool"_s})
        QCOMPARE(w.c(name)->focusPolicy(), Qt::NoFocus);
}

void TestStudentWindow::accessKeys()
{
    ScriptedBoxes boxes;
    ShownWindow w;
    w.c(u"cmdOK"_s)->setFocus();

    w.alt('n');
    QCOMPARE(QApplication::focusWidget(), w.c(u"txtName"_s));
    w.alt('u');
    QCOMPARE(QApplication::focusWidget(), w.c(u"txtUnits"_s));

    w.alt('e');
    QTRY_VERIFY(w.c<QRadioButton>(u"optFreshman"_s)->isChecked());
    w.alt('j');
    QTRY_VERIFY(w.c<QRadioButton>(u"optJunior"_s)->isChecked());
    w.alt('s');
    QTRY_VERIFY(w.c<QRadioButton>(u"optSenior"_s)->isChecked());
    QVERIFY(!w.c<QRadioButton>(u"optJunior"_s)->isChecked());
    QVERIFY(!w.c<QRadioButton>(u"optFreshman"_s)->isChecked());

    auto *deans = w.c<QCheckBox>(u"chkDeans"_s);
    w.alt('d');
    QTRY_COMPARE(deans->checkState(), Qt::Checked);
    w.alt('d');
    QTRY_COMPARE(deans->checkState(), Qt::Unchecked);

    w.alt('p');
    QTRY_COMPARE(boxes.shown.size(), 1u);
    QCOMPARE(boxes.shown[0], (ShownBox{u"Error"_s, u"Please Enter Your Name"_s}));

    w.c<QLineEdit>(u"txtUnits"_s)->setText(u"12"_s);
    w.alt('o');
    QTRY_VERIFY(w.c<QLineEdit>(u"txtUnits"_s)->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), w.c(u"txtName"_s));

    // Alt+H is the Help menu's too: the grade has it, every time, whatever grade was chosen.
    auto *sophomore = w.c<QRadioButton>(u"optSophomore"_s);
    auto *help = w.c<QMenu>(u"mnuHelp"_s);
    for (int press = 0; press < 4; ++press) {
        w.c(u"txtName"_s)->setFocus();
        w.c<QRadioButton>(u"optJunior"_s)->setChecked(true);
        w.alt('h');
        QTRY_VERIFY(sophomore->isChecked());
        QCOMPARE(QApplication::focusWidget(), sophomore);
        QVERIFY(!help->isVisible());
    }
}

void TestStudentWindow::enterNeitherPrintsNorClears()
{
    ShownWindow w;
    auto *name = w.c<QLineEdit>(u"txtName"_s);
    auto *print = w.c<QPushButton>(u"cmdPrint"_s);
    auto *ok = w.c<QPushButton>(u"cmdOK"_s);
    QVERIFY(!print->isDefault() && !print->autoDefault());
    QVERIFY(!ok->isDefault() && !ok->autoDefault());

    name->setText(u"Ann"_s);
    QTest::keyClick(name, Qt::Key_Return);
    QTest::keyClick(name, Qt::Key_Enter);
    QCOMPARE(name->text(), u"Ann"_s);
}

void TestStudentWindow::captionsFit()
{
    ShownWindow w;
    const QFont font = w.c(u"centralwidget"_s)->font();
    QCOMPARE(QFontInfo(font).family(), u"DejaVu Sans"_s);
    for (const QString &name : {u"lblName"_s, u"lblUnits"_s, u"optFreshman"_s, u"optSophomore"_s,
                                u"optJunior"_s, u"optSenior"_s, u"chkDeans"_s}) {
        QWidget *control = w.c(name);
        QVERIFY2(control->sizeHint().width() <= control->width(), qPrintable(name));
        QVERIFY2(control->sizeHint().height() <= control->height(), qPrintable(name));
    }
    for (const QString &name : {u"cmdPrint"_s, u"cmdOK"_s}) {
        auto *button = w.c<QPushButton>(name);
        const QFontMetrics metrics(button->font());
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin);
        QVERIFY(metrics.horizontalAdvance(button->text().remove(u'&')) + 2 * margin <=
                button->width());
    }
    for (const QString &name : {u"fraGrade"_s, u"fraMajor"_s, u"fraSchool"_s}) {
        auto *frame = w.c<QGroupBox>(name);
        QVERIFY(QFontMetrics(frame->font()).horizontalAdvance(frame->title()) + 16 <=
                frame->width());
    }
    // Every major reads in full beside the list's scroll bar.
    auto *major = w.c<ListBoxWidget>(u"lstMajor"_s);
    for (int row = 0; row < major->model()->rowCount(); ++row) {
        const QModelIndex index = major->model()->index(row, 0);
        QVERIFY2(major->sizeHintForIndex(index).width() <= major->viewport()->width(),
                 qPrintable(index.data().toString()));
    }
}

void TestStudentWindow::printAndClearFromTheKeyboardAndMouse()
{
    ScriptedBoxes boxes;
    ShownWindow w;
    QTest::keyClicks(w.c(u"txtName"_s), u"<b>Ann</b> & Bo"_s);
    QTest::keyClicks(w.c(u"txtUnits"_s), u"12abc"_s);
    clickRow(w.c<ListBoxWidget>(u"lstMajor"_s), 2);
    QTest::keyClicks(w.school(), u"Lincoln"_s);
    QTest::mouseClick(w.c(u"optJunior"_s), Qt::LeftButton);
    QTest::mouseClick(w.c(u"chkDeans"_s), Qt::LeftButton);
    QTest::mouseClick(w.c(u"cmdPrint"_s), Qt::LeftButton);

    QCOMPARE(boxes.shown.size(), 1u);
    QCOMPARE(boxes.shown[0], (ShownBox{u"Quorlant"_s, u"Student Name: <b>Ann</b> & Bo\r\n"
                                                      u"\r\n"
                                                      u"Units Completed: 12abc\r\n"
                                                      u"Major: Computer Information Systems\r\n"
                                                      u"School: Lincoln\r\n"
                                                      u"Grade Level: Junior\r\n"
                                                      u"Deans List: Yes"_s}));
    QCOMPARE(w.school()->items(), SchoolsWithLincoln);
    QCOMPARE(w.school()->pickedRow(), 2);
    QCOMPARE(w.school()->listView()->selectionModel()->selectedRows().value(0).row(), 2);

    // Printed again: picked now, so not added twice.
    QTest::mouseClick(w.c(u"cmdPrint"_s), Qt::LeftButton);
    QCOMPARE(boxes.shown.size(), 2u);
    QCOMPARE(boxes.shown[1], boxes.shown[0]);
    QCOMPARE(w.school()->items().size(), 5);

    // OK clears the record with no message, and keeps the school added.
    QTest::mouseClick(w.c(u"cmdOK"_s), Qt::LeftButton);
    QCOMPARE(boxes.shown.size(), 2u);
    checkEmpty(w);
    QCOMPARE(w.school()->items(), SchoolsWithLincoln);
    QCOMPARE(QApplication::focusWidget(), w.c(u"txtName"_s));
}

void TestStudentWindow::printReportsTheFirstMissingEntry()
{
    ScriptedBoxes boxes;
    ShownWindow w;
    QTest::keyClicks(w.c(u"txtName"_s), u"Ann"_s);
    w.c(u"cmdPrint"_s)->setFocus();
    QTest::keyClick(w.c(u"cmdPrint"_s), Qt::Key_Space);
    QCOMPARE(boxes.shown.back(), (ShownBox{u"Error"_s, u"Enter Number of Units"_s}));
    QCOMPARE(QApplication::focusWidget(), w.c(u"txtUnits"_s));

    QTest::keyClicks(w.c(u"txtUnits"_s), u"3"_s);
    QTest::mouseClick(w.c(u"cmdPrint"_s), Qt::LeftButton);
    QCOMPARE(boxes.shown.back().prompt, u"Please Enter Your Major"_s);
    QCOMPARE(QApplication::focusWidget(), w.c(u"lstMajor"_s));

    QTest::keyClick(w.c(u"lstMajor"_s), Qt::Key_Down);
    QTest::mouseClick(w.c(u"cmdPrint"_s), Qt::LeftButton);
    QCOMPARE(boxes.shown.back().prompt, u"Please Enter Your School"_s);
    QCOMPARE(QApplication::focusWidget(), w.school());

    QTest::keyClick(w.school(), Qt::Key_Down);
    QTest::mouseClick(w.c(u"cmdPrint"_s), Qt::LeftButton);
    QCOMPARE(boxes.shown.back().prompt, u"Grade Level Not Selected"_s);
    QCOMPARE(QApplication::focusWidget(), w.c(u"cmdPrint"_s));
    QCOMPARE(boxes.shown.size(), 4u);
    QCOMPARE(w.school()->items().size(), 4);
}

void TestStudentWindow::fullSchoolListIsReportedAndEntriesKept()
{
    ScriptedBoxes boxes;
    ShownWindow w;
    const QStringList many = testing::fullSchoolList();
    w.school()->setItems(many);

    enterRecord(w, u"Zed"_s, u"optSenior"_s);
    QTest::mouseClick(w.c(u"cmdPrint"_s), Qt::LeftButton);

    QCOMPARE(boxes.shown.size(), 1u);
    QCOMPARE(boxes.shown[0].title, QCoreApplication::applicationName());
    QVERIFY(boxes.shown[0].prompt.contains(u"32,767"_s));
    QCOMPARE(w.school()->items().size(), 32767);
    QCOMPARE(w.school()->text(), u"Zed"_s);
    QCOMPARE(w.c<QLineEdit>(u"txtName"_s)->text(), u"Ann"_s);
    QVERIFY(w.c<QRadioButton>(u"optSenior"_s)->isChecked());
    QVERIFY(w.window.isVisible());
}

void TestStudentWindow::printSchoolsFromTheMenu()
{
    ScriptedBoxes boxes;
    ShownWindow w;
    // Alt+F, then C, as a keyboard user would.
    w.alt('f');
    auto *file = w.c<QMenu>(u"mnuFile"_s);
    QTRY_VERIFY(file->isVisible());
    QTest::keyClick(file, Qt::Key_C);
    QTRY_COMPARE(boxes.shown.size(), 1u);
    QCOMPARE(boxes.shown[0].title, u"School List"_s);
    QCOMPARE(boxes.shown[0].prompt, student_form::SchoolListCredit +
                                        u"\r\n\r\n\r\nSchool List:\r\nFranklin\r\nHighland"
                                        u"\r\nMidtown\r\nWest Highland"_s);
}

void TestStudentWindow::printSchoolsOfAFullListOnScreen()
{
    ShownWindow w;
    const QStringList many = testing::fullSchoolList();
    w.school()->setItems(many);

    // The real box: on screen, OK inside it, the list scrolling within. What it lists is checked by
    // the recording double's tests.
    QVERIFY(testing::whileShown<surface::qt::MessageBox>(
        [&] { w.window.findChild<QAction *>(u"mnuPrintSchools"_s)->trigger(); },
        [](surface::qt::MessageBox *box) {
            // The lines past the first screenful follow the box; give them a few seconds.
            QTRY_COMPARE_WITH_TIMEOUT(box->textView()->document()->blockCount(), 4 + 32767, 5000);
            const QRect screen = box->screen()->availableGeometry();
            QVERIFY(screen.contains(box->frameGeometry()));
            QVERIFY(box->rect().contains(box->okButton()->geometry()));
            QVERIFY(box->textView()->verticalScrollBar()->maximum() > 0);
            box->okButton()->click();
        }));
    QCOMPARE(w.school()->items().size(), 32767);
}

QTEST_MAIN(TestStudentWindow)
#include "tst_studentwindow.moc"
