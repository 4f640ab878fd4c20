// SPDX-FileCopyrightText: 2026 The Pelmora developers
// SPDX-License-Identifier: MIT

// The one rule every event procedure runs by, on real widgets and in the recording double.

#include "eventrunner.h"

#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;
using surface::ErrorKind;

class TestEventRunner : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void howAProcedureEnds_data();
    void howAProcedureEnds();
    void oneAtATime();
};

void TestEventRunner::howAProcedureEnds_data()
{
    QTest::addColumn<int>("ending");
    QTest::addColumn<QStringList>("reported");
    QTest::newRow("to completion") << 0 << QStringList{};
    QTest::newRow("by an error of ours")
        << 1 << QStringList{QString::fromUtf8(surface::Error(ErrorKind::ListFull).what())};
    QTest::newRow("by any other error") << 2 << QStringList{u"out of memory"_s};
    QTest::newRow("by End") << 3 << QStringList{};
}

void TestEventRunner::howAProcedureEnds()
{
    QFETCH(int, ending);
    QFETCH(QStringList, reported);
    QStringList shown;
    surface::EventRunner events([&](const QString &description) { shown.append(description); });
    bool after = false;
    QVERIFY(events.run([&] {
        switch (ending) {
        case 1:
            throw surface::Error(ErrorKind::ListFull);
        case 2:
            throw std::runtime_error("out of memory");
        case 3:
            throw surface::ProgramEnded{};
        }
        after = true;
    }));
    QCOMPARE(shown, reported);
    QCOMPARE(after, ending == 0); // nothing after the error runs
    QVERIFY(events.run([] {}));   // the next procedure runs as usual: nothing is left running
}

void TestEventRunner::oneAtATime()
{
    // A procedure asked for while one runs (its message box up, the report of its error
    // showing) is dropped whole; one of another window still runs.
    QStringList ran;
    surface::EventRunner other([](const QString &) {});
    surface::EventRunner events([&](const QString &) {
        QVERIFY(!events.run([&] { ran.append(u"during the report"_s); }));
    });
    QVERIFY(events.run([&] {
        QVERIFY(!events.run([&] { ran.append(u"nested"_s); }));
        QVERIFY(other.run([&] { ran.append(u"other window"_s); }));
        throw surface::Error(ErrorKind::InvalidValue);
    }));
    QCOMPARE(ran, QStringList{u"other window"_s});
}

QTEST_APPLESS_MAIN(TestEventRunner)
#include "tst_eventrunner.moc"
