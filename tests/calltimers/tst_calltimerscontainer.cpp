#include "calltimerscontainer.h"
#include "datacounters.h"
#include "settingsitem.h"

#include "teststore.h"
#include "messagecapture.h"
#include "testscene.h"

#include "lobutton.h"
#include "lolayout.h"
#include "lolinearlayoutpolicy.h"
#include "lolocale.h"
#include "lomessagebox.h"
#include "loscenemanager.h"

#include <QMetaMethod>
#include <QPointer>
#include <QScopedPointer>
#include <QtTest>

#include <ctime>

namespace {

const QString TimersDir = QStringLiteral("/cellular/calltimers");
const QString ResetDateKey = QStringLiteral("/cellui/settings/calltimers/reset_date");

QString timersKey(const char *name)
{
    return TimersDir + QLatin1Char('/') + QLatin1String(name);
}

// The default locale with the page's catalog, as the page installs it.
void useLocale(const QString &name)
{
    LoLocale locale(name);
    locale.installTrCatalog(QStringLiteral("cellular-adaptation"));
    LoLocale::setDefault(locale);
}

SettingsItem *row(CallTimersContainer &container, const char *name)
{
    return ItemFinder::find<SettingsItem>(&container, QLatin1String(name));
}

QList<LoMessageBox *> shownBoxes()
{
    return LoSceneManager::instance()->windowsOfType<LoMessageBox>();
}

LoButton *resetButton(CallTimersContainer &container)
{
    return ItemFinder::find<LoButton>(&container, QStringLiteral("timersResetBtn"));
}

QString mediumDate(const QDate &date)
{
    return LoLocale().formatDateTime(date.startOfDay(), LoLocale::DateMedium, LoLocale::TimeNone);
}

} // namespace

class TestCallTimersContainer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void metaObject();
    void structure();
    void durations_data();
    void durations();
    void allCallsIsItsOwnTotal();
    void localizedDigits();
    void resetDate_data();
    void resetDate();
    void resetDateOnDaylightSavingDay();
    void resetDateFollowsKey();
    void invalidTimers();
    void clearConfirmation_data();
    void clearConfirmation();
    void boxClosesWithSection();
    void callUpdateTime_data();
    void callUpdateTime();
    void logLines();
    void render();
};

void TestCallTimersContainer::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("gconftool-2")).isEmpty())
        QSKIP("gconftool-2 is needed to write the store from another process");
    useLocale(QStringLiteral("en_GB"));
    QCoreApplication::processEvents();
    QCOMPARE(qtTrId(DataCounters::DefaultResetDate), QStringLiteral("Never"));
}

void TestCallTimersContainer::init()
{
    QVERIFY(ExternalStore::run({QStringLiteral("--recursive-unset"), TimersDir}));
    QVERIFY(ExternalStore::unset(ResetDateKey));
    QVERIFY(StoreSync::flush());
}

void TestCallTimersContainer::cleanup()
{
    for (LoMessageBox *box : shownBoxes())
        box->disappear();
    QTRY_VERIFY(shownBoxes().isEmpty());
    if (LoLocale().name() != QLatin1String("en_GB")) {
        useLocale(QStringLiteral("en_GB"));
        QCoreApplication::processEvents();
    }
}

void TestCallTimersContainer::metaObject()
{
    const QMetaObject &mo = CallTimersContainer::staticMetaObject;
    QCOMPARE(mo.className(), "CallTimersContainer");
    QCOMPARE(mo.superClass(), &LoContainer::staticMetaObject);
    QCOMPARE(mo.propertyCount(), mo.propertyOffset());

    QStringList slots;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
        const QMetaMethod method = mo.method(i);
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Private);
        slots << QString::fromLatin1(method.methodSignature());
    }
    const QStringList expected = {
        QStringLiteral("updateTimers()"),
        QStringLiteral("updateTimers(CallTimers::CallTimersInfo)"),
        QStringLiteral("clearTimers()"),
        QStringLiteral("clearTimersAccepted()"),
        QStringLiteral("resetDateChanged()"),
    };
    QCOMPARE(slots, expected);
}

