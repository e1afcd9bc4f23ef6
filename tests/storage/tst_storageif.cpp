// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "storageif.h"

#include "logconfitem.h"
#include "teststore.h"

#include <QtTest>

using namespace StorageKeys;

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
        const QStringList names{"GPRS/gprs_roaming_permission", "restricted_mode", "restricted_mode_roaming",
                                "transfer/gprs_home_tx_bytes", "transfer/gprs_home_rx_bytes",
                                "general/gprs_home_notification_period", "general/gprs_home_notification_period_UI",
                                "general/gprs_home_last_reset", "transfer/gprs_roaming_tx_bytes",
                                "transfer/gprs_roaming_rx_bytes", "general/gprs_roaming_notification_period",
                                "general/gprs_roaming_notification_period_UI", "general/gprs_roaming_last_reset"};
        for (int key = 0; key < names.size(); ++key) {
            const char *dir = key < 3 ? "/system/tarn/connectivity/network_type/" : "/cellui/settings/datacounter/";
            QTest::newRow(qPrintable(names.at(key))) << key << QLatin1String(dir) + names.at(key);
        }
    }

    void keyPaths()
    {
        QFETCH(int, key);
        QFETCH(QString, path);
        StorageIf store({KeyId(key)}, nullptr);
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
        auto expectLine = [](const QString &line) { QTest::ignoreMessage(QtDebugMsg, qPrintable(line)); };
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
        QCOMPARE(ExternalStore::type(path(GprsHomeNotificationPeriod)), QString());

        expectLine(QStringLiteral("virtual StorageIf::~StorageIf():"));
        store.reset();
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
