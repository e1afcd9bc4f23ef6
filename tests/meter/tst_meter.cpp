// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// The meter against a simulated modem stack: NetworkManager and ModemManager
// on a private bus, the data interface's counters in a folder of the test's.
#include "meter.h"

#include "desktopnotifier.h"
#include "limitwatcher.h"
#include "simulatedmodem.h"
#include "teststore.h"

#include "calltimers.h"
#include "datacounters.h"
#include "lolocale.h"
#include "networkcounters.h"
#include "storageif.h"

#include <QtDBus>
#include <QtTest>

#include <memory>

namespace Keys = Cellular::CallTimersKeys;

namespace
{
const QString MeterProgram = QStringLiteral(CELLCOUNTERS_METER);
const QString NotifyService = QStringLiteral("org.freedesktop.Notifications");
const QString NotifyPath = QStringLiteral("/org/freedesktop/Notifications");

QString stored(const QString &key)
{
    const QString value = ExternalStore::get(key);
    return value.isEmpty() ? QStringLiteral("0") : value;
}

// "sent/received" of both networks, as another process reads them.
QString traffic()
{
    QStringList counts;
    for (NetworkCounters::Network network : {NetworkCounters::Home, NetworkCounters::Roaming})
        counts << stored(StorageKeys::path(NetworkCounters::key(network, NetworkCounters::SentBytes))) + QLatin1Char('/')
                + stored(StorageKeys::path(NetworkCounters::key(network, NetworkCounters::ReceivedBytes)));
    return counts.join(QLatin1Char(' '));
}
} // namespace

class TestMeter : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public Q_SLOTS:
    Q_SCRIPTABLE uint Notify(const QString &, uint, const QString &, const QString &, const QString &body,
                             const QStringList &, const QVariantMap &, int) { return uint((m_shown << body).size()); }
    Q_SCRIPTABLE QStringList GetCapabilities() { return {}; }

