#include "datacountervalue.h"
#include "messagecapture.h"
#include "storageif.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using namespace StorageKeys;

// The session bus cannot be reached: every read gives its default, nothing is
// written or reported, and nothing blocks or crashes.
class TestStorageIfNoBus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/cellcounters-test-bus");
        qunsetenv("DISPLAY");
    }

    void everyReadGivesItsDefault()
    {
        QElapsedTimer timer;
        timer.start();
        MessageCapture capture;
        StorageIf store({GprsHomeTxBytes, GprsHomeRxBytes, GprsHomeNotificationPeriod, GprsHomeLastReset,
                         GprsHomeUiNotificationPeriod, GprsRoamingTxBytes, GprsRoamingRxBytes,
                         GprsRoamingNotificationPeriod, GprsRoamingUiNotificationPeriod, GprsRoamingLastReset},
                        nullptr);
        QSignalSpy spy(&store, &StorageIf::valueChanged);
        for (int key = 3; key <= 12; ++key) {
            QCOMPARE(store.value(KeyId(key), 0), QVariant(0));
            QCOMPARE(store.value(KeyId(key), QStringLiteral("qtn_cell_counters_never")),
                     QVariant(QStringLiteral("qtn_cell_counters_never")));
        }
        DataCounterValue counter;
        counter = store.value(GprsHomeTxBytes, 0);
        QCOMPARE(counter.toUiMegas(), QStringLiteral("0.0"));

        store.setValue(GprsHomeTxBytes, QStringLiteral("0"));
        store.setValue(GprsHomeNotificationPeriod, QStringLiteral("12000000"));
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 0);
        QCOMPARE(store.value(GprsHomeNotificationPeriod, 0), QVariant(0));
        QVERIFY(!capture.linesContaining(QStringLiteral("cannot write")).isEmpty());
        QVERIFY(timer.elapsed() < 5000);
    }
};

QTEST_GUILESS_MAIN(TestStorageIfNoBus)
#include "tst_storageif_nobus.moc"
