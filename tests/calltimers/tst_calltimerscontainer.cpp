// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "calltimerscontainer.h"
#include "calltimersdialog.h"

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
const QString Timers = QStringLiteral("/cellular/calltimers/");
const QString Never = QStringLiteral("qtn_cell_counters_never"); // no catalog here: texts show their identifiers

void setTimer(const char *name, const QString &value, const QString &type = QStringLiteral("string"))
{
    QVERIFY(ExternalStore::set(Timers + QLatin1String(name), type, value));
}

// What the section shows: the three durations, then the clearing date.
QStringList shown(CallTimersContainer &container)
{
    const QVariantMap parts = ShownPage::callTimers(&container);
    return {parts.value("dialled").toString(), parts.value("received").toString(), parts.value("all").toString(),
            parts.value("date").toString()};
}
}

class TestCallTimersContainer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
        QVERIFY(ExternalStore::clear(Timers.chopped(1)));
        QVERIFY(ExternalStore::unset(ResetDateKey));
        QVERIFY(StoreSync::flush());
    }

    void durations_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("seconds"); // dialled, received, all
        QTest::addColumn<QStringList>("shown");

        const QString en = QStringLiteral("en_GB");
        QTest::newRow("edges") << en << QStringList{"59", "3599", "3600"} << QStringList{"00:00:59", "00:59:59", "01:00:00"};
        QTest::newRow("long") << en << QStringList{"360000", "4294967295", "60"} << QStringList{"100:00:00", "1193046:28:15", "00:01:00"};
        QTest::newRow("ar_EG digits") << "ar_EG" << QStringList{"4294967295", "59", "3661"}
                                      << QStringList{QStringLiteral("١١٩٣٠٤٦:٢٨:١٥"), QStringLiteral("٠٠:٠٠:٥٩"), QStringLiteral("٠١:٠١:٠١")};
    }

    void durations()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, seconds);
        QFETCH(QStringList, shown);
        LoLocale::setDefault(LoLocale(locale));
        for (const char *name : {"dialled", "received", "all"})
            setTimer(name, seconds.takeFirst());

        QTest::ignoreMessage(QtDebugMsg, "CallTimersContainer::CallTimersContainer(QGraphicsItem*):");
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral(
            "^void CallTimersContainer::updateTimers\\(Cellular::CallTimers::CallTimersInfo\\): Cellular::CallTimers\\(0x")));
        CallTimersContainer container;
        QCOMPARE(::shown(container).mid(0, 3), shown);
    }

    void dateFollowsKey_data()
    {
        QTest::addColumn<QString>("stored"); // empty: the key unset
        QTest::addColumn<QString>("shown");
        QTest::newRow("unset") << "" << Never;
        QTest::newRow("date") << "2011-05-03" << "3 May 2011";
        QTest::newRow("other format") << "03.05.2011" << Never;
    }

    // The clearing date as stored, then as another process changes it; each change rereads the timers.
    void dateFollowsKey()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        if (!stored.isEmpty())
            QVERIFY(ExternalStore::setString(ResetDateKey, stored));
        const QString value = stored.isEmpty() ? QStringLiteral("QVariant(Invalid)") : QStringLiteral("QVariant(QString, \"%1\")").arg(stored);
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("void CallTimersContainer::resetDateChanged(): ") + value));
        CallTimersContainer container;
        QCOMPARE(::shown(container).last(), shown);

        setTimer("dialled", QStringLiteral("61"));
        QTRY_COMPARE(::shown(container).first(), QStringLiteral("00:01:01"));
        QVERIFY(ExternalStore::setString(ResetDateKey, QStringLiteral("2020-01-31")));
        QTRY_COMPARE(::shown(container).last(), QStringLiteral("31 Jan 2020"));
        // The timers go away without a word; the next date change finds none.
        setTimer("available", QStringLiteral("false"), QStringLiteral("bool"));
        QVERIFY(ExternalStore::unset(ResetDateKey));
        QTRY_COMPARE(::shown(container), QStringList({"", "", "", Never}));
    }

    void clear_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("available"); // the cellular services
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << "en_GB" << true << true;
        QTest::newRow("no") << "en_GB" << true << false;
        QTest::newRow("yes in Arabic") << "ar_EG" << true << true;
        QTest::newRow("yes without cellular services") << "en_GB" << false << true;
    }

    // Clearing asks first; yes clears the totals and stores today in Latin digits.
    // Without the cellular services no duration shows, and a yes touches nothing.
    void clear()
    {
        QFETCH(QString, locale);
        QFETCH(bool, available);
        QFETCH(bool, yes);
        LoLocale::setDefault(LoLocale(locale));
        setTimer("all", QStringLiteral("121"));
        if (!available)
            setTimer("available", QStringLiteral("false"), QStringLiteral("bool"));
        QVERIFY(ExternalStore::setString(ResetDateKey, QStringLiteral("2011-05-03")));
        CallTimersContainer container;
        const QStringList before = shown(container);
        QCOMPARE(before.at(2).isEmpty(), !available);

        QTest::ignoreMessage(QtDebugMsg, "void CallTimersContainer::clearTimers(): QVariant(QString, \"2011-05-03\")");
        ItemFinder::find<LoButton>(&container, QStringLiteral("timersResetBtn"))->click();
        QPointer<LoMessageBox> box = LoSceneManager::instance()->windowsOfType<LoMessageBox>().value(0);
        QVERIFY(box);
        QCOMPARE(QStringList({box->title(), box->text()}), QStringList({"qtn_cell_reset", "qtn_cell_clear_timers_question"}));
        box->button(yes ? Lo::YesButton : Lo::NoButton)->click();
        QTRY_VERIFY(box.isNull());
        QVERIFY(StoreSync::flush());
        const bool cleared = yes && available;
        const QDate today = QDate::currentDate();
        QCOMPARE(QStringList({ExternalStore::get(Timers + QLatin1String("all")), ExternalStore::get(ResetDateKey)}),
                 cleared ? QStringList({"0", today.toString(Qt::ISODate)}) : QStringList({"121", "2011-05-03"}));
        const QString zero = LoLocale().toLocalizedNumbers(QStringLiteral("00:00:00"));
        const QString date = LoLocale().formatDateTime(today.startOfDay(), LoLocale::DateMedium, LoLocale::TimeNone);
        QTRY_COMPARE(shown(container), cleared ? QStringList({zero, zero, zero, date}) : before);
    }

    void dialog()
    {
        CallTimersDialog dialog;
        QVERIFY(!dialog.isButtonBoxVisible());
        QCOMPARE(dialog.title(), QStringLiteral("qtn_cell_call_timers"));
        QVERIFY(qobject_cast<CallTimersContainer *>(dialog.centralWidget()));
    }
};

QTEST_MAIN(TestCallTimersContainer)
#include "tst_calltimerscontainer.moc"
