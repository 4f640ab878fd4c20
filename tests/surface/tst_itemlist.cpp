// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "itemlist.h"
#include "presets.h"

#include <QTest>

#include <unicode/ucol.h>

#include <memory>

using namespace Qt::StringLiterals;
using surface::Integer;
using surface::ItemList;

namespace {

const QStringList &Schools = testing::PresetSchools;

ItemList schools()
{
    ItemList list(true);
    list.assign(Schools);
    return list;
}

} // namespace

class TestItemList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void sortedInsert_data();
    void sortedInsert();
    void alphabeticalOrder();
    void plainNamesOrderAsICUOrdersThem();
    void equalNamesKeepTheirOrder();
    void unsortedAppends();
    void boundsAreChecked();
    void fullListRefuses();
};

void TestItemList::initTestCase()
{
    // Swedish files Ä, Ö and Ø after Z. Run under it, every order below also shows that the
    // user's locale has no say in the order.
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    qputenv("LC_ALL", "sv_SE.UTF-8");
}

void TestItemList::sortedInsert_data()
{
    QTest::addColumn<QString>("school");
    QTest::addColumn<int>("index");

    QTest::newRow("Lincoln") << u"Lincoln"_s << 2;
    QTest::newRow("Zeta") << u"Zeta"_s << 4;
    QTest::newRow("apple, lower case") << u"apple"_s << 0;
    QTest::newRow("between words of a name") << u"West"_s << 3;
    QTest::newRow("upper case sorts as lower") << u"HIGHLAND PARK"_s << 2;
    QTest::newRow("accented capital") << u"École"_s << 0;
    QTest::newRow("accent inside") << u"Glückauf"_s << 1;
    QTest::newRow("umlaut first") << u"Ängelholm"_s << 0;
    QTest::newRow("empty text") << QString() << 0;
    QTest::newRow("umlaut sorts as its letter") << u"Ülzen"_s << 3;
    QTest::newRow("Ł sorts as L") << u"Łódź"_s << 2;
    QTest::newRow("Ø sorts as O") << u"Ølstykke"_s << 3;
    QTest::newRow("Đ sorts as D") << u"Đurđevac"_s << 0;
}

void TestItemList::sortedInsert()
{
    QFETCH(QString, school);
    QFETCH(int, index);

    ItemList list = schools();
    QCOMPARE(list.add(school), index);
    QCOMPARE(list.count(), 5);
    QCOMPARE(list.at(static_cast<Integer>(index)), school);
    // The others keep their order around it.
    QStringList expected = Schools;
    expected.insert(index, school);
    QCOMPARE(list.toStringList(), expected);
}

void TestItemList::alphabeticalOrder()
{
    // What a reader calls alphabetical, not code-point order: accented and lower-case
    // letters sort with their base letters, not after "zebra".
    const QStringList names = {u"zebra"_s,  u"École"_s, u"Ängelholm"_s, u"apple"_s,
                               u"Zürich"_s, u"eagle"_s, u"Ｆｕｌｌ"_s};
    ItemList list(true);
    list.assign(names);
    QCOMPARE(list.toStringList(), (QStringList{u"Ängelholm"_s, u"apple"_s, u"eagle"_s, u"École"_s,
                                               u"Ｆｕｌｌ"_s, u"zebra"_s, u"Zürich"_s}));
}

void TestItemList::plainNamesOrderAsICUOrdersThem()
{
    // Names of ASCII letters, digits and spaces are compared without ICU: every pair of up to
    // two characters must come out as ICU's own root collator, at primary strength, orders it.
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UCollator, void (*)(UCollator *)> root(ucol_open("", &status),
                                                                 ucol_close);
    QVERIFY(U_SUCCESS(status));
    ucol_setStrength(root.get(), UCOL_PRIMARY);
    const QString alphabet = u" 09AaMmZz"_s;
    QStringList names = {QString()};
    for (const QChar first : alphabet) {
        names.append(first);
        for (const QChar second : alphabet)
            names.append(QString(first) + second);
    }
    for (const QString &a : names) {
        for (const QString &b : names) {
            const bool before =
                ucol_strcoll(root.get(), QStringView(a).utf16(), int32_t(a.size()),
                             QStringView(b).utf16(), int32_t(b.size())) == UCOL_LESS;
            QVERIFY2(surface::alphabeticallyBefore(a, b) == before, qPrintable(a + u'|' + b));
        }
    }
}

void TestItemList::equalNamesKeepTheirOrder()
{
    // Texts equal but for case or accents go after the ones already there, in the order added.
    ItemList list = schools();
    QCOMPARE(list.add(u"Midtown"_s), 3);
    QCOMPARE(list.add(u"MIDTOWN"_s), 4);
    QCOMPARE(list.add(u"midtówn"_s), 5);
    QCOMPARE(list.toStringList(),
             (QStringList{u"Franklin"_s, u"Highland"_s, u"Midtown"_s, u"Midtown"_s, u"MIDTOWN"_s,
                          u"midtówn"_s, u"West Highland"_s}));
}

void TestItemList::unsortedAppends()
{
    ItemList list(false);
    list.assign({u"b"_s, u"a"_s});
    QCOMPARE(list.add(u"A"_s), 2);
    QCOMPARE(list.toStringList(), (QStringList{u"b"_s, u"a"_s, u"A"_s}));
    QCOMPARE(list.indexOf(u"a"_s), 1);
    QCOMPARE(list.indexOf(u"B"_s), -1);
    QCOMPARE(list.indexOf(QString()), -1);
}

void TestItemList::boundsAreChecked()
{
    const ItemList list = schools();
    for (const Integer bad : {Integer(-1), Integer(4), Integer(-32768), Integer(32767)}) {
        try {
            list.at(bad);
            QFAIL("reading outside the list must raise");
        } catch (const surface::Error &error) {
            QCOMPARE(error.kind(), surface::ErrorKind::IndexOutOfRange);
        }
    }
    list.checkPick(-1);
    list.checkPick(3);
    QVERIFY_THROWS_EXCEPTION(surface::Error, list.checkPick(4));
    QVERIFY_THROWS_EXCEPTION(surface::Error, list.checkPick(-2));
}

void TestItemList::fullListRefuses()
{
    ItemList list(true);
    const QStringList many = testing::fullSchoolList();
    list.assign(many);
    QCOMPARE(list.count(), 32767);
    try {
        list.add(u"One more"_s);
        QFAIL("the 32,768th item must be refused");
    } catch (const surface::Error &error) {
        QCOMPARE(error.kind(), surface::ErrorKind::ListFull);
        QVERIFY(QByteArrayView(error.what()).contains("32,767"));
    }
    QCOMPARE(list.count(), 32767);
    QCOMPARE(list.at(32766), u"School 32766"_s);
    QCOMPARE(list.indexOf(u"One more"_s), -1);
}

QTEST_APPLESS_MAIN(TestItemList)
#include "tst_itemlist.moc"
