// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "meterprogrambenchmark.h"

#include "benchstore.h"
#include "processwakeups.h"
#include "shownamount.h"
#include "simulatedmodem.h"

#include "calltimers.h"
#include "logconfitem.h"
#include "trafficmeter.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <functional>

namespace
{
const int StartTimeoutMs = 30000;
const int SettleMs = 2000;
const int IdleSpanMs = 10000;
// Three samples, none at an end of the span: it starts half an interval after the first one.
const int ConnectedSpanMs = 3 * MeterProgramBenchmark::IntervalSeconds * 1000;
const int ConnectedStartMs = MeterProgramBenchmark::IntervalSeconds * 1000 / 2;
const int PollMs = 10;

/**
 * Counts the wake-ups of @p pid for @p spanMs, running @p everySecond once a
 * second; the count per minute, or -1 when the process ended.
 */
double perMinute(qint64 pid, int spanMs, const std::function<bool()> &everySecond, quint64 *switches)
{
    ProcessWakeups wakeups(pid);
    QElapsedTimer clock;
    clock.start();
    qint64 nextSecond = 1000;
    while (clock.elapsed() < spanMs) {
        QThread::msleep(PollMs);
        if (!wakeups.poll())
            return -1;
        if (everySecond && clock.elapsed() >= nextSecond) {
            nextSecond += 1000;
            if (!everySecond())
                return -1;
        }
    }
    *switches = wakeups.switches() * 60000 / spanMs;
    return wakeups.wakeups() * 60000.0 / spanMs;
}

// The event loop turns while the meter's first writes come in.
void pause(int ms)
{
    QElapsedTimer clock;
    clock.start();
    ShownAmount::waitUntil([&clock, ms] { return clock.hasExpired(ms); }, ms + 1000);
}
} // namespace

void MeterProgramBenchmark::registerBenchmarks()
{
    benchmark::RegisterBenchmark("meter program/library", &MeterProgramBenchmark::run)
        ->Unit(benchmark::kSecond)
        ->Iterations(1)
        ->Repetitions(1);
}

void MeterProgramBenchmark::run(benchmark::State &state)
{
    for (auto _ : state) {
        // What the program writes first shows that it has started, and where it counts from.
        LoGConfItem available(Cellular::CallTimersKeys::Available);
        LoGConfItem baseline(TrafficMeter::stateKey());
        BenchStore::unset(available.key());
        BenchStore::unset(baseline.key());
        BenchStore::unset(TrafficMeter::intervalKey());

        SimulatedModem modem;
        if (!modem.isRunning() || !modem.send(QStringLiteral("modem"))) {
            state.SkipWithError("the simulated modem did not start");
            break;
        }
        QProcess meter;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), modem.busAddress());
        meter.setProcessEnvironment(environment);
        meter.setStandardOutputFile(QProcess::nullDevice());
        meter.setStandardErrorFile(QProcess::nullDevice());
        meter.start(QStringLiteral(CELLCOUNTERS_METER), {QStringLiteral("--sysfs"), modem.sysfsRoot()});
        if (!ShownAmount::waitUntil([&available] { return available.value().toBool(); }, StartTimeoutMs)) {
            state.SkipWithError("the meter did not start");
            break;
        }
        pause(SettleMs);
        quint64 idleSwitches = 0;
        const double idle = perMinute(meter.processId(), IdleSpanMs, {}, &idleSwitches);

        if (!modem.send(QStringLiteral("connect wwan0"))
            || !ShownAmount::waitUntil([&baseline] { return baseline.value().isValid(); }, StartTimeoutMs)) {
            state.SkipWithError("the meter did not see the connection");
            break;
        }
        pause(ConnectedStartMs);
        quint64 connectedSwitches = 0;
        const double connected = perMinute(
            meter.processId(), ConnectedSpanMs,
            [&modem] { return modem.send(QStringLiteral("traffic 10000 40000")); }, &connectedSwitches);
        const quint64 resident = ProcessWakeups::residentKiB(meter.processId());
        meter.terminate();
        meter.waitForFinished(10000);
        if (idle < 0 || connected < 0 || resident == 0) {
            state.SkipWithError("the meter ended while it was measured");
            break;
        }
        state.counters["idle_per_min"] = idle;
        state.counters["connected_per_min"] = connected;
        state.counters["idle_switches_per_min"] = double(idleSwitches);
        state.counters["connected_switches_per_min"] = double(connectedSwitches);
        state.counters["resident_kib"] = double(resident);
    }
}
