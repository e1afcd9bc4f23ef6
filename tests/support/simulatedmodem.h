// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef SIMULATEDMODEM_H
#define SIMULATEDMODEM_H

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

/**
 * The phone's modem stack (tools/cellcounters-simulated-modem): NetworkManager
 * and ModemManager on a private bus, and the data interface's byte counters
 * under sysfsRoot(). A test puts busAddress() in DBUS_SYSTEM_BUS_ADDRESS
 * before its first QDBusConnection::systemBus(). Commands are lines such as
 * "modem", "connect wwan0", "traffic 100 200" or "call in" (see the program's
 * --help).
 */
class SimulatedModem
{
public:
    /** Starts the program and waits until both services are on the bus. */
    SimulatedModem();
    /** Ends the program, which takes its services, bus and interfaces with it. */
    ~SimulatedModem();
    SimulatedModem(const SimulatedModem &) = delete;
    SimulatedModem &operator=(const SimulatedModem &) = delete;

    bool isRunning() const { return !m_busAddress.isEmpty() && m_process.state() == QProcess::Running; }
    QString busAddress() const { return m_busAddress; }
    /** Stands for /sys/class/net. */
    QString sysfsRoot() const { return m_sysfs.path(); }

    /**
     * Runs @p command and waits up to 10 s for its answer, keeping the caller's
     * event loop turning. True on "ok"; @p answer gets what follows "ok" or,
     * on failure, the reason.
     */
    bool send(const QString &command, QString *answer = nullptr);

private:
    /** The next line of output without its end, or a null array on timeout or exit. */
    QByteArray readLine(int timeoutMs);

    QTemporaryDir m_sysfs;
    QProcess m_process;
    QString m_busAddress;
};

#endif
