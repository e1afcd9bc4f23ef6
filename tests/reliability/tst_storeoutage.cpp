// The configuration daemon of the session dies while the page is shown; the
// user edits a limit and resets a counter, which brings the daemon back by bus
// activation. The library keeps working and follows later changes again.
#include "datacounterwidget.h"

#include "datacounters.h"
#include "storagekeys.h"

#include "teststore.h"
#include "testscene.h"

#include <lobutton.h>
#include <lolocale.h>
#include <lomessagebox.h>
#include <loscenemanager.h>
#include <lotextedit.h>

#include <QLoggingCategory>
#include <QtTest>

class TestStoreOutage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
    }

    void daemonRestartsUnderThePage()
    {
        using namespace StorageKeys;
        QVERIFY(ExternalStore::setString(path(GprsHomeTxBytes), QStringLiteral("5000000")));
        QVERIFY(ExternalStore::setString(path(GprsHomeNotificationPeriod), QStringLiteral("20000000")));
        DataCounterWidget page(true);
        page.announceDisplayEntered();
        QVERIFY(StoreSync::flush());

        QVERIFY(ExternalStore::stopDaemon());

        // The user types a limit and resets the home counters.
        ItemFinder::find<LoTextEdit>(&page, QStringLiteral("warningPeriodIput_0"))->setText(QStringLiteral("12"));
        ItemFinder::find<LoButton>(&page, QStringLiteral("resetButton_0"))->click();
        const QList<LoMessageBox *> boxes = LoSceneManager::instance()->windowsOfType<LoMessageBox>();
        QCOMPARE(boxes.size(), 1);
        boxes.first()->button(Lo::YesButton)->click();

        const QString stored = ExternalStore::get(path(GprsHomeUiNotificationPeriod));
        const QString storedLimit = ExternalStore::get(path(GprsHomeNotificationPeriod));
        const QString storedSent = ExternalStore::get(path(GprsHomeTxBytes));
        qInfo("after the restart: entered limit %s, limit %s, bytes sent %s", qPrintable(stored),
              qPrintable(storedLimit), qPrintable(storedSent));
        QCOMPARE(storedSent, QStringLiteral("0"));
        QCOMPARE(stored, QStringLiteral("12000000"));
        QCOMPARE(storedLimit, QStringLiteral("12000000"));

        // Changes by other processes are followed again, those made before the
        // event loop has turned since the restart included.
        QVERIFY(ExternalStore::setString(path(GprsHomeRxBytes), QStringLiteral("7000000")));
        QVERIFY(ExternalStore::setString(path(GprsRoamingTxBytes), QStringLiteral("3000000")));
        QTRY_COMPARE(ShownPage::section(&page, 0).value(QStringLiteral("received")).toString(),
                     qtTrId(DataCounters::MBText).arg(QStringLiteral("7")));
        QTRY_COMPARE(ShownPage::section(&page, 1).value(QStringLiteral("sent")).toString(),
                     qtTrId(DataCounters::MBText).arg(QStringLiteral("3")));

        // And later ones, of keys this process never wrote.
        QVERIFY(ExternalStore::setString(path(GprsRoamingRxBytes), QStringLiteral("4000000")));
        QTRY_COMPARE(ShownPage::section(&page, 1).value(QStringLiteral("received")).toString(),
                     qtTrId(DataCounters::MBText).arg(QStringLiteral("4")));
    }
};

QTEST_MAIN(TestStoreOutage)
#include "tst_storeoutage.moc"
