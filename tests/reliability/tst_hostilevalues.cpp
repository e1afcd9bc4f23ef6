// Every key that the library reads is written by other processes of the phone,
// so anything may be in it. Each hostile value goes into all of those keys at
// once, from another process, both while the page is shown and before it is
// built; the page must keep running, show a defined text for every part, and
// write nothing that it was not asked to write.
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
const QString CallTimersDateKey = QStringLiteral("/cellui/settings/calltimers/reset_date");
const QString TimersDir = QStringLiteral("/cellular/calltimers/");
const QStringList TotalNames{QStringLiteral("last_call"), QStringLiteral("dialled"), QStringLiteral("received"),
                             QStringLiteral("all")};
const QString UpdateIntervalKey = TimersDir + QStringLiteral("update_interval");
// Another process's copy of every value written, so that the expected stored
// form (a float's text, say) is the store's own and not a guess.
const QString MirrorDir = QStringLiteral("/cellcounters-tests/mirror");
const QStringList SnapshotDirs{QStringLiteral("/cellui"), QStringLiteral("/cellular")};

// Every key the library reads. Entered limits come before the limits in force:
// the page reads the entered limit when the limit in force changes.
QStringList readKeys()
{
    QStringList keys;
    for (int key : {6, 11, 3, 4, 5, 7, 8, 9, 10, 12})
        keys << StorageKeys::path(key);
    keys << CallTimersDateKey;
    for (const QString &name : TotalNames)
        keys << TimersDir + name;
    keys << UpdateIntervalKey;
    return keys;
}

QMap<QString, QString> snapshot()
{
    QMap<QString, QString> all;
    for (const QString &dir : SnapshotDirs) {
        const QMap<QString, QString> part = StoreSnapshot::take(dir);
        for (auto it = part.cbegin(); it != part.cend(); ++it)
            all.insert(it.key(), it.value());
    }
    return all;
}

QString megabytes(const QString &number)
{
    return qtTrId(DataCounters::MBText).arg(number);
}

QString today()
{
    return LoLocale().formatDateTime(QDateTime::currentDateTime(), LoLocale::DateMedium, LoLocale::TimeNone);
}

QString never()
{
    return qtTrId(DataCounters::DefaultResetDate);
}

// "part: shown, expected" for every part that differs.
QString mismatches(const QVariantMap &shown, const QVariantMap &expected)
{
    QStringList lines;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QVariant actual = shown.value(it.key());
        if (actual != it.value())
            lines << QStringLiteral("%1: shown \"%2\", expected \"%3\"")
                         .arg(it.key(), actual.toString().left(80), it.value().toString());
    }
    return lines.join(QLatin1Char('\n'));
}

enum When { WhileShown, BeforeBuilt };
} // namespace

class TestHostileValues : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void whileShown_data() { hostileValues(WhileShown); }
    void whileShown();
    void beforeBuilt_data() { hostileValues(BeforeBuilt); }
    void beforeBuilt();

private:
    void hostileValues(When when);
    // Writes the row's value into every key the library reads (and its mirror).
    bool writeRow();
    void checkRow(DataCounterWidget *page, const QMap<QString, QString> &before, When when);

    std::unique_ptr<ActiveScene> m_scene;
    std::unique_ptr<DataCounterWidget> m_page;
    int m_rows = 0;
};

void TestHostileValues::initTestCase()
{
    // Every read is logged with its value: 100 kB texts would flood the output.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
}

void TestHostileValues::cleanupTestCase()
{
    m_page.reset();
    m_scene.reset();
    qInfo("hostile values: %d rows, %d keys each, no crash", m_rows, int(readKeys().size()));
}

