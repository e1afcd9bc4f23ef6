// Counts as other processes leave them in the store, and how the feeder grows them.
#include "storecount.h"

#include <QtTest>

#include <limits>

class TestStoreCount : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<quint64>("count");
        const quint64 max = std::numeric_limits<quint64>::max();
        QTest::newRow("unset") << QVariant() << quint64(0);
        QTest::newRow("text") << QVariant(QStringLiteral("731870208")) << quint64(731870208);
        QTest::newRow("text with spaces") << QVariant(QStringLiteral(" 12 ")) << quint64(12);
        QTest::newRow("beyond 32 bits") << QVariant(QStringLiteral("5000000000")) << quint64(5000000000ULL);
        QTest::newRow("largest") << QVariant(QStringLiteral("18446744073709551615")) << max;
        QTest::newRow("beyond 64 bits") << QVariant(QStringLiteral("18446744073709551616")) << quint64(0);
        QTest::newRow("negative text") << QVariant(QStringLiteral("-5")) << quint64(0);
        QTest::newRow("garbage") << QVariant(QStringLiteral("12abc")) << quint64(0);
        QTest::newRow("empty text") << QVariant(QString()) << quint64(0);
        QTest::newRow("int") << QVariant(4096) << quint64(4096);
        QTest::newRow("negative int") << QVariant(-7) << quint64(0);
        QTest::newRow("bool") << QVariant(true) << quint64(0);
        QTest::newRow("double") << QVariant(3.5) << quint64(0);
    }
    void read()
    {
        QFETCH(QVariant, stored);
        QFETCH(quint64, count);
        QCOMPARE(StoreCount::read(stored), count);
    }

    void add_data()
    {
        QTest::addColumn<quint64>("count");
        QTest::addColumn<quint64>("step");
        QTest::addColumn<quint64>("sum");
        const quint64 max = std::numeric_limits<quint64>::max();
        QTest::newRow("plain") << quint64(1000) << quint64(24) << quint64(1024);
        QTest::newRow("past 32 bits") << quint64(0xffffffffULL) << quint64(1) << quint64(0x100000000ULL);
        QTest::newRow("to the largest") << max - 1 << quint64(1) << max;
        QTest::newRow("beyond the largest") << max - 1 << quint64(5) << max;
        QTest::newRow("at the largest") << max << max << max;
    }
    void add()
    {
        QFETCH(quint64, count);
        QFETCH(quint64, step);
        QFETCH(quint64, sum);
        QCOMPARE(StoreCount::add(count, step), sum);
    }

    void storedAsText()
    {
        // Beyond what a GConf integer holds, so only text keeps it.
        const QVariant stored = StoreCount::toStored(5000000000ULL);
        QCOMPARE(stored.userType(), int(QMetaType::QString));
        QCOMPARE(stored.toString(), QStringLiteral("5000000000"));
        QCOMPARE(StoreCount::read(stored), quint64(5000000000ULL));
    }
};

QTEST_GUILESS_MAIN(TestStoreCount)
#include "tst_storecount.moc"
