// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "storageif.h"

#include "logconfitem.h"
#include "teststore.h"

#include <QtTest>

using namespace StorageKeys;

namespace
{
QList<KeyId> keysFrom(int first, int last)
{
    QList<KeyId> keys;
    for (int key = first; key <= last; ++key)
        keys << KeyId(key);
    return keys;
}

void expectLine(const QString &line)
{
    QTest::ignoreMessage(QtDebugMsg, line.toUtf8().constData());
}
} // namespace

class TestStorageIf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Another process writes each key by its path; the store reports it under
    // the right key, reads it back, and writes to the same path.
    void keyPaths_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("path");
        const QString system = QStringLiteral("/system/tarn/connectivity/network_type/");
        const QString transfer = QStringLiteral("/cellui/settings/datacounter/transfer/");
        const QString general = QStringLiteral("/cellui/settings/datacounter/general/");
        QTest::newRow("0") << 0 << system + QStringLiteral("GPRS/gprs_roaming_permission");
        QTest::newRow("1") << 1 << system + QStringLiteral("restricted_mode");
        QTest::newRow("2") << 2 << system + QStringLiteral("restricted_mode_roaming");
        QTest::newRow("3") << 3 << transfer + QStringLiteral("gprs_home_tx_bytes");
        QTest::newRow("4") << 4 << transfer + QStringLiteral("gprs_home_rx_bytes");
        QTest::newRow("5") << 5 << general + QStringLiteral("gprs_home_notification_period");
        QTest::newRow("6") << 6 << general + QStringLiteral("gprs_home_notification_period_UI");
        QTest::newRow("7") << 7 << general + QStringLiteral("gprs_home_last_reset");
        QTest::newRow("8") << 8 << transfer + QStringLiteral("gprs_roaming_tx_bytes");
        QTest::newRow("9") << 9 << transfer + QStringLiteral("gprs_roaming_rx_bytes");
        QTest::newRow("10") << 10 << general + QStringLiteral("gprs_roaming_notification_period");
        QTest::newRow("11") << 11 << general + QStringLiteral("gprs_roaming_notification_period_UI");
        QTest::newRow("12") << 12 << general + QStringLiteral("gprs_roaming_last_reset");
    }

    void keyPaths()
    {
        QFETCH(int, key);
        QFETCH(QString, path);
        StorageIf store(keysFrom(0, 12), nullptr);
        QSignalSpy spy(&store, &StorageIf::valueChanged);
        const QString outside = QStringLiteral("outside %1").arg(key);
        QVERIFY(ExternalStore::setString(path, outside));
        QVERIFY(StoreSync::flush());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0), (QVariantList{key, outside}));
        QCOMPARE(store.value(KeyId(key), 0), QVariant(outside));

        store.setValue(KeyId(key), QStringLiteral("inside"));
        QCOMPARE(ExternalStore::get(path), QStringLiteral("inside"));
    }

    // The traced calls and what they do, in one sequence: a key outside the
    // store, the caller's default for an unset key, a write reported once per
    // write (two equal writes are two writes), and no late echo.
    void contract()
    {
        QVERIFY(ExternalStore::unset(QStringList{path(GprsHomeNotificationPeriod), path(GprsRoamingLastReset)}));
        const QString build = QStringLiteral("StorageIf::StorageIf(const QList<StorageKeys::KeyId>&, QObject*): ");
        const QString value = QStringLiteral("QVariant StorageIf::value(StorageKeys::KeyId, QVariant): ");
        const QString set = QStringLiteral("void StorageIf::setValue(StorageKeys::KeyId, QVariant): ");
        const QString changed = QStringLiteral("void StorageIf::keyValueChanged():");
        expectLine(build + QStringLiteral("3"));
        expectLine(build + QStringLiteral("12"));
        auto store = std::make_unique<StorageIf>(QList<KeyId>{GprsHomeTxBytes, GprsRoamingLastReset}, nullptr);
        QSignalSpy spy(store.get(), &StorageIf::valueChanged);

        expectLine(value + QStringLiteral("5 QVariant(QString, \"def\")"));
        expectLine(value + QStringLiteral("no such key: 5"));
        QCOMPARE(store->value(GprsHomeNotificationPeriod, QStringLiteral("def")), QVariant(QStringLiteral("def")));
        expectLine(set + QStringLiteral("5 QVariant(QString, \"1\")"));
        store->setValue(GprsHomeNotificationPeriod, QStringLiteral("1"));

        expectLine(value + QStringLiteral("12 QVariant(int, 0)"));
        expectLine(value + QStringLiteral("stored: QVariant(Invalid) def: QVariant(int, 0)"));
        QCOMPARE(store->value(GprsRoamingLastReset, 0), QVariant(0));
        QCOMPARE(store->value(GprsRoamingLastReset, QStringLiteral("never")), QVariant(QStringLiteral("never")));
        for (int i = 0; i < 2; ++i) {
            expectLine(set + QStringLiteral("12 QVariant(QString, \"5.12.2026.1796450400\")"));
            expectLine(changed);
            store->setValue(GprsRoamingLastReset, QStringLiteral("5.12.2026.1796450400"));
        }
        QVERIFY(StoreSync::flush());
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1), (QVariantList{12, QStringLiteral("5.12.2026.1796450400")}));
        bool isSet = true;
        ExternalStore::get(path(GprsHomeNotificationPeriod), &isSet);
        QVERIFY(!isSet);

        expectLine(QStringLiteral("virtual StorageIf::~StorageIf():"));
        store.reset();
    }

    // The page blocks the store around its own writes: its items still hear them.
    void blockedStoreReportsNothing()
    {
        StorageIf store({GprsHomeNotificationPeriod}, nullptr);
        QSignalSpy spy(&store, &StorageIf::valueChanged);
        store.blockSignals(true);
        QTest::ignoreMessage(QtDebugMsg, "void StorageIf::keyValueChanged():");
        store.setValue(GprsHomeNotificationPeriod, QStringLiteral("12000000"));
        store.blockSignals(false);
        QVERIFY(StoreSync::flush());
        QCOMPARE(spy.count(), 0);
        QCOMPARE(store.value(GprsHomeNotificationPeriod, 0), QVariant(QStringLiteral("12000000")));
    }

    // Only the store's own items speak for a key, and a repeated key gets one item.
    void onlyOwnItemsReport()
    {
        StorageIf store({GprsHomeTxBytes, GprsHomeTxBytes}, nullptr);
        QCOMPARE(store.findChildren<LoGConfItem *>().size(), 1);
        QSignalSpy spy(&store, &StorageIf::valueChanged);
        QVERIFY(QMetaObject::invokeMethod(&store, "keyValueChanged"));
        LoGConfItem stranger(path(GprsHomeTxBytes));
        QVERIFY(connect(&stranger, SIGNAL(valueChanged()), &store, SLOT(keyValueChanged())));
        stranger.set(QStringLiteral("7"));
        QVERIFY(StoreSync::flush());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0), (QVariantList{int(GprsHomeTxBytes), QStringLiteral("7")}));
    }
};

QTEST_GUILESS_MAIN(TestStorageIf)
#include "tst_storageif.moc"
