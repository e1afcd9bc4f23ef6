#include "calltimers.h"
#include "teststore.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <limits>

using Cellular::CallTimers;
using Info = CallTimers::CallTimersInfo;

namespace {

const QString Dir = QStringLiteral("/cellular/calltimers");

QString key(const QString &name)
{
    return Dir + QLatin1Char('/') + name;
}

void setExternally(const QString &name, const QString &type, const QString &value)
{
    QVERIFY(ExternalStore::set(key(name), type, value));
}

QString getExternally(const QString &name)
{
    return ExternalStore::get(key(name));
}

QString text(const Info &info)
{
    return QStringLiteral("%1/%2/%3/%4").arg(info.lastCall).arg(info.dialled).arg(info.received).arg(info.all);
}

Info lastReported(const QSignalSpy &spy)
{
    return spy.isEmpty() ? Info() : spy.last().at(0).value<Info>();
}

} // namespace

// Receives the signal through a slot declared with the same spelling that
// users of the library write.
class Receiver : public QObject
{
    Q_OBJECT
    typedef Cellular::CallTimers CallTimers;

public:
    Info info;
    int calls = 0;

public Q_SLOTS:
    void update(CallTimers::CallTimersInfo received)
    {
        info = received;
        ++calls;
    }
};

class TestCallTimers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void connectsBySignature();
    void queuedConnectionCarriesRecord();
    void externalWriteReachesField_data();
    void externalWriteReachesField();
    void storedValues_data();
    void storedValues();
    void clearZeroesEveryTotal();
    void clearReportsOnce();
    void unchangedValueIsNotReported();
    void readsAreCurrent_data();
    void readsAreCurrent();
    void listValuesCountAsZero_data();
    void listValuesCountAsZero();
    void validitySwitch_data();
    void validitySwitch();
    void invalidTimersAreNotCleared();
    void becomingAvailableReportsTotals();
    void unreachableStore();
    void callUpdateTime_data();
    void callUpdateTime();
    void setCallUpdateTimeStoresText();
};

void TestCallTimers::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("gconftool-2")).isEmpty())
        QSKIP("gconftool-2 is needed to write the store from another process");
}

void TestCallTimers::init()
{
    if (qEnvironmentVariableIsSet("CALLTIMERS_UNREACHABLE_CHILD"))
        return; // no store to clean up
    QVERIFY(ExternalStore::run({QStringLiteral("--recursive-unset"), Dir}));
    // The cleanup's notifications must not reach the next test's listeners.
    QVERIFY(StoreSync::flush());
}

void TestCallTimers::connectsBySignature()
{
    CallTimers timers;
    Receiver receiver;
    QVERIFY(QObject::connect(&timers, SIGNAL(timersUpdated(CallTimers::CallTimersInfo)), &receiver,
                             SLOT(update(CallTimers::CallTimersInfo))));

    setExternally(QStringLiteral("dialled"), QStringLiteral("string"), QStringLiteral("61"));
    QTRY_COMPARE(receiver.calls, 1);
    QCOMPARE(receiver.info.dialled, 61u);
}

void TestCallTimers::queuedConnectionCarriesRecord()
{
    CallTimers timers;
    Receiver receiver;
    QVERIFY(QObject::connect(&timers, SIGNAL(timersUpdated(CallTimers::CallTimersInfo)), &receiver,
                             SLOT(update(CallTimers::CallTimersInfo)), Qt::QueuedConnection));
    setExternally(QStringLiteral("all"), QStringLiteral("string"), QStringLiteral("3600"));
    QTRY_COMPARE(receiver.calls, 1);
    QCOMPARE(receiver.info.all, 3600u);
}

void TestCallTimers::externalWriteReachesField_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("last call") << "last_call" << "5/0/0/0";
    QTest::newRow("dialled") << "dialled" << "0/5/0/0";
    QTest::newRow("received") << "received" << "0/0/5/0";
    // All calls is kept on its own, never summed up from the others.
    QTest::newRow("all") << "all" << "0/0/0/5";
}

