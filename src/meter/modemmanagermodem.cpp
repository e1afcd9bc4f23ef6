// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "modemmanagermodem.h"

#include "dbusproperties.h"
#include "meter_debug.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace
{
const QString Service = QStringLiteral("org.freedesktop.ModemManager1");
const QString ManagerPath = QStringLiteral("/org/freedesktop/ModemManager1");
const QString ObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString ModemInterface = QStringLiteral("org.freedesktop.ModemManager1.Modem");
const QString Gpp = QStringLiteral("org.freedesktop.ModemManager1.Modem.Modem3gpp");
const QString Voice = QStringLiteral("org.freedesktop.ModemManager1.Modem.Voice");
const QString CallInterface = QStringLiteral("org.freedesktop.ModemManager1.Call");

using Interfaces = QMap<QString, QVariantMap>;
using Objects = QMap<QDBusObjectPath, Interfaces>;

const int Enabled = 6; // MM_MODEM_STATE_ENABLED; every state above is enabled too

bool isRoamingState(uint registration)
{
    // Roaming, roaming for SMS only, roaming with CSFB not preferred.
    return registration == 5 || registration == 7 || registration == 10;
}

// Argument @p index of @p message as T, when it has the D-Bus signature @p signature.
template<typename T>
bool argument(const QDBusMessage &message, int index, const char *signature, T *value)
{
    const QVariant v = message.arguments().value(index);
    if (v.userType() != qMetaTypeId<QDBusArgument>()) {
        if (v.userType() != qMetaTypeId<T>())
            return false;
        *value = v.value<T>();
        return true;
    }
    const QDBusArgument arg = v.value<QDBusArgument>();
    if (arg.currentSignature() != QLatin1String(signature))
        return false;
    arg >> *value;
    return true;
}
} // namespace

