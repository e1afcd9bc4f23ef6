// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef NETWORKMANAGERMODEM_H
#define NETWORKMANAGERMODEM_H

#include <QDBusConnection>
#include <QHash>
#include <QObject>

class QDBusMessage;
class QDBusObjectPath;
class QDBusPendingCallWatcher;

/**
 * The cellular data connection as NetworkManager on the system bus shows it:
 * its modem devices (device type 8), and of the one that is activated (state
 * 100) the data interface (IpInterface) and the ModemManager modem it stands
 * for (its Udi is that modem's object path).
 *
 * Follows devices coming and going, their property changes and the service
 * itself, which may be absent, restart or come later. Calls never block.
 */
class NetworkManagerModem : public QObject
{
    Q_OBJECT
public:
    explicit NetworkManagerModem(const QDBusConnection &bus, QObject *parent = nullptr);
    ~NetworkManagerModem() override;

    /** True once the service has answered, or is known to be absent. */
    bool isKnown() const;
    /** The data interface of the activated modem device; empty while none is. */
    QString dataInterface() const;
    /** The ModemManager object path of that device, or of any modem device. */
    QString modemPath() const;

Q_SIGNALS:
    void changed();

private Q_SLOTS:
    void deviceAdded(const QDBusObjectPath &path);
    void deviceRemoved(const QDBusObjectPath &path);
    void propertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &invalidated,
                           const QDBusMessage &message);

private:
    struct Device {
        uint type = 0;
        uint state = 0;
        QString ipInterface;
        QString udi;
    };

    void serviceUp();
    void serviceDown();
    void devicesListed(QDBusPendingCallWatcher *call);
    void watchDevice(const QString &path);
    void update(const QString &path, const QVariantMap &properties);
    const Device *activeModem() const;

    QDBusConnection m_bus;
    QHash<QString, Device> m_devices;
    bool m_known = false;
    int m_pending = 0; // answers still to come
};

#endif
