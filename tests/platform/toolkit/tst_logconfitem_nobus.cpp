#include "logconfitem.h"
#include "messagecapture.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

// The configuration store cannot be reached: there is no session bus.
class TestLoGConfItemNoBus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Before the first item opens the process's connection to the store.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/cellcounters-test-bus");
        qunsetenv("DISPLAY");
    }

    void readsAndWritesFailQuietly()
    {
        QElapsedTimer timer;
        timer.start();
        MessageCapture capture;
        LoGConfItem item(QStringLiteral("/cellcounters-tests/nobus/key"));
        QSignalSpy spy(&item, &LoGConfItem::valueChanged);

        QVERIFY(!item.value().isValid());
        QCOMPARE(item.value(QVariant(3)), QVariant(3));
        item.set(QStringLiteral("lost"));
        item.set(QVariant());
        QCOMPARE(spy.count(), 0);
        QVERIFY(!item.value().isValid());
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 0);

        // Each failed operation leaves one debug line that says why.
        const QStringList reads = capture.linesContaining(QStringLiteral("cannot read"));
        const QStringList writes = capture.linesContaining(QStringLiteral("cannot write"));
        QCOMPARE(reads.size(), 3);
        QCOMPARE(writes.size(), 2);
        QVERIFY2(writes.first().contains(QLatin1String("D-BUS")), qPrintable(writes.first()));
        QVERIFY(timer.elapsed() < 5000);
    }

    void manyItemsComeAndGo()
    {
        for (int i = 0; i < 50; ++i) {
            LoGConfItem item(QStringLiteral("/cellcounters-tests/nobus/k%1").arg(i % 5));
            item.set(i);
            QVERIFY(!item.value().isValid());
        }
    }
};

QTEST_GUILESS_MAIN(TestLoGConfItemNoBus)
#include "tst_logconfitem_nobus.moc"