void TestHostileValues::hostileValues(When when)
{
    QTest::addColumn<QString>("type"); // "unset", a scalar type, or "list"
    QTest::addColumn<QString>("value"); // list elements separated by ','
    // What the page shows when every key holds the value.
    QTest::addColumn<QString>("amount"); // both amount rows of both networks, in MB
    QTest::addColumn<bool>("homeOn");
    QTest::addColumn<QString>("homeField");
    QTest::addColumn<bool>("roamingOn");
    QTest::addColumn<QString>("roamingField");
    QTest::addColumn<QString>("date"); // both reset dates: "today" or "never"
    QTest::addColumn<QString>("duration"); // each of the three call totals

    const QString max32 = QStringLiteral("1193046:28:15");
    const QString zero = QStringLiteral("00:00:00");

    // An unset key holds nothing: home warning off with its default limit,
    // roaming on with its own, and the "never" date.
    QTest::newRow("unset") << "unset" << QString() << "0" << false << "1000.0" << true << "10.0" << "never" << zero;
    // Texts that are no number count as 0 bytes: warning off, and the field
    // shows the entered limit read the same way.
    QTest::newRow("empty text") << "string" << "" << "0" << false << "0.0" << false << "0.0" << "today" << zero;
    QTest::newRow("abc") << "string" << "abc" << "0" << false << "0.0" << false << "0.0" << "today" << zero;
    QTest::newRow("text -5") << "string" << "-5" << "0" << false << "0.0" << false << "0.0" << "today" << zero;
    QTest::newRow("int -5") << "int" << "-5" << "0" << false << "0.0" << false << "0.0" << "today" << zero;
    QTest::newRow("int 2147483647") << "int" << "2147483647" << "2,147.5" << true << "2147.5" << true << "2147.5"
                                    << "today" << QStringLiteral("596523:14:07");
    // A bool reads as 0 or 1 byte; for the call totals it is no number.
    QTest::newRow("bool true") << "bool" << "true" << "0" << true << "0.0" << true << "0.0" << "today" << zero;
    QTest::newRow("bool false") << "bool" << "false" << "0" << false << "0.0" << false << "0.0" << "today"
                                << zero;
    // Beyond 64 bits a float is no byte count, as such a text is none; a call total
    // as large as that is the largest one.
    QTest::newRow("float 1e300") << "float" << "1e300" << "0" << false << "0.0" << false << "0.0" << "today"
                                 << max32;
    // From 2^63 up a float is still a byte count.
    QTest::newRow("float 1e19") << "float" << "1e19" << "10,000,000,000,000" << true << "10000000000000.0" << true
                                << "10000000000000.0" << "today" << max32;
    QTest::newRow("float nan") << "float" << "nan" << "0" << false << "0.0" << false << "0.0" << "today" << zero;
    QTest::newRow("list") << "list" << "12,34" << "0" << false << "0.0" << false << "0.0" << "today" << zero;
    QTest::newRow("2^64-1") << "string" << "18446744073709551615" << "18,446,744,073,709.6" << true
                            << "18446744073709.6" << true << "18446744073709.6" << "today" << max32;
    QTest::newRow("2^64") << "string" << "18446744073709551616" << "0" << false << "0.0" << false << "0.0"
                          << "today" << max32;
    QTest::newRow("padded 12") << "string" << " 12 " << "0" << true << "0.0" << true << "0.0" << "today"
                               << QStringLiteral("00:00:12");
    QTest::newRow("arabic-indic digits") << "string" << QStringLiteral("\u0661\u0662\u0663") << "0" << false
                                         << "0.0" << false << "0.0" << "today" << zero;
    QTest::newRow("100 kB digits") << "string" << QString(100 * 1024, QLatin1Char('9')) << "0" << false << "0.0"
                                   << false << "0.0" << "today" << max32;
    QTest::newRow("100 kB dotted") << "string" << QStringLiteral("1.").repeated(50 * 1024) << "0" << false
                                   << "0.0" << false << "0.0" << "date 1.1.1" << zero;
    // While shown, after all the values above: the change reports carry no
    // value, and the page shows what a page built on unset keys shows.
    QTest::newRow("unset again") << "unset" << QString() << "0" << false << "1000.0" << true << "10.0" << "never"
                                 << zero;
    Q_UNUSED(when)
}

