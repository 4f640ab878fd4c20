// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// The Qt binding of the surface, on real widgets (offscreen).

#include "controls.h"
#include "eventrunner.h"
#include "listwidgets.h"
#include "messagebox.h"
#include "modalwindow.h"
#include "presets.h"
#include "scriptedboxes.h"
#include "shownwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <qpa/qplatformnativeinterface.h>

using namespace Qt::StringLiterals;
using namespace surface::qt;
using surface::Integer;

namespace {

const QStringList &Schools = testing::PresetSchools;

// A heading and a line for each of count schools, as Print Schools shows them.
QString report(int count)
{
    QString prompt = u"School List:"_s;
    for (int i = 0; i < count; ++i)
        prompt += u"\r\nSchool "_s + QString::number(i);
    return prompt;
}

// Resizes the offscreen platform's screen, as a monitor or panel change would, through the
// plugin's own hook for tests.
void resizeScreen(int width, int height)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    using Get = QJsonObject (*)(QPlatformNativeInterface *);
    using Set = void (*)(const QJsonObject &, QPlatformNativeInterface *);
    const auto get = reinterpret_cast<Get>(native->nativeResourceForIntegration("configuration"));
    const auto set =
        reinterpret_cast<Set>(native->nativeResourceForIntegration("setConfiguration"));
    QJsonObject configuration = get(native);
    QJsonArray screens = configuration[u"screens"_s].toArray();
    QJsonObject first = screens[0].toObject();
    first[u"width"_s] = width;
    first[u"height"_s] = height;
    screens[0] = first;
    configuration[u"screens"_s] = screens;
    set(configuration, native);
}

} // namespace

class TestBinding : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void optionButtonsCanAllBeCleared();
    void comboTypingPickingAndAdding();
    void comboKeyboardPicks();
    void comboRefusesAFullList();
    void comboListIndexIsCheckedAndItsErrorReported();
    void listBoxKeepsItsPickAndEmptyTextSelectsNothing();
    void checkBoxValues();
    void messageBoxShowsPlainText_data();
    void messageBoxShowsPlainText();
    void messageBoxKeysDismiss_data();
    void messageBoxKeysDismiss();
    void messageBoxCopiesWhatItShows();
    void tallMessageBoxScrollsOnScreen();
    void messageBoxFollowsAShrinkingScreen();
    void messageBoxSizeStaysSane();
    void endClosesEveryWindow();
};

void TestBinding::optionButtonsCanAllBeCleared()
{
    QGroupBox frame;
    QRadioButton a(u"&A"_s, &frame), b(u"&B"_s, &frame), c(u"&C"_s, &frame);
    b.move(0, 20);
    c.move(0, 40);
    QtOptionButton optA(&a), optB(&b), optC(&c);
    QVERIFY(testing::exposed(frame));

    QTest::mouseClick(&b, Qt::LeftButton);
    QVERIFY(optB.value());
    optB.setValue(false); // Qt alone refuses this on an exclusive button
    QVERIFY(!optA.value() && !optB.value() && !optC.value());

    // The user's clicks stay exclusive afterwards.
    QTest::mouseClick(&a, Qt::LeftButton);
    QTest::mouseClick(&c, Qt::LeftButton);
    QVERIFY(!optA.value() && !optB.value() && optC.value());
    QTest::mouseClick(&c, Qt::LeftButton); // clicking the chosen one keeps it chosen
    QVERIFY(optC.value());

    // So do the arrow keys.
    c.setFocus();
    QTest::keyClick(&c, Qt::Key_Up);
    QVERIFY(optB.value() && !optC.value() && !optA.value());

    // And the program's writes.
    optA.setValue(true);
    QVERIFY(optA.value() && !optB.value() && !optC.value());
    optA.setValue(false);
    QVERIFY(!optA.value() && !optB.value() && !optC.value());
    QVERIFY(a.autoExclusive() && b.autoExclusive() && c.autoExclusive());
}

