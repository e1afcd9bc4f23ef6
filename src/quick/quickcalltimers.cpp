// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "quickcalltimers.h"

#include "countertexts.h"
#include "storagekeys.h"
#include "tracing_p.h"

#include "logconfitem.h"

QuickCallTimers::QuickCallTimers(QObject *parent)
    : QObject(parent)
    , m_timers(new Cellular::CallTimers(this))
    , m_clearingDate(new LoGConfItem(StorageKeys::CallTimersResetDatePath, this))
{
    CounterTexts::installCatalogs();
    // Updated every second while a call lasts, as the call timers section asks.
    if (m_timers->isValid() && m_timers->callUpdateTime() != 1)
        m_timers->setCallUpdateTime(1);
    m_info = m_timers->timers();
    connect(m_timers, &Cellular::CallTimers::timersUpdated, this, &QuickCallTimers::timersUpdated);
    connect(m_clearingDate, &LoGConfItem::valueChanged, this, &QuickCallTimers::clearingDateChanged);
    m_clearedOn = CounterTexts::clearingDate(m_clearingDate->value().toString());
}

QuickCallTimers::~QuickCallTimers() = default;

bool QuickCallTimers::isAvailable() const
{
    return m_timers->isValid();
}

QString QuickCallTimers::dialled() const
{
    return timer(Dialled);
}

QString QuickCallTimers::received() const
{
    return timer(Received);
}

QString QuickCallTimers::all() const
{
    return timer(All);
}

QString QuickCallTimers::clearedOn() const
{
    return CounterTexts::clearingDateText(m_clearedOn);
}

void QuickCallTimers::clear()
{
    CELLCOUNTERS_TRACE() << m_clearingDate->value();
    if (!m_timers->isValid())
        return;
    m_timers->clearTimers();
    m_clearingDate->set(CounterTexts::newClearingDate());
}

QString QuickCallTimers::timer(Timer which) const
{
    if (!m_timers->isValid())
        return QString();
    // The all-calls total is the record's own; the two others need not add up to it.
    return CounterTexts::duration(which == Dialled ? m_info.dialled : which == Received ? m_info.received : m_info.all);
}

void QuickCallTimers::timersUpdated(const Cellular::CallTimers::CallTimersInfo &info)
{
    m_info = info;
    Q_EMIT timersChanged();
}

void QuickCallTimers::clearingDateChanged()
{
    m_clearedOn = CounterTexts::clearingDate(m_clearingDate->value().toString());
    Q_EMIT clearedOnChanged();
}