bool TestHostileValues::writeRow()
{
    QFETCH(QString, type);
    QFETCH(QString, value);
    StoreBatch batch;
    for (const QString &key : readKeys()) {
        for (const QString &target : QStringList{key, MirrorDir + key}) {
            if (type == QLatin1String("unset"))
                batch.unset(target);
            else if (type == QLatin1String("list"))
                batch.setList(target, QStringLiteral("string"), value.split(QLatin1Char(',')));
            else
                batch.set(target, type, value);
        }
    }
    return batch.commit();
}

void TestHostileValues::checkRow(DataCounterWidget *page, const QMap<QString, QString> &before, When when)
{
    QFETCH(QString, amount);
    QFETCH(bool, homeOn);
    QFETCH(QString, homeField);
    QFETCH(bool, roamingOn);
    QFETCH(QString, roamingField);
    QFETCH(QString, date);
    QFETCH(QString, duration);
    ++m_rows;

    QVERIFY(StoreSync::flush());
    QCoreApplication::processEvents(); // the call timers gather their changes for one pass

    QString dateText = date == QLatin1String("today") ? today() : never();
    if (date.startsWith(QLatin1String("date ")))
        dateText = LoLocale().formatDateTime(QDate(1, 1, 1).startOfDay(), LoLocale::DateMedium, LoLocale::TimeNone);
    QVariantMap expected{
        {QStringLiteral("home.sent"), megabytes(amount)},
        {QStringLiteral("home.received"), megabytes(amount)},
        {QStringLiteral("home.switch"), homeOn},
        {QStringLiteral("home.field"), homeField},
        {QStringLiteral("home.date"), dateText},
        {QStringLiteral("roaming.sent"), megabytes(amount)},
        {QStringLiteral("roaming.received"), megabytes(amount)},
        {QStringLiteral("roaming.switch"), roamingOn},
        {QStringLiteral("roaming.field"), roamingField},
        {QStringLiteral("roaming.date"), dateText},
        {QStringLiteral("timers.dialled"), duration},
        {QStringLiteral("timers.received"), duration},
        {QStringLiteral("timers.all"), duration},
        {QStringLiteral("timers.date"), never()},
    };
    QTRY_VERIFY2_WITH_TIMEOUT(mismatches(ShownPage::all(page), expected).isEmpty(),
                              qPrintable(mismatches(ShownPage::all(page), expected)), 2000);

    // Nothing written but the row itself and what the page is told to write:
    // a call timers section that is built sets the update setting to 1.
    QMap<QString, QString> expectedStore = before;
    const QMap<QString, QString> mirror = StoreSnapshot::take(MirrorDir);
    for (const QString &key : readKeys()) {
        if (mirror.contains(MirrorDir + key))
            expectedStore.insert(key, mirror.value(MirrorDir + key));
        else
            expectedStore.remove(key);
    }
    if (when == BeforeBuilt)
        expectedStore.insert(UpdateIntervalKey, QStringLiteral("string:1"));
    const QStringList unexpected = StoreSnapshot::differences(expectedStore, snapshot());
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
}

void TestHostileValues::whileShown()
{
    if (!m_page) {
        QVERIFY(ExternalStore::unset(readKeys()));
        QVERIFY(StoreSync::flush());
        m_scene.reset(new ActiveScene);
        m_page.reset(new DataCounterWidget(true));
        m_scene->scene()->addItem(m_page.get());
        m_page->resize(480, 854);
        QVERIFY(m_scene->activate());
        m_page->announceDisplayEntered();
        QVERIFY(StoreSync::flush());
    }
    const QMap<QString, QString> before = snapshot();
    QVERIFY(writeRow());
    checkRow(m_page.get(), before, WhileShown);
}

void TestHostileValues::beforeBuilt()
{
    m_page.reset();
    m_scene.reset();
    QVERIFY(writeRow());
    QVERIFY(StoreSync::flush());
    const QMap<QString, QString> before = snapshot();

    DataCounterWidget page(true);
    page.announceDisplayEntered();
    checkRow(&page, before, BeforeBuilt);
}

QTEST_MAIN(TestHostileValues)
#include "tst_hostilevalues.moc"