void TestBinding::comboTypingPickingAndAdding()
{
    ComboBoxWidget widget;
    widget.setSorted(true);
    widget.setItems(Schools);
    widget.resize(97, 51);
    QVERIFY(testing::exposed(widget));
    QtComboBox combo(&widget);

    QCOMPARE(combo.listIndex(), -1);
    QCOMPARE(combo.listCount(), 4);
    QCOMPARE(combo.text(), QString());

    // Picking with the mouse copies the item into the edit field.
    QListView *list = widget.listView();
    testing::clickRow(list, 1);
    QCOMPARE(combo.listIndex(), 1);
    QCOMPARE(combo.text(), u"Highland"_s);

    // Typing after picking makes it typed.
    QTest::keyClick(&widget, Qt::Key_End);
    QTest::keyClicks(&widget, u" Park"_s);
    QCOMPARE(combo.text(), u"Highland Park"_s);
    QCOMPARE(combo.listIndex(), -1);
    QVERIFY(list->selectionModel()->selectedRows().isEmpty());

    // So does clearing it by hand.
    combo.setListIndex(2);
    QCOMPARE(combo.text(), u"Midtown"_s);
    widget.lineEdit()->selectAll();
    QTest::keyClick(&widget, Qt::Key_Backspace);
    QCOMPARE(combo.text(), QString());
    QCOMPARE(combo.listIndex(), -1);

    // The program writing the text picks nothing, even a listed text.
    combo.setListIndex(0);
    combo.setText(u"Franklin"_s);
    QCOMPARE(combo.listIndex(), -1);
    combo.setText(QString());
    QCOMPARE(combo.listIndex(), -1);

    // AddItem goes to the sorted place and says where.
    combo.addItem(u"Lincoln"_s);
    QCOMPARE(combo.newIndex(), 2);
    combo.addItem(u"Zeta"_s);
    QCOMPARE(combo.newIndex(), 5);
    combo.addItem(u"apple"_s);
    QCOMPARE(combo.newIndex(), 0);
    QCOMPARE(widget.items(), (QStringList{u"apple"_s, u"Franklin"_s, u"Highland"_s, u"Lincoln"_s,
                                          u"Midtown"_s, u"West Highland"_s, u"Zeta"_s}));
    QCOMPARE(list->model()->rowCount(), 7);
    QCOMPARE(list->model()->index(3, 0).data().toString(), u"Lincoln"_s);

    // A picked item stays picked when another goes in before it.
    combo.setListIndex(4);
    combo.addItem(u"Aardvark"_s);
    QCOMPARE(combo.listIndex(), 5);
    QCOMPARE(combo.list(combo.listIndex()), u"Midtown"_s);
    QCOMPARE(list->selectionModel()->selectedRows().value(0).row(), 5);
}

void TestBinding::comboKeyboardPicks()
{
    ComboBoxWidget widget;
    widget.setSorted(true);
    widget.setItems(Schools);
    QVERIFY(testing::exposed(widget));
    QtComboBox combo(&widget);
    widget.setFocus();
    QCOMPARE(QApplication::focusWidget(), &widget);

    QTest::keyClick(&widget, Qt::Key_Down);
    QCOMPARE(combo.listIndex(), 0);
    QTest::keyClick(&widget, Qt::Key_Down);
    QTest::keyClick(&widget, Qt::Key_Down);
    QCOMPARE(combo.listIndex(), 2);
    QCOMPARE(combo.text(), u"Midtown"_s);
    QTest::keyClick(&widget, Qt::Key_Up);
    QCOMPARE(combo.text(), u"Highland"_s);
    QTest::keyClick(&widget, Qt::Key_End); // moves the caret, not the pick
    QCOMPARE(combo.listIndex(), 1);
    QTest::keyClick(&widget, Qt::Key_PageDown);
    QCOMPARE(combo.listIndex(), 3);
    QTest::keyClick(&widget, Qt::Key_Down); // stays on the last
    QCOMPARE(combo.listIndex(), 3);
    // A pick leaves the caret after its text, as a stock combo box does; typing there makes
    // the text typed.
    QTest::keyClicks(&widget, u"Q"_s);
    QCOMPARE(combo.text(), u"West HighlandQ"_s);
    QCOMPARE(combo.listIndex(), -1);
}

