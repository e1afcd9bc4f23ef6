// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef MODEMMANAGERMODEM_H
#define MODEMMANAGERMODEM_H

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QSet>

class QDBusMessage;
class QDBusObjectPath;
class QDBusPendingCallWatcher;

/**
 * The modems as ModemManager on the system bus shows them: whether a modem is
 * registered in a roaming network (3GPP registration state 5, 7 or 10),
 * whether one with voice is there and enabled, and the calls of their voice
 * interfaces with their direction and state.
 *
 * Follows the modems coming and going (the service's object manager), their
 * property changes, the calls added and deleted and their state changes, and
 * the service itself, which may be absent, restart or come later. Calls never
 * block.
 */
class ModemManagerModem : public QObject
{
    Q_OBJECT
public:
    enum CallDirection { Incoming = 1, Outgoing = 2 };
    enum CallState { Active = 4, Held = 5, Terminated = 7 };

    explicit ModemManagerModem(const QDBusConnection &bus, QObject *parent = nullptr);
    ~ModemManagerModem() override;

    /** True once the service has answered, or is known to be absent. */
    bool isKnown() const;
    /** Whether the modem at @p path (or the only one, when @p path is none of them) is roaming. */
    bool isRoaming(const QString &path) const;
    /** Whether a modem with voice is there and enabled. */
    bool isVoiceAvailable() const;

Q_SIGNALS:
    /** The registration or the availability of voice changed. */
    void changed();
    /** A call is known, or its state changed; @p direction is a CallDirection, 0 while unknown. */
    void callChanged(const QString &path, int direction, int state);
    /** A call was deleted, or its modem or the service went away. */
    void callGone(const QString &path);

private Q_SLOTS:
    void interfacesAdded(const QDBusMessage &message);
    void interfacesRemoved(const QDBusObjectPath &path, const QStringList &interfaces);
    void propertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &invalidated,
                           const QDBusMessage &message);
    void callAdded(const QDBusObjectPath &path);
    void callDeleted(const QDBusObjectPath &path);
    void callStateChanged(const QDBusMessage &message);

private:
    struct Modem {
        int state = 0;
        uint registration = 0;
        bool voice = false;
    };
    struct Call {
        int direction = 0;
        int state = 0;
    };

    void serviceUp();
    void serviceDown();
    void objectsListed(QDBusPendingCallWatcher *call);
    void addInterfaces(const QString &path, const QMap<QString, QVariantMap> &interfaces);
    void updateModem(const QString &path, const QString &interface, const QVariantMap &properties);
    void watchCall(const QString &path);
    void updateCall(const QString &path, const QVariantMap &properties);
    void dropCall(const QString &path);

    QDBusConnection m_bus;
    QHash<QString, Modem> m_modems;
    QHash<QString, Call> m_calls;
    bool m_known = false;
};

#endif