ModemManagerModem::ModemManagerModem(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
{
    followService(m_bus, Service, this, &ModemManagerModem::serviceUp, &ModemManagerModem::serviceDown);
    m_bus.connect(Service, ManagerPath, ObjectManager, QStringLiteral("InterfacesAdded"), this,
                  SLOT(interfacesAdded(QDBusMessage)));
    m_bus.connect(Service, ManagerPath, ObjectManager, QStringLiteral("InterfacesRemoved"), this,
                  SLOT(interfacesRemoved(QDBusObjectPath, QStringList)));
    m_bus.connect(Service, QString(), PropertiesInterface, QStringLiteral("PropertiesChanged"), this,
                  SLOT(propertiesChanged(QString, QVariantMap, QStringList, QDBusMessage)));
    m_bus.connect(Service, QString(), Voice, QStringLiteral("CallAdded"), this, SLOT(callAdded(QDBusObjectPath)));
    m_bus.connect(Service, QString(), Voice, QStringLiteral("CallDeleted"), this, SLOT(callDeleted(QDBusObjectPath)));
    m_bus.connect(Service, QString(), CallInterface, QStringLiteral("StateChanged"), this,
                  SLOT(callStateChanged(QDBusMessage)));
    serviceUp();
}

ModemManagerModem::~ModemManagerModem() = default;

bool ModemManagerModem::isKnown() const
{
    return m_known;
}

bool ModemManagerModem::isRoaming(const QString &path) const
{
    const auto modem = m_modems.constFind(path);
    if (modem != m_modems.cend())
        return isRoamingState(modem->registration);
    return m_modems.size() == 1 && isRoamingState(m_modems.cbegin()->registration);
}

bool ModemManagerModem::isVoiceAvailable() const
{
    for (const Modem &modem : m_modems) {
        if (modem.voice && modem.state >= Enabled)
            return true;
    }
    return false;
}

void ModemManagerModem::serviceUp()
{
    const QDBusMessage call =
        QDBusMessage::createMethodCall(Service, ManagerPath, ObjectManager, QStringLiteral("GetManagedObjects"));
    connect(new QDBusPendingCallWatcher(m_bus.asyncCall(call), this), &QDBusPendingCallWatcher::finished, this,
            &ModemManagerModem::objectsListed);
}

void ModemManagerModem::serviceDown()
{
    qCDebug(METER_LOG) << "ModemManager left the system bus";
    m_modems.clear();
    const QStringList calls = m_calls.keys();
    for (const QString &call : calls)
        dropCall(call);
    m_known = true;
    Q_EMIT changed();
}

void ModemManagerModem::objectsListed(QDBusPendingCallWatcher *call)
{
    call->deleteLater();
    const QDBusMessage reply = QDBusPendingReply<>(*call).reply();
    Objects objects;
    if (reply.type() == QDBusMessage::ErrorMessage)
        qCDebug(METER_LOG) << "no modems from ModemManager:" << reply.errorMessage();
    else if (!argument(reply, 0, "a{oa{sa{sv}}}", &objects))
        qCDebug(METER_LOG) << "ignored: ModemManager's objects of signature" << reply.signature();
    for (auto it = objects.cbegin(); it != objects.cend(); ++it)
        addInterfaces(it.key().path(), it.value());
    m_known = true;
    Q_EMIT changed();
}

void ModemManagerModem::interfacesAdded(const QDBusMessage &message)
{
    QDBusObjectPath path;
    Interfaces interfaces;
    if (!argument(message, 0, "o", &path) || !argument(message, 1, "a{sa{sv}}", &interfaces)) {
        qCDebug(METER_LOG) << "ignored: InterfacesAdded of signature" << message.signature();
        return;
    }
    addInterfaces(path.path(), interfaces);
    Q_EMIT changed();
}

void ModemManagerModem::interfacesRemoved(const QDBusObjectPath &path, const QStringList &interfaces)
{
    if (!interfaces.contains(ModemInterface) || !m_modems.remove(path.path()))
        return;
    // Calls name no modem: with the last modem they all end.
    if (m_modems.isEmpty()) {
        const QStringList calls = m_calls.keys();
        for (const QString &call : calls)
            dropCall(call);
    }
    Q_EMIT changed();
}

void ModemManagerModem::addInterfaces(const QString &path, const Interfaces &interfaces)
{
    if (!interfaces.contains(ModemInterface) && !m_modems.contains(path))
        return;
    for (auto it = interfaces.cbegin(); it != interfaces.cend(); ++it)
        updateModem(path, it.key(), it.value());
}

void ModemManagerModem::propertiesChanged(const QString &interface, const QVariantMap &changed,
                                          const QStringList &, const QDBusMessage &message)
{
    const QString path = message.path();
    if (interface == CallInterface && m_calls.contains(path)) {
        updateCall(path, changed);
    } else if (m_modems.contains(path)) {
        updateModem(path, interface, changed);
        Q_EMIT this->changed();
    }
}

void ModemManagerModem::updateModem(const QString &path, const QString &interface, const QVariantMap &properties)
{
    Modem &modem = m_modems[path];
    if (interface == ModemInterface) {
        takeProperty(properties, QStringLiteral("State"), &modem.state);
    } else if (interface == Gpp) {
        takeProperty(properties, QStringLiteral("RegistrationState"), &modem.registration);
    } else if (interface == Voice) {
        modem.voice = true;
        QList<QDBusObjectPath> calls;
        if (takeProperty(properties, QStringLiteral("Calls"), &calls)) {
            for (const QDBusObjectPath &call : qAsConst(calls))
                watchCall(call.path());
        }
    }
}

void ModemManagerModem::callAdded(const QDBusObjectPath &path)
{
    watchCall(path.path());
}

void ModemManagerModem::callDeleted(const QDBusObjectPath &path)
{
    dropCall(path.path());
}

void ModemManagerModem::watchCall(const QString &path)
{
    if (m_calls.contains(path))
        return;
    m_calls.insert(path, Call());
    QDBusMessage call = QDBusMessage::createMethodCall(Service, path, PropertiesInterface, QStringLiteral("GetAll"));
    call << CallInterface;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, path](QDBusPendingCallWatcher *answer) {
        answer->deleteLater();
        const QDBusPendingReply<QVariantMap> reply = *answer;
        if (!m_calls.contains(path))
            return;
        if (reply.isError()) {
            // Gone before it could be asked about: as if deleted.
            qCDebug(METER_LOG) << "no properties of call" << path << ':' << reply.error().message();
            dropCall(path);
            return;
        }
        updateCall(path, reply.value());
    });
}

void ModemManagerModem::updateCall(const QString &path, const QVariantMap &properties)
{
    Call &call = m_calls[path];
    takeProperty(properties, QStringLiteral("Direction"), &call.direction);
    if (takeProperty(properties, QStringLiteral("State"), &call.state) || properties.contains(QStringLiteral("Direction")))
        Q_EMIT callChanged(path, call.direction, call.state);
}

void ModemManagerModem::callStateChanged(const QDBusMessage &message)
{
    const QString path = message.path();
    int state = 0;
    if (!m_calls.contains(path))
        return;
    if (!argument(message, 1, "i", &state)) {
        qCDebug(METER_LOG) << "ignored: StateChanged of signature" << message.signature() << "from" << path;
        return;
    }
    Call &call = m_calls[path];
    if (call.state == state)
        return; // its PropertiesChanged told it already
    call.state = state;
    Q_EMIT callChanged(path, call.direction, call.state);
}

void ModemManagerModem::dropCall(const QString &path)
{
    if (m_calls.remove(path))
        Q_EMIT callGone(path);
}