void TestCallTimersContainer::structure()
{
    CallTimersContainer container;
    QCOMPARE(container.objectName(), QStringLiteral("CallTimersContainer"));
    QCOMPARE(container.styleName(), QStringLiteral("CommonContainerInverted"));
    QCOMPARE(container.title(), QStringLiteral("Call timers"));

    auto *layout = dynamic_cast<LoLayout *>(container.centralWidget()->layout());
    QVERIFY(layout);
    LoLinearLayoutPolicy *rows = layout->policy();
    QCOMPARE(rows->orientation(), Qt::Vertical);
    QCOMPARE(rows->count(), 4);

    const struct {
        const char *name;
        QString title;
    } items[] = {
        {"timersDialed", QStringLiteral("Dialled calls")},
        {"timersReceived", QStringLiteral("Received calls")},
        {"timersAll", QStringLiteral("All calls")},
    };
    for (int i = 0; i < 3; ++i) {
        auto *item = dynamic_cast<SettingsItem *>(rows->itemAt(i));
        QVERIFY(item);
        QCOMPARE(item->objectName(), QLatin1String(items[i].name));
        QCOMPARE(item->itemStyle(), SettingsItem::TitleSubtitle);
        QCOMPARE(item->title(), items[i].title);
    }

    auto *panel = dynamic_cast<LoWidgetController *>(rows->itemAt(3));
    QVERIFY(panel);
    QCOMPARE(panel->viewType(), QStringLiteral("background"));
    QCOMPARE(panel->styleName(), QStringLiteral("CommonLargePanelInverted"));
    auto *panelLayout = dynamic_cast<LoLayout *>(panel->layout());
    QVERIFY(panelLayout);
    QCOMPARE(panelLayout->policy()->orientation(), Qt::Horizontal);
    QCOMPARE(panelLayout->policy()->count(), 2);

    auto *date = dynamic_cast<SettingsItem *>(panelLayout->policy()->itemAt(0));
    QVERIFY(date);
    QCOMPARE(date->objectName(), QStringLiteral("timersResetDate"));
    QCOMPARE(date->title(), QStringLiteral("Last reset"));
    QCOMPARE(panelLayout->alignment(date), Qt::AlignLeft);

    auto *button = dynamic_cast<LoButton *>(panelLayout->policy()->itemAt(1));
    QVERIFY(button);
    QCOMPARE(button->objectName(), QStringLiteral("timersResetBtn"));
    QCOMPARE(button->styleName(), QStringLiteral("CommonListButtonInverted"));
    QCOMPARE(button->text(), qtTrId(DataCounters::ResetText));
    QCOMPARE(panelLayout->alignment(button), Qt::AlignRight | Qt::AlignVCenter);
}

void TestCallTimersContainer::durations_data()
{
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << "0" << "00:00:00";
    QTest::newRow("59 s") << "59" << "00:00:59";
    QTest::newRow("one minute") << "60" << "00:01:00";
    QTest::newRow("3599 s") << "3599" << "00:59:59";
    QTest::newRow("one hour") << "3600" << "01:00:00";
    QTest::newRow("one day") << "86399" << "23:59:59";
    QTest::newRow("100 hours") << "360000" << "100:00:00";
    QTest::newRow("largest") << "4294967295" << "1193046:28:15";
}

// Another process writes all three totals; every row follows.
void TestCallTimersContainer::durations()
{
    QFETCH(QString, seconds);
    QFETCH(QString, expected);

    CallTimersContainer container;
    for (const char *name : {"timersDialed", "timersReceived", "timersAll"})
        QCOMPARE(row(container, name)->subtitle(), QStringLiteral("00:00:00"));

    QVERIFY(ExternalStore::setString(timersKey("dialled"), seconds));
    QVERIFY(ExternalStore::setString(timersKey("received"), seconds));
    QVERIFY(ExternalStore::setString(timersKey("all"), seconds));
    QVERIFY(StoreSync::flush());
    for (const char *name : {"timersDialed", "timersReceived", "timersAll"})
        QTRY_COMPARE(row(container, name)->subtitle(), expected);
}

