// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "placeholdercounters.h"

#include "datacountervalue.h"
#include "networkcounters.h"
#include "storageif.h"

PlaceholderCounters::PlaceholderCounters(QObject *parent)
    : QObject(parent)
    , m_store(new StorageIf(NetworkCounters::storeKeys(), this))
    , m_counters(new NetworkCounters(NetworkCounters::Home, m_store, this))
{
    connect(m_counters, &NetworkCounters::trafficChanged, this, &PlaceholderCounters::trafficChanged);
    connect(m_counters, &NetworkCounters::limitChanged, this, &PlaceholderCounters::limitChanged);
    connect(m_counters, &NetworkCounters::enteredLimitChanged, this, &PlaceholderCounters::limitChanged);
}

PlaceholderCounters::~PlaceholderCounters() = default;

QString PlaceholderCounters::sent() const
{
    return m_counters->bytesSent().toUiMegas() + QStringLiteral(" MB");
}

bool PlaceholderCounters::isWarningOn() const
{
    return m_counters->isWarningOn();
}

QString PlaceholderCounters::limit() const
{
    return (isWarningOn() ? m_counters->limit() : m_counters->enteredLimit()).toUiMegas();
}

void PlaceholderCounters::setWarning(bool on)
{
    m_counters->setWarning(on);
}

QString PlaceholderCounters::commitLimit(const QString &text)
{
    DataCounterValue value;
    value.fromUiMegas(text);
    m_counters->enterLimit(value);
    return limit();
}
