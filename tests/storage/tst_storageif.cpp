#include "teststore.h"
#include "logconfitem.h"
#include "messagecapture.h"
#include "storageif.h"

#include <QMetaMethod>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace StorageKeys;

namespace
{
const QList<KeyId> pageKeys{GprsHomeTxBytes,          GprsHomeRxBytes,
                            GprsHomeNotificationPeriod, GprsHomeLastReset,
                            GprsHomeUiNotificationPeriod, GprsRoamingTxBytes,
                            GprsRoamingRxBytes,       GprsRoamingNotificationPeriod,
                            GprsRoamingUiNotificationPeriod, GprsRoamingLastReset};

const QString valueSignature = QStringLiteral("QVariant StorageIf::value(StorageKeys::KeyId, QVariant):");
}

class TestStorageIf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void paths_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("path");
        QTest::newRow("0") << 0 << "/system/tarn/connectivity/network_type/GPRS/gprs_roaming_permission";
        QTest::newRow("1") << 1 << "/system/tarn/connectivity/network_type/restricted_mode";
        QTest::newRow("2") << 2 << "/system/tarn/connectivity/network_type/restricted_mode_roaming";
        QTest::newRow("3") << 3 << "/cellui/settings/datacounter/transfer/gprs_home_tx_bytes";
        QTest::newRow("4") << 4 << "/cellui/settings/datacounter/transfer/gprs_home_rx_bytes";
        QTest::newRow("5") << 5 << "/cellui/settings/datacounter/general/gprs_home_notification_period";
        QTest::newRow("6") << 6 << "/cellui/settings/datacounter/general/gprs_home_notification_period_UI";
        QTest::newRow("7") << 7 << "/cellui/settings/datacounter/general/gprs_home_last_reset";
        QTest::newRow("8") << 8 << "/cellui/settings/datacounter/transfer/gprs_roaming_tx_bytes";
        QTest::newRow("9") << 9 << "/cellui/settings/datacounter/transfer/gprs_roaming_rx_bytes";
        QTest::newRow("10") << 10 << "/cellui/settings/datacounter/general/gprs_roaming_notification_period";
        QTest::newRow("11") << 11 << "/cellui/settings/datacounter/general/gprs_roaming_notification_period_UI";
        QTest::newRow("12") << 12 << "/cellui/settings/datacounter/general/gprs_roaming_last_reset";
    }

    // Each key reaches its own path in the real store, both ways.
    void paths()
    {
        QFETCH(int, key);
        QFETCH(QString, path);
        QCOMPARE(StorageKeys::path(key), path);

        StorageIf store({KeyId(key)}, nullptr);
        const QString text = QStringLiteral("value-%1").arg(key);
        store.setValue(KeyId(key), text);
        QCOMPARE(ExternalStore::get(path), text);

        QVERIFY(ExternalStore::setString(path, QStringLiteral("from outside")));
        QCOMPARE(store.value(KeyId(key), QVariant()), QVariant(QStringLiteral("from outside")));
    }

    void constants()
    {
        QCOMPARE(TransferKeyPrefix, QStringLiteral("/cellui/settings/datacounter/transfer/"));
        QCOMPARE(GeneralKeyPrefix, QStringLiteral("/cellui/settings/datacounter/general/"));
        QCOMPARE(GprsHomeTxBytesPath, TransferKeyPrefix + QStringLiteral("gprs_home_tx_bytes"));
        QCOMPARE(GprsRoamingUiNotificationPeriodPath, GeneralKeyPrefix + QStringLiteral("gprs_roaming_notification_period_UI"));
        // The roaming key of each kind is the home key plus 5.
        QCOMPARE(int(GprsRoamingTxBytes) - int(GprsHomeTxBytes), 5);
        QCOMPARE(int(GprsRoamingLastReset) - int(GprsHomeLastReset), 5);
        QVERIFY(path(13).isEmpty());
        QVERIFY(path(-1).isEmpty());
    }

    void metaObject()
    {
        const QMetaObject &mo = StorageIf::staticMetaObject;
        QCOMPARE(mo.className(), "StorageIf");
        QCOMPARE(mo.methodCount() - mo.methodOffset(), 2);
        const QMetaMethod signal = mo.method(mo.methodOffset());
        QCOMPARE(signal.methodSignature(), QByteArray("valueChanged(int,QVariant)"));
        QCOMPARE(signal.methodType(), QMetaMethod::Signal);
        QCOMPARE(signal.parameterNames(), (QList<QByteArray>{"key", "value"}));
        const QMetaMethod slot = mo.method(mo.methodOffset() + 1);
        QCOMPARE(slot.methodSignature(), QByteArray("keyValueChanged()"));
        QCOMPARE(slot.methodType(), QMetaMethod::Slot);
        QCOMPARE(slot.access(), QMetaMethod::Private);
        QVERIFY(slot.parameterNames().isEmpty());
    }

    void storeOwnsItsItems()
    {
        QObject parent;
        auto *store = new StorageIf(pageKeys, &parent);
        QCOMPARE(store->parent(), &parent);
        QCOMPARE(store->findChildren<LoGConfItem *>().size(), pageKeys.size());
        StorageIf repeated({GprsHomeTxBytes, GprsHomeTxBytes}, nullptr);
        QCOMPARE(repeated.findChildren<LoGConfItem *>().size(), 1);
    }

    void keyOutsideStore()
    {
        QVERIFY(ExternalStore::unset(GprsHomeNotificationPeriodPath));
        StorageIf store({GprsHomeTxBytes, GprsHomeRxBytes}, nullptr);
        QSignalSpy spy(&store, &StorageIf::valueChanged);
        MessageCapture capture;
        QCOMPARE(store.value(GprsHomeNotificationPeriod, QStringLiteral("def")), QVariant(QStringLiteral("def")));
        QCOMPARE(capture.lines(),
                 (QStringList{valueSignature + QStringLiteral(" 5 QVariant(QString, \"def\")"),
                              valueSignature + QStringLiteral(" no such key: 5")}));

        capture.clear();
        store.setValue(GprsHomeNotificationPeriod, QStringLiteral("1"));
        QCOMPARE(capture.lines(),
                 QStringList{QStringLiteral("void StorageIf::setValue(StorageKeys::KeyId, QVariant): 5 QVariant(QString, \"1\")")});
        bool isSet = true;
        ExternalStore::get(GprsHomeNotificationPeriodPath, &isSet);
        QVERIFY(!isSet);
        QCOMPARE(spy.count(), 0);
    }

    void defaults_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("stored"); // empty: unset
        QTest::addColumn<QVariant>("def");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("unset gives the integer default") << "" << "" << QVariant(0) << QVariant(0);
        QTest::newRow("unset gives the text default") << "" << "" << QVariant(QStringLiteral("qtn_cell_counters_never"))
                                                      << QVariant(QStringLiteral("qtn_cell_counters_never"));
        QTest::newRow("text 0 as text") << "string" << "0" << QVariant(0) << QVariant(QStringLiteral("0"));
        QTest::newRow("int as int") << "int" << "-3" << QVariant(0) << QVariant(-3);
        QTest::newRow("big count as text") << "string" << "123456789012" << QVariant(0)
                                           << QVariant(QStringLiteral("123456789012"));
    }

    void defaults()
    {
        QFETCH(QString, type);
        QFETCH(QString, stored);
        QFETCH(QVariant, def);
        QFETCH(QVariant, expected);
        if (type.isEmpty())
            QVERIFY(ExternalStore::unset(GprsHomeTxBytesPath));
        else
            QVERIFY(ExternalStore::set(GprsHomeTxBytesPath, type, stored));
        StorageIf store(pageKeys, nullptr);
        MessageCapture capture;
        const QVariant value = store.value(GprsHomeTxBytes, def);
        QCOMPARE(value.userType(), expected.userType());
        QCOMPARE(value, expected);
        QCOMPARE(capture.lines().size(), 2);
        QVERIFY(capture.lines().at(1).startsWith(valueSignature + QStringLiteral(" stored: ")));
    }

    void emptyStore()
    {
        MessageCapture capture;
        StorageIf store({}, nullptr);
        QVERIFY(capture.lines().isEmpty());
        for (int key = 0; key <= 12; ++key)
            QCOMPARE(store.value(KeyId(key), key), QVariant(key));
    }

    void constructionLogs()
    {
        MessageCapture capture;
        {
            StorageIf store({GprsHomeTxBytes, GprsRoamingLastReset}, nullptr);
        }
        QCOMPARE(capture.lines(), (QStringList{QStringLiteral("StorageIf::StorageIf(const QList<StorageKeys::KeyId>&, QObject*): 3"),
                                               QStringLiteral("StorageIf::StorageIf(const QList<StorageKeys::KeyId>&, QObject*): 12"),
                                               QStringLiteral("virtual StorageIf::~StorageIf():")}));
    }

    // Another process changes key 11: exactly one valueChanged(11, v), v being
    // the value at that moment.
    void externalChangeReported()
    {
        StorageIf store(pageKeys, nullptr);
        QSignalSpy spy(&store, &StorageIf::valueChanged);
        MessageCapture capture;
        QVERIFY(ExternalStore::setString(GprsRoamingUiNotificationPeriodPath, QStringLiteral("12000000")));
        QVERIFY(spy.wait(10000));
        QVERIFY(StoreSync::flush());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().at(0), QVariant(11));
        QCOMPARE(spy.first().at(1), QVariant(QStringLiteral("12000000")));
        QVERIFY(capture.lines().contains(QStringLiteral("void StorageIf::keyValueChanged():")));
    }

    void byteCounterAdvancedOutside()
    {
        StorageIf store(pageKeys, nullptr);
        QSignalSpy spy(&store, &StorageIf::valueChanged);
        QVERIFY(ExternalStore::setInt(GprsHomeRxBytesPath, 5000));
        QVERIFY(spy.wait(10000));
        QCOMPARE(spy.last().at(0), QVariant(int(GprsHomeRxBytes)));
        QCOMPARE(spy.last().at(1), QVariant(5000));
        QVERIFY(ExternalStore::setString(GprsRoamingTxBytesPath, QStringLiteral("9000000000")));
        QVERIFY(spy.wait(10000));
        QCOMPARE(spy.last().at(0), QVariant(int(GprsRoamingTxBytes)));
        QCOMPARE(spy.last().at(1), QVariant(QStringLiteral("9000000000")));
    }

    // Writes pass through as they are and are reported at once, each of them.
    void ownWrites()
    {
        StorageIf store(pageKeys, nullptr);
        QSignalSpy spy(&store, &StorageIf::valueChanged);
        store.setValue(GprsHomeTxBytes, QStringLiteral("0"));
        store.setValue(GprsHomeTxBytes, QStringLiteral("0"));
        QCOMPARE(spy.count(), 2);
        QVERIFY(StoreSync::flush());
        QCOMPARE(spy.count(), 2);
        QCOMPARE(ExternalStore::type(GprsHomeTxBytesPath), QStringLiteral("string"));
        QCOMPARE(ExternalStore::get(GprsHomeTxBytesPath), QStringLiteral("0"));

        store.setValue(GprsHomeLastReset, QVariant());
        QCOMPARE(spy.count(), 3);
        QCOMPARE(store.value(GprsHomeLastReset, QStringLiteral("never")), QVariant(QStringLiteral("never")));
    }

    // The page blocks the store's signals around some of its writes.
    void blockedStoreHearsNothingOfItsWrite()
    {
        StorageIf store(pageKeys, nullptr);
        QSignalSpy spy(&store, &StorageIf::valueChanged);
        MessageCapture capture;
        store.blockSignals(true);
        store.setValue(GprsHomeNotificationPeriod, QStringLiteral("12000000"));
        store.blockSignals(false);
        QVERIFY(StoreSync::flush());
        QCOMPARE(spy.count(), 0);
        // The items were not blocked: the slot still ran.
        QVERIFY(capture.lines().contains(QStringLiteral("void StorageIf::keyValueChanged():")));
        QCOMPARE(store.value(GprsHomeNotificationPeriod, 0), QVariant(QStringLiteral("12000000")));
    }

    // Two stores over the same keys, as two pages would have.
    void secondStoreHearsWrites()
    {
        StorageIf first(pageKeys, nullptr);
        StorageIf second(pageKeys, nullptr);
        QSignalSpy spy(&second, &StorageIf::valueChanged);
        first.setValue(GprsRoamingLastReset, QStringLiteral("5.12.2026.1796450400"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().at(0), QVariant(12));
        QVERIFY(StoreSync::flush());
        QCOMPARE(spy.count(), 1);
    }

    // Only the store's own items are heard.
    void foreignSenderIgnored()
    {
        StorageIf store(pageKeys, nullptr);
        QSignalSpy spy(&store, &StorageIf::valueChanged);
        QVERIFY(QMetaObject::invokeMethod(&store, "keyValueChanged"));
        QCOMPARE(spy.count(), 0);

        LoGConfItem stranger(GprsHomeTxBytesPath);
        QVERIFY(connect(&stranger, SIGNAL(valueChanged()), &store, SLOT(keyValueChanged())));
        QObject other;
        QVERIFY(connect(&other, SIGNAL(destroyed()), &store, SLOT(keyValueChanged())));
        stranger.set(QStringLiteral("7"));
        // Exactly one report: from the store's own item, not from the stranger.
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().at(0), QVariant(int(GprsHomeTxBytes)));
    }

    void repeatedKeyReportsOnce()
    {
        StorageIf store({GprsHomeTxBytes, GprsHomeTxBytes}, nullptr);
        QSignalSpy spy(&store, &StorageIf::valueChanged);
        QVERIFY(ExternalStore::setString(GprsHomeTxBytesPath, QStringLiteral("1")));
        QVERIFY(spy.wait(10000));
        QVERIFY(StoreSync::flush());
        QCOMPARE(spy.count(), 1);
    }

    void destroyedStoreLeavesNoListener()
    {
        {
            StorageIf store(pageKeys, nullptr);
        }
        StorageIf survivor({GprsHomeTxBytes}, nullptr);
        QSignalSpy spy(&survivor, &StorageIf::valueChanged);
        QVERIFY(ExternalStore::setString(GprsHomeTxBytesPath, QStringLiteral("2")));
        QVERIFY(spy.wait(10000));
        QVERIFY(ExternalStore::setString(GprsHomeRxBytesPath, QStringLiteral("2")));
        QVERIFY(StoreSync::flush());
        QCOMPARE(spy.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestStorageIf)
#include "tst_storageif.moc"