void TestCallTimersContainer::allCallsIsItsOwnTotal()
{
    QVERIFY(ExternalStore::setString(timersKey("last_call"), QStringLiteral("1")));
    QVERIFY(ExternalStore::setString(timersKey("dialled"), QStringLiteral("60")));
    QVERIFY(ExternalStore::setString(timersKey("received"), QStringLiteral("3600")));
    QVERIFY(ExternalStore::setString(timersKey("all"), QStringLiteral("7")));
    CallTimersContainer container;
    QCOMPARE(row(container, "timersDialed")->subtitle(), QStringLiteral("00:01:00"));
    QCOMPARE(row(container, "timersReceived")->subtitle(), QStringLiteral("01:00:00"));
    QCOMPARE(row(container, "timersAll")->subtitle(), QStringLiteral("00:00:07"));
}

void TestCallTimersContainer::localizedDigits()
{
    QVERIFY(ExternalStore::setString(timersKey("dialled"), QStringLiteral("4294967295")));
    QVERIFY(ExternalStore::setString(timersKey("all"), QStringLiteral("3661")));
    CallTimersContainer container;
    QCOMPARE(row(container, "timersDialed")->subtitle(), QStringLiteral("1193046:28:15"));

    // The language changes while the section is shown.
    useLocale(QStringLiteral("ar_EG"));
    QTRY_COMPARE(row(container, "timersDialed")->subtitle(), QString::fromUtf8("١١٩٣٠٤٦:٢٨:١٥"));
    QCOMPARE(row(container, "timersReceived")->subtitle(), QString::fromUtf8("٠٠:٠٠:٠٠"));
    QCOMPARE(row(container, "timersAll")->subtitle(), QString::fromUtf8("٠١:٠١:٠١"));

    // A new total arrives in the same numerals.
    QVERIFY(ExternalStore::setString(timersKey("received"), QStringLiteral("59")));
    QTRY_COMPARE(row(container, "timersReceived")->subtitle(), QString::fromUtf8("٠٠:٠٠:٥٩"));
}

void TestCallTimersContainer::resetDate_data()
{
    QTest::addColumn<QString>("type"); // empty: key unset
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");

    const QString never = QStringLiteral("Never");
    QTest::newRow("unset") << QString() << QString() << never;
    QTest::newRow("date") << "string" << "2011-05-03" << "3 May 2011";
    QTest::newRow("leap day") << "string" << "2012-02-29" << "29 Feb 2012";
    QTest::newRow("far future") << "string" << "9999-12-31" << "31 Dec 9999";
    QTest::newRow("month 13") << "string" << "2011-13-45" << never;
    QTest::newRow("no leap day") << "string" << "2011-02-29" << never;
    QTest::newRow("year 0") << "string" << "0000-01-01" << never;
    QTest::newRow("other format") << "string" << "03.05.2011" << never;
    QTest::newRow("single digits") << "string" << "2011-5-3" << never;
    QTest::newRow("trailing text") << "string" << "2011-05-03x" << never;
    QTest::newRow("with time") << "string" << "2011-05-03 12:00" << never;
    QTest::newRow("empty") << "string" << "" << never;
    QTest::newRow("number") << "int" << "20110503" << never;
    QTest::newRow("bool") << "bool" << "true" << never;
    // Written with the system language's digits by Qt 5: the same date in every language.
    QTest::newRow("Arabic-Indic digits") << "string" << QString::fromUtf8("٢٠١١-٠٥-٠٣") << "3 May 2011";
    QTest::newRow("Persian digits") << "string" << QString::fromUtf8("۲۰۱۱-۰۵-۰۳") << "3 May 2011";
    QTest::newRow("native month 13") << "string" << QString::fromUtf8("٢٠١١-١٣-٠٣") << never;
}

