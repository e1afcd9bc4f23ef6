// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// The store cannot be reached at all (no session bus): reads give their
// defaults, writes do nothing, debug lines say why and nothing is reported; the
// page shows its defaults and follows the user's actions; nothing blocks or crashes.
#include "datacounterwidget.h"

#include "datacounters.h"
#include "loconfstore_p.h"
#include "storageif.h"
#include "testscene.h"

#include <lobutton.h>
#include <lolocale.h>
#include <lomessagebox.h>
#include <loscenemanager.h>

#include <QtTest>

class TestNoBus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/cellcounters-test-bus");
        qunsetenv("DISPLAY");
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
    }

    void page()
    {
        // dconf reads its database file without the bus; GConf asks its daemon.
        const bool readable = LoConfStore::instance().backendName() == QLatin1String("dconf");
        const QString why = QStringLiteral("\" : .+");
        if (!readable) {
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^LoGConfItem: cannot read \".*gprs_home_tx_bytes") + why));
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^store unreachable: .*D-BUS")));
        }
        DataCounterWidget page(true);
        page.announceDisplayEntered();
        QSignalSpy reports(page.findChild<StorageIf *>(), &StorageIf::valueChanged);
        const QString zero = qtTrId(DataCounters::MBText).arg(0);
        const QString never = qtTrId(DataCounters::DefaultResetDate);
        // Without the store the call timers cannot be read: no durations.
        const QString timer = readable ? QStringLiteral("00:00:00") : QString();
        QVariantMap expected{{"home.sent", zero}, {"home.received", zero}, {"home.switch", false}, {"home.field", "1000.0"},
                             {"home.date", never}, {"roaming.sent", zero}, {"roaming.received", zero},
                             {"roaming.switch", true}, {"roaming.field", "10.0"}, {"roaming.date", never},
                             {"timers.dialled", timer}, {"timers.received", timer}, {"timers.all", timer}, {"timers.date", never}};
        QCOMPARE(ShownPage::all(&page), expected);

        // The user's actions are tried on the store and fail there. GConf refuses
        // them at once and the page keeps what the user did; dconf takes them in
        // the background, and once they are refused the page shows again what
        // the store holds.
        for (const char *key : {"gprs_home_notification_period", "gprs_roaming_tx_bytes"})
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^LoGConfItem: cannot write \".*") + QLatin1String(key) + why));
        ItemFinder::find<LoButton>(&page, QStringLiteral("warningSwitch_0"))->click();
        for (const char *button : {"resetButton_1", "timersResetBtn"}) {
            ItemFinder::find<LoButton>(&page, QLatin1String(button))->click();
            const QList<LoMessageBox *> boxes = LoSceneManager::instance()->windowsOfType<LoMessageBox>();
            QCOMPARE(boxes.size(), 1);
            boxes.first()->button(Lo::YesButton)->click();
        }
        const QString today = LoLocale().formatDateTime(QDateTime::currentDateTime(), LoLocale::DateMedium, LoLocale::TimeNone);
        QVariantMap followed = expected;
        followed.insert(QStringLiteral("home.switch"), true);
        followed.insert(QStringLiteral("roaming.date"), today);
        if (readable) // the call timers show what they read back, the clearing until it is refused
            followed.insert(QStringLiteral("timers.date"), today);
        QCOMPARE(ShownPage::all(&page), followed);
        if (readable) {
            QTRY_COMPARE(ShownPage::all(&page), expected);
        } else {
            QCOMPARE(reports.count(), 0);
        }
        QVERIFY(page.back());
        QCoreApplication::processEvents();
    }
};

QTEST_MAIN(TestNoBus)
#include "tst_nobus.moc"
