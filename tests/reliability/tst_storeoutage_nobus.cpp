// The page built while the store cannot be reached at all (no session bus):
// it shows its defaults, takes the user's actions without blocking or crashing.
#include "datacounterwidget.h"

#include "datacounters.h"

#include "testscene.h"

#include <lobutton.h>
#include <lolocale.h>
#include <lomessagebox.h>
#include <loscenemanager.h>

#include <QLoggingCategory>
#include <QtTest>

class TestStoreOutageNoBus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/cellcounters-test-bus");
        qunsetenv("DISPLAY");
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
    }

    void defaultsAndActions()
    {
        DataCounterWidget page(true);
        page.announceDisplayEntered();
        const QString zero = qtTrId(DataCounters::MBText).arg(QStringLiteral("0"));
        const QString never = qtTrId(DataCounters::DefaultResetDate);
        const QVariantMap expected{
            {QStringLiteral("home.sent"), zero},          {QStringLiteral("home.received"), zero},
            {QStringLiteral("home.switch"), false},       {QStringLiteral("home.field"), QStringLiteral("1000.0")},
            {QStringLiteral("home.date"), never},         {QStringLiteral("roaming.sent"), zero},
            {QStringLiteral("roaming.received"), zero},   {QStringLiteral("roaming.switch"), true},
            {QStringLiteral("roaming.field"), QStringLiteral("10.0")}, {QStringLiteral("roaming.date"), never},
            // Without the store the call timers cannot be read: no durations.
            {QStringLiteral("timers.dialled"), QString()}, {QStringLiteral("timers.received"), QString()},
            {QStringLiteral("timers.all"), QString()},     {QStringLiteral("timers.date"), never},
        };
        QCOMPARE(ShownPage::all(&page), expected);

        // The user's actions go nowhere, but the page follows them and lives on.
        ItemFinder::find<LoButton>(&page, QStringLiteral("warningSwitch_0"))->click();
        ItemFinder::find<LoButton>(&page, QStringLiteral("resetButton_1"))->click();
        const QList<LoMessageBox *> boxes = LoSceneManager::instance()->windowsOfType<LoMessageBox>();
        QCOMPARE(boxes.size(), 1);
        boxes.first()->button(Lo::YesButton)->click();
        QCOMPARE(ShownPage::section(&page, 0).value(QStringLiteral("switch")).toBool(), true);
        const QString today =
            LoLocale().formatDateTime(QDateTime::currentDateTime(), LoLocale::DateMedium, LoLocale::TimeNone);
        QCOMPARE(ShownPage::section(&page, 1).value(QStringLiteral("date")).toString(), today);
        QVERIFY(page.back());
        QCoreApplication::processEvents();
    }
};

QTEST_MAIN(TestStoreOutageNoBus)
#include "tst_storeoutage_nobus.moc"