void TestCallTimersContainer::resetDate()
{
    QFETCH(QString, type);
    QFETCH(QString, stored);
    QFETCH(QString, expected);

    if (!type.isEmpty())
        QVERIFY(ExternalStore::set(ResetDateKey, type, stored));
    CallTimersContainer container;
    QCOMPARE(row(container, "timersResetDate")->subtitle(), expected);
}

// Where midnight falls into the daylight saving gap, the day still has a start.
void TestCallTimersContainer::resetDateOnDaylightSavingDay()
{
    const QByteArray oldTz = qgetenv("TZ");
    const bool hadTz = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "America/Sao_Paulo");
    tzset();
    auto restore = qScopeGuard([&] {
        if (hadTz)
            qputenv("TZ", oldTz);
        else
            qunsetenv("TZ");
        tzset();
    });
    QVERIFY(!QDateTime(QDate(2018, 11, 4), QTime(0, 0)).isValid());

    QVERIFY(ExternalStore::setString(ResetDateKey, QStringLiteral("2018-11-04")));
    CallTimersContainer container;
    QCOMPARE(row(container, "timersResetDate")->subtitle(), QStringLiteral("4 Nov 2018"));
}

// The date follows its key whoever writes it, and each change rereads the timers.
void TestCallTimersContainer::resetDateFollowsKey()
{
    QVERIFY(ExternalStore::setString(timersKey("dialled"), QStringLiteral("60")));
    CallTimersContainer container;
    SettingsItem *date = row(container, "timersResetDate");
    QCOMPARE(date->subtitle(), QStringLiteral("Never"));

    QVERIFY(ExternalStore::setString(ResetDateKey, QStringLiteral("2011-05-03")));
    QTRY_COMPARE(date->subtitle(), QStringLiteral("3 May 2011"));
    QVERIFY(ExternalStore::setString(ResetDateKey, QStringLiteral("garbage")));
    QTRY_COMPARE(date->subtitle(), QStringLiteral("Never"));
    QVERIFY(ExternalStore::setString(ResetDateKey, QStringLiteral("2020-01-31")));
    QTRY_COMPARE(date->subtitle(), QStringLiteral("31 Jan 2020"));
    QVERIFY(ExternalStore::unset(ResetDateKey));
    QTRY_COMPARE(date->subtitle(), QStringLiteral("Never"));

    // The cellular services go away without a word; the next date change
    // rereads the timers and finds none.
    QCOMPARE(row(container, "timersDialed")->subtitle(), QStringLiteral("00:01:00"));
    QVERIFY(ExternalStore::set(timersKey("available"), QStringLiteral("bool"), QStringLiteral("false")));
    QVERIFY(StoreSync::flush());
    QCOMPARE(row(container, "timersDialed")->subtitle(), QStringLiteral("00:01:00"));
    QVERIFY(ExternalStore::setString(ResetDateKey, QStringLiteral("2011-05-03")));
    QTRY_COMPARE(row(container, "timersDialed")->subtitle(), QString());
}

void TestCallTimersContainer::invalidTimers()
{
    QVERIFY(ExternalStore::setString(timersKey("dialled"), QStringLiteral("60")));
    QVERIFY(ExternalStore::setString(timersKey("all"), QStringLiteral("60")));
    QVERIFY(ExternalStore::set(timersKey("available"), QStringLiteral("bool"), QStringLiteral("false")));
    CallTimersContainer container;
    for (const char *name : {"timersDialed", "timersReceived", "timersAll"})
        QCOMPARE(row(container, name)->subtitle(), QString());
    QCOMPARE(row(container, "timersResetDate")->subtitle(), QStringLiteral("Never"));

    // The box is still asked; saying yes touches nothing.
    resetButton(container)->click();
    QTRY_COMPARE(shownBoxes().size(), 1);
    shownBoxes().first()->button(Lo::YesButton)->click();
    QTRY_VERIFY(shownBoxes().isEmpty());
    QVERIFY(StoreSync::flush());
    QCOMPARE(ExternalStore::get(timersKey("dialled")), QStringLiteral("60"));
    QCOMPARE(ExternalStore::type(ResetDateKey), QString());
    QCOMPARE(row(container, "timersResetDate")->subtitle(), QStringLiteral("Never"));
}

