// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "trafficmeter.h"

#include "crashpoint.h"
#include "meter_debug.h"

#include "logconfitem.h"

#include <limits>

namespace
{
const int DefaultInterval = 10;
const int MaxInterval = 24 * 3600;
const int RecordFields = 9;
const QString RecordVersion = QStringLiteral("1");

unsigned long long saturatingAdd(unsigned long long a, unsigned long long b)
{
    const unsigned long long most = std::numeric_limits<unsigned long long>::max();
    return b > most - a ? most : a + b;
}

unsigned long long number(const QString &text, bool *ok)
{
    bool good = false;
    const unsigned long long value = text.toULongLong(&good);
    *ok = *ok && good;
    return value;
}
} // namespace

TrafficMeter::TrafficMeter(NetworkCounters *home, NetworkCounters *roaming, const InterfaceCounters &counters,
                           QObject *parent)
    : QObject(parent)
    , m_home(home)
    , m_roaming(roaming)
    , m_counters(counters)
    , m_interval(new LoGConfItem(intervalKey(), this))
    , m_state(new LoGConfItem(stateKey(), this))
{
    connect(&m_timer, &QTimer::timeout, this, &TrafficMeter::sample);
    connect(m_interval, &LoGConfItem::valueChanged, this, [this] {
        m_timer.stop();
        updateTimer();
    });
    for (NetworkCounters *network : {m_home, m_roaming})
        connect(network, &NetworkCounters::resetDateChanged, this, [this, network] { wasReset(network->network()); });
    resume();
}

TrafficMeter::~TrafficMeter() = default;

QString TrafficMeter::intervalKey()
{
    return QStringLiteral("/cellui/meter/interval");
}

QString TrafficMeter::stateKey()
{
    return QStringLiteral("/cellui/meter/data_state");
}

void TrafficMeter::setLink(const QString &link, NetworkCounters::Network network)
{
    // A name the kernel would not give goes into no file path.
    const QString interface = link.isEmpty() || InterfaceCounters::isInterfaceName(link) ? link : QString();
    if (interface != link)
        qCDebug(METER_LOG) << "ignored: not an interface name:" << link.left(64);
    if (interface == m_interface && network == m_network)
        return;
    // What moved so far happened on the old link.
    sample();
    qCDebug(METER_LOG) << "data on" << (interface.isEmpty() ? QStringLiteral("no interface") : interface) << "in"
                       << network;
    m_interface = interface;
    m_network = network;
    sample();
    updateTimer();
}

bool TrafficMeter::isSampling() const
{
    return m_timer.isActive();
}

void TrafficMeter::sample()
{
    if (m_interface.isEmpty())
        return;
    const std::optional<InterfaceCounters::Reading> now = m_counters.read(m_interface);
    if (!now)
        return; // the next good reading counts from the baseline
    const bool continues = m_baseline && m_baseline->interface == now->interface && m_baseline->index == now->index
        && now->sent >= m_baseline->sent && now->received >= m_baseline->received;
    // Most samples find nothing moved: they end here, without a read of the store.
    if (continues && now->sent == m_baseline->sent && now->received == m_baseline->received)
        return;
    NetworkCounters *network = counters(m_network);
    Record record{*now, m_network, network->bytesSent(), network->bytesReceived(), network->resetDate()};
    if (!continues) {
        qCDebug(METER_LOG) << "new baseline on" << now->interface << "index" << now->index;
        m_baseline = now;
        writeRecord(record);
        return;
    }
    const unsigned long long sent = now->sent - m_baseline->sent;
    const unsigned long long received = now->received - m_baseline->received;
    record.sent = saturatingAdd(record.sent, sent);
    record.received = saturatingAdd(record.received, received);
    commit(record);
}

NetworkCounters *TrafficMeter::counters(NetworkCounters::Network network) const
{
    return network == NetworkCounters::Roaming ? m_roaming : m_home;
}

// The state a kill left: its baseline, and the write it may have cut short.
void TrafficMeter::resume()
{
    const QStringList fields = m_state->value().toStringList();
    if (fields.isEmpty())
        return;
    bool ok = fields.size() == RecordFields && fields.at(0) == RecordVersion
        && InterfaceCounters::isInterfaceName(fields.at(1));
    Record record;
    record.baseline.interface = fields.value(1);
    record.baseline.index = number(fields.value(2), &ok);
    record.baseline.sent = number(fields.value(3), &ok);
    record.baseline.received = number(fields.value(4), &ok);
    record.network = fields.value(5) == QLatin1String("1") ? NetworkCounters::Roaming : NetworkCounters::Home;
    record.sent = number(fields.value(6), &ok);
    record.received = number(fields.value(7), &ok);
    record.resetDate = fields.value(8);
    if (!ok) {
        qCDebug(METER_LOG) << "ignored: unreadable state in" << stateKey();
        return;
    }
    m_baseline = record.baseline;
    NetworkCounters *network = counters(record.network);
    // A reset since then stands: nothing of before it is written again.
    if (network->resetDate() != record.resetDate)
        return;
    if (network->bytesSent().toBytes() != record.sent || network->bytesReceived().toBytes() != record.received) {
        qCDebug(METER_LOG) << "finishing the write that was cut short:" << record.sent << record.received;
        network->setTraffic(record.sent, record.received);
    }
}

void TrafficMeter::commit(const Record &record)
{
    writeRecord(record);
    crashPoint();
    counters(record.network)->setTraffic(record.sent, record.received);
    crashPoint();
    m_baseline = record.baseline;
}

void TrafficMeter::writeRecord(const Record &record)
{
    m_state->set(QStringList{RecordVersion, record.baseline.interface, QString::number(record.baseline.index),
                             QString::number(record.baseline.sent), QString::number(record.baseline.received),
                             QString::number(int(record.network)), QString::number(record.sent),
                             QString::number(record.received), record.resetDate});
}

void TrafficMeter::wasReset(NetworkCounters::Network network)
{
    qCDebug(METER_LOG) << network << "counters were reset";
    NetworkCounters *reset = counters(network);
    Record record{m_baseline.value_or(InterfaceCounters::Reading()), network, 0, 0, reset->resetDate()};
    // Traffic not counted yet is dropped: it may be from before the reset.
    if (network == m_network && !m_interface.isEmpty()) {
        if (const auto now = m_counters.read(m_interface)) {
            m_baseline = now;
            record.baseline = *now;
        }
    }
    commit(record);
}

void TrafficMeter::updateTimer()
{
    if (m_interface.isEmpty()) {
        m_timer.stop();
        return;
    }
    if (m_timer.isActive())
        return;
    bool ok = false;
    int seconds = m_interval->value().toString().trimmed().toInt(&ok);
    if (!ok || seconds < 1 || seconds > MaxInterval)
        seconds = DefaultInterval;
    m_timer.start(seconds * 1000);
}
