// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "meter.h"

#include "meter_debug.h"

#include "calltimers.h"
#include "logconfitem.h"

Meter::Meter(const QDBusConnection &systemBus, const QString &sysfsRoot, QObject *parent)
    : QObject(parent)
    , m_store(NetworkCounters::storeKeys())
    , m_home(NetworkCounters::Home, &m_store)
    , m_roaming(NetworkCounters::Roaming, &m_store)
    , m_traffic(&m_home, &m_roaming, InterfaceCounters(sysfsRoot))
    , m_networkManager(systemBus)
    , m_modemManager(systemBus)
    , m_available(new LoGConfItem(Cellular::CallTimersKeys::Available, this))
{
    connect(&m_networkManager, &NetworkManagerModem::changed, this, &Meter::update);
    connect(&m_modemManager, &ModemManagerModem::changed, this, &Meter::update);
    connect(&m_modemManager, &ModemManagerModem::callChanged, &m_calls, &CallMeter::callChanged);
    connect(&m_modemManager, &ModemManagerModem::callGone, &m_calls, &CallMeter::callGone);
}

Meter::~Meter() = default;

bool Meter::isReady() const
{
    return m_ready;
}

TrafficMeter *Meter::traffic()
{
    return &m_traffic;
}

void Meter::update()
{
    // Until both have answered, a roaming modem could be taken for a home one.
    if (!m_networkManager.isKnown() || !m_modemManager.isKnown())
        return;
    const bool roaming = m_modemManager.isRoaming(m_networkManager.modemPath());
    m_traffic.setLink(m_networkManager.dataInterface(), roaming ? NetworkCounters::Roaming : NetworkCounters::Home);

    const QVariant available(m_modemManager.isVoiceAvailable());
    if (m_available->value() != available) {
        qCDebug(METER_LOG) << "call timers available:" << available.toBool();
        m_available->set(available);
    }
    if (!m_ready) {
        m_ready = true;
        Q_EMIT ready();
    }
}