private Q_SLOTS:
    void init()
    {
        QVERIFY(ExternalStore::clear(QStringLiteral("/cellui")) && ExternalStore::clear(QStringLiteral("/cellular")));
        // Samples come only from changes and the steps, not from a clock.
        QVERIFY(ExternalStore::setString(TrafficMeter::intervalKey(), QStringLiteral("3600")));
        m_modem = std::make_unique<SimulatedModem>();
        QVERIFY(m_modem->isRunning());
        m_bus = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(m_modem->busAddress(), QStringLiteral("modem%1").arg(++m_runs)));
        QVERIFY(m_bus->isConnected());
        m_calls.clear();
        m_shown.clear();
    }

    void cleanup()
    {
        m_watchers.reset();
        m_meter.reset();
        m_modem.reset();
        QDBusConnection::disconnectFromBus(m_bus->name());
    }

    void data_data()
    {
        // Steps apart by ';': commands of the simulated modem, or "meter" (started now, or again), "sample",
        // "reset" (the page resets home while a sample of the meter's races it).
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("traffic"); // home sent/received, roaming sent/received
        QTest::addColumn<bool>("timer"); // whether the meter samples on a clock at the end

        const QString up = QStringLiteral("modem;meter;connect wwan0;");
        QTest::newRow("home") << up + "traffic 1000 2000;sample" << "1000/2000 0/0" << true;
        QTest::newRow("roaming flip mid-flow") << up + "traffic 1000 0;register 5;traffic 0 500;register 1;traffic 7 7;sample"
                                               << "1007/7 0/500" << true;
        QTest::newRow("roaming SMS only, CSFB") << up + "register 7;traffic 1 1;register 10;traffic 2 2;register 6;traffic 4 4;sample"
                                                << "4/4 3/3" << true;
        QTest::newRow("disconnected: no clock") << up + "traffic 5 5;sample;disconnect;sample" << "5/5 0/0" << false;
        QTest::newRow("new interface") << up + "traffic 100 100;sample;disconnect;connect ppp0;traffic 5 6;sample"
                                       << "105/106 0/0" << true;
        QTest::newRow("counter goes down") << up + "traffic 1000 1000;sample;counters 10 10;sample;traffic 5 5;sample"
                                           << "1005/1005 0/0" << true;
        QTest::newRow("near 2^64, saturated") << up + "traffic 100 0;sample;counters 0 0;sample;counters 18446744073709551615 0;sample"
                                              << "18446744073709551615/0 0/0" << true;
        QTest::newRow("reset while counting") << up + "traffic 1000 1000;sample;traffic 10 10;reset;traffic 3 3;sample"
                                              << "3/3 0/0" << true;
        QTest::newRow("restart on the same interface") << up + "traffic 10 10;sample;traffic 5 5;meter;traffic 1 1;sample"
                                                       << "16/16 0/0" << true;
        QTest::newRow("started while connected") << "modem;connect wwan0;traffic 50 50;meter;traffic 1 2;sample" << "1/2 0/0" << true;
        // Hostile input: a debug line and the next good state, never a wrong write.
        QTest::newRow("property of the wrong type")
            << up + "traffic 1 1;setprop nm DEV org.freedesktop.NetworkManager.Device IpInterface u 7;traffic 1 1;sample" << "2/2 0/0" << true;
        QTest::newRow("interface name into a path")
            << up + "traffic 1 1;setprop nm DEV org.freedesktop.NetworkManager.Device IpInterface s ../wwan0;traffic 1 1;sample"
            << "1/1 0/0" << false;
        QTest::newRow("registration of the wrong type")
            << up + "setprop mm /org/freedesktop/ModemManager1/Modem/0 org.freedesktop.ModemManager1.Modem.Modem3gpp RegistrationState s 5;traffic 9 9;sample"
            << "9/9 0/0" << true;
        QTest::newRow("garbage counters") << up + "traffic 1 1;sample;garbage;sample;counters 2 2;sample" << "2/2 0/0" << true;
        QTest::newRow("services later, restarted")
            << "stop nm;stop mm;meter;start nm;start mm;modem;register 5;connect wwan0;traffic 4 4;stop mm;traffic 1 1;sample"
            << "1/1 4/4" << true;
    }

    void data()
    {
        QFETCH(QString, steps);
        QFETCH(QString, traffic);
        QFETCH(bool, timer);
        run(steps);
        QVERIFY(StoreSync::flush());
        QCOMPARE(::traffic(), traffic);
        QCOMPARE(m_meter->traffic()->isSampling(), timer);
    }

    void calls_data()
    {
        // "wait N" lets N ms pass; "$1", "$2" are the calls made.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<int>>("seconds"); // dialled, received, all, last call: each within a second

        QTest::newRow("dialled") << "meter;call out;callstate $1 2;wait 1000;callstate $1 4;wait 2100;hangup $1" << QList<int>{2, 0, 2, 2};
        QTest::newRow("received, held") << "meter;call in;callstate $1 4;wait 1100;callstate $1 5;wait 1100;callstate $1 4;hangup $1"
                                        << QList<int>{0, 2, 2, 2};
        QTest::newRow("two calls") << "meter;call in;callstate $1 4;wait 1100;call out;callstate $2 4;wait 1100;hangup $1;hangup $2"
                                   << QList<int>{1, 2, 3, 1};
        QTest::newRow("ends by deletion") << "meter;call out;callstate $1 4;wait 1100;delete $1" << QList<int>{1, 0, 1, 1};
        QTest::newRow("never answered") << "meter;call in;wait 1100;hangup $1" << QList<int>{0, 0, 0, 0};
        QTest::newRow("meter started mid-call") << "call out;callstate $1 4;wait 1100;meter;wait 1100;hangup $1"
                                                << QList<int>{1, 0, 1, 1};
        QTest::newRow("meter restarted mid-call") << "meter;call out;callstate $1 4;wait 1100;meter;wait 1100;hangup $1"
                                                  << QList<int>{2, 0, 2, 2};
        QTest::newRow("cleared mid-call") << "meter;call out;callstate $1 4;wait 1100;clear;wait 1100;hangup $1"
                                          << QList<int>{1, 0, 1, 2};
        QTest::newRow("counting while shown") << "meter;interval 1;call out;callstate $1 4;wait 2300;check 2;hangup $1"
                                              << QList<int>{2, 0, 2, 2};
    }

    void calls()
    {
        QFETCH(QString, steps);
        QFETCH(QList<int>, seconds);
        m_clock.start();
        m_waited = 0;
        run(QStringLiteral("modem;") + steps);
        QVERIFY(StoreSync::flush());
        checkCallTimers(seconds);
        QCOMPARE(ExternalStore::get(Keys::Available), QStringLiteral("true"));
        run(QStringLiteral("removemodem"));
        QVERIFY(StoreSync::flush());
        QCOMPARE(ExternalStore::get(Keys::Available), QStringLiteral("false"));
    }

    void killed_data()
    {
        QTest::addColumn<int>("step"); // the step between two writes at which the meter is killed
        for (int step : {1, 2, 3, 4})
            QTest::addRow("step %d", step) << step;
    }

    // Killed at any step between its writes, the meter counts each byte once
    // after a restart.
    void killed()
    {
        QFETCH(int, step);
        QVERIFY(ExternalStore::setString(TrafficMeter::intervalKey(), QStringLiteral("1")));
        run(QStringLiteral("modem;connect wwan0"));
        QProcess meter;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_modem->busAddress());
        env.insert(QStringLiteral("CELLCOUNTERS_METER_KILL_AT"), QString::number(step));
        meter.setProcessEnvironment(env);
        meter.start(MeterProgram, {QStringLiteral("--sysfs"), m_modem->sysfsRoot()});
        QVERIFY(meter.waitForStarted());
        // Its first baseline is where it counts from.
        QTRY_VERIFY_WITH_TIMEOUT(!ExternalStore::get(TrafficMeter::stateKey()).isEmpty(), 10000);
        run(QStringLiteral("traffic 1000 2000;wait 1500;traffic 10 20"));
        QVERIFY(meter.state() == QProcess::NotRunning || meter.waitForFinished(10000));
        QCOMPARE(meter.exitStatus(), QProcess::CrashExit);

        env.remove(QStringLiteral("CELLCOUNTERS_METER_KILL_AT"));
        meter.setProcessEnvironment(env);
        meter.start(MeterProgram, {QStringLiteral("--sysfs"), m_modem->sysfsRoot(), QStringLiteral("--once")});
        QVERIFY(meter.waitForFinished(15000));
        QCOMPARE(meter.exitCode(), 0);
        QVERIFY(StoreSync::flush());
        QCOMPARE(::traffic(), QStringLiteral("1010/2020 0/0"));
    }

    // From the modem to the desktop: roaming traffic past the default limit of
    // a fresh store warns.
    void endToEnd()
    {
        QDBusConnection service = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("service"));
        QVERIFY(service.registerObject(NotifyPath, this, QDBusConnection::ExportScriptableSlots));
        QVERIFY(service.registerService(NotifyService));
        LimitWatcher::installCatalog(LoLocale(QStringLiteral("en_GB")));
        DesktopNotifier notifier;
        m_watchers = std::make_unique<QObject>();
        auto *store = new StorageIf(NetworkCounters::storeKeys(), m_watchers.get());
        new LimitWatcher(new NetworkCounters(NetworkCounters::Roaming, store, m_watchers.get()), &notifier, m_watchers.get());
        run(QStringLiteral("modem;register 5;meter;connect wwan0;traffic 3000000 9000000;sample"));
        // One connection's calls arrive in order: once this one is answered, so is every Notify before it.
        QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(NotifyService, NotifyPath, NotifyService, QStringLiteral("GetCapabilities")),
                                           QDBus::BlockWithGui);
        QCOMPARE(m_shown, QStringList{QStringLiteral("Roaming: 12.0 MB used, warning limit 10.0 MB")});
        QVERIFY(service.unregisterService(NotifyService));
    }

