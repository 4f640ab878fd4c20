// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// Hostile input on the real window (offscreen): whatever a person types or pastes comes back
// in the summary exactly as given, and nothing on the form is lost.

#include "listwidgets.h"
#include "presets.h"
#include "scriptedboxes.h"
#include "shownwindow.h"

#include <QClipboard>
#include <QLineEdit>
#include <QListView>

using namespace Qt::StringLiterals;
using namespace testing;
using surface::qt::ListBoxWidget;

namespace {

const QStringList &presetSchools = testing::PresetSchools;

// Puts text into a box as a paste from the clipboard does, however long it is.
void paste(QWidget *box, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    box->setFocus();
    QTest::keySequence(box, QKeySequence::Paste);
}

// Fills every entry but the one a test is about, as a person would.
struct FilledWindow : ShownWindow
{
    FilledWindow(const QString &name, const QString &units, const QString &schoolText)
    {
        paste(c(u"txtName"_s), name);
        paste(c(u"txtUnits"_s), units);
        clickRow(c<ListBoxWidget>(u"lstMajor"_s), 0);
        paste(school()->lineEdit(), schoolText);
        QTest::mouseClick(c(u"optJunior"_s), Qt::LeftButton);
    }
    void print() { QTest::mouseClick(c(u"cmdPrint"_s), Qt::LeftButton); }
    QString majorText()
    {
        return c<ListBoxWidget>(u"lstMajor"_s)->model()->index(0, 0).data().toString();
    }
};

QString summary(const QString &name, const QString &units, const QString &major,
                const QString &school)
{
    return u"Student Name: "_s + name + u"\r\n\r\nUnits Completed: "_s + units + u"\r\nMajor: "_s +
           major + u"\r\nSchool: "_s + school + u"\r\nGrade Level: Junior\r\nDeans List: No\r\n"_s;
}

} // namespace

class TestHostile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void namesComeBackAsGiven_data();
    void namesComeBackAsGiven();
    void unitsAreCheckedByTheirLeadingNumber_data();
    void unitsAreCheckedByTheirLeadingNumber();
    void schoolsKeepTheirBlanks();
    void aThousandTypedSchools();
};

void TestHostile::namesComeBackAsGiven_data()
{
    QTest::addColumn<QString>("name");
    QString megabyte;
    for (int i = 0; megabyte.size() < 1024 * 1024; ++i)
        megabyte += u"Name %1; "_s.arg(i);
    QTest::newRow("a pasted megabyte") << megabyte;
    QTest::newRow("a blank") << u" "_s;
    QTest::newRow("bold markup") << u"<b>x</b>"_s;
    QTest::newRow("a line break tag") << u"x <br> y"_s;
    QTest::newRow("entities") << u"&lt;Ann&gt; &amp;"_s;
    QTest::newRow("ampersands") << u"Ann && Bo & Co &"_s;
    QTest::newRow("tabs") << u"Ann\tLee\t"_s;
    QTest::newRow("a NUL character") << u"Ann"_s + QChar(0) + u"Lee"_s;
    QTest::newRow("right to left") << u"\u05D3\u05E0\u05D4 \u05DC\u05D5\u05D9 (Dana)"_s;
    QTest::newRow("emoji") << u"Ann \U0001F393\U0001F469\u200D\U0001F52C"_s;
    QTest::newRow("combining marks") << u"Zoe\u0308 Ba\u0301n\u0303ez"_s;
    QTest::newRow("printf and format marks") << u"%1 %s %n {0}"_s;
}

void TestHostile::namesComeBackAsGiven()
{
    QFETCH(QString, name);
    ScriptedBoxes boxes;
    FilledWindow w(name, u"30"_s, u"Midtown"_s);
    QCOMPARE(w.c<QLineEdit>(u"txtName"_s)->text().size(), name.size());
    w.print();
    QCOMPARE(boxes.shown.size(), 1u);
    QCOMPARE(boxes.shown[0].title, u"Quorlant"_s);
    // QCOMPARE would print a megabyte on failure; say where the texts part instead.
    const QString expected = summary(name, u"30"_s, w.majorText(), u"Midtown"_s);
    const QString &shown = boxes.shown[0].prompt;
    qsizetype differ = 0;
    while (differ < std::min(shown.size(), expected.size()) && shown[differ] == expected[differ])
        ++differ;
    QVERIFY2(shown == expected, qPrintable(u"first difference at %1 of %2: \"%3\""_s.arg(differ)
                                               .arg(shown.size())
                                               .arg(shown.mid(differ, 40))));
    QCOMPARE(w.c<QLineEdit>(u"txtName"_s)->text(), name);
}

