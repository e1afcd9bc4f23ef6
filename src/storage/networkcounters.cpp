// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "networkcounters.h"

#include "datacounters.h"
#include "storageif.h"

#include <limits>

namespace
{
using namespace StorageKeys;

// Each network's keys in the order of NetworkCounters::Field.
const KeyId Keys[2][5] = {
    {GprsHomeTxBytes, GprsHomeRxBytes, GprsHomeNotificationPeriod, GprsHomeUiNotificationPeriod, GprsHomeLastReset},
    {GprsRoamingTxBytes, GprsRoamingRxBytes, GprsRoamingNotificationPeriod, GprsRoamingUiNotificationPeriod,
     GprsRoamingLastReset},
};

// Byte counts and limits are stored as decimal text, never as integers: GConf's
// are 32-bit.
QVariant storedForm(const DataCounterValue &value)
{
    return QVariant(QString::number(value.toBytes()));
}
} // namespace

StorageKeys::KeyId NetworkCounters::key(Network network, Field field)
{
    return Keys[network == Roaming ? 1 : 0][field];
}

QList<StorageKeys::KeyId> NetworkCounters::storeKeys()
{
    return storeKeys(Home) + storeKeys(Roaming);
}

QList<StorageKeys::KeyId> NetworkCounters::storeKeys(Network network)
{
    // The last reset before the entered limit: the order the page has always built its store in.
    QList<KeyId> keys;
    for (Field field : {SentBytes, ReceivedBytes, Limit, ResetDate, EnteredLimit})
        keys << key(network, field);
    return keys;
}

DataCounterValue NetworkCounters::defaultLimit(Network network)
{
    return DataCounterValue(network == Roaming ? 10000000ULL : 1000000000ULL);
}

DataCounterValue NetworkCounters::unsetLimit(Network network)
{
    return network == Roaming ? defaultLimit(Roaming) : DataCounterValue(0);
}

DataCounterValue NetworkCounters::byteCount(const QVariant &stored)
{
    DataCounterValue value;
    value = stored;
    return value;
}

NetworkCounters::NetworkCounters(Network network, StorageIf *store, QObject *parent)
    : QObject(parent)
    , m_network(network)
    , m_store(store)
{
    connect(m_store, &StorageIf::valueChanged, this, &NetworkCounters::storeChanged);
}

NetworkCounters::~NetworkCounters() = default;

NetworkCounters::Network NetworkCounters::network() const
{
    return m_network;
}

NetworkCounters::Field NetworkCounters::fieldOf(int key) const
{
    for (Field field : {SentBytes, ReceivedBytes, Limit, EnteredLimit, ResetDate}) {
        if (NetworkCounters::key(m_network, field) == key)
            return field;
    }
    return NoField;
}

DataCounterValue NetworkCounters::bytesSent() const
{
    return byteCount(stored(SentBytes, 0));
}

DataCounterValue NetworkCounters::bytesReceived() const
{
    return byteCount(stored(ReceivedBytes, 0));
}

unsigned long long NetworkCounters::traffic() const
{
    const unsigned long long sent = bytesSent();
    const unsigned long long received = bytesReceived();
    const unsigned long long most = std::numeric_limits<unsigned long long>::max();
    return received > most - sent ? most : sent + received;
}

DataCounterValue NetworkCounters::limit() const
{
    return byteCount(stored(Limit, storedForm(unsetLimit(m_network))));
}

DataCounterValue NetworkCounters::limitFrom(const QVariant &value) const
{
    return byteCount(value.isNull() ? storedForm(unsetLimit(m_network)) : value);
}

bool NetworkCounters::isWarningOn() const
{
    return limit().toBytes() != 0;
}

DataCounterValue NetworkCounters::enteredLimit() const
{
    return byteCount(stored(EnteredLimit, storedForm(defaultLimit(m_network))));
}

QString NetworkCounters::resetDate() const
{
    return stored(ResetDate, QString::fromLatin1(DataCounters::DefaultResetDate)).toString();
}

QString NetworkCounters::resetDateFrom(const QVariant &value)
{
    return value.isNull() ? QString::fromLatin1(DataCounters::DefaultResetDate) : value.toString();
}

void NetworkCounters::reset(const QString &date)
{
    store(ResetDate, date);
    store(ReceivedBytes, QStringLiteral("0"));
    store(SentBytes, QStringLiteral("0"));
}

void NetworkCounters::setTraffic(const DataCounterValue &sent, const DataCounterValue &received)
{
    store(SentBytes, storedForm(sent));
    store(ReceivedBytes, storedForm(received));
}

DataCounterValue NetworkCounters::setWarning(bool on)
{
    DataCounterValue inForce;
    if (on) {
        inForce = enteredLimit();
        // "0" in force would be the warning off under a switch that shows on.
        if (inForce.toBytes() == 0)
            inForce = defaultLimit(m_network);
    }
    store(Limit, storedForm(inForce));
    return inForce;
}

bool NetworkCounters::enterLimit(const DataCounterValue &limit)
{
    if (limit.toBytes() == 0)
        return false;
    store(EnteredLimit, storedForm(limit));
    if (!isWarningOn())
        return false;
    store(Limit, storedForm(limit));
    return true;
}

void NetworkCounters::keepEntered(const DataCounterValue &limit)
{
    if (enteredLimit().toBytes() != limit.toBytes())
        store(EnteredLimit, storedForm(limit));
}

void NetworkCounters::storeChanged(int key)
{
    switch (fieldOf(key)) {
    case SentBytes:
    case ReceivedBytes:
        Q_EMIT trafficChanged();
        break;
    case Limit:
        Q_EMIT limitChanged();
        break;
    case EnteredLimit:
        Q_EMIT enteredLimitChanged();
        break;
    case ResetDate:
        Q_EMIT resetDateChanged();
        break;
    case NoField:
        break;
    }
}

QVariant NetworkCounters::stored(Field field, const QVariant &def) const
{
    return m_store->value(key(m_network, field), def);
}

void NetworkCounters::store(Field field, const QVariant &value)
{
    m_store->setValue(key(m_network, field), value);
}
