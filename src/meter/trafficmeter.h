// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef TRAFFICMETER_H
#define TRAFFICMETER_H

#include "interfacecounters.h"
#include "networkcounters.h"

#include <QObject>
#include <QTimer>

#include <optional>

class LoGConfItem;

/**
 * Adds the traffic of the cellular data interface to the byte counters of the
 * network it happens in, home or roaming.
 *
 * While an interface is up it samples the kernel's counters every interval
 * (intervalKey(), seconds, 10 when unset) and at once at every change of the
 * interface or the network, so that traffic is split where the change was;
 * while none is up it has no timer. A counter that went down, or an interface
 * made anew (another index), starts a new baseline: nothing is subtracted.
 *
 * Never twice: before the counters are written, the baseline and the totals
 * about to be written go to stateKey(), so a restart after a kill either
 * finishes that write or counts from the baseline, never both. Never undone:
 * when a network's counters are reset (its reset date changes), the traffic not
 * yet counted is dropped and the counters are written as 0 again, in case a
 * sample of ours read them before the reset and wrote after it.
 */
class TrafficMeter : public QObject
{
    Q_OBJECT
public:
    TrafficMeter(NetworkCounters *home, NetworkCounters *roaming, const InterfaceCounters &counters,
                 QObject *parent = nullptr);
    ~TrafficMeter() override;

    static QString intervalKey();
    static QString stateKey();

    /** The data interface (empty: none up) and the network it is in; samples the old link first. */
    void setLink(const QString &interface, NetworkCounters::Network network);
    bool isSampling() const;

public Q_SLOTS:
    /** Counts what the interface moved since the last sample. */
    void sample();

private:
    struct Record {
        InterfaceCounters::Reading baseline;
        NetworkCounters::Network network = NetworkCounters::Home;
        unsigned long long sent = 0;
        unsigned long long received = 0;
        QString resetDate;
    };

    NetworkCounters *counters(NetworkCounters::Network network) const;
    void resume();
    void commit(const Record &record);
    void writeRecord(const Record &record);
    void wasReset(NetworkCounters::Network network);
    void updateTimer();

    NetworkCounters *const m_home;
    NetworkCounters *const m_roaming;
    const InterfaceCounters m_counters;
    LoGConfItem *const m_interval;
    LoGConfItem *const m_state;
    QTimer m_timer;
    QString m_interface;
    NetworkCounters::Network m_network = NetworkCounters::Home;
    std::optional<InterfaceCounters::Reading> m_baseline;
};

#endif
