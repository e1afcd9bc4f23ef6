// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// The watchers follow another process's writes and warn the test: the notification service of its private bus.
#include "desktopnotifier.h"
#include "limitwatcher.h"
#include "networkcounters.h"
#include "storageif.h"
#include "storagekeys.h"
#include "teststore.h"

#include <lolocale.h>

#include <QtDBus>
#include <QtTest>

const QString Service = QStringLiteral("org.freedesktop.Notifications"), Path = QStringLiteral("/org/freedesktop/Notifications");

class TestLimitWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
    QDBusConnection m_bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("service"));
    QStringList m_shown; // the bodies of the notifications
    DesktopNotifier m_notifier;
    QScopedPointer<QObject> m_watchers;

public Q_SLOTS:
    Q_SCRIPTABLE uint Notify(const QString &, uint, const QString &, const QString &, const QString &body,
                             const QStringList &, const QVariantMap &, int) { return uint((m_shown << body).size()); }
    Q_SCRIPTABLE QStringList GetCapabilities() { return {}; }

private Q_SLOTS:
    void initTestCase()
    {
        LimitWatcher::installCatalog(LoLocale(QStringLiteral("en_GB")));
        QVERIFY(m_bus.registerObject(Path, this, QDBusConnection::ExportScriptableSlots));
    }

    void crossing_data()
    {
        // Steps apart by ';': "KEY=[TYPE:]VALUE ..." (the first before the watchers start), "restart", "[no]service",
        // "wait" (longer than the settle time).
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("settle"); // ms that a new limit must stay before it warns
        const QString warned = QStringLiteral("Home network: 60.0 MB used, warning limit 50.0 MB");
        QTest::newRow("below, at, above") << QStringLiteral("5=50000000;3=20000000 4=29999999;4=30000000;3=int:40000000") << QStringList{QStringLiteral("Home network: 50.0 MB used, warning limit 50.0 MB")} << 0;
        QTest::newRow("started above, restarted, reset") << QStringLiteral("5=50000000 3=60000000;restart;3=70000000;3=0 4=0;3=60000000") << QStringList{warned, warned} << 0;
        QTest::newRow("off and on, raised limit") << QStringLiteral("5=50000000;3=60000000;5=0;5=50000000;5=100000000;4=50000000") << QStringList{warned, warned, QStringLiteral("Home network: 110.0 MB used, warning limit 100.0 MB")} << 0;
        QTest::newRow("roaming apart from home") << QStringLiteral("5=50000000 10=100000000;3=60000000 8=60000000;9=40000000") << QStringList{warned, QStringLiteral("Roaming: 100.0 MB used, warning limit 100.0 MB")} << 0;
        QTest::newRow("hostile values") << QStringLiteral("5=50000000;3=-60000000 4=1e9 8=list:a,b 9=float:nan 10=abc;3=float:1e300 5=int:-5;5=50000000 3=18446744073709551615 4=2") << QStringList{QStringLiteral("Home network: 18,446,744,073,709.6 MB used, warning limit 50.0 MB")} << 0;
        QTest::newRow("no service, then one") << QStringLiteral("5=50000000;noservice;3=60000000;service;3=0;3=60000000") << QStringList{warned} << 0;
        // Nothing written yet: what the page shows, roaming on at 10 MB, home off.
        const QString roaming = QStringLiteral("Roaming: 12.0 MB used, warning limit 10.0 MB");
        QTest::newRow("fresh store") << QStringLiteral("3=0;3=700000000 4=500000000;8=12000000") << QStringList{roaming} << 0;
        QTest::newRow("roaming entered, switch untouched") << QStringLiteral("11=20000000;8=12000000") << QStringList{roaming} << 0;
        // Typed digit by digit: only the limit that stays warns.
        QTest::newRow("settling") << QStringLiteral("3=60000000;5=5000000;5=50000000;wait") << QStringList{warned} << 300;
    }

    void crossing()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, shown);
        QFETCH(int, settle);
        m_watchers.reset();
        QVERIFY(ExternalStore::clear(QStringLiteral("/cellui")) && m_bus.registerService(Service));
        m_shown.clear();
        for (const QString &step : steps.split(QLatin1Char(';'))) {
            if (step == QLatin1String("noservice"))
                QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^No notification service")));
            if (step.endsWith(QLatin1String("service")))
                QVERIFY(step == QLatin1String("service") ? m_bus.registerService(Service) : m_bus.unregisterService(Service));
            for (const QString &write : step.split(QLatin1Char(' ')).filter(QStringLiteral("="))) {
                const QStringList value = write.section(QLatin1Char('='), 1).split(QLatin1Char(':'));
                QVERIFY(ExternalStore::set(StorageKeys::path(write.section(QLatin1Char('='), 0, 0).toInt()),
                                           value.size() > 1 ? value.first() : QStringLiteral("string"), value.last()));
            }
            if (!m_watchers || step == QLatin1String("restart")) {
                m_watchers.reset(new QObject);
                auto *store = new StorageIf(NetworkCounters::storeKeys(), m_watchers.data());
                for (NetworkCounters::Network network : {NetworkCounters::Home, NetworkCounters::Roaming}) {
                    auto *counters = new NetworkCounters(network, store, m_watchers.data());
                    (new LimitWatcher(counters, &m_notifier, m_watchers.data()))->setSettleTime(settle);
                }
            }
            if (step == QLatin1String("wait"))
                QTest::qWait(2 * settle);
            // One connection's calls arrive in order: once this one is answered, so is every Notify before it.
            QVERIFY(StoreSync::flush());
            QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(Service, Path, Service, QStringLiteral("GetCapabilities")), QDBus::BlockWithGui);
        }
        QCOMPARE(m_shown, shown);
    }
};

QTEST_GUILESS_MAIN(TestLimitWatcher)
#include "tst_limitwatcher.moc"
