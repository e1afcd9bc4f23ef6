// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef MODEMCONTROL_H
#define MODEMCONTROL_H

#include <QObject>
#include <QProcess>
#include <QQueue>

#include <functional>

/**
 * Drives cellcounters-simulated-modem: NetworkManager and ModemManager on a
 * bus of its own, and the data interface's byte counters in a folder. Commands
 * ("modem", "traffic 100 200", "call in", ...) are written at once and
 * answered in order; nothing waits for an answer.
 */
class ModemControl : public QObject
{
    Q_OBJECT
public:
    /** Whether the command was carried out, and what follows "ok" (a call's path, for example). */
    using Answer = std::function<void(bool ok, const QString &value)>;

    explicit ModemControl(QObject *parent = nullptr);
    /** Ends the modem; it takes its services, bus and interfaces with it. */
    ~ModemControl() override;

    /**
     * Starts @p program with the interfaces under @p sysfs; ready() follows
     * once its services are on the bus. False when it does not start.
     */
    bool start(const QString &program, const QString &sysfs);

    QString busAddress() const;

    /** Sends @p command; @p answered, if any, gets its answer. Errors are printed. */
    void send(const QString &command, const Answer &answered = Answer());

Q_SIGNALS:
    void ready(const QString &busAddress);
    /** It did not come up, or it ended before it was told to. */
    void failed(const QString &reason);

private:
    void readLines();

    QProcess mProcess;
    QString mBusAddress;
    QQueue<QPair<QString, Answer>> mPending;
};

#endif