void TestCallTimers::externalWriteReachesField()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);

    CallTimers timers;
    QSignalSpy spy(&timers, SIGNAL(timersUpdated(CallTimers::CallTimersInfo)));
    QVERIFY(spy.isValid());
    setExternally(name, QStringLiteral("string"), QStringLiteral("5"));
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(text(lastReported(spy)), expected);
    QCOMPARE(text(timers.timers()), expected);
}

void TestCallTimers::storedValues_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<quint32>("expected");

    const quint32 max = std::numeric_limits<quint32>::max();
    QTest::newRow("text") << "string" << "123" << 123u;
    QTest::newRow("text with spaces") << "string" << " 42 " << 42u;
    QTest::newRow("text, leading plus") << "string" << "+9" << 9u;
    QTest::newRow("largest") << "string" << "4294967295" << max;
    QTest::newRow("beyond 32 bits") << "string" << "4294967296" << max;
    QTest::newRow("beyond 64 bits") << "string" << "99999999999999999999999" << max;
    QTest::newRow("negative text") << "string" << "-5" << 0u;
    QTest::newRow("int") << "int" << "2147483647" << 2147483647u;
    QTest::newRow("negative int") << "int" << "-5" << 0u;
    QTest::newRow("smallest int") << "int" << "-2147483648" << 0u;
    QTest::newRow("float") << "float" << "12.7" << 12u;
    QTest::newRow("negative float") << "float" << "-12.7" << 0u;
    QTest::newRow("huge float") << "float" << "1e30" << max;
    QTest::newRow("not a number") << "string" << "abc" << 0u;
    QTest::newRow("number then text") << "string" << "12abc" << 0u;
    QTest::newRow("exponent") << "string" << "1e5" << 0u;
    QTest::newRow("empty") << "string" << "" << 0u;
    QTest::newRow("only a sign") << "string" << "-" << 0u;
    QTest::newRow("bool") << "bool" << "true" << 0u;
}

void TestCallTimers::storedValues()
{
    QFETCH(QString, type);
    QFETCH(QString, value);
    QFETCH(quint32, expected);

    CallTimers timers;
    QSignalSpy spy(&timers, SIGNAL(timersUpdated(CallTimers::CallTimersInfo)));
    // Start from a value that no row expects, so that every row is a change.
    setExternally(QStringLiteral("dialled"), QStringLiteral("string"), QStringLiteral("7"));
    QTRY_COMPARE(lastReported(spy).dialled, 7u);

    setExternally(QStringLiteral("dialled"), type, value);
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(lastReported(spy).dialled, expected);
    QCOMPARE(timers.timers().dialled, expected);
    QVERIFY(timers.isValid());
}

void TestCallTimers::clearZeroesEveryTotal()
{
    setExternally(QStringLiteral("last_call"), QStringLiteral("string"), QStringLiteral("10"));
    setExternally(QStringLiteral("dialled"), QStringLiteral("int"), QStringLiteral("20"));
    setExternally(QStringLiteral("received"), QStringLiteral("string"), QStringLiteral("4294967295"));
    setExternally(QStringLiteral("all"), QStringLiteral("string"), QStringLiteral("40"));

    CallTimers timers;
    QCOMPARE(text(timers.timers()), QStringLiteral("10/20/4294967295/40"));
    timers.clearTimers();
    QCOMPARE(text(timers.timers()), QStringLiteral("0/0/0/0"));
    // Another process sees the cleared totals.
    for (const char *name : {"last_call", "dialled", "received", "all"})
        QCOMPARE(getExternally(QLatin1String(name)), QStringLiteral("0"));
}

void TestCallTimers::clearReportsOnce()
{
    setExternally(QStringLiteral("dialled"), QStringLiteral("string"), QStringLiteral("20"));
    setExternally(QStringLiteral("all"), QStringLiteral("string"), QStringLiteral("40"));
    CallTimers timers;
    QSignalSpy spy(&timers, SIGNAL(timersUpdated(CallTimers::CallTimersInfo)));
    timers.clearTimers();
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(text(lastReported(spy)), QStringLiteral("0/0/0/0"));
    // The daemon's notices of the same writes follow; they change nothing.
    QVERIFY(StoreSync::flush());
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 1);
}

