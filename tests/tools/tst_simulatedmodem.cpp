// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// What a client of NetworkManager and ModemManager relies on, as the simulated modem offers it.

#include "simulatedmodem.h"

#include <QtDBus>
#include <QtTest>

typedef QMap<QDBusObjectPath, QMap<QString, QVariantMap>> ManagedObjects;
Q_DECLARE_METATYPE(ManagedObjects)

static const QString NM = QStringLiteral("org.freedesktop.NetworkManager");
static const QString MM = QStringLiteral("org.freedesktop.ModemManager1");
static const QString ModemPath = QStringLiteral("/org/freedesktop/ModemManager1/Modem/0");
static const QString Device = QStringLiteral("org.freedesktop.NetworkManager.Device");
static const QString Voice = QStringLiteral("org.freedesktop.ModemManager1.Modem.Voice");
static const QString Call = QStringLiteral("org.freedesktop.ModemManager1.Call");

static QDBusMessage call(const QString &service, const QString &path, const QString &interface, const QString &method, const QVariantList &args = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(args);
    return QDBusConnection::systemBus().call(message);
}

static QVariant dbusProperty(const QString &service, const QString &path, const QString &interface, const QString &name)
{
    return call(service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"), {interface, name}).arguments().value(0).value<QDBusVariant>().variant();
}

static QString pathArgument(const QDBusMessage &signal) { return signal.arguments().value(0).value<QDBusObjectPath>().path(); }

static QList<QDBusObjectPath> devices()
{
    return qdbus_cast<QList<QDBusObjectPath>>(call(NM, QStringLiteral("/org/freedesktop/NetworkManager"), NM, QStringLiteral("GetDevices")).arguments().value(0));
}

class TestSimulatedModem : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void receive(const QDBusMessage &message) { m_received << message; }

private:
    /** The first signal since the last send() from @p path named @p member whose first argument reads @p first (when given). */
    QDBusMessage waitFor(const QString &path, const QString &member, const QString &first = QString())
    {
        for (QDeadlineTimer deadline(10000); !deadline.hasExpired(); QTest::qWait(10)) {
            for (const QDBusMessage &m : qAsConst(m_received)) {
                if (m.path() == path && m.member() == member && (first.isNull() || m.arguments().value(0).toString() == first))
                    return m;
            }
        }
        return QDBusMessage();
    }
    bool send(const QString &command, QString *answer = nullptr) { m_received.clear(); return m_modem->send(command, answer); }
    static QVariantMap changed(const QDBusMessage &propertiesChanged) { return qdbus_cast<QVariantMap>(propertiesChanged.arguments().value(1)); }

    std::unique_ptr<SimulatedModem> m_modem;
    QList<QDBusMessage> m_received;
    QString m_device;

private Q_SLOTS:
    void initTestCase()
    {
        qDBusRegisterMetaType<ManagedObjects>();
        m_modem = std::make_unique<SimulatedModem>();
        QVERIFY(m_modem->isRunning());
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_modem->busAddress().toUtf8());
        const QStringList signalNames{QStringLiteral("org.freedesktop.DBus.Properties PropertiesChanged"), NM + QStringLiteral(" DeviceAdded"),
                                      Voice + QStringLiteral(" CallAdded"), Voice + QStringLiteral(" CallDeleted"),
                                      Call + QStringLiteral(" StateChanged"), QStringLiteral("org.freedesktop.DBus NameOwnerChanged")};
        for (const QString &s : signalNames)
            QVERIFY(QDBusConnection::systemBus().connect(QString(), QString(), s.section(' ', 0, 0), s.section(' ', 1), this, SLOT(receive(QDBusMessage))));
        QVERIFY(send(QStringLiteral("modem"), &m_device));
    }

    void cleanupTestCase() { m_modem.reset(); }

    void modemDevice()
    {
        QVERIFY(devices().contains(QDBusObjectPath(m_device)));
        QCOMPARE(dbusProperty(NM, m_device, Device, QStringLiteral("DeviceType")), QVariant(8u));
        QCOMPARE(dbusProperty(NM, m_device, Device, QStringLiteral("Udi")).toString(), ModemPath);
    }

    void connectAndCount()
    {
        QVERIFY(send(QStringLiteral("connect wwan0")));
        const QVariantMap props = changed(waitFor(m_device, QStringLiteral("PropertiesChanged"), Device));
        QCOMPARE(props.value(QStringLiteral("State")), QVariant(100u));
        QCOMPARE(props.value(QStringLiteral("IpInterface")).toString(), QStringLiteral("wwan0"));
        QVERIFY(QFile::exists(m_modem->sysfsRoot() + QStringLiteral("/wwan0/ifindex")));
        QVERIFY(send(QStringLiteral("traffic 100 200")));
        for (const auto &[name, value] : {std::pair("tx_bytes", "100\n"), std::pair("rx_bytes", "200\n")}) {
            QFile file(m_modem->sysfsRoot() + QStringLiteral("/wwan0/statistics/") + QLatin1String(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray(value));
        }
    }

    void managedModem()
    {
        const QDBusMessage reply = call(MM, QStringLiteral("/org/freedesktop/ModemManager1"), QStringLiteral("org.freedesktop.DBus.ObjectManager"), QStringLiteral("GetManagedObjects"));
        const ManagedObjects objects = qdbus_cast<ManagedObjects>(reply.arguments().value(0));
        const QStringList interfaces{QStringLiteral("org.freedesktop.ModemManager1.Modem"), QStringLiteral("org.freedesktop.ModemManager1.Modem.Modem3gpp"), Voice};
        QCOMPARE(objects.value(QDBusObjectPath(ModemPath)).keys(), interfaces);
    }

    void modemProperty_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("interface");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        const QString gpp = QStringLiteral("org.freedesktop.ModemManager1.Modem.Modem3gpp");
        QTest::newRow("roaming") << "register 5" << gpp << "RegistrationState" << QVariant(5u);
        QTest::newRow("state") << "modemstate 9" << "org.freedesktop.ModemManager1.Modem" << "State" << QVariant(9);
        QTest::newRow("wrong type") << QString("setprop mm " + ModemPath + ' ' + gpp + " RegistrationState s home") << gpp << "RegistrationState" << QVariant(QStringLiteral("home"));
    }
    void modemProperty()
    {
        QFETCH(QString, command);
        QFETCH(QString, interface);
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        QVERIFY(send(command));
        QCOMPARE(changed(waitFor(ModemPath, QStringLiteral("PropertiesChanged"), interface)).value(name), value);
        QCOMPARE(dbusProperty(MM, ModemPath, interface, name), value);
    }

    void outgoingCall()
    {
        QString path;
        QVERIFY(send(QStringLiteral("call out"), &path));
        QCOMPARE(pathArgument(waitFor(ModemPath, QStringLiteral("CallAdded"))), path);
        const QVariantMap expected{{QStringLiteral("State"), 1}, {QStringLiteral("Direction"), 2}, {QStringLiteral("Number"), QStringLiteral("+15550100")}, {QStringLiteral("Multiparty"), false}};
        for (auto p = expected.cbegin(); p != expected.cend(); ++p)
            QCOMPARE(dbusProperty(MM, path, Call, p.key()), p.value());

        QVERIFY(send(QStringLiteral("callstate %1 4").arg(path)));
        QCOMPARE(waitFor(path, QStringLiteral("StateChanged")).arguments(), (QVariantList{1, 4, 0u}));
        QVERIFY(send(QStringLiteral("hangup ") + path));
        QCOMPARE(waitFor(path, QStringLiteral("StateChanged")).arguments(), (QVariantList{4, 7, 0u}));
        QCOMPARE(pathArgument(waitFor(ModemPath, QStringLiteral("CallDeleted"))), path);
        const QVariant calls = dbusProperty(MM, ModemPath, Voice, QStringLiteral("Calls"));
        QVERIFY(calls.isValid() && qdbus_cast<QList<QDBusObjectPath>>(calls).isEmpty());
    }

    void restartNetworkManager()
    {
        QVERIFY(send(QStringLiteral("stop nm")));
        QCOMPARE(waitFor(QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("NameOwnerChanged"), NM).arguments().value(2), QVariant(QString()));
        QVERIFY(!QDBusConnection::systemBus().interface()->isServiceRegistered(NM));
        QVERIFY(send(QStringLiteral("start nm")));
        QCOMPARE(waitFor(QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("NameOwnerChanged"), NM).arguments().value(1), QVariant(QString()));
        QVERIFY(devices().isEmpty());
        QVERIFY(send(QStringLiteral("modem"), &m_device));
        QCOMPARE(pathArgument(waitFor(QStringLiteral("/org/freedesktop/NetworkManager"), QStringLiteral("DeviceAdded"))), m_device);
        QCOMPARE(devices(), QList<QDBusObjectPath>{QDBusObjectPath(m_device)});
    }
};

QTEST_GUILESS_MAIN(TestSimulatedModem)
#include "tst_simulatedmodem.moc"