void TestBinding::comboRefusesAFullList()
{
    ComboBoxWidget widget;
    widget.setSorted(true);
    const QStringList many = testing::fullSchoolList();
    widget.setItems(many);
    QtComboBox combo(&widget);
    combo.setListIndex(10);
    QVERIFY_THROWS_EXCEPTION(surface::Error, combo.addItem(u"One more"_s));
    QCOMPARE(combo.listCount(), 32767);
    QCOMPARE(widget.listView()->model()->rowCount(), 32767);
    QCOMPARE(combo.listIndex(), 10);
    QCOMPARE(combo.list(32766), u"School 32766"_s);
}

void TestBinding::comboListIndexIsCheckedAndItsErrorReported()
{
    testing::ScriptedBoxes boxes;
    ComboBoxWidget widget;
    widget.setItems(Schools);
    QtComboBox combo(&widget);
    QVERIFY_THROWS_EXCEPTION(surface::Error, combo.setListIndex(4));
    QVERIFY_THROWS_EXCEPTION(surface::Error, combo.setListIndex(-2));
    QVERIFY_THROWS_EXCEPTION(surface::Error, combo.list(-1));
    combo.setListIndex(3);
    combo.setListIndex(-1);
    QCOMPARE(combo.text(), QString());
    QCOMPARE(combo.listIndex(), -1);

    // The error of a real operation, raised on real widgets, reaches the user in a box.
    surface::EventRunner events(reportError);
    events.run([&] { combo.setListIndex(9); });
    QCOMPARE(boxes.shown.size(), 1u);
    QCOMPARE(boxes.shown[0].prompt,
             QString::fromUtf8(surface::Error(surface::ErrorKind::InvalidValue).what()));
    QCOMPARE(boxes.shown[0].title, QCoreApplication::applicationName());
    QCOMPARE(combo.listIndex(), -1);
}

