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
    const NetworkCounters *network = counters();
    const DataCounterValue inForce = network->limit();
    m_lastGoodLimit = (inForce.toBytes() != 0 ? inForce : network->enteredLimit()).toUiMegas();
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
    Q_EMIT limitChanged();
}

void QuickNetworkCounters::editLimit(const QString &text)
{
    // What the field takes while the user types is entered at once, as the
    // widget page does; half a number ("12,") waits for its digit.
    QString input = text;
    int position = 0;
    if (m_validator->validate(input, position) != QValidator::Acceptable)
        return;
    const QString latin = LoLocale().toLatinNumbers(text);
    bool ok = false;
    LimitValidator::toMegabytes(latin, &ok);
    if (ok)
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
    QList<StorageKeys::KeyId> keys;
    for (NetworkCounters::Field field : {NetworkCounters::SentBytes, NetworkCounters::ReceivedBytes,
                                         NetworkCounters::Limit, NetworkCounters::ResetDate,
                                         NetworkCounters::EnteredLimit})
        keys << NetworkCounters::key(network, field);
    auto *self = const_cast<QuickNetworkCounters *>(this);
    m_store = new StorageIf(keys, self);
    m_counters = new NetworkCounters(network, m_store, m_store);
    connect(m_counters, &NetworkCounters::trafficChanged, self, &QuickNetworkCounters::trafficChanged);
    connect(m_counters, &NetworkCounters::resetDateChanged, self, &QuickNetworkCounters::resetDateChanged);
    connect(m_counters, &NetworkCounters::limitChanged, self, &QuickNetworkCounters::limitInForceChanged);
    connect(m_counters, &NetworkCounters::enteredLimitChanged, self, &QuickNetworkCounters::enteredLimitChanged);
    // As a page built now: the entered limit follows the one in force.
    self->limitInForceChanged();
    return m_counters;
}

void QuickNetworkCounters::limitInForceChanged()
{
    const DataCounterValue inForce = m_counters->limit();
    if (inForce.toBytes() != 0) {
        // Keep the entered limit in step, so that switching the warning off
        // and on again restores the limit in force now.
        const QSignalBlocker blocker(m_counters);
        m_counters->keepEntered(inForce);
    }
    Q_EMIT limitChanged();
}

void QuickNetworkCounters::enteredLimitChanged()
{
    // While the warning is off the field shows the entered limit.
    if (!m_counters->isWarningOn())
        Q_EMIT limitChanged();
}

void QuickNetworkCounters::enter(const QString &latinMegas)
{
    const QSignalBlocker blocker(counters());
    counters()->enterLimit(DataCounterValue(latinMegas, false));
}