void TestCallTimersContainer::clearConfirmation_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestCallTimersContainer::clearConfirmation()
{
    QFETCH(bool, yes);

    QVERIFY(ExternalStore::setString(timersKey("dialled"), QStringLiteral("60")));
    QVERIFY(ExternalStore::setString(timersKey("received"), QStringLiteral("61")));
    QVERIFY(ExternalStore::setString(timersKey("all"), QStringLiteral("121")));
    QVERIFY(ExternalStore::setString(ResetDateKey, QStringLiteral("2011-05-03")));
    CallTimersContainer container;

    resetButton(container)->click();
    QTRY_COMPARE(shownBoxes().size(), 1);
    LoMessageBox *box = shownBoxes().first();
    QCOMPARE(box->title(), QStringLiteral("Reset"));
    QCOMPARE(box->text(), QStringLiteral("Clear call timers?"));
    QCOMPARE(box->standardButtons(), Lo::YesButton | Lo::NoButton);
    QCOMPARE(box->deletionPolicy(), LoSceneWindow::DestroyWhenDone);
    QPointer<LoMessageBox> guard(box);

    // Nothing happens before the answer.
    QCOMPARE(ExternalStore::get(timersKey("dialled")), QStringLiteral("60"));

    box->button(yes ? Lo::YesButton : Lo::NoButton)->click();
    QTRY_VERIFY(shownBoxes().isEmpty());
    QTRY_VERIFY(guard.isNull()); // disposed of by the toolkit
    QVERIFY(StoreSync::flush());

    const QDate today = QDate::currentDate();
    if (yes) {
        for (const char *name : {"dialled", "received", "all"})
            QCOMPARE(ExternalStore::get(timersKey(name)), QStringLiteral("0"));
        QCOMPARE(ExternalStore::type(ResetDateKey), QStringLiteral("string"));
        QCOMPARE(ExternalStore::get(ResetDateKey), today.toString(QStringLiteral("yyyy-MM-dd")));
        for (const char *name : {"timersDialed", "timersReceived", "timersAll"})
            QTRY_COMPARE(row(container, name)->subtitle(), QStringLiteral("00:00:00"));
        QTRY_COMPARE(row(container, "timersResetDate")->subtitle(), mediumDate(today));
    } else {
        QCOMPARE(ExternalStore::get(timersKey("dialled")), QStringLiteral("60"));
        QCOMPARE(ExternalStore::get(timersKey("all")), QStringLiteral("121"));
        QCOMPARE(ExternalStore::get(ResetDateKey), QStringLiteral("2011-05-03"));
        QCOMPARE(row(container, "timersDialed")->subtitle(), QStringLiteral("00:01:00"));
        QCOMPARE(row(container, "timersResetDate")->subtitle(), QStringLiteral("3 May 2011"));
    }
}

// A question about a section that is gone is not left on screen.
void TestCallTimersContainer::boxClosesWithSection()
{
    QVERIFY(ExternalStore::setString(timersKey("dialled"), QStringLiteral("60")));
    auto *container = new CallTimersContainer;
    resetButton(*container)->click();
    QTRY_COMPARE(shownBoxes().size(), 1);
    QPointer<LoMessageBox> box = shownBoxes().first();
    delete container;
    QTRY_VERIFY(shownBoxes().isEmpty());
    QTRY_VERIFY(box.isNull());
    QVERIFY(StoreSync::flush());
    QCOMPARE(ExternalStore::get(timersKey("dialled")), QStringLiteral("60"));
    QCOMPARE(ExternalStore::type(ResetDateKey), QString());
}

