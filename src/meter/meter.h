// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef METER_H
#define METER_H

#include "callmeter.h"
#include "modemmanagermodem.h"
#include "networkcounters.h"
#include "networkmanagermodem.h"
#include "storageif.h"
#include "trafficmeter.h"

#include <QObject>

class LoGConfItem;

/**
 * The meter of a session: follows the modem through NetworkManager and
 * ModemManager on @p systemBus and keeps the data counters (TrafficMeter) and
 * the call timers (CallMeter) true, and /cellular/calltimers/available set
 * while a modem with voice is there and enabled.
 */
class Meter : public QObject
{
    Q_OBJECT
public:
    Meter(const QDBusConnection &systemBus, const QString &sysfsRoot, QObject *parent = nullptr);
    ~Meter() override;

    /** Both services have answered, or are known to be absent. */
    bool isReady() const;
    TrafficMeter *traffic();

Q_SIGNALS:
    void ready();

private:
    void update();

    StorageIf m_store;
    NetworkCounters m_home;
    NetworkCounters m_roaming;
    TrafficMeter m_traffic;
    CallMeter m_calls;
    NetworkManagerModem m_networkManager;
    ModemManagerModem m_modemManager;
    LoGConfItem *const m_available;
    bool m_ready = false;
};

#endif
