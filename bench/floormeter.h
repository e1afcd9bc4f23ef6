// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef FLOORMETER_H
#define FLOORMETER_H

#include <QByteArray>
#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

/**
 * The floor of the meter's measures: the least that counting an interface's
 * traffic needs. A sample reads the interface's two byte counters with bare
 * system calls and, when either moved, writes the bytes sent so far to one key
 * with the store's bare API (FloorStore). A change of the modem's registration
 * (ModemManager's PropertiesChanged on @p bus, matched by QtDBus) takes a
 * sample at once, as the split at a change needs.
 */
class FloorMeter : public QObject
{
    Q_OBJECT
public:
    /** Counts @p interface's counters under @p sysfsRoot from their values now on, added to what @p key holds. */
    FloorMeter(const QDBusConnection &bus, const QString &sysfsRoot, const QString &interface, const QString &key,
               QObject *parent = nullptr);
    ~FloorMeter() override;

    /** Whether the counters could be read when it started. */
    bool isValid() const { return m_valid; }

    /** Reads the counters and writes the key if they moved; false when a read or the write failed. */
    bool sample();

Q_SIGNALS:
    /** The key was written. */
    void written();

private Q_SLOTS:
    void propertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &invalidated);

private:
    bool read(unsigned long long *sent, unsigned long long *received) const;

    QDBusConnection m_bus;
    const QByteArray m_sentPath;
    const QByteArray m_receivedPath;
    const QByteArrayList m_key;
    unsigned long long m_sent = 0;
    unsigned long long m_received = 0;
    unsigned long long m_total = 0;
    bool m_valid = false;
};

#endif
