// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "calltimers.h"
#include "teststore.h"

#include <QSignalSpy>
#include <QtTest>

using Cellular::CallTimers;

namespace
{
const QString Dir = QStringLiteral("/cellular/calltimers/");
const QStringList Totals{"last_call", "dialled", "received", "all"};

QStringList reports(const QSignalSpy &spy)
{
    QStringList texts;
    for (const QList<QVariant> &report : spy) {
        const auto info = report.at(0).value<CallTimers::CallTimersInfo>();
        texts.append(QStringLiteral("%1/%2/%3/%4").arg(info.lastCall).arg(info.dialled).arg(info.received).arg(info.all));
    }
    return texts;
}

// As the pages connect: by the signature spelled inside the class.
#define TIMERS_UPDATED SIGNAL(timersUpdated(CallTimers::CallTimersInfo))
}

class TestCallTimers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(ExternalStore::clear(QStringLiteral("/cellular/calltimers")));
        QVERIFY(ExternalStore::setString(Dir + QStringLiteral("dialled"), QStringLiteral("7")));
        QVERIFY(StoreSync::flush());
    }

    void storedValues_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("shown"); // last call/dialled/received/all, or "off"
        const QString max = QStringLiteral("4294967295");
        QTest::newRow("last call") << "last_call" << "string" << "5" << "5/7/0/0";
        QTest::newRow("received") << "received" << "int" << "5" << "0/7/5/0";
        QTest::newRow("all, not a sum") << "all" << "string" << "5" << "0/7/0/5";
        QTest::newRow("text") << "dialled" << "string" << " +42 " << "0/42/0/0";
        QTest::newRow("beyond 32 bits") << "dialled" << "string" << "4294967296" << "0/" + max + "/0/0";
        QTest::newRow("beyond 64 bits") << "dialled" << "string" << "99999999999999999999999" << "0/" + max + "/0/0";
        QTest::newRow("negative text") << "dialled" << "string" << "-5" << "0/0/0/0";
        QTest::newRow("negative int") << "dialled" << "int" << "-5" << "0/0/0/0";
        QTest::newRow("float") << "dialled" << "float" << "12.7" << "0/12/0/0";
        QTest::newRow("huge float") << "dialled" << "float" << "1e30" << "0/" + max + "/0/0";
        QTest::newRow("number then text") << "dialled" << "string" << "12abc" << "0/0/0/0";
        QTest::newRow("bool") << "dialled" << "bool" << "true" << "0/0/0/0";
        QTest::newRow("switched off") << "available" << "bool" << "false" << "off";
        QTest::newRow("off as text") << "available" << "string" << "False" << "off";
        QTest::newRow("off as 0") << "available" << "int" << "0" << "off";
        QTest::newRow("other text is on") << "available" << "string" << "maybe" << "0/7/0/0";
    }

    // What another process stores is what one report tells, when the totals
    // changed.
    void storedValues()
    {
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(QString, value);
        QFETCH(QString, shown);
        CallTimers timers;
        QSignalSpy spy(&timers, TIMERS_UPDATED);
        QVERIFY(ExternalStore::set(Dir + name, type, value));
        QVERIFY(StoreSync::flush());
        QCoreApplication::processEvents();
        const bool valid = shown != QLatin1String("off");
        QCOMPARE(reports(spy), valid && shown != QLatin1String("0/7/0/0") ? QStringList{shown} : QStringList());
        QCOMPARE(timers.isValid(), valid);
    }

    // Switched off, nothing is cleared; switched on again, the totals are
    // reported, and clearing stores "0" in every total, reported once.
    void clear()
    {
        for (const QString &name : Totals)
            QVERIFY(ExternalStore::setString(Dir + name, QStringLiteral("9")));
        QVERIFY(ExternalStore::set(Dir + QStringLiteral("available"), QStringLiteral("bool"), QStringLiteral("false")));
        CallTimers timers;
        QSignalSpy spy(&timers, TIMERS_UPDATED);
        timers.clearTimers();
        QVERIFY(ExternalStore::unset(Dir + QStringLiteral("available")));
        QVERIFY(StoreSync::flush());
        QCoreApplication::processEvents();
        timers.clearTimers();
        QVERIFY(StoreSync::flush());
        QCoreApplication::processEvents();
        QCOMPARE(reports(spy), (QStringList{QStringLiteral("9/9/9/9"), QStringLiteral("0/0/0/0")}));
        for (const QString &name : Totals)
            QCOMPARE(ExternalStore::get(Dir + name), QStringLiteral("0"));

        // The update interval is written as text and read whatever its type.
        timers.setCallUpdateTime(1);
        QCOMPARE(ExternalStore::get(Dir + QStringLiteral("update_interval")), QStringLiteral("1"));
        QVERIFY(ExternalStore::set(Dir + QStringLiteral("update_interval"), QStringLiteral("int"), QStringLiteral("30")));
        QVERIFY(StoreSync::flush());
        QCOMPARE(timers.callUpdateTime(), 30u);
    }
};

QTEST_GUILESS_MAIN(TestCallTimers)
#include "tst_calltimers.moc"
