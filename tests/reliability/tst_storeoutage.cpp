// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// The configuration daemon of the session dies while the page is shown; the
// user edits a limit and resets a counter, which brings the daemon back by bus
// activation. The edits reach the new daemon, and later changes are followed.
#include "datacounterwidget.h"

#include "datacounters.h"
#include "storagekeys.h"
#include "testscene.h"
#include "teststore.h"

#include <lobutton.h>
#include <lolocale.h>
#include <lomessagebox.h>
#include <loscenemanager.h>
#include <lotextedit.h>

#include <QLoggingCategory>
#include <QtTest>

using namespace StorageKeys;

class TestStoreOutage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void daemonRestartsUnderThePage()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
        QVERIFY(ExternalStore::setString(path(GprsHomeTxBytes), QStringLiteral("5000000")));
        QVERIFY(ExternalStore::setString(path(GprsHomeNotificationPeriod), QStringLiteral("20000000")));
        DataCounterWidget page(true);
        page.announceDisplayEntered();
        QVERIFY(StoreSync::flush());
        QVERIFY(ExternalStore::stopDaemon());

        ItemFinder::find<LoTextEdit>(&page, QStringLiteral("warningPeriodIput_0"))->setText(QStringLiteral("12"));
        ItemFinder::find<LoButton>(&page, QStringLiteral("resetButton_0"))->click();
        const QList<LoMessageBox *> boxes = LoSceneManager::instance()->windowsOfType<LoMessageBox>();
        QCOMPARE(boxes.size(), 1);
        boxes.first()->button(Lo::YesButton)->click();
        QCOMPARE(ExternalStore::get(path(GprsHomeTxBytes)), QStringLiteral("0"));
        QCOMPARE(ExternalStore::get(path(GprsHomeRxBytes)), QStringLiteral("0"));
        QCOMPARE(ExternalStore::get(path(GprsHomeUiNotificationPeriod)), QStringLiteral("12000000"));
        QCOMPARE(ExternalStore::get(path(GprsHomeNotificationPeriod)), QStringLiteral("12000000"));
        QVERIFY(!ExternalStore::get(path(GprsHomeLastReset)).isEmpty());

        // Changes by other processes are followed again, of keys this process
        // wrote and of keys it never wrote.
        QVERIFY(ExternalStore::setString(path(GprsHomeRxBytes), QStringLiteral("7000000")));
        QVERIFY(ExternalStore::setString(path(GprsRoamingRxBytes), QStringLiteral("4000000")));
        const QString mb = qtTrId(DataCounters::MBText);
        QTRY_COMPARE(ShownPage::section(&page, 0).value(QStringLiteral("received")), QVariant(mb.arg(7)));
        QTRY_COMPARE(ShownPage::section(&page, 1).value(QStringLiteral("received")), QVariant(mb.arg(4)));
    }
};

QTEST_MAIN(TestStoreOutage)
#include "tst_storeoutage.moc"
