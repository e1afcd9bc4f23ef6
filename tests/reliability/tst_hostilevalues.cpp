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
const QString TimersDir = QStringLiteral("/cellular/calltimers/");
const QString UpdateIntervalKey = TimersDir + QStringLiteral("update_interval");

// Every key the library reads; an entered limit before its limit in force,
// which makes the page read the entered one.
QStringList readKeys()
{
    QStringList keys;
    for (int key : {6, 11, 3, 4, 5, 7, 8, 9, 10, 12})
        keys << StorageKeys::path(key);
    keys << QStringLiteral("/cellui/settings/calltimers/reset_date");
    for (const char *name : {"last_call", "dialled", "received", "all", "update_interval"})
        keys << TimersDir + QLatin1String(name);
    return keys;
}

QMap<QString, QString> snapshot()
{
    QMap<QString, QString> all = StoreSnapshot::take(QStringLiteral("/cellui"));
    all.insert(StoreSnapshot::take(QStringLiteral("/cellular")));
    return all;
}

QString dateText(const QDateTime &when)
{
    return LoLocale().formatDateTime(when, LoLocale::DateMedium, LoLocale::TimeNone);
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
    }

    void whileShown_data() { rows(); }
    void whileShown()
    {
        if (!m_page) {
            QVERIFY(ExternalStore::unset(readKeys()));
            m_scene = std::make_unique<ActiveScene>();
            m_page = std::make_unique<DataCounterWidget>(true);
            m_scene->scene()->addItem(m_page.get());
            QVERIFY(m_scene->activate());
            m_page->announceDisplayEntered();
            QVERIFY(StoreSync::flush());
        }
        check(m_page.get(), false);
    }

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
        auto row = [](const char *name, const char *type, const QString &value, const char *amount,
                      const QVariantList &limits, const char *date, const QString &duration) {
            QTest::newRow(name) << type << value << amount << limits << date << duration;
        };
        // Unset keys: home warning off, roaming on, each with its default limit.
        row("unset", "unset", QString(), "0", defaults, "never", zero);
        // Texts that are no number count as 0 bytes: warning off.
        row("empty text", "string", "", "0", off, "today", zero);
        row("abc", "string", "abc", "0", off, "today", zero);
        row("text -5", "string", "-5", "0", off, "today", zero);
        row("int -5", "int", "-5", "0", off, "today", zero);
        row("int 2^31-1", "int", "2147483647", "2,147.5", on("2147.5"), "today", QStringLiteral("596523:14:07"));
        // A bool reads as 0 or 1 byte; for the call totals it is no number.
        row("bool true", "bool", "true", "0", on("0.0"), "today", zero);
        row("bool false", "bool", "false", "0", off, "today", zero);
        row("float 1e300", "float", "1e300", "0", off, "today", max32);
        row("float 1e19", "float", "1e19", "10,000,000,000,000", on("10000000000000.0"), "today", max32);
        row("float nan", "float", "nan", "0", off, "today", zero);
        row("list", "list", "12,34", "0", off, "today", zero);
        row("2^64-1", "string", "18446744073709551615", "18,446,744,073,709.6", on("18446744073709.6"), "today",
            max32);
        row("2^64", "string", "18446744073709551616", "0", off, "today", max32);
        row("padded 12", "string", " 12 ", "0", on("0.0"), "today", QStringLiteral("00:00:12"));
        row("arabic-indic digits", "string", QStringLiteral("\u0661\u0662\u0663"), "0", off, "today", zero);
        row("100 kB digits", "string", QString(100 * 1024, QLatin1Char('9')), "0", off, "today", max32);
        row("100 kB dotted", "string", QStringLiteral("1.").repeated(50 * 1024), "0", off, "year 1", zero);
        // While shown, after all the above: what a page built on unset keys shows.
        row("unset again", "unset", QString(), "0", defaults, "never", zero);
    }

    void check(DataCounterWidget *page, bool build)
    {
        QFETCH(QString, type);
        QFETCH(QString, value);
        QFETCH(QString, amount);
        QFETCH(QVariantList, limits);
        QFETCH(QString, date);
        QFETCH(QString, duration);
        StoreBatch batch;
        for (const QString &key : readKeys()) {
            if (type == QLatin1String("unset"))
                batch.unset(key);
            else if (type == QLatin1String("list"))
                batch.setList(key, QStringLiteral("string"), value.split(QLatin1Char(',')));
            else
                batch.set(key, type, value);
        }
        QVERIFY(batch.commit());
        // Taken before the event loop turns: the page has not heard of the row yet.
        QMap<QString, QString> expectedStore = snapshot();
        if (build) {
            page->announceDisplayEntered();
            // A call timers section that is built asks for updates every second.
            expectedStore.insert(UpdateIntervalKey, QStringLiteral("string:1"));
        }
        QVERIFY(StoreSync::flush());
        QCoreApplication::processEvents(); // the call timers gather their changes for one pass

        const QString never = qtTrId(DataCounters::DefaultResetDate);
        const QString reset = date == QLatin1String("never") ? never
            : dateText(date == QLatin1String("today") ? QDateTime::currentDateTime() : QDate(1, 1, 1).startOfDay());
        const QString mb = qtTrId(DataCounters::MBText).arg(amount);
        QVariantMap expected{{QStringLiteral("timers.dialled"), duration}, {QStringLiteral("timers.received"), duration},
                             {QStringLiteral("timers.all"), duration}, {QStringLiteral("timers.date"), never}};
        for (int section = 0; section < 2; ++section) {
            const QString prefix = QLatin1String(section ? "roaming." : "home.");
            expected.insert(prefix + QStringLiteral("sent"), mb);
            expected.insert(prefix + QStringLiteral("received"), mb);
            expected.insert(prefix + QStringLiteral("switch"), limits.at(2 * section));
            expected.insert(prefix + QStringLiteral("field"), limits.at(2 * section + 1));
            expected.insert(prefix + QStringLiteral("date"), reset);
        }
        QTRY_COMPARE(ShownPage::all(page), expected);
        const QStringList unexpected = StoreSnapshot::differences(expectedStore, snapshot());
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
    }

    std::unique_ptr<ActiveScene> m_scene;
    std::unique_ptr<DataCounterWidget> m_page;
};

QTEST_MAIN(TestHostileValues)
#include "tst_hostilevalues.moc"