void TestCallTimers::unchangedValueIsNotReported()
{
    setExternally(QStringLiteral("dialled"), QStringLiteral("string"), QStringLiteral("20"));
    CallTimers timers;
    QSignalSpy spy(&timers, SIGNAL(timersUpdated(CallTimers::CallTimersInfo)));
    // Another spelling of the same total.
    setExternally(QStringLiteral("dialled"), QStringLiteral("int"), QStringLiteral("20"));
    setExternally(QStringLiteral("received"), QStringLiteral("string"), QStringLiteral("1"));
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(text(lastReported(spy)), QStringLiteral("0/20/1/0"));
}

void TestCallTimers::readsAreCurrent_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("total") << "received";
    QTest::newRow("availability") << "available";
    QTest::newRow("update setting") << "update_interval";
}

// Every read asks the daemon: another process's writes are seen at once, with
// no pass of the event loop in between, however often the key is read again.
void TestCallTimers::readsAreCurrent()
{
    QFETCH(QString, name);

    CallTimers timers;
    const auto read = [&]() -> QString {
        if (name == QLatin1String("received"))
            return QString::number(timers.timers().received);
        if (name == QLatin1String("available"))
            return timers.isValid() ? QStringLiteral("on") : QStringLiteral("off");
        return QString::number(timers.callUpdateTime());
    };
    const bool availability = name == QLatin1String("available");
    setExternally(QStringLiteral("received"), QStringLiteral("string"), QStringLiteral("9"));
    const QStringList values{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("3")};
    for (const QString &value : values) {
        setExternally(name, QStringLiteral("string"), value);
        const QString expected = availability ? (value == QLatin1String("0") ? QStringLiteral("off")
                                                                             : QStringLiteral("on"))
                                              : value;
        QCOMPARE(read(), expected);
        QCOMPARE(read(), expected);
        if (availability)
            QCOMPARE(timers.timers().received, value == QLatin1String("0") ? 0u : 9u);
    }
}

void TestCallTimers::listValuesCountAsZero_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("total") << "dialled";
    QTest::newRow("update setting") << "update_interval";
}

// A list is no count of seconds, and no "no" for the availability either.
void TestCallTimers::listValuesCountAsZero()
{
    QFETCH(QString, name);

    setExternally(QStringLiteral("all"), QStringLiteral("string"), QStringLiteral("8"));
    QVERIFY(ExternalStore::setList(key(name), QStringLiteral("int"), {QStringLiteral("5"), QStringLiteral("6")}));
    QVERIFY(ExternalStore::setList(key(QStringLiteral("available")), QStringLiteral("bool"),
                                   {QStringLiteral("false")}));
    CallTimers timers;
    QVERIFY(timers.isValid());
    QCOMPARE(text(timers.timers()), QStringLiteral("0/0/0/8"));
    QCOMPARE(timers.callUpdateTime(), 0u);
}

void TestCallTimers::validitySwitch_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("valid");

    QTest::newRow("unset") << QString() << QString() << true;
    QTest::newRow("bool false") << "bool" << "false" << false;
    QTest::newRow("bool true") << "bool" << "true" << true;
    QTest::newRow("text false") << "string" << "False" << false;
    QTest::newRow("text 0") << "string" << "0" << false;
    QTest::newRow("int 0") << "int" << "0" << false;
    QTest::newRow("int 1") << "int" << "1" << true;
    QTest::newRow("other text") << "string" << "maybe" << true;
    QTest::newRow("empty text") << "string" << "" << true;
}

void TestCallTimers::validitySwitch()
{
    QFETCH(QString, type);
    QFETCH(QString, value);
    QFETCH(bool, valid);

    setExternally(QStringLiteral("dialled"), QStringLiteral("string"), QStringLiteral("20"));
    if (!type.isEmpty())
        setExternally(QStringLiteral("available"), type, value);
    CallTimers timers;
    QCOMPARE(timers.isValid(), valid);
    QCOMPARE(timers.timers().dialled, valid ? 20u : 0u);
}

