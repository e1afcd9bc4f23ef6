// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// What each network reads from its five keys, unset, hostile or set: every row
// writes all ten keys by path, so that a key read for the wrong network, or a
// default of the wrong network, fails a row.
#include "networkcounters.h"

#include "logconfitem.h"
#include "storageif.h"

#include <QtTest>

#include <limits>

class TestNetworkCounters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("cellcounters.debug=false")); }

    void rules_data()
    {
        QTest::addColumn<int>("network");
        // "KEY=[int:]VALUE ..." by key number; keys not named are unset.
        QTest::addColumn<QString>("stored");
        // sent, received, traffic, limit in force, entered limit, reset date
        QTest::addColumn<QVariantList>("read");
        const QString never = QStringLiteral("qtn_cell_counters_never");
        const QString home = QStringLiteral("3=1 4=2 5=3 6=4 7=1.1.2001.0");
        const QString roaming = QStringLiteral("8=5 9=6 10=7 11=8 12=2.2.2002.0");
        const qulonglong most = std::numeric_limits<qulonglong>::max();

        QTest::newRow("home, unset") << 0 << roaming << QVariantList{0, 0, 0, 0, 1000000000, never};
        QTest::newRow("roaming, unset") << 1 << home << QVariantList{0, 0, 0, 10000000, 10000000, never};
        QTest::newRow("home, set") << 0 << home + QLatin1Char(' ') + roaming << QVariantList{1, 2, 3, 3, 4, "1.1.2001.0"};
        QTest::newRow("roaming, set") << 1 << home + QLatin1Char(' ') + roaming << QVariantList{5, 6, 11, 7, 8, "2.2.2002.0"};
        // A value that is there but no byte count is 0, not the default: the warning is off.
        QTest::newRow("home, hostile") << 0 << QStringLiteral("3=-5 4=abc 5=abc 6=int:-1 7=int:0") << QVariantList{0, 0, 0, 0, 0, "0"};
        QTest::newRow("roaming, hostile") << 1 << QStringLiteral("8=1e3 9=int:-7 10= 11=x 12=") << QVariantList{0, 0, 0, 0, 0, ""};
        QTest::newRow("roaming, int counts, saturated")
            << 1 << QStringLiteral("8=int:2000000000 9=18446744073709551615 10=int:40000000")
            << QVariantList{2000000000, most, most, 40000000, 10000000, never};
    }

    void rules()
    {
        QFETCH(int, network);
        QFETCH(QString, stored);
        QFETCH(QVariantList, read);
        QHash<int, QString> values;
        for (const QString &write : stored.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            values.insert(write.section(QLatin1Char('='), 0, 0).toInt(), write.section(QLatin1Char('='), 1));
        for (int key = StorageKeys::GprsHomeTxBytes; key <= StorageKeys::GprsRoamingLastReset; ++key) {
            LoGConfItem item(StorageKeys::path(key));
            const QString value = values.value(key);
            if (!values.contains(key))
                item.unset();
            else if (value.startsWith(QLatin1String("int:")))
                item.set(value.mid(4).toInt());
            else
                item.set(value);
        }

        StorageIf store(NetworkCounters::storeKeys());
        const NetworkCounters counters(NetworkCounters::Network(network), &store);
        const QVariantList got{qulonglong(counters.bytesSent()), qulonglong(counters.bytesReceived()), counters.traffic(),
                               qulonglong(counters.limit()), qulonglong(counters.enteredLimit()), counters.resetDate()};
        QCOMPARE(got.size(), read.size());
        for (int i = 0; i < read.size(); ++i)
            QCOMPARE(got.at(i).toString(), read.at(i).toString());
        QCOMPARE(counters.isWarningOn(), read.at(3).toULongLong() != 0);
    }
};

QTEST_GUILESS_MAIN(TestNetworkCounters)
#include "tst_networkcounters.moc"
