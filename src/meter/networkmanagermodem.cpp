// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "networkmanagermodem.h"

#include "dbusproperties.h"
#include "meter_debug.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace
{
const QString Service = QStringLiteral("org.freedesktop.NetworkManager");
const QString ManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");
const QString DeviceInterface = QStringLiteral("org.freedesktop.NetworkManager.Device");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

const uint ModemType = 8; // NM_DEVICE_TYPE_MODEM
const uint Activated = 100; // NM_DEVICE_STATE_ACTIVATED
} // namespace

NetworkManagerModem::NetworkManagerModem(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
{
    followService(m_bus, Service, this, &NetworkManagerModem::serviceUp, &NetworkManagerModem::serviceDown);
    m_bus.connect(Service, ManagerPath, Service, QStringLiteral("DeviceAdded"), this,
                  SLOT(deviceAdded(QDBusObjectPath)));
    m_bus.connect(Service, ManagerPath, Service, QStringLiteral("DeviceRemoved"), this,
                  SLOT(deviceRemoved(QDBusObjectPath)));
    // Every object of the service: the devices are known by path when it comes.
    m_bus.connect(Service, QString(), PropertiesInterface, QStringLiteral("PropertiesChanged"), this,
                  SLOT(propertiesChanged(QString, QVariantMap, QStringList, QDBusMessage)));
    serviceUp();
}

NetworkManagerModem::~NetworkManagerModem() = default;

bool NetworkManagerModem::isKnown() const
{
    return m_known;
}

QString NetworkManagerModem::dataInterface() const
{
    const Device *modem = activeModem();
    return modem ? modem->ipInterface : QString();
}

QString NetworkManagerModem::modemPath() const
{
    if (const Device *modem = activeModem())
        return modem->udi;
    for (const Device &device : m_devices) {
        if (device.type == ModemType)
            return device.udi;
    }
    return QString();
}

void NetworkManagerModem::serviceUp()
{
    const QDBusMessage call = QDBusMessage::createMethodCall(Service, ManagerPath, Service, QStringLiteral("GetDevices"));
    ++m_pending;
    connect(new QDBusPendingCallWatcher(m_bus.asyncCall(call), this), &QDBusPendingCallWatcher::finished, this,
            &NetworkManagerModem::devicesListed);
}

void NetworkManagerModem::serviceDown()
{
    qCDebug(METER_LOG) << "NetworkManager left the system bus";
    m_devices.clear();
    m_known = true;
    Q_EMIT changed();
}

void NetworkManagerModem::devicesListed(QDBusPendingCallWatcher *call)
{
    call->deleteLater();
    --m_pending;
    const QDBusPendingReply<QList<QDBusObjectPath>> reply = *call;
    if (reply.isError()) {
        qCDebug(METER_LOG) << "no devices from NetworkManager:" << reply.error().message();
    } else {
        const QList<QDBusObjectPath> paths = reply.value();
        for (const QDBusObjectPath &path : paths)
            watchDevice(path.path());
    }
    if (m_pending == 0) {
        m_known = true;
        Q_EMIT changed();
    }
}

void NetworkManagerModem::deviceAdded(const QDBusObjectPath &path)
{
    watchDevice(path.path());
}

void NetworkManagerModem::deviceRemoved(const QDBusObjectPath &path)
{
    if (m_devices.remove(path.path()))
        Q_EMIT changed();
}

void NetworkManagerModem::watchDevice(const QString &path)
{
    QDBusMessage call = QDBusMessage::createMethodCall(Service, path, PropertiesInterface, QStringLiteral("GetAll"));
    call << DeviceInterface;
    ++m_pending;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, path](QDBusPendingCallWatcher *answer) {
        answer->deleteLater();
        --m_pending;
        const QDBusPendingReply<QVariantMap> reply = *answer;
        // A device may be gone again before its properties are asked for.
        if (reply.isError())
            qCDebug(METER_LOG) << "no properties of" << path << ':' << reply.error().message();
        else
            update(path, reply.value());
        if (m_pending == 0)
            m_known = true;
        Q_EMIT changed();
    });
}

void NetworkManagerModem::propertiesChanged(const QString &interface, const QVariantMap &changed,
                                            const QStringList &, const QDBusMessage &message)
{
    if (interface != DeviceInterface || !m_devices.contains(message.path()))
        return;
    update(message.path(), changed);
    Q_EMIT this->changed();
}

void NetworkManagerModem::update(const QString &path, const QVariantMap &properties)
{
    Device &device = m_devices[path];
    takeProperty(properties, QStringLiteral("DeviceType"), &device.type);
    takeProperty(properties, QStringLiteral("State"), &device.state);
    takeProperty(properties, QStringLiteral("IpInterface"), &device.ipInterface);
    takeProperty(properties, QStringLiteral("Udi"), &device.udi);
}

const NetworkManagerModem::Device *NetworkManagerModem::activeModem() const
{
    const Device *found = nullptr;
    QString foundPath;
    // The lowest path of several, so that the choice does not depend on hash order.
    for (auto it = m_devices.cbegin(); it != m_devices.cend(); ++it) {
        const Device &device = it.value();
        if (device.type == ModemType && device.state == Activated && !device.ipInterface.isEmpty()
            && (!found || it.key() < foundPath)) {
            found = &device;
            foundPath = it.key();
        }
    }
    return found;
}
