#include "calltimerscontainer.h"
#include "calltimersdialog.h"
#include "settingsitem.h"

#include "testscene.h"
#include "teststore.h"

#include "lobutton.h"
#include "lolocale.h"
#include "lomessagebox.h"
#include "loscenemanager.h"

#include <QPointer>
#include <QRegularExpression>
#include <QTest>

namespace
{
const QString ResetDateKey = QStringLiteral("/cellui/settings/calltimers/reset_date");
const QString Never = QStringLiteral("qtn_cell_counters_never"); // no catalog here: texts show their identifiers

QString timersKey(const QString &name)
{
    return QStringLiteral("/cellular/calltimers/") + name;
}

QStringList subtitles(CallTimersContainer &container, const QStringList &names)
{
    QStringList result;
    for (const QString &name : names)
        result << ItemFinder::find<SettingsItem>(&container, name)->subtitle();
    return result;
}

QStringList durations(CallTimersContainer &container)
{
    return subtitles(container, {QStringLiteral("timersDialed"), QStringLiteral("timersReceived"), QStringLiteral("timersAll")});
}

QString resetDate(CallTimersContainer &container)
{
    return subtitles(container, {QStringLiteral("timersResetDate")}).first();
}

QString mediumDate(const QDate &date)
{
    return LoLocale().formatDateTime(date.startOfDay(), LoLocale::DateMedium, LoLocale::TimeNone);
}

// Presses the clear button and answers the box.
void answerClear(CallTimersContainer &container, bool yes)
{
    ItemFinder::find<LoButton>(&container, QStringLiteral("timersResetBtn"))->click();
    QPointer<LoMessageBox> box = LoSceneManager::instance()->windowsOfType<LoMessageBox>().value(0);
    QVERIFY(box);
    QCOMPARE(QStringList({box->title(), box->text()}), QStringList({"qtn_cell_reset", "qtn_cell_clear_timers_question"}));
    QCOMPARE(box->standardButtons(), Lo::YesButton | Lo::NoButton);
    box->button(yes ? Lo::YesButton : Lo::NoButton)->click();
    QTRY_VERIFY(box.isNull());
    QVERIFY(StoreSync::flush());
}
}

class TestCallTimersContainer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void durations_data();
    void durations();
    void resetDateFollowsKey_data();
    void resetDateFollowsKey();
    void clear_data();
    void clear();
    void invalidTimers();
    void dialog();
};

void TestCallTimersContainer::init()
{
    LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
    QVERIFY(ExternalStore::run({QStringLiteral("--recursive-unset"), QStringLiteral("/cellular/calltimers")}));
    QVERIFY(ExternalStore::unset(ResetDateKey));
    QVERIFY(StoreSync::flush());
}

void TestCallTimersContainer::durations_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("seconds"); // dialled, received, all
    QTest::addColumn<QStringList>("shown");

    const QString en = QStringLiteral("en_GB");
    QTest::newRow("zero") << en << QStringList{"0", "0", "0"} << QStringList{"00:00:00", "00:00:00", "00:00:00"};
    QTest::newRow("edges") << en << QStringList{"59", "3599", "3600"} << QStringList{"00:00:59", "00:59:59", "01:00:00"};
    QTest::newRow("long") << en << QStringList{"360000", "4294967295", "60"}
                          << QStringList{"100:00:00", "1193046:28:15", "00:01:00"};
    QTest::newRow("all calls is its own total") << en << QStringList{"60", "3600", "7"}
                                                << QStringList{"00:01:00", "01:00:00", "00:00:07"};
    QTest::newRow("ar_EG digits") << "ar_EG" << QStringList{"4294967295", "59", "3661"}
                                  << QStringList{QStringLiteral("١١٩٣٠٤٦:٢٨:١٥"), QStringLiteral("٠٠:٠٠:٥٩"),
                                                 QStringLiteral("٠١:٠١:٠١")};
}

void TestCallTimersContainer::durations()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, seconds);
    QFETCH(QStringList, shown);
    LoLocale::setDefault(LoLocale(locale));
    const char *const names[] = {"dialled", "received", "all"};
    for (int i = 0; i < 3; ++i)
        QVERIFY(ExternalStore::setString(timersKey(QLatin1String(names[i])), seconds.at(i)));

    QTest::ignoreMessage(QtDebugMsg, "CallTimersContainer::CallTimersContainer(QGraphicsItem*):");
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral(
        "^void CallTimersContainer::updateTimers\\(Cellular::CallTimers::CallTimersInfo\\): Cellular::CallTimers\\(0x")));
    CallTimersContainer container;
    QCOMPARE(container.objectName(), QStringLiteral("CallTimersContainer"));
    QCOMPARE(::durations(container), shown);
}

void TestCallTimersContainer::resetDateFollowsKey_data()
{
    QTest::addColumn<QString>("stored"); // empty: the key unset
    QTest::addColumn<QString>("shown");
    QTest::newRow("unset") << "" << Never;
    QTest::newRow("date") << "2011-05-03" << "3 May 2011";
    QTest::newRow("no such month") << "2011-13-45" << Never;
    QTest::newRow("other format") << "03.05.2011" << Never;
}

