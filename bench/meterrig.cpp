// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "meterrig.h"

#include "benchstore.h"
#include "floormeter.h"
#include "shownamount.h"

#include "logconfitem.h"
#include "meter.h"
#include "storagekeys.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCall>

namespace
{
const QString Interface = QStringLiteral("wwan0");
const int StartTimeoutMs = 20000;

QString nextBusName()
{
    static int rigs = 0;
    return QStringLiteral("meterrig%1").arg(++rigs);
}
} // namespace

MeterRig::MeterRig(bool library)
    : m_busName(nextBusName())
    , m_bus(QDBusConnection::connectToBus(m_modem.busAddress(), m_busName))
{
    // A baseline left by another rig would be of another interface.
    if (!BenchStore::setString(TrafficMeter::intervalKey(), QStringLiteral("86400"))
        || !BenchStore::unset(TrafficMeter::stateKey()))
        m_error = "the configuration store cannot be written";
    else if (!m_modem.isRunning() || !m_bus.isConnected() || !send(QStringLiteral("modem")))
        m_error = "the simulated modem did not start";
    else
        start(library);
}

MeterRig::~MeterRig()
{
    m_meter.reset();
    m_floor.reset();
    m_received.reset();
    QDBusConnection::disconnectFromBus(m_busName);
    BenchStore::unset(TrafficMeter::intervalKey());
    BenchStore::populate();
}

void MeterRig::start(bool library)
{
    if (!library) {
        if (!send(QStringLiteral("connect ") + Interface) || !settle()) {
            m_error = "the simulated modem did not connect";
            return;
        }
        const QString key = StorageKeys::path(StorageKeys::GprsHomeTxBytes);
        m_floor = std::make_unique<FloorMeter>(m_bus, m_modem.sysfsRoot(), Interface, key);
        if (!m_floor->isValid())
            m_error = "the floor cannot read the counters or follow the modem";
        QObject::connect(m_floor.get(), &FloorMeter::written, [this] { wrote(); });
        return;
    }
    m_meter = std::make_unique<Meter>(m_bus, m_modem.sysfsRoot());
    Meter *meter = m_meter.get();
    if (!ShownAmount::waitUntil([meter] { return meter->isReady(); }, StartTimeoutMs)) {
        m_error = "the meter did not hear from the simulated modem";
        return;
    }
    if (!send(QStringLiteral("connect ") + Interface)
        || !ShownAmount::waitUntil([meter] { return meter->traffic()->isSampling(); }, StartTimeoutMs) || !settle()) {
        m_error = "the meter did not see the connection";
        return;
    }
    // The last of the split's writes, reported to every item of the key before set() returns.
    m_received = std::make_unique<LoGConfItem>(StorageKeys::path(StorageKeys::GprsHomeRxBytes));
    QObject::connect(m_received.get(), &LoGConfItem::valueChanged, [this] { wrote(); });
}

bool MeterRig::send(const QString &command)
{
    return m_modem.send(command);
}

void MeterRig::sample()
{
    if (m_meter)
        m_meter->traffic()->sample();
    else if (m_floor)
        m_floor->sample();
}

bool MeterRig::settle()
{
    // Each service sent its signals before it answers this call on the same
    // connection, so once both answered those signals wait in the event queue.
    for (const QString &service : {QStringLiteral("org.freedesktop.NetworkManager"), QStringLiteral("org.freedesktop.ModemManager1")}) {
        const QDBusPendingCall call = m_bus.asyncCall(QDBusMessage::createMethodCall(
            service, QStringLiteral("/"), QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping")));
        if (!ShownAmount::waitUntil([&call] { return call.isFinished(); }, StartTimeoutMs))
            return false;
    }
    QCoreApplication::processEvents();
    return true;
}

void MeterRig::wrote()
{
    ++m_writes;
    m_lastWrite = std::chrono::steady_clock::now();
}
