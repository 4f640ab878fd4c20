// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// The "&Print" command against the recording double.

#include "recordedform.h"

#include "presets.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace testing;

namespace {

const QString WorkedExample = u"Student Name: A. Sample\r\n"
                              u"\r\n"
                              u"Units Completed: 30\r\n"
                              u"Major: Business\r\n"
                              u"School: Midtown\r\n"
                              u"Grade Level: Sophomore\r\n"
                              u"Deans List: Yes"_s;

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void checksInOrder_data();
    void checksInOrder();
    void units_data();
    void units();
    void workedExample();
    void summaryEnding_data();
    void summaryEnding();
    void typedSchoolIsAddedOnceAndPicked_data();
    void typedSchoolIsAddedOnceAndPicked();
};

// Each row breaks one entry of a complete record; the first failing check must be the one
// reported, with its focus move, and nothing else may happen.
void TestPrint::checksInOrder_data()
{
    QTest::addColumn<int>("broken");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    QTest::newRow("name") << 0 << u"Please Enter Your Name"_s << u"txtName"_s;
    QTest::newRow("units") << 1 << u"Enter Number of Units"_s << u"txtUnits"_s;
    QTest::newRow("major") << 2 << u"Please Enter Your Major"_s << u"lstMajor"_s;
    QTest::newRow("school") << 3 << u"Please Enter Your School"_s << u"cboSchool"_s;
    QTest::newRow("grade") << 4 << u"Grade Level Not Selected"_s << u"chkDeans"_s;
}

void TestPrint::checksInOrder()
{
    QFETCH(int, broken);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    for (int also = broken; also < 5; ++also) {
        RecordedForm f;
        f.fillExample();
        f.cboSchool.type(u"Lincoln"_s);
        f.recorder.focus = u"chkDeans"_s; // where the user left it
        // Break the entry under test and every later one: the earlier check must win.
        for (int entry = broken; entry <= also; ++entry) {
            switch (entry) {
            case 0:
                f.txtName.value.clear();
                break;
            case 1:
                f.txtUnits.value = u"0"_s;
                break;
            case 2:
                f.lstMajor.picked = -1;
                break;
            case 3:
                f.cboSchool.type(QString());
                break;
            case 4:
                f.choose(f.optFreshman);
                f.optFreshman.checked = false;
                break;
            }
        }
        f.print();
        QCOMPARE(f.recorder.messages.size(), 1u);
        QCOMPARE(f.recorder.messages[0], (Message{message, u"Error"_s}));
        QCOMPARE(f.recorder.focus, focus);
        // The message comes before the focus moves, and nothing else happens: the list gains
        // nothing. The grade's message moves no focus.
        QStringList log{u"MsgBox Error"_s};
        if (broken < 4)
            log.append(focus + u".SetFocus"_s);
        QCOMPARE(f.recorder.log, log);
        QCOMPARE(f.cboSchool.listCount(), 4);
    }
}

void TestPrint::units_data()
{
    QTest::addColumn<QString>("units");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("zero") << u"0"_s << false;
    QTest::newRow("negative") << u"-5"_s << false;
    QTest::newRow("letters") << u"abc"_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("minus zero") << u"-0"_s << false;
    QTest::newRow("point") << u"."_s << false;
    QTest::newRow("half") << u"0.5"_s << true;
    QTest::newRow("number then letters") << u"12abc"_s << true;
    QTest::newRow("blanks first") << u"  12"_s << true;
    QTest::newRow("tiny") << u"1e-300"_s << true;
    QTest::newRow("too large for a double") << u"1e309"_s << true;
}

void TestPrint::units()
{
    QFETCH(QString, units);
    QFETCH(bool, accepted);

    RecordedForm f;
    f.fillExample();
    f.txtUnits.value = units;
    f.print();
    QCOMPARE(f.recorder.messages.size(), 1u);
    if (accepted) {
        QCOMPARE(f.recorder.messages[0].title, u"Quorlant"_s);
        // The units are shown as typed, not as the number read from them.
        QVERIFY(f.lastPrompt().contains(u"\r\nUnits Completed: "_s + units + u"\r\n"_s));
    } else {
        QCOMPARE(f.recorder.messages[0], (Message{u"Enter Number of Units"_s, u"Error"_s}));
        QCOMPARE(f.recorder.focus, u"txtUnits"_s);
    }
}

