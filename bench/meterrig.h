// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef METERRIG_H
#define METERRIG_H

#include "simulatedmodem.h"

#include <QDBusConnection>
#include <QString>

#include <chrono>
#include <memory>

class FloorMeter;
class LoGConfItem;
class Meter;

/**
 * The meter in this process, for the measures of a sample and of a split: the
 * simulated modem stack with its modem added and its data interface (wwan0)
 * up, counted by the library's Meter or by the floor's FloorMeter, never both.
 * The meter's clock is set to a day, so that only the measures sample; the
 * page keys get their values again when the rig goes, as the other measures
 * expect them.
 */
class MeterRig
{
public:
    explicit MeterRig(bool library);
    ~MeterRig();
    MeterRig(const MeterRig &) = delete;
    MeterRig &operator=(const MeterRig &) = delete;

    /** Why the rig cannot measure, or null. */
    const char *error() const { return m_error; }

    /** A command of the simulated modem, such as "traffic 1000 2000" or "register 5". */
    bool send(const QString &command);
    /** Samples the interface's counters: TrafficMeter::sample() or FloorMeter::sample(). */
    void sample();
    /** Every signal the modem's services sent so far has been handled. */
    bool settle();

    /**
     * How often the home counters were written: by the library the bytes
     * received (the last of its writes), by the floor its one key.
     */
    int writes() const { return m_writes; }
    std::chrono::steady_clock::time_point lastWrite() const { return m_lastWrite; }

private:
    void start(bool library);
    void wrote();

    SimulatedModem m_modem;
    const QString m_busName;
    QDBusConnection m_bus;
    std::unique_ptr<Meter> m_meter;
    std::unique_ptr<LoGConfItem> m_received;
    std::unique_ptr<FloorMeter> m_floor;
    int m_writes = 0;
    std::chrono::steady_clock::time_point m_lastWrite;
    const char *m_error = nullptr;
};

#endif
