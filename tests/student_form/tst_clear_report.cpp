// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// The "&OK" command and the school list report, against the recording double.

#include "presets.h"
#include "recordedform.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace testing;

namespace {

QString reportOf(const QStringList &schools)
{
    QString text = student_form::SchoolListCredit + u"\r\n\r\n\r\nSchool List:"_s;
    for (const QString &school : schools)
        text += u"\r\n"_s + school;
    return text;
}

const QStringList &Presets = testing::PresetSchools;

} // namespace

class TestClearReport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void clearEmptiesEveryEntryInOrder();
    void clearKeepsTypedSchoolsForTheReport();
    void reportOfThePresets();
    void reportRebuildsItsArrayEachTime();
    void reportOfAFullList();
};

void TestClearReport::clearEmptiesEveryEntryInOrder()
{
    RecordedForm f;
    f.fillExample();
    f.choose(f.optJunior);
    f.clear();
    QCOMPARE(f.recorder.log, (QStringList{
                                 u"txtName.Text = "_s,
                                 u"txtUnits.Text = "_s,
                                 u"optFreshman.Value = False"_s,
                                 u"optSophomore.Value = False"_s,
                                 u"optJunior.Value = False"_s,
                                 u"optSenior.Value = False"_s,
                                 u"chkDeans.Value = 0"_s,
                                 u"lstMajor.Text = "_s,
                                 u"cboSchool.Text = "_s,
                                 u"txtName.SetFocus"_s,
                             }));
    QVERIFY(f.recorder.messages.empty());
    QVERIFY(f.txtName.value.isEmpty() && f.txtUnits.value.isEmpty());
    QVERIFY(!f.optFreshman.checked && !f.optSophomore.checked && !f.optJunior.checked &&
            !f.optSenior.checked);
    QCOMPARE(f.chkDeans.state, surface::Unchecked);
    QCOMPARE(f.lstMajor.listIndex(), -1);
    QCOMPARE(f.cboSchool.text(), QString());
    QCOMPARE(f.cboSchool.listIndex(), -1);
    QCOMPARE(f.recorder.focus, u"txtName"_s);

    // Clearing the form now empty, nothing picked, raises nothing and still moves the caret.
    f.recorder.focus = u"cmdOK"_s;
    f.clear();
    QCOMPARE(f.recorder.focus, u"txtName"_s);
    QVERIFY(f.txtName.value.isEmpty());
    QCOMPARE(f.cboSchool.listCount(), 4);
    QVERIFY(f.recorder.errors.isEmpty());
}

// Clearing keeps the schools typed and printed, which the report then lists.
void TestClearReport::clearKeepsTypedSchoolsForTheReport()
{
    RecordedForm f;
    for (const QString &school : {u"Lincoln"_s, u"apple"_s, u"Midtown"_s}) {
        f.fillExample();
        f.cboSchool.type(school);
        f.print();
        f.clear();
        QCOMPARE(f.cboSchool.listIndex(), -1);
    }
    const QStringList kept = {u"apple"_s,   u"Franklin"_s, u"Highland"_s,     u"Lincoln"_s,
                              u"Midtown"_s, u"Midtown"_s,  u"West Highland"_s};
    QCOMPARE(f.cboSchool.items.toStringList(), kept);
    QCOMPARE(f.lstMajor.items.count(), 4);
    f.report();
    QCOMPARE(f.lastPrompt(), reportOf(kept));
}

void TestClearReport::reportOfThePresets()
{
    RecordedForm f;
    f.report();
    QCOMPARE(f.recorder.messages.size(), 1u);
    const Message &box = f.recorder.messages[0];
    QCOMPARE(box.title, u"School List"_s);
    QCOMPARE(box.prompt, reportOf(Presets));
    // One credit line, two empty lines, the heading, the schools, no break after the last.
    const QStringList lines = box.prompt.split(u"\r\n"_s);
    QCOMPARE(lines.size(), 8);
    QVERIFY(!lines[0].isEmpty() && !lines[0].contains(u'\n') && !lines[0].contains(u'\r'));
    QCOMPARE(lines.mid(1), (QStringList{QString(), QString(), u"School List:"_s} + Presets));
    QCOMPARE(f.form.schools(),
             (std::vector<QString>{u"School List:"_s, u"Franklin"_s, u"Highland"_s, u"Midtown"_s,
                                   u"West Highland"_s}));
    // The list is only read.
    QCOMPARE(f.cboSchool.items.toStringList(), Presets);
    QCOMPARE(f.recorder.log, QStringList{u"MsgBox School List"_s});
}

void TestClearReport::reportRebuildsItsArrayEachTime()
{
    RecordedForm f;
    f.report();
    f.report();
    QCOMPARE(f.recorder.messages.size(), 2u);
    QCOMPARE(f.recorder.messages[0], f.recorder.messages[1]);
    QCOMPARE(f.form.schools().size(), 5u);

    // A later report with a longer list replaces the array whole; one with a shorter list
    // leaves nothing of the old one behind, an empty list included.
    f.cboSchool.items.assign({u"Zeta"_s});
    f.report();
    QCOMPARE(f.form.schools(), (std::vector<QString>{u"School List:"_s, u"Zeta"_s}));
    QCOMPARE(f.lastPrompt(), reportOf({u"Zeta"_s}));
    f.cboSchool.items.assign({});
    f.report();
    QCOMPARE(f.lastPrompt(), student_form::SchoolListCredit + u"\r\n\r\n\r\nSchool List:"_s);
    QCOMPARE(f.form.schools(), std::vector<QString>{u"School List:"_s});

    surface::Integer size = 3;
    f.form.ReDimArray(size);
    QCOMPARE(f.form.schools(), std::vector<QString>(4));
    QCOMPARE(size, 3);
}

void TestClearReport::reportOfAFullList()
{
    // 32,767 schools: the last index of the list is the largest 16-bit value, and the report
    // still lists every school, in order.
    RecordedForm f;
    const QStringList many = testing::fullSchoolList();
    f.cboSchool.items.assign(many);
    f.report();
    QVERIFY(f.recorder.errors.isEmpty());
    QCOMPARE(f.recorder.messages.size(), 1u);
    QCOMPARE(f.lastPrompt(), reportOf(many));
    QCOMPARE(f.form.schools().size(), 32768u);
    QCOMPARE(f.form.schools().back(), u"School 32766"_s);
}

QTEST_APPLESS_MAIN(TestClearReport)
#include "tst_clear_report.moc"