void TestPrint::workedExample()
{
    RecordedForm f;
    f.fillExample();
    f.recorder.focus = u"cmdPrint"_s;
    f.print();
    QCOMPARE(f.recorder.messages.size(), 1u);
    QCOMPARE(f.recorder.messages[0], (Message{WorkedExample, u"Quorlant"_s}));
    QCOMPARE(f.recorder.log, QStringList{u"MsgBox Quorlant"_s});
    QCOMPARE(f.recorder.focus, u"cmdPrint"_s);
    // Nothing is cleared.
    QCOMPARE(f.txtName.value, u"A. Sample"_s);
    QCOMPARE(f.cboSchool.listIndex(), 2);
}

// The last lines: the grade, then the deans line, with a break after No, none after Yes, and
// no deans line at all when the box is grayed.
void TestPrint::summaryEnding_data()
{
    QTest::addColumn<int>("grade");
    QTest::addColumn<int>("deans");
    QTest::addColumn<QString>("ending");
    QTest::newRow("Freshman") << 0 << 1 << u"Freshman\r\nDeans List: Yes"_s;
    QTest::newRow("Sophomore") << 1 << 1 << u"Sophomore\r\nDeans List: Yes"_s;
    QTest::newRow("Junior") << 2 << 1 << u"Junior\r\nDeans List: Yes"_s;
    QTest::newRow("Senior") << 3 << 1 << u"Senior\r\nDeans List: Yes"_s;
    QTest::newRow("deans clear") << 1 << 0 << u"Sophomore\r\nDeans List: No\r\n"_s;
    QTest::newRow("deans grayed") << 1 << 2 << u"Sophomore\r\n"_s;
}

void TestPrint::summaryEnding()
{
    QFETCH(int, grade);
    QFETCH(int, deans);
    QFETCH(QString, ending);

    RecordedForm f;
    f.fillExample();
    RecordingOptionButton *grades[] = {&f.optFreshman, &f.optSophomore, &f.optJunior, &f.optSenior};
    f.choose(*grades[grade]);
    f.chkDeans.state = static_cast<surface::Integer>(deans);
    f.print();
    QVERIFY2(f.lastPrompt().endsWith(u"\r\nGrade Level: "_s + ending), qPrintable(f.lastPrompt()));
    QCOMPARE(f.lastPrompt().count(u"Deans"_s), deans == 2 ? 0 : 1);
}

// A typed school goes into the list at its alphabetical place, after any that read the same,
// and is picked there; printed again, it is picked, so it is not added twice.
void TestPrint::typedSchoolIsAddedOnceAndPicked_data()
{
    QTest::addColumn<QString>("school");
    QTest::addColumn<int>("index");
    QTest::newRow("between two") << u"Lincoln"_s << 2;
    QTest::newRow("after the same listed name") << u"Midtown"_s << 3;
    QTest::newRow("lower case, first") << u"apple"_s << 0;
}

void TestPrint::typedSchoolIsAddedOnceAndPicked()
{
    QFETCH(QString, school);
    QFETCH(int, index);

    RecordedForm f;
    f.fillExample();
    f.cboSchool.type(school);
    f.print();
    QStringList expected = PresetSchools;
    expected.insert(index, school);
    QCOMPARE(f.cboSchool.items.toStringList(), expected);
    QCOMPARE(f.cboSchool.listIndex(), index);
    QCOMPARE(f.cboSchool.text(), school);
    QVERIFY(f.lastPrompt().contains(u"\r\nSchool: "_s + school + u"\r\n"_s));
    QCOMPARE(f.recorder.log,
             (QStringList{u"cboSchool.AddItem "_s + school,
                          u"cboSchool.ListIndex = %1"_s.arg(index), u"MsgBox Quorlant"_s}));

    f.print();
    QCOMPARE(f.cboSchool.items.toStringList(), expected);
    QCOMPARE(f.recorder.messages.size(), 2u);
    QCOMPARE(f.recorder.messages[0], f.recorder.messages[1]);
}

QTEST_APPLESS_MAIN(TestPrint)
#include "tst_print.moc"
