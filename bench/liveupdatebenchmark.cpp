// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "liveupdatebenchmark.h"

#include "amountwatch.h"
#include "percentile.h"
#include "shownamount.h"

#include "teststore.h"

#include <chrono>
#include <vector>

namespace
{
const int WarmUpSamples = 30;
const int Samples = 300;
const int CountedSamples = 50;
// Each sample shows a different tenth of a megabyte.
const qulonglong FirstBytes = 900000000ULL;

qulonglong bytes(int sample)
{
    return FirstBytes + AmountWatch::Step * qulonglong(sample);
}

QString command(int sample)
{
    return QStringLiteral("set %1 string %2").arg(AmountWatch::key()).arg(bytes(sample));
}

// One write by the other process, until it has arrived where the measure looks.
bool deliver(StoreWriterProcess &writer, const QString &command, const std::function<bool()> &arrived)
{
    writer.send(command);
    return ShownAmount::waitUntil(arrived);
}
} // namespace

void LiveUpdateBenchmark::registerBenchmarks()
{
    for (auto *b : {benchmark::RegisterBenchmark("live update/library", &LiveUpdateBenchmark::library),
                    benchmark::RegisterBenchmark("live update/floor", &LiveUpdateBenchmark::floor)}) {
        // Repetitions of the library and the floor take turns (see main.cpp),
        // so that a change of the machine's load hits both alike.
        b->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(1)->Repetitions(5);
    }
}

void LiveUpdateBenchmark::library(benchmark::State &state)
{
    AmountWatch::onLibraryPage(state, [&state](const ShownAmount::Expectation &arrived, StoreWriterProcess &writer) {
        sample(state, arrived, writer);
    });
}

void LiveUpdateBenchmark::floor(benchmark::State &state)
{
    AmountWatch::onRawListener(state, [&state](const ShownAmount::Expectation &arrived, StoreWriterProcess &writer) {
        sample(state, arrived, writer);
    });
}

Q_NEVER_INLINE bool LiveUpdateBenchmark::measuredUpdate(StoreWriterProcess &writer, const QString &command,
                                                       const std::function<bool()> &arrived)
{
    return deliver(writer, command, arrived);
}

int LiveUpdateBenchmark::countUpdates(bool library)
{
    int counted = 0;
    AmountWatch::watch(library, [&counted](const ShownAmount::Expectation &shows, StoreWriterProcess &writer) {
        for (int i = 0; i < WarmUpSamples + CountedSamples; ++i) {
            const bool counting = i >= WarmUpSamples;
            const QString text = command(i);
            const std::function<bool()> arrived = shows(bytes(i));
            if (!(counting ? measuredUpdate(writer, text, arrived) : deliver(writer, text, arrived)) || !writer.waitForAnswer())
                return;
            counted += counting ? 1 : 0;
        }
    });
    return counted == CountedSamples ? counted : 0;
}

void LiveUpdateBenchmark::sample(benchmark::State &state, const ShownAmount::Expectation &shows, StoreWriterProcess &writer)
{
    std::vector<double> latencies;
    latencies.reserve(Samples);
    for (auto _ : state) {
        for (int i = 0; i < WarmUpSamples + Samples; ++i) {
            const std::function<bool()> arrived = shows(bytes(i));
            const QString text = command(i);
            const auto start = std::chrono::steady_clock::now();
            if (!deliver(writer, text, arrived)) {
                state.SkipWithError("the write did not arrive");
                return;
            }
            const auto end = std::chrono::steady_clock::now();
            if (!writer.waitForAnswer()) {
                state.SkipWithError("the store writer failed");
                return;
            }
            if (i >= WarmUpSamples)
                latencies.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
        double total = 0;
        for (double latency : latencies)
            total += latency;
        state.SetIterationTime(total / 1e6);
    }
    state.counters["median_us"] = percentile(latencies, 0.5);
    state.counters["p99_us"] = percentile(latencies, 0.99);
}
