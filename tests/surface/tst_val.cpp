// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

#include "surface.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using surface::Val;

class TestVal : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void leadingNumber_data();
    void leadingNumber();
    void outOfRange();
    void longTexts();
};

void TestVal::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("integer") << u"30"_s << 30.0;
    QTest::newRow("fraction") << u"0.5"_s << 0.5;
    QTest::newRow("no leading digit") << u".5"_s << 0.5;
    QTest::newRow("trailing point") << u"7."_s << 7.0;
    QTest::newRow("letters after") << u"12abc"_s << 12.0;
    QTest::newRow("second point ends it") << u"1.2.3"_s << 1.2;
    QTest::newRow("negative") << u"-5"_s << -5.0;
    QTest::newRow("plus sign") << u"+4"_s << 4.0;
    QTest::newRow("leading blanks") << u"  12"_s << 12.0;
    QTest::newRow("leading tab and newline") << u"\t\n 8"_s << 8.0;
    QTest::newRow("blank inside ends it") << u"1 2"_s << 1.0;
    QTest::newRow("blank after sign") << u"- 5"_s << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("blanks only") << u"   "_s << 0.0;
    QTest::newRow("letters") << u"abc"_s << 0.0;
    QTest::newRow("point alone") << u"."_s << 0.0;
    QTest::newRow("sign alone") << u"-"_s << 0.0;
    QTest::newRow("exponent") << u"1e3"_s << 1000.0;
    QTest::newRow("capital exponent with sign") << u"25E-1"_s << 2.5;
    QTest::newRow("signed fraction exponent") << u"+.5e-3x"_s << 0.0005;
    QTest::newRow("bare e is not an exponent") << u"1e"_s << 1.0;
    QTest::newRow("e and sign without digits") << u"3e+"_s << 3.0;
    QTest::newRow("no radix prefix") << u"0x10"_s << 0.0;
    QTest::newRow("comma is not a decimal point") << u"1,5"_s << 1.0;
    QTest::newRow("full-width digits are not digits") << u"\uFF11\uFF12"_s << 0.0;
    QTest::newRow("arabic-indic digits are not digits") << u"\u0661"_s << 0.0;
    QTest::newRow("no inf spelled out") << u"inf"_s << 0.0;
    QTest::newRow("no nan spelled out") << u"nan"_s << 0.0;
    QTest::newRow("zero") << u"0"_s << 0.0;
}

void TestVal::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(Val(text), expected);
}

void TestVal::outOfRange()
{
    const double inf = std::numeric_limits<double>::infinity();
    QCOMPARE(Val(u"1e309"), inf);
    QCOMPARE(Val(u"-1e309"), -inf);
    QCOMPARE(Val(u"1e99999999999999999999"), inf);
    QCOMPARE(Val(u"1e-400"), 0.0);
    QCOMPARE(Val(u"0.000001e-99999999999999999999"), 0.0);
    QCOMPARE(Val(u"0e999999"), 0.0);
    const double negativeZero = Val(u"-0");
    QCOMPARE(negativeZero, 0.0);
    QVERIFY(std::signbit(negativeZero));
    QCOMPARE(Val(u"1.7976931348623157e308"), std::numeric_limits<double>::max());
    // Below the normal range the value fades through the subnormals before it reaches zero.
    QCOMPARE(Val(u"4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
    QCOMPARE(Val(u"-1e-310"), -1e-310);
}

void TestVal::longTexts()
{
    // A pasted megabyte of digits reads as one huge number, in one pass.
    QCOMPARE(Val(QString(1'000'000, u'9')), std::numeric_limits<double>::infinity());
    QCOMPARE(Val(u"0."_s + QString(1'000'000, u'0') + u"1"_s), 0.0);
    QCOMPARE(Val(QString(1'000'000, u'0') + u"42"_s), 42.0);
    QCOMPARE(Val(QString(1'000'000, u' ') + u"3"_s), 3.0);
}

QTEST_APPLESS_MAIN(TestVal)
#include "tst_val.moc"