void TestHostile::unitsAreCheckedByTheirLeadingNumber_data()
{
    QTest::addColumn<QString>("units");
    QTest::addColumn<bool>("accepted");
    // The plain cases (zero, negative zero, blanks first, a lone point, too large for a double) are
    // in tst_print; these are the ones a number reader gets wrong, typed into the real window.
    QTest::newRow("signed fraction with exponent and tail") << u"+.5e-3x"_s << true;
    QTest::newRow("an unfinished exponent") << u"1e"_s << true;
    QTest::newRow("hexadecimal") << u"0x10"_s << false;
    QTest::newRow("full-width digits") << u"\uFF11\uFF12"_s << false;
    QTest::newRow("too small for a double") << u"1e-400"_s << false;
    QTest::newRow("a megabyte of nines") << QString(1024 * 1024, u'9') << true;
}

void TestHostile::unitsAreCheckedByTheirLeadingNumber()
{
    QFETCH(QString, units);
    QFETCH(bool, accepted);
    ScriptedBoxes boxes;
    FilledWindow w(u"Ann"_s, units, u"Midtown"_s);
    w.print();
    QCOMPARE(boxes.shown.size(), 1u);
    if (accepted) {
        QCOMPARE(boxes.shown[0].prompt, summary(u"Ann"_s, units, w.majorText(), u"Midtown"_s));
    } else {
        QCOMPARE(boxes.shown[0], (ShownBox{u"Error"_s, u"Enter Number of Units"_s}));
        QCOMPARE(QApplication::focusWidget(), w.c(u"txtUnits"_s));
        QCOMPARE(w.school()->items(), presetSchools); // no school captured
    }
    QCOMPARE(w.c<QLineEdit>(u"txtUnits"_s)->text(), units);
}

void TestHostile::schoolsKeepTheirBlanks()
{
    ScriptedBoxes boxes;
    FilledWindow w(u"Ann"_s, u"30"_s, u"  Lincoln "_s);
    w.print();
    QCOMPARE(boxes.shown[0].prompt, summary(u"Ann"_s, u"30"_s, w.majorText(), u"  Lincoln "_s));
    // A blank sorts before every letter, and the blanks stay part of the school.
    QCOMPARE(w.school()->items(), QStringList{u"  Lincoln "_s} + presetSchools);
    QCOMPARE(w.school()->pickedRow(), 0);

    // The same name without the blanks is another school.
    w.school()->lineEdit()->clear();
    paste(w.school()->lineEdit(), u"Lincoln"_s);
    w.print();
    QCOMPARE(w.school()->items().size(), 6);
    QCOMPARE(w.school()->items().at(3), u"Lincoln"_s);
}

void TestHostile::aThousandTypedSchools()
{
    ScriptedBoxes boxes;
    FilledWindow w(u"Ann"_s, u"30"_s, u"School 0000"_s);
    QStringList expected = presetSchools;
    for (int i = 0; i < 1000; ++i) {
        // Backwards and with duplicates, so most land between others, some next to their twin.
        const QString typed = u"School %1"_s.arg((999 - i) % 700, 4, 10, QLatin1Char('0'));
        w.school()->lineEdit()->clear();
        paste(w.school()->lineEdit(), typed);
        w.print();
        expected.append(typed);
        QCOMPARE(w.school()->text(), typed);
        QCOMPARE(w.school()->items().at(w.school()->pickedRow()), typed);
    }
    QCOMPARE(boxes.shown.size(), 1000u);
    QCOMPARE(boxes.shown.back().prompt,
             summary(u"Ann"_s, u"30"_s, w.majorText(), u"School 0000"_s));
    std::stable_sort(expected.begin(), expected.end());
    QCOMPARE(w.school()->items(), expected);
    QCOMPARE(w.c<QLineEdit>(u"txtName"_s)->text(), u"Ann"_s);
}

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