void TestCallTimers::invalidTimersAreNotCleared()
{
    setExternally(QStringLiteral("dialled"), QStringLiteral("string"), QStringLiteral("20"));
    setExternally(QStringLiteral("available"), QStringLiteral("bool"), QStringLiteral("false"));
    CallTimers timers;
    QSignalSpy spy(&timers, SIGNAL(timersUpdated(CallTimers::CallTimersInfo)));
    timers.clearTimers();
    QCOMPARE(getExternally(QStringLiteral("dialled")), QStringLiteral("20"));
    // Nor is anything reported while the timers are unavailable.
    setExternally(QStringLiteral("received"), QStringLiteral("string"), QStringLiteral("5"));
    QVERIFY(StoreSync::flush());
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 0);
}

void TestCallTimers::becomingAvailableReportsTotals()
{
    setExternally(QStringLiteral("available"), QStringLiteral("bool"), QStringLiteral("false"));
    setExternally(QStringLiteral("all"), QStringLiteral("string"), QStringLiteral("99"));
    CallTimers timers;
    QVERIFY(!timers.isValid());
    QSignalSpy spy(&timers, SIGNAL(timersUpdated(CallTimers::CallTimersInfo)));

    setExternally(QStringLiteral("available"), QStringLiteral("bool"), QStringLiteral("true"));
    QTRY_COMPARE(spy.count(), 1);
    QVERIFY(timers.isValid());
    QCOMPARE(lastReported(spy).all, 99u);

    // Unavailable again, then back with the same totals: listeners that blanked
    // their display in between hear of the totals again.
    setExternally(QStringLiteral("available"), QStringLiteral("bool"), QStringLiteral("false"));
    QVERIFY(StoreSync::flush());
    QCoreApplication::processEvents();
    QVERIFY(!timers.isValid());
    QVERIFY(ExternalStore::unset(key(QStringLiteral("available"))));
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(lastReported(spy).all, 99u);
}

// Without a session bus the store cannot be reached. A GConf client keeps its
// connection for the life of the process, so this runs in a child process.
void TestCallTimers::unreachableStore()
{
    if (qEnvironmentVariableIsSet("CALLTIMERS_UNREACHABLE_CHILD")) {
        CallTimers timers;
        QVERIFY(!timers.isValid());
        QCOMPARE(text(timers.timers()), QStringLiteral("0/0/0/0"));
        timers.clearTimers();
        timers.setCallUpdateTime(3);
        QCOMPARE(timers.callUpdateTime(), 0u);
        return;
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CALLTIMERS_UNREACHABLE_CHILD"), QStringLiteral("1"));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/bus"));
    env.remove(QStringLiteral("DISPLAY"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("unreachableStore")});
    QVERIFY(child.waitForFinished(30000));
    const QByteArray output = child.readAll();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output.constData());
}

void TestCallTimers::callUpdateTime_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<uint>("expected");

    QTest::newRow("unset") << QString() << QString() << 0u;
    QTest::newRow("int") << "int" << "1" << 1u;
    QTest::newRow("text") << "string" << "30" << 30u;
    QTest::newRow("negative") << "int" << "-1" << 0u;
    QTest::newRow("garbage") << "string" << "soon" << 0u;
}

void TestCallTimers::callUpdateTime()
{
    QFETCH(QString, type);
    QFETCH(QString, value);
    QFETCH(uint, expected);

    if (!type.isEmpty())
        setExternally(QStringLiteral("update_interval"), type, value);
    CallTimers timers;
    QCOMPARE(timers.callUpdateTime(), expected);
}

void TestCallTimers::setCallUpdateTimeStoresText()
{
    CallTimers timers;
    timers.setCallUpdateTime(1);
    QCOMPARE(timers.callUpdateTime(), 1u);
    // Beyond GConf's signed integers.
    timers.setCallUpdateTime(4294967295u);
    QCOMPARE(timers.callUpdateTime(), 4294967295u);
    QCOMPARE(getExternally(QStringLiteral("update_interval")),
             QStringLiteral("4294967295"));
}

QTEST_GUILESS_MAIN(TestCallTimers)
#include "tst_calltimers.moc"
