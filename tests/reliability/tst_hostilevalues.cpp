// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// Every key that the library reads is written by other processes of the phone,
// so anything may be in it. Each hostile value goes into all of those keys at
// once, while the page is shown and before it is built: the page keeps running,
// shows a defined text for every part and writes nothing it was not asked to.
#include "datacounterwidget.h"

#include "datacounters.h"
#include "storagekeys.h"
#include "testscene.h"
#include "teststore.h"

#include <lolocale.h>

#include <QLoggingCategory>
#include <QtTest>

#include <memory>

namespace
{
const QString UpdateIntervalKey = QStringLiteral("/cellular/calltimers/update_interval");

// Every key the library reads; an entered limit before its limit in force,
// which makes the page read the entered one.
QStringList readKeys()
{
    QStringList keys;
    for (int key : {6, 11, 3, 4, 5, 7, 8, 9, 10, 12})
        keys << StorageKeys::path(key);
    keys << QStringLiteral("/cellui/settings/calltimers/reset_date");
    for (const char *name : {"last_call", "dialled", "received", "all"})
        keys << QStringLiteral("/cellular/calltimers/") + QLatin1String(name);
    return keys << UpdateIntervalKey;
}

QStringList snapshot()
{
    return ExternalStore::dump(QStringLiteral("/cellui")) + ExternalStore::dump(QStringLiteral("/cellular"));
}
} // namespace

class TestHostileValues : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Every read is logged with its value: 100 kB texts would flood the output.
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
        m_page = std::make_unique<DataCounterWidget>(true);
        m_scene.scene()->addItem(m_page.get());
        QVERIFY(m_scene.activate());
        m_page->announceDisplayEntered();
    }

    void whileShown_data() { rows(); }
    void whileShown() { check(m_page.get(), false); }

    void beforeBuilt_data() { rows(); }
    void beforeBuilt()
    {
        m_page.reset();
        DataCounterWidget page(true);
        check(&page, true);
    }

private:
    void rows()
    {
        QTest::addColumn<QString>("type"); // "unset", a scalar type, or "list"
        QTest::addColumn<QString>("value"); // list elements separated by ','
        QTest::addColumn<QString>("amount"); // every amount row, in MB
        QTest::addColumn<QVariantList>("limits"); // home switch and field, roaming switch and field
        QTest::addColumn<QString>("date"); // both reset dates: "today", "never" or "year 1"
        QTest::addColumn<QString>("duration"); // each call total
        const QString max32 = QStringLiteral("1193046:28:15");
        const QString zero = QStringLiteral("00:00:00");
        const QVariantList off{false, QStringLiteral("0.0"), false, QStringLiteral("0.0")};
        const QVariantList defaults{false, QStringLiteral("1000.0"), true, QStringLiteral("10.0")};
        auto on = [](const char *field) { return QVariantList{true, field, true, field}; };
        // Unset keys: home warning off, roaming on, each with its default limit.
        QTest::newRow("unset") << "unset" << QString() << "0" << defaults << "never" << zero;
        // Texts that are no number count as 0 bytes: warning off.
        QTest::newRow("empty text") << "string" << "" << "0" << off << "today" << zero;
        QTest::newRow("text -5") << "string" << "-5" << "0" << off << "today" << zero;
        QTest::newRow("int -5") << "int" << "-5" << "0" << off << "today" << zero;
        QTest::newRow("int 2^31-1") << "int" << "2147483647" << "2,147.5" << on("2147.5") << "today" << QStringLiteral("596523:14:07");
        // A bool reads as 0 or 1 byte; for the call totals it is no number.
        QTest::newRow("bool true") << "bool" << "true" << "0" << on("0.0") << "today" << zero;
        QTest::newRow("float 1e300") << "float" << "1e300" << "0" << off << "today" << max32;
        QTest::newRow("float 1e19") << "float" << "1e19" << "10,000,000,000,000" << on("10000000000000.0") << "today" << max32;
        QTest::newRow("list") << "list" << "12,34" << "0" << off << "today" << zero;
        QTest::newRow("2^64-1") << "string" << "18446744073709551615" << "18,446,744,073,709.6" << on("18446744073709.6") << "today" << max32;
        QTest::newRow("2^64") << "string" << "18446744073709551616" << "0" << off << "today" << max32;
        QTest::newRow("padded 12") << "string" << " 12 " << "0" << on("0.0") << "today" << QStringLiteral("00:00:12");
        QTest::newRow("arabic-indic digits") << "string" << QStringLiteral("\u0661\u0662\u0663") << "0" << off << "today" << zero;
        QTest::newRow("100 kB digits") << "string" << QString(100 * 1024, QLatin1Char('9')) << "0" << off << "today" << max32;
        QTest::newRow("100 kB dotted") << "string" << QStringLiteral("1.").repeated(50 * 1024) << "0" << off << "year 1" << zero;
        // While shown, after all the above: what a page built on unset keys shows.
        QTest::newRow("unset again") << "unset" << QString() << "0" << defaults << "never" << zero;
    }

    void check(DataCounterWidget *page, bool build)
    {
        QFETCH(QString, type);
        QFETCH(QString, value);
        QFETCH(QString, amount);
        QFETCH(QVariantList, limits);
        QFETCH(QString, date);
        QFETCH(QString, duration);
        QVERIFY(type == QLatin1String("unset") ? ExternalStore::unset(readKeys())
                                               : ExternalStore::setAll(readKeys(), type, value));
        // Taken before the event loop turns: the page has not heard of the row yet.
        QStringList expectedStore = snapshot();
        if (build) {
            page->announceDisplayEntered();
            // A call timers section that is built asks for updates every second.
            expectedStore = expectedStore.filter(QRegularExpression(QStringLiteral("^(?!%1 )").arg(UpdateIntervalKey)));
            expectedStore << UpdateIntervalKey + QStringLiteral(" string:1");
        }
        QVERIFY(StoreSync::flush());
        QCoreApplication::processEvents(); // the call timers gather their changes for one pass

        const QString never = qtTrId(DataCounters::DefaultResetDate);
        const QDateTime day = date == QLatin1String("today") ? QDateTime::currentDateTime() : QDate(1, 1, 1).startOfDay();
        const QString reset = date == QLatin1String("never")
            ? never : LoLocale().formatDateTime(day, LoLocale::DateMedium, LoLocale::TimeNone);
        const QString mb = qtTrId(DataCounters::MBText).arg(amount);
        const QVariantMap timers{{QStringLiteral("dialled"), duration}, {QStringLiteral("received"), duration},
                                 {QStringLiteral("all"), duration}, {QStringLiteral("date"), never}};
        QTRY_COMPARE(ShownPage::callTimers(page), timers);
        for (int type : {0, 1}) {
            const QVariantMap section{{QStringLiteral("sent"), mb}, {QStringLiteral("received"), mb},
                                      {QStringLiteral("switch"), limits.at(2 * type)},
                                      {QStringLiteral("field"), limits.at(2 * type + 1)}, {QStringLiteral("date"), reset}};
            QTRY_COMPARE(ShownPage::section(page, type), section);
        }
        // A line of either snapshot that the other lacks: a write the page was not asked for.
        const QStringList store = snapshot();
        for (const QString &line : store + expectedStore)
            QVERIFY2(store.contains(line) && expectedStore.contains(line), qPrintable(line.left(100)));
    }

    ActiveScene m_scene;
    std::unique_ptr<DataCounterWidget> m_page;
};

QTEST_MAIN(TestHostileValues)
#include "tst_hostilevalues.moc"
