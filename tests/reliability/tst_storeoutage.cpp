// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// The configuration daemon of the session dies while the page is shown; the
// user edits a limit and resets a counter, which brings the daemon back by bus
// activation. The edits reach the new daemon, and later changes are followed.
#include "datacounterwidget.h"

#include "datacounters.h"
#include "loconfstore_p.h"
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

    // The daemon cannot write its database: a change the user makes is refused
    // after the page has shown it, and the page shows again what is stored.
    void databaseUnwritable()
    {
        if (LoConfStore::instance().backendName() != QLatin1String("dconf"))
            QSKIP("GConf's writes wait for the daemon's answer");
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\nlotoolkit.config.debug=true"));
        QVERIFY(ExternalStore::setString(path(GprsRoamingNotificationPeriod), QStringLiteral("20000000")));
        DataCounterWidget page(true);
        page.announceDisplayEntered();
        QVERIFY(StoreSync::flush());
        // Where the database file was, a directory: it cannot be replaced, not even by root.
        const QString database = QDir::home().filePath(QStringLiteral(".config/dconf/user"));
        QVERIFY(QFile::rename(database, database + QStringLiteral(".saved")));
        QVERIFY(QDir().mkpath(database + QStringLiteral("/blocked")));

        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^LoGConfItem: cannot write \".*gprs_roaming_notification_period\" : ")));
        auto *warning = ItemFinder::find<LoButton>(&page, QStringLiteral("warningSwitch_1"));
        warning->click();
        QCOMPARE(warning->isChecked(), false);
        QTRY_COMPARE(warning->isChecked(), true);
        QCOMPARE(ShownPage::section(&page, 1).value(QStringLiteral("field")), QVariant(QStringLiteral("20.0")));

        QVERIFY(QDir(database).removeRecursively());
        QVERIFY(QFile::rename(database + QStringLiteral(".saved"), database));
        QVERIFY(ExternalStore::setString(path(GprsRoamingNotificationPeriod), QStringLiteral("20000000")));
    }
};

QTEST_MAIN(TestStoreOutage)
#include "tst_storeoutage.moc"
