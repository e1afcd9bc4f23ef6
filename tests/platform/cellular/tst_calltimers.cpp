#include "calltimers.h"
#include "teststore.h"

#include <QSignalSpy>
#include <QtTest>

using Cellular::CallTimers;
using Info = CallTimers::CallTimersInfo;

namespace
{
const QStringList Totals{QStringLiteral("last_call"), QStringLiteral("dialled"), QStringLiteral("received"),
                         QStringLiteral("all")};

QString key(const QString &name)
{
    return QStringLiteral("/cellular/calltimers/") + name;
}

QString text(const Info &info)
{
    return QStringLiteral("%1/%2/%3/%4").arg(info.lastCall).arg(info.dialled).arg(info.received).arg(info.all);
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
        QVERIFY(ExternalStore::run({QStringLiteral("--recursive-unset"), QStringLiteral("/cellular/calltimers")}));
        QVERIFY(ExternalStore::setString(key(QStringLiteral("dialled")), QStringLiteral("7")));
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
        QTest::newRow("int") << "dialled" << "int" << "2147483647" << "0/2147483647/0/0";
        QTest::newRow("negative int") << "dialled" << "int" << "-5" << "0/0/0/0";
        QTest::newRow("float") << "dialled" << "float" << "12.7" << "0/12/0/0";
        QTest::newRow("huge float") << "dialled" << "float" << "1e30" << "0/" + max + "/0/0";
        QTest::newRow("number then text") << "dialled" << "string" << "12abc" << "0/0/0/0";
        QTest::newRow("bool") << "dialled" << "bool" << "true" << "0/0/0/0";
        QTest::newRow("same total as int") << "dialled" << "int" << "7" << "0/7/0/0";
        QTest::newRow("switched off") << "available" << "bool" << "false" << "off";
        QTest::newRow("off as text") << "available" << "string" << "False" << "off";
        QTest::newRow("off as 0") << "available" << "int" << "0" << "off";
        QTest::newRow("on as 1") << "available" << "int" << "1" << "0/7/0/0";
        QTest::newRow("other text is on") << "available" << "string" << "maybe" << "0/7/0/0";
    }

    // What another process stores is what one report tells, when the totals
    // changed, and what reads give.
    void storedValues()
    {
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(QString, value);
        QFETCH(QString, shown);
        CallTimers timers;
        QSignalSpy spy(&timers, TIMERS_UPDATED);
        QVERIFY(ExternalStore::set(key(name), type, value));
        const bool valid = shown != QLatin1String("off");
        const int reports = valid && shown != QLatin1String("0/7/0/0") ? 1 : 0;
        QTRY_COMPARE(spy.count(), reports);
        QVERIFY(StoreSync::flush());
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), reports);
        QCOMPARE(timers.isValid(), valid);
        QCOMPARE(text(timers.timers()), valid ? shown : QStringLiteral("0/0/0/0"));
        if (reports)
            QCOMPARE(text(spy.at(0).at(0).value<Info>()), shown);
    }

    void clear_data()
    {
        QTest::addColumn<bool>("available");
        QTest::newRow("available") << true;
        QTest::newRow("switched off") << false;
    }

    // Clearing stores "0" in every total and is reported once; switched off,
    // nothing is cleared, and switching on again reports the totals.
    void clear()
    {
        QFETCH(bool, available);
        for (const QString &name : Totals)
            QVERIFY(ExternalStore::setString(key(name), QStringLiteral("9")));
        QVERIFY(ExternalStore::set(key(QStringLiteral("available")), QStringLiteral("bool"),
                                   available ? QStringLiteral("true") : QStringLiteral("false")));
        CallTimers timers;
        QSignalSpy spy(&timers, TIMERS_UPDATED);
        timers.clearTimers();
        QVERIFY(StoreSync::flush());
        QTRY_COMPARE(spy.count(), int(available));
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), int(available));
        for (const QString &name : Totals)
            QCOMPARE(ExternalStore::get(key(name)), available ? QStringLiteral("0") : QStringLiteral("9"));
        if (!available) {
            QVERIFY(ExternalStore::unset(key(QStringLiteral("available"))));
            QTRY_COMPARE(spy.count(), 1);
            QCOMPARE(text(spy.at(0).at(0).value<Info>()), QStringLiteral("9/9/9/9"));
        }
        timers.setCallUpdateTime(1);
        QCOMPARE(ExternalStore::get(key(QStringLiteral("update_interval"))), QStringLiteral("1"));
        QVERIFY(ExternalStore::set(key(QStringLiteral("update_interval")), QStringLiteral("int"), QStringLiteral("30")));
        QCOMPARE(timers.callUpdateTime(), 30u);
    }
};

QTEST_GUILESS_MAIN(TestCallTimers)
#include "tst_calltimers.moc"
