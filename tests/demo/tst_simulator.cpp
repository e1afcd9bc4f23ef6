// cellcounters-simulate against the test's own store: it grows every counter
// from whatever another process left there, feeds the call totals, and seeds.
#include "teststore.h"

#include <QDate>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString Transfer = QStringLiteral("/cellui/settings/datacounter/transfer/");
const QString General = QStringLiteral("/cellui/settings/datacounter/general/");
const QString Calls = QStringLiteral("/cellular/calltimers/");

// Runs the simulator to its end; its exit status.
int simulate(const QStringList &arguments, QString *errors = nullptr)
{
    QProcess process;
    process.start(QStringLiteral(SIMULATE_PROGRAM), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (errors)
        *errors = QString::fromLocal8Bit(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

quint64 storedCount(const QString &key, bool *isText = nullptr)
{
    bool isSet = false;
    const QString text = ExternalStore::get(key, &isSet);
    if (isText)
        *isText = ExternalStore::type(key) == QLatin1String("string");
    bool ok = false;
    const quint64 count = text.toULongLong(&ok);
    return isSet && ok ? count : quint64(-1);
}

} // namespace

class TestSimulator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        ExternalStore::run({QStringLiteral("--recursive-unset"), QStringLiteral("/cellui")});
        ExternalStore::run({QStringLiteral("--recursive-unset"), QStringLiteral("/cellular")});
    }

    void bytesGrowFromWhatIsStored_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<quint64>("start");
        QTest::newRow("unset") << QString() << QString() << quint64(0);
        QTest::newRow("text") << QStringLiteral("string") << QStringLiteral("731870208") << quint64(731870208);
        QTest::newRow("beyond 32 bits") << QStringLiteral("string") << QStringLiteral("5000000000")
                                        << quint64(5000000000ULL);
        QTest::newRow("reset to zero") << QStringLiteral("string") << QStringLiteral("0") << quint64(0);
        QTest::newRow("int") << QStringLiteral("int") << QStringLiteral("4096") << quint64(4096);
        QTest::newRow("negative int") << QStringLiteral("int") << QStringLiteral("-7") << quint64(0);
        QTest::newRow("negative text") << QStringLiteral("string") << QStringLiteral("-5") << quint64(0);
        QTest::newRow("garbage") << QStringLiteral("string") << QStringLiteral("lots") << quint64(0);
    }
    void bytesGrowFromWhatIsStored()
    {
        QFETCH(QString, type);
        QFETCH(QString, stored);
        QFETCH(quint64, start);
        // Each key with the per-step range of the simulator: home busier than roaming.
        struct Key {
            QString path;
            quint64 low, high;
        };
        const QList<Key> keys = {{Transfer + QStringLiteral("gprs_home_rx_bytes"), 20000, 260000},
                                 {Transfer + QStringLiteral("gprs_home_tx_bytes"), 2000, 30000},
                                 {Transfer + QStringLiteral("gprs_roaming_rx_bytes"), 1000, 22000},
                                 {Transfer + QStringLiteral("gprs_roaming_tx_bytes"), 200, 3000}};
        for (const Key &key : keys) {
            if (!type.isEmpty())
                QVERIFY(ExternalStore::set(key.path, type, stored));
        }
        const int steps = 3;
        QCOMPARE(simulate({QStringLiteral("--steps"), QString::number(steps), QStringLiteral("--interval"),
                           QStringLiteral("20")}),
                 0);
        for (const Key &key : keys) {
            bool isText = false;
            const quint64 count = storedCount(key.path, &isText);
            QVERIFY2(isText, qPrintable(key.path));
            QVERIFY2(count >= start + steps * key.low, qPrintable(key.path + QLatin1Char(' ') + QString::number(count)));
            QVERIFY2(count <= start + steps * key.high, qPrintable(key.path + QLatin1Char(' ') + QString::number(count)));
        }
        // Limits and dates are the user's: never touched.
        bool isSet = true;
        ExternalStore::get(General + QStringLiteral("gprs_home_notification_period"), &isSet);
        QVERIFY(!isSet);
        ExternalStore::get(General + QStringLiteral("gprs_home_last_reset"), &isSet);
        QVERIFY(!isSet);
    }

    void callTotalsTick()
    {
        QVERIFY(ExternalStore::setString(Calls + QStringLiteral("dialled"), QStringLiteral("100")));
        QVERIFY(ExternalStore::setString(Calls + QStringLiteral("received"), QStringLiteral("200")));
        QCOMPARE(simulate({QStringLiteral("--steps"), QStringLiteral("3"), QStringLiteral("--interval"),
                           QStringLiteral("20")}),
                 0);
        // A second of call per step, in one direction, counted in all calls too.
        const quint64 dialled = storedCount(Calls + QStringLiteral("dialled"));
        const quint64 received = storedCount(Calls + QStringLiteral("received"));
        QCOMPARE(dialled + received, quint64(303));
        QVERIFY(dialled == 103 || received == 203);
        QCOMPARE(storedCount(Calls + QStringLiteral("all")), quint64(3));
        QCOMPARE(storedCount(Calls + QStringLiteral("last_call")), quint64(3));
    }

    void callTotalsStayInThirtyTwoBits()
    {
        QVERIFY(ExternalStore::setString(Calls + QStringLiteral("all"), QStringLiteral("4294967294")));
        QCOMPARE(simulate({QStringLiteral("--steps"), QStringLiteral("3"), QStringLiteral("--interval"),
                           QStringLiteral("20")}),
                 0);
        QCOMPARE(storedCount(Calls + QStringLiteral("all")), quint64(4294967295ULL));
    }

    void runsUntilStopped()
    {
        QProcess process;
        process.start(QStringLiteral(SIMULATE_PROGRAM), QStringList());
        QVERIFY(process.waitForStarted());
        const QString key = Transfer + QStringLiteral("gprs_home_rx_bytes");
        QTRY_VERIFY_WITH_TIMEOUT(storedCount(key) != quint64(-1), 10000);
        const quint64 first = storedCount(key);
        QTRY_VERIFY_WITH_TIMEOUT(storedCount(key) > first, 10000);
        QCOMPARE(process.state(), QProcess::Running);
        process.terminate();
        QVERIFY(process.waitForFinished(5000));
    }

    void seed()
    {
        // Something left from before is replaced.
        QVERIFY(ExternalStore::setString(General + QStringLiteral("gprs_roaming_last_reset"), QStringLiteral("1.1.2020.0")));
        QCOMPARE(simulate({QStringLiteral("--seed")}), 0);

        QCOMPARE(ExternalStore::get(Transfer + QStringLiteral("gprs_home_tx_bytes")), QStringLiteral("48213504"));
        QCOMPARE(ExternalStore::get(Transfer + QStringLiteral("gprs_home_rx_bytes")), QStringLiteral("731870208"));
        QCOMPARE(ExternalStore::get(Transfer + QStringLiteral("gprs_roaming_tx_bytes")), QStringLiteral("1240000"));
        QCOMPARE(ExternalStore::get(Transfer + QStringLiteral("gprs_roaming_rx_bytes")), QStringLiteral("8620000"));
        // One warning off (with a limit entered before), one on.
        QCOMPARE(ExternalStore::get(General + QStringLiteral("gprs_home_notification_period")), QStringLiteral("0"));
        QCOMPARE(ExternalStore::get(General + QStringLiteral("gprs_home_notification_period_UI")),
                 QStringLiteral("2000000000"));
        QCOMPARE(ExternalStore::get(General + QStringLiteral("gprs_roaming_notification_period")),
                 QStringLiteral("50000000"));
        QCOMPARE(ExternalStore::get(General + QStringLiteral("gprs_roaming_notification_period_UI")),
                 QStringLiteral("50000000"));

        // The home counters were reset in the past, in the page's own stored form.
        const QString reset = ExternalStore::get(General + QStringLiteral("gprs_home_last_reset"));
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})\\.(\\d+)$")).match(reset);
        QVERIFY2(match.hasMatch(), qPrintable(reset));
        const QDate resetDay(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
        QCOMPARE(resetDay.daysTo(QDate::currentDate()), qint64(23));
        QVERIFY(match.captured(4).toLongLong() < QDateTime::currentSecsSinceEpoch());
        // The roaming counters never were.
        bool isSet = true;
        ExternalStore::get(General + QStringLiteral("gprs_roaming_last_reset"), &isSet);
        QVERIFY(!isSet);

        QCOMPARE(ExternalStore::get(Calls + QStringLiteral("dialled")), QStringLiteral("12312"));
        QCOMPARE(ExternalStore::get(Calls + QStringLiteral("received")), QStringLiteral("18160"));
        QCOMPARE(ExternalStore::get(Calls + QStringLiteral("all")), QStringLiteral("30472"));
        const QDate cleared = QDate::fromString(ExternalStore::get(QStringLiteral("/cellui/settings/calltimers/reset_date")),
                                                QStringLiteral("yyyy-MM-dd"));
        QVERIFY(cleared.isValid());
        QCOMPARE(cleared.daysTo(QDate::currentDate()), qint64(64));
    }

    void badArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("zero interval") << QStringList{QStringLiteral("--interval"), QStringLiteral("0")};
        QTest::newRow("text interval") << QStringList{QStringLiteral("--interval"), QStringLiteral("soon")};
        QTest::newRow("negative steps") << QStringList{QStringLiteral("--steps"), QStringLiteral("-1")};
    }
    void badArguments()
    {
        QFETCH(QStringList, arguments);
        QString errors;
        QCOMPARE(simulate(arguments, &errors), 2);
        QVERIFY(errors.contains(QLatin1String("cellcounters-simulate:")));
        // Nothing was written.
        bool isSet = true;
        ExternalStore::get(Transfer + QStringLiteral("gprs_home_rx_bytes"), &isSet);
        QVERIFY(!isSet);
    }
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
