// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// Another process writes a byte counter as fast as it can while the page is
// shown: the page ends showing the last value, its event loop keeps turning
// during the storm, and its heap does not grow with the number of writes.
#include "datacounterwidget.h"

#include "datacounters.h"
#include "heapusage.h"
#include "storageif.h"
#include "testscene.h"
#include "teststore.h"

#include <lolocale.h>

#include <QLoggingCategory>
#include <QtTest>

class TestUpdateStorm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storm()
    {
        // One debug line per notification would dominate the run.
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
        const QString key = StorageKeys::path(StorageKeys::GprsHomeTxBytes);
        QVERIFY(ExternalStore::unset(key));
        DataCounterWidget page(true);
        page.announceDisplayEntered();
        StoreWriterProcess writer;
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });

        // Each storm ends on a value of its own; the first one only warms up.
        const struct {
            int count;
            qulonglong last;
            const char *shown;
        } storms[] = {{1000, 100000000000ULL, "100,000"}, {10000, 123456789000ULL, "123,456.8"},
                      {10000, 223456789000ULL, "223,456.8"}};
        int reports = 0;
        connect(page.findChild<StorageIf *>(), &StorageIf::valueChanged, this, [&reports] { ++reports; });
        QList<qint64> heap;
        for (const auto &storm : storms) {
            ticks = 0;
            ticker.start(10);
            QVERIFY(writer.send(QStringLiteral("burst %1 %2 %3").arg(key).arg(storm.count).arg(storm.last - storm.count + 1)));
            QVERIFY(writer.waitForAnswer(600000));
            ticker.stop();
            QVERIFY(ticks > 0); // the event loop kept turning while notifications poured in
            QVERIFY(StoreSync::flush(60000));
            QTRY_COMPARE(ShownPage::section(&page, 0).value(QStringLiteral("sent")).toString(),
                         qtTrId(DataCounters::MBText).arg(QLatin1String(storm.shown)));
            heap << HeapUsage::inUse();
        }
        qInfo("%d reports; heap in use after each storm: %lld, %lld, %lld bytes", reports, heap[0], heap[1], heap[2]);
        // The first storm still fills caches. After it, a block lost per report
        // shows as thousands of blocks; the bound leaves room for the bus
        // libraries' buffers, which grow while a loaded machine lets notices pile up.
        QVERIFY2(heap[1] - heap[0] < 2 * 1024 * 1024, qPrintable(QString::number(heap[1] - heap[0])));
        QVERIFY2(heap[2] - heap[1] < 128 * 1024, qPrintable(QString::number(heap[2] - heap[1])));
    }
};

QTEST_MAIN(TestUpdateStorm)
#include "tst_updatestorm.moc"