void TestBinding::listBoxKeepsItsPickAndEmptyTextSelectsNothing()
{
    ListBoxWidget widget;
    widget.addItems({u"Accounting"_s, u"Business"_s, u"Computer Information Systems"_s});
    QVERIFY(testing::exposed(widget));
    QtListBox list(&widget);
    QCOMPARE(list.listIndex(), -1);

    testing::clickRow(&widget, 1);
    QCOMPARE(list.listIndex(), 1);
    QCOMPARE(list.list(list.listIndex()), u"Business"_s);
    // The user cannot take a pick back, only pick another item.
    testing::clickRow(&widget, 1, Qt::ControlModifier);
    QCOMPARE(list.listIndex(), 1);
    QTest::keyClick(&widget, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(list.listIndex(), 1);
    testing::clickRow(&widget, 2, Qt::ControlModifier);
    QCOMPARE(list.listIndex(), 2);
    testing::clickRow(&widget, 1);
    QCOMPARE(list.listIndex(), 1);

    list.setText(QString());
    QCOMPARE(list.listIndex(), -1);
    QVERIFY(widget.selectionModel()->selectedRows().isEmpty());
    list.setText(u"Business"_s);
    QCOMPARE(list.listIndex(), 1);
    QVERIFY_THROWS_EXCEPTION(surface::Error, list.list(3));
}

void TestBinding::checkBoxValues()
{
    QCheckBox box(u"&Deans List"_s);
    QtCheckBox chk(&box);
    QCOMPARE(chk.value(), surface::Unchecked);
    box.click();
    QCOMPARE(chk.value(), surface::Checked);
    box.click();
    QCOMPARE(chk.value(), surface::Unchecked);
    chk.setValue(surface::Grayed);
    QCOMPARE(chk.value(), surface::Grayed);
    chk.setValue(surface::Unchecked);
    QCOMPARE(box.checkState(), Qt::Unchecked);

    // Clicks never gray the box, whether it was grayed by the program before or not.
    for (const Integer before : {surface::Unchecked, surface::Checked, surface::Grayed}) {
        chk.setValue(before);
        Integer last = before;
        for (int click = 0; click < 3; ++click) {
            box.click();
            const Integer now = chk.value();
            QVERIFY2(now != surface::Grayed,
                     qPrintable(u"click %1 after %2"_s.arg(click).arg(before)));
            QVERIFY(now != last);
            last = now;
        }
    }
    QVERIFY_THROWS_EXCEPTION(surface::Error, chk.setValue(3));
}

void TestBinding::messageBoxShowsPlainText_data()
{
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("shown");

    QTest::newRow("markup shows literally")
        << u"Student Name: <b>Ann</b>"_s << u"Student Name: <b>Ann</b>"_s;
    QTest::newRow("a break tag too") << u"x <br> y"_s << u"x <br> y"_s;
    QTest::newRow("an entity") << u"Tom &amp; Ann"_s << u"Tom &amp; Ann"_s;
    QTest::newRow("CR LF starts a line, empty lines show")
        << u"one\r\n\r\nthree\r\n"_s << u"one\n\nthree\n"_s;
    QTest::newRow("ampersand is no access key") << u"&Print"_s << u"&Print"_s;
    QTest::newRow("Unicode line and paragraph separators start a line")
        << u"one\u2028two\u2029three"_s << u"one\ntwo\nthree"_s;
}

void TestBinding::messageBoxShowsPlainText()
{
    QFETCH(QString, prompt);
    QFETCH(QString, shown);

    MessageBox box(prompt, u"Quorlant"_s);
    QCOMPARE(box.windowTitle(), u"Quorlant"_s);
    QCOMPARE(box.textView()->toPlainText(), shown);
    QCOMPARE(box.textView()->document()->blockCount(), shown.count(u'\n') + 1);
    QCOMPARE(box.accessibleDescription(), prompt);
    QVERIFY(box.isModal());
    // One OK button and no icon.
    const auto buttons = box.findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(buttons[0]->text(), u"OK"_s);
    QVERIFY(box.findChildren<QLabel *>().isEmpty());
}

void TestBinding::messageBoxKeysDismiss_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TestBinding::messageBoxKeysDismiss()
{
    QFETCH(int, key);
    QWidget owner;
    owner.show();
    QtRuntime runtime(&owner);
    bool returned = false;
    bool dismissed = false;
    QVERIFY(testing::whileShown<MessageBox>(
        [&] {
            runtime.MsgBox(u"Please Enter Your Name"_s, surface::OkOnly, u"Error"_s);
            returned = true;
        },
        [&](MessageBox *box) {
            QCOMPARE(box->windowTitle(), u"Error"_s);
            QCOMPARE(QApplication::focusWidget(), box->okButton());
            // Keys go where the user's would: to the widget with the focus.
            QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
            dismissed = !box->isVisible();
        }));
    QVERIFY(returned);
    QVERIFY(dismissed);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestBinding::messageBoxCopiesWhatItShows()
{
    MessageBox box(u"Student Name: Ann\r\n\r\nUnits Completed: 3"_s, u"Quorlant"_s);
    QVERIFY(testing::exposed(box));
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"Student Name: Ann\n\nUnits Completed: 3"_s);

    // What the mouse selected, and only that.
    QTextCursor selection(box.textView()->document());
    selection.setPosition(14);
    selection.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    box.textView()->setTextCursor(selection);
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"Ann\n\nUnits Completed: 3"_s);
    QVERIFY(box.isVisible());
}

