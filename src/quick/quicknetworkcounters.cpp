// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "quicknetworkcounters.h"

#include "countertexts.h"
#include "limitvalidator.h"
#include "networkcounters.h"
#include "storageif.h"
#include "tracing_p.h"

#include "lolocale.h"

#include <QSignalBlocker>

QuickNetworkCounters::QuickNetworkCounters(QObject *parent)
    : QObject(parent)
    , m_validator(new LimitValidator(this))
{
    CounterTexts::installCatalogs();
}

QuickNetworkCounters::~QuickNetworkCounters() = default;

QuickNetworkCounters::Network QuickNetworkCounters::network() const
{
    return m_network;
}

void QuickNetworkCounters::setNetwork(Network network)
{
    if (network == m_network)
        return;
    m_network = network;
    // Built again on the next read, over the other network's keys.
    delete m_store;
    m_store = nullptr;
    m_counters = nullptr;
    m_lastGoodLimit.clear();
    Q_EMIT networkChanged();
    Q_EMIT trafficChanged();
    Q_EMIT resetDateChanged();
    Q_EMIT limitChanged();
}

QString QuickNetworkCounters::sent() const
{
    return CounterTexts::amount(counters()->bytesSent().toUiMegas());
}

QString QuickNetworkCounters::received() const
{
    return CounterTexts::amount(counters()->bytesReceived().toUiMegas());
}

QString QuickNetworkCounters::resetDate() const
{
    return CounterTexts::resetDate(counters()->resetDate());
}

bool QuickNetworkCounters::isWarningOn() const
{
    return counters()->isWarningOn();
}

QString QuickNetworkCounters::limit() const
{
    counters();
    return LoLocale().toLocalizedNumbers(m_lastGoodLimit);
}

QValidator *QuickNetworkCounters::limitValidator() const
{
    return m_validator;
}

void QuickNetworkCounters::reset()
{
    CELLCOUNTERS_TRACE() << int(m_network);
    {
        const QSignalBlocker blocker(counters());
        counters()->reset(CounterTexts::newResetDate());
    }
    Q_EMIT trafficChanged();
    Q_EMIT resetDateChanged();
}

void QuickNetworkCounters::setWarning(bool on)
{
    CELLCOUNTERS_TRACE() << int(m_network) << on;
    {
        const QSignalBlocker blocker(counters());
        counters()->setWarning(on);
    }
    m_lastGoodLimit = shownLimit();
    Q_EMIT limitChanged();
}

void QuickNetworkCounters::editLimit(const QString &text)
{
    // What the field takes while the user types is entered at once, as the
    // widget page does; half a number ("12,") waits for its digit.
    QString latin;
    if (m_validator->isEntered(text, &latin))
        enter(latin);
}

QString QuickNetworkCounters::commitLimit(const QString &text)
{
    QString latin;
    if (m_validator->isCommittable(text, &latin))
        m_lastGoodLimit = DataCounterValue(latin, false).toUiMegas();
    CELLCOUNTERS_TRACE() << int(m_network) << text << "->" << m_lastGoodLimit;
    // A refused text brings back the last good limit, which is entered again.
    enter(m_lastGoodLimit);
    return LoLocale().toLocalizedNumbers(m_lastGoodLimit);
}

NetworkCounters *QuickNetworkCounters::counters() const
{
    if (m_counters)
        return m_counters;
    const auto network = m_network == Roaming ? NetworkCounters::Roaming : NetworkCounters::Home;
    auto *self = const_cast<QuickNetworkCounters *>(this);
    m_store = new StorageIf(NetworkCounters::storeKeys(network), self);
    m_counters = new NetworkCounters(network, m_store, m_store);
    connect(m_counters, &NetworkCounters::trafficChanged, self, &QuickNetworkCounters::trafficChanged);
    connect(m_counters, &NetworkCounters::resetDateChanged, self, &QuickNetworkCounters::resetDateChanged);
    connect(m_counters, &NetworkCounters::limitChanged, self, &QuickNetworkCounters::limitInForceChanged);
    connect(m_counters, &NetworkCounters::enteredLimitChanged, self, &QuickNetworkCounters::enteredLimitChanged);
    // As a page built now: the entered limit follows the one in force.
    self->followLimitInForce();
    return m_counters;
}

void QuickNetworkCounters::limitInForceChanged()
{
    followLimitInForce();
    Q_EMIT limitChanged();
}

void QuickNetworkCounters::enteredLimitChanged()
{
    // While the warning is off the field shows the entered limit.
    if (!m_counters->isWarningOn()) {
        m_lastGoodLimit = shownLimit();
        Q_EMIT limitChanged();
    }
}

void QuickNetworkCounters::followLimitInForce()
{
    const DataCounterValue inForce = m_counters->limit();
    if (inForce.toBytes() != 0) {
        // Keep the entered limit in step, so that switching the warning off
        // and on again restores the limit in force now.
        const QSignalBlocker blocker(m_counters);
        m_counters->keepEntered(inForce);
    }
    m_lastGoodLimit = shownLimit();
}

QString QuickNetworkCounters::shownLimit() const
{
    const DataCounterValue inForce = m_counters->limit();
    return (inForce.toBytes() != 0 ? inForce : m_counters->enteredLimit()).toUiMegas();
}

void QuickNetworkCounters::enter(const QString &latinMegas)
{
    const QSignalBlocker blocker(counters());
    counters()->enterLimit(DataCounterValue(latinMegas, false));
}