private:
    void run(const QString &steps)
    {
        for (QString step : steps.split(QLatin1Char(';'))) {
            for (int i = 0; i < m_calls.size(); ++i)
                step.replace(QStringLiteral("$%1").arg(i + 1), m_calls.at(i));
            step.replace(QStringLiteral("DEV"), m_device);
            const QString arg = step.section(QLatin1Char(' '), 1);
            if (step == QLatin1String("meter")) {
                m_meter.reset();
                m_meter = std::make_unique<::Meter>(*m_bus, m_modem->sysfsRoot());
            } else if (step == QLatin1String("sample")) {
                m_meter->traffic()->sample();
            } else if (step == QLatin1String("reset")) {
                // Written by another process before the meter hears of it: the
                // sample reads the counters of before the reset and writes after it.
                QVERIFY(ExternalStore::setString(StorageKeys::path(StorageKeys::GprsHomeLastReset), QStringLiteral("5.12.2026.1796428800")));
                QVERIFY(ExternalStore::setAll({StorageKeys::path(StorageKeys::GprsHomeRxBytes), StorageKeys::path(StorageKeys::GprsHomeTxBytes)},
                                              QStringLiteral("string"), QStringLiteral("0")));
                m_meter->traffic()->sample();
                QVERIFY(StoreSync::flush());
            } else if (step == QLatin1String("clear")) {
                QVERIFY(ExternalStore::setAll({Keys::LastCall, Keys::Dialled, Keys::Received, Keys::All}, QStringLiteral("string"), QStringLiteral("0")));
                QVERIFY(ExternalStore::setString(StorageKeys::CallTimersResetDatePath, QStringLiteral("2026-12-07")));
                QVERIFY(StoreSync::flush());
            } else if (step == QLatin1String("garbage")) {
                QFile file(m_modem->sysfsRoot() + QStringLiteral("/wwan0/statistics/tx_bytes"));
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write("12abc\n") > 0);
            } else if (step.startsWith(QLatin1String("wait "))) {
                QTest::qWait(arg.toInt());
                m_waited += arg.toInt();
            } else if (step.startsWith(QLatin1String("interval "))) {
                QVERIFY(ExternalStore::setString(Keys::UpdateInterval, arg));
            } else if (step.startsWith(QLatin1String("check "))) {
                QVERIFY(StoreSync::flush());
                checkCallTimers({arg.toInt(), 0, arg.toInt(), arg.toInt()});
            } else {
                QString answer;
                QVERIFY2(m_modem->send(step, &answer), qPrintable(step + QLatin1String(": ") + answer));
                if (step.startsWith(QLatin1String("call ")))
                    m_calls << answer;
                else if (step == QLatin1String("modem") && !answer.isEmpty())
                    m_device = answer;
            }
            settle();
        }
    }

    // Every signal that the services sent so far, and every answer to the
    // meter's questions about them, has been handled: the services answer in order.
    void settle()
    {
        for (int round = 0; round < 2; ++round) {
            const QDBusMessage calls[] = {
                QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.NetworkManager"), QStringLiteral("/org/freedesktop/NetworkManager"),
                                               QStringLiteral("org.freedesktop.NetworkManager"), QStringLiteral("GetDevices")),
                QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ModemManager1"), QStringLiteral("/org/freedesktop/ModemManager1"),
                                               QStringLiteral("org.freedesktop.DBus.ObjectManager"), QStringLiteral("GetManagedObjects"))};
            for (const QDBusMessage &call : calls) {
                QDBusPendingCall pending = m_bus->asyncCall(call, 5000);
                QTRY_VERIFY_WITH_TIMEOUT(pending.isFinished(), 6000);
            }
            QCoreApplication::processEvents();
        }
    }

    // Each total at least the seconds waited, and at most a second more than
    // the steps between took beyond their waits (a loaded machine is slow).
    void checkCallTimers(const QList<int> &seconds)
    {
        const QStringList keys{Keys::Dialled, Keys::Received, Keys::All, Keys::LastCall};
        const int slack = 1 + int((qMax<qint64>(0, m_clock.elapsed() - m_waited) + 999) / 1000);
        for (int i = 0; i < keys.size(); ++i) {
            const int got = stored(keys.at(i)).toInt();
            QVERIFY2(got >= seconds.at(i) && got <= seconds.at(i) + slack,
                     qPrintable(QStringLiteral("%1: %2, expected %3").arg(keys.at(i)).arg(got).arg(seconds.at(i))));
        }
    }

    std::unique_ptr<SimulatedModem> m_modem;
    std::unique_ptr<QDBusConnection> m_bus;
    std::unique_ptr<::Meter> m_meter;
    std::unique_ptr<QObject> m_watchers;
    QStringList m_calls;
    QString m_device;
    QStringList m_shown;
    int m_runs = 0;
    QElapsedTimer m_clock; // since the row began
    qint64 m_waited = 0; // ms of "wait" steps in it
};

QTEST_GUILESS_MAIN(TestMeter)
#include "tst_meter.moc"