void TestBinding::tallMessageBoxScrollsOnScreen()
{
    MessageBox box(report(32767), u"School List"_s);
    QVERIFY(testing::exposed(box));
    const QRect screen = box.screen()->availableGeometry();
    QVERIFY2(box.height() <= screen.height(), qPrintable(QString::number(box.height())));
    QVERIFY(box.width() <= screen.width());
    // OK is inside the box, and the text scrolls inside it.
    QVERIFY(box.rect().contains(box.okButton()->geometry()));
    QScrollBar *bar = box.textView()->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(box.textView()->document()->blockCount(), 32768);
    QTest::keyClick(&box, Qt::Key_End);
    QCOMPARE(bar->value(), bar->maximum());
    QTest::keyClick(&box, Qt::Key_PageUp);
    QVERIFY(bar->value() < bar->maximum());
    QTest::keyClick(&box, Qt::Key_Home);
    QCOMPARE(bar->value(), 0);
    QVERIFY(box.isVisible()); // scrolling keys do not dismiss

    // A short prompt gets a box that fits it, with no scrolling.
    MessageBox small(u"Please Enter Your Name"_s, u"Error"_s);
    QVERIFY(testing::exposed(small));
    QCOMPARE(small.textView()->verticalScrollBar()->maximum(), 0);
    QVERIFY(small.height() < 200);

    // However its lines are separated, every one of them fits.
    MessageBox separated(u"Name: A\u2028B\u2029C\r\nD\rE"_s, u"Quorlant"_s);
    QVERIFY(testing::exposed(separated));
    QCOMPARE(separated.textView()->verticalScrollBar()->maximum(), 0);
    const QTextBlock last = separated.textView()->document()->lastBlock();
    QCOMPARE(last.text(), u"E"_s);
    QVERIFY(separated.textView()->cursorRect(QTextCursor(last)).bottom() <
            separated.textView()->viewport()->height());

    // The widest line sets the width wherever it is: after many narrow lines, and written in
    // few but wide characters, or in a script measured from another font.
    for (const QString &wide :
         {QString(30, u'W'), u"\u05E9\u05DC\u05D5\u05DD \U0001F393 \u4E2D\u6587\u5B57"_s}) {
        QString lines = QString(60, u'i');
        for (int i = 0; i < 200; ++i)
            lines += u"\r\n"_s + QString(20, u'l');
        MessageBox fitted(lines + u"\r\n"_s + wide, u"Wide"_s);
        QVERIFY(testing::exposed(fitted));
        const QFontMetrics metrics(fitted.textView()->font());
        QVERIFY2(fitted.textView()->viewport()->width() >= metrics.horizontalAdvance(wide),
                 qPrintable(wide));
        QCOMPARE(fitted.textView()->horizontalScrollBar()->maximum(), 0);
    }
}

void TestBinding::messageBoxFollowsAShrinkingScreen()
{
    const QSize before = QGuiApplication::primaryScreen()->geometry().size();
    MessageBox box(report(30), u"School List"_s);
    QVERIFY(testing::exposed(box));
    QCOMPARE(box.textView()->verticalScrollBar()->maximum(), 0);

    resizeScreen(640, 360);
    QTRY_COMPARE(box.screen()->availableGeometry().height(), 360);
    const QRect area = box.screen()->availableGeometry();
    QTRY_VERIFY2(area.contains(box.frameGeometry()), qPrintable(QString::number(box.height())));
    QVERIFY(area.contains(box.okButton()->mapToGlobal(box.okButton()->rect().bottomRight())));
    QVERIFY(box.textView()->verticalScrollBar()->maximum() > 0);

    resizeScreen(before.width(), before.height());
    QTRY_COMPARE(box.textView()->verticalScrollBar()->maximum(), 0);
}

// Run again under scale factors no desktop would set: the box still gets a real size, and
// never more than the screen's area.
void TestBinding::messageBoxSizeStaysSane()
{
    for (const int count : {4, 45, 32767}) {
        MessageBox box(report(count), u"School List"_s);
        QVERIFY(testing::exposed(box));
        QVERIFY(!box.sizeHint().isEmpty());
        const QSize area = box.screen()->availableGeometry().size();
        if (!area.isEmpty())
            QVERIFY2(
                box.width() <= area.width() && box.height() <= area.height(),
                qPrintable(u"%1 schools: %2x%3"_s.arg(count).arg(box.width()).arg(box.height())));
    }
}

void TestBinding::endClosesEveryWindow()
{
    testing::ScriptedBoxes boxes;
    QWidget first, second;
    first.show();
    second.show();
    QtRuntime runtime(&first);
    // End leaves the procedure that called it at once...
    QVERIFY_THROWS_EXCEPTION(surface::ProgramEnded, runtime.End());
    QVERIFY(!first.isVisible() && !second.isVisible());

    // ...and the event dispatch takes that quietly: ending is not an error to report.
    second.show();
    surface::EventRunner(reportError).run([&] { runtime.End(); });
    QVERIFY(!second.isVisible());
    QVERIFY(boxes.shown.empty());
}

QTEST_MAIN(TestBinding)
#include "tst_binding.moc"
