// Another process writes a byte counter as fast as it can while the page is
// shown: the page ends showing the last value, its event loop keeps turning
// during the storm, and its memory does not grow once the storm is over.
#include "datacounterwidget.h"

#include "datacounters.h"
#include "storagekeys.h"

#include "teststore.h"
#include "heapusage.h"
#include "testscene.h"

#include <lolocale.h>

#include <QLoggingCategory>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

namespace
{
const int StormSize = 10000;

QString megabytes(const QString &number)
{
    return qtTrId(DataCounters::MBText).arg(number);
}
} // namespace

class TestUpdateStorm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // One debug line per notification would dominate the run.
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
    }

    void storm()
    {
        const QString key = StorageKeys::path(StorageKeys::GprsHomeTxBytes);
        QVERIFY(ExternalStore::unset(key));
        DataCounterWidget page(true);
        page.announceDisplayEntered();

        StoreWriterProcess writer(QStringLiteral(CELLCOUNTERS_STOREWRITER));
        QVERIFY(writer.start());

        int ticks = 0;
        qint64 stormMs = 0;
        QTimer ticker;
        ticker.setInterval(10);
        connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });

        // Each storm ends on a value of its own: 123,456,789,000 + n bytes.
        auto runStorm = [&](int count, qulonglong last) {
            ticks = 0;
            QElapsedTimer clock;
            clock.start();
            ticker.start();
            const bool answered = writer.run(StoreWriterProcess::burst(key, count, last - count + 1), 600000);
            ticker.stop();
            stormMs = clock.elapsed();
            return answered;
        };

        // Warm-up: caches, the writer's connection, the notification paths.
        QVERIFY(runStorm(1000, 100000000000ULL));
        QVERIFY(StoreSync::flush(60000));
        QTRY_COMPARE(ShownPage::section(&page, 0).value(QStringLiteral("sent")).toString(),
                     megabytes(QStringLiteral("100,000")));
        const qint64 warm = HeapUsage::inUse();

        QVERIFY(runStorm(StormSize, 123456789000ULL));
        const int stormTicks = ticks;
        const qint64 firstStormMs = stormMs;
        QVERIFY(StoreSync::flush(60000));
        QTRY_COMPARE(ShownPage::section(&page, 0).value(QStringLiteral("sent")).toString(),
                     megabytes(QStringLiteral("123,456.8")));
        const qint64 afterFirst = HeapUsage::inUse();

        QVERIFY(runStorm(StormSize, 223456789000ULL));
        QVERIFY(StoreSync::flush(60000));
        QTRY_COMPARE(ShownPage::section(&page, 0).value(QStringLiteral("sent")).toString(),
                     megabytes(QStringLiteral("223,456.8")));
        const qint64 afterSecond = HeapUsage::inUse();

        qInfo("storm of %d writes in %lld ms: %d ticks of a 10 ms timer during it; heap in use %lld bytes after warm-up, %lld after "
              "the first storm, %lld after the second",
              StormSize, firstStormMs, stormTicks, warm, afterFirst, afterSecond);
        // The event loop kept turning while the notifications poured in.
        QVERIFY(stormTicks > 0);
        // A generous bound: a leak per notification would be 10,000 blocks.
        QVERIFY2(afterFirst - warm < 2 * 1024 * 1024, qPrintable(QString::number(afterFirst - warm)));
        QVERIFY2(afterSecond - afterFirst < 512 * 1024, qPrintable(QString::number(afterSecond - afterFirst)));
    }
};

QTEST_MAIN(TestUpdateStorm)
#include "tst_updatestorm.moc"