// The clearing date as stored, then as another process changes it; each change rereads the timers.
void TestCallTimersContainer::resetDateFollowsKey()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    if (!stored.isEmpty())
        QVERIFY(ExternalStore::setString(ResetDateKey, stored));
    const QString line = QStringLiteral("void CallTimersContainer::resetDateChanged(): %1");
    QTest::ignoreMessage(QtDebugMsg, qPrintable(line.arg(stored.isEmpty() ? QStringLiteral("QVariant(Invalid)")
                                                                          : QStringLiteral("QVariant(QString, \"%1\")").arg(stored))));
    CallTimersContainer container;
    QCOMPARE(resetDate(container), shown);

    QVERIFY(ExternalStore::setString(timersKey(QStringLiteral("dialled")), QStringLiteral("61")));
    QTRY_COMPARE(::durations(container).first(), QStringLiteral("00:01:01"));
    QVERIFY(ExternalStore::setString(ResetDateKey, QStringLiteral("2020-01-31")));
    QTRY_COMPARE(resetDate(container), QStringLiteral("31 Jan 2020"));
    // The timers go away without a word; the next date change finds none.
    QVERIFY(ExternalStore::set(timersKey(QStringLiteral("available")), QStringLiteral("bool"), QStringLiteral("false")));
    QVERIFY(ExternalStore::unset(ResetDateKey));
    QTRY_COMPARE(resetDate(container), Never);
    QCOMPARE(::durations(container), QStringList({"", "", ""}));
}

void TestCallTimersContainer::clear_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << "en_GB" << true;
    QTest::newRow("no") << "en_GB" << false;
    QTest::newRow("yes in Arabic") << "ar_EG" << true;
}

// Clearing asks first; yes clears the totals and stores today in Latin digits.
void TestCallTimersContainer::clear()
{
    QFETCH(QString, locale);
    QFETCH(bool, yes);
    LoLocale::setDefault(LoLocale(locale));
    QVERIFY(ExternalStore::setString(timersKey(QStringLiteral("dialled")), QStringLiteral("60")));
    QVERIFY(ExternalStore::setString(timersKey(QStringLiteral("all")), QStringLiteral("121")));
    QVERIFY(ExternalStore::setString(ResetDateKey, QStringLiteral("2011-05-03")));
    CallTimersContainer container;
    const QStringList before = ::durations(container);

    QTest::ignoreMessage(QtDebugMsg, "void CallTimersContainer::clearTimers(): QVariant(QString, \"2011-05-03\")");
    answerClear(container, yes);
    if (!yes) {
        QCOMPARE(ExternalStore::get(timersKey(QStringLiteral("all"))), QStringLiteral("121"));
        QCOMPARE(ExternalStore::get(ResetDateKey), QStringLiteral("2011-05-03"));
        QCOMPARE(::durations(container), before);
        return;
    }
    QCOMPARE(ExternalStore::get(timersKey(QStringLiteral("all"))), QStringLiteral("0"));
    QCOMPARE(ExternalStore::type(ResetDateKey), QStringLiteral("string"));
    QCOMPARE(ExternalStore::get(ResetDateKey), QDate::currentDate().toString(Qt::ISODate));
    QTRY_COMPARE(::durations(container).last(), LoLocale().toLocalizedNumbers(QStringLiteral("00:00:00")));
    QTRY_COMPARE(resetDate(container), mediumDate(QDate::currentDate()));
}

// Without the cellular services nothing shows, and a yes to clearing touches nothing.
void TestCallTimersContainer::invalidTimers()
{
    QVERIFY(ExternalStore::setString(timersKey(QStringLiteral("dialled")), QStringLiteral("60")));
    QVERIFY(ExternalStore::set(timersKey(QStringLiteral("available")), QStringLiteral("bool"), QStringLiteral("false")));
    CallTimersContainer container;
    QCOMPARE(::durations(container), QStringList({"", "", ""}));
    answerClear(container, true);
    QCOMPARE(ExternalStore::get(timersKey(QStringLiteral("dialled"))), QStringLiteral("60"));
    QCOMPARE(ExternalStore::type(ResetDateKey), QString());
    QCOMPARE(resetDate(container), Never);
}

void TestCallTimersContainer::dialog()
{
    CallTimersDialog dialog;
    QVERIFY(!dialog.isButtonBoxVisible());
    QCOMPARE(dialog.title(), QStringLiteral("qtn_cell_call_timers"));
    auto *container = qobject_cast<CallTimersContainer *>(dialog.centralWidget());
    QVERIFY(container);
    QCOMPARE(container->objectName(), QStringLiteral("CallTimersContainer"));
}

QTEST_MAIN(TestCallTimersContainer)
#include "tst_calltimerscontainer.moc"