void TestCallTimersContainer::callUpdateTime_data()
{
    QTest::addColumn<bool>("available");
    QTest::addColumn<QString>("storedType"); // empty: unset
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expectedType");
    QTest::addColumn<QString>("expected");

    // The library writes its setting as text, so a stored int shows it was left alone.
    QTest::newRow("unset") << true << QString() << QString() << "string" << "1";
    QTest::newRow("other setting") << true << "int" << "5" << "string" << "1";
    QTest::newRow("already 1") << true << "int" << "1" << "int" << "1";
    QTest::newRow("unavailable") << false << "int" << "5" << "int" << "5";
    QTest::newRow("unavailable, unset") << false << QString() << QString() << QString() << QString();
}

void TestCallTimersContainer::callUpdateTime()
{
    QFETCH(bool, available);
    QFETCH(QString, storedType);
    QFETCH(QString, stored);
    QFETCH(QString, expectedType);
    QFETCH(QString, expected);

    const QString key = timersKey("update_interval");
    if (!available)
        QVERIFY(ExternalStore::set(timersKey("available"), QStringLiteral("bool"), QStringLiteral("false")));
    if (!storedType.isEmpty())
        QVERIFY(ExternalStore::set(key, storedType, stored));
    CallTimersContainer container;
    QCOMPARE(ExternalStore::type(key), expectedType);
    QCOMPARE(ExternalStore::get(key), expected);
}

void TestCallTimersContainer::logLines()
{
    QVERIFY(ExternalStore::setString(ResetDateKey, QStringLiteral("2011-05-03")));
    MessageCapture capture;
    CallTimersContainer container;
    const QStringList lines = capture.lines(QtDebugMsg);
    QVERIFY(lines.contains(QStringLiteral("CallTimersContainer::CallTimersContainer(QGraphicsItem*):")));
    QVERIFY(lines.contains(
        QStringLiteral("void CallTimersContainer::resetDateChanged(): QVariant(QString, \"2011-05-03\")")));
    const QStringList updates =
        capture.linesContaining(QStringLiteral("void CallTimersContainer::updateTimers(Cellular::CallTimers::CallTimersInfo): "));
    QCOMPARE(updates.size(), 1);
    QVERIFY2(updates.first().contains(QStringLiteral("Cellular::CallTimers(0x")), qPrintable(updates.first()));

    capture.clear();
    resetButton(container)->click();
    QVERIFY(capture.lines(QtDebugMsg).contains(
        QStringLiteral("void CallTimersContainer::clearTimers(): QVariant(QString, \"2011-05-03\")")));
}

void TestCallTimersContainer::render()
{
    QVERIFY(ExternalStore::setString(timersKey("dialled"), QStringLiteral("4294967295")));
    QVERIFY(ExternalStore::setString(ResetDateKey, QStringLiteral("2011-05-03")));
    CallTimersContainer container;
    const QImage image = SceneShot::render(&container);
    SceneShot::save(image, QStringLiteral("calltimerscontainer"));
    QVERIFY(!image.isNull());
    const QRgb background = SceneShot::dominantColor(image);
    // Every row and the button draw something of their own.
    for (const char *name : {"timersDialed", "timersReceived", "timersAll", "timersResetDate", "timersResetBtn"}) {
        auto *part = ItemFinder::find<QGraphicsWidget>(&container, QLatin1String(name));
        QVERIFY(part);
        const QRect area = SceneShot::toImage(&container, part);
        QVERIFY2(!area.isEmpty(), name);
        QVERIFY2(SceneShot::inkPixels(image, area, background) > 20, name);
    }
}

QTEST_MAIN(TestCallTimersContainer)
#include "tst_calltimerscontainer.moc"
