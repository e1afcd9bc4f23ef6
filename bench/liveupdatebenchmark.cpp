// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "liveupdatebenchmark.h"

#include "amountwatch.h"
#include "shownamount.h"

#include "teststore.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace
{
const int WarmUpSamples = 30;
const int Samples = 300;
// Each sample shows a different tenth of a megabyte.
const qulonglong FirstBytes = 900000000ULL;

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(fraction * double(values.size() - 1) + 0.5));
    return values.at(index);
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

void LiveUpdateBenchmark::sample(benchmark::State &state, const ShownAmount::Expectation &shows, StoreWriterProcess &writer)
{
    const QString key = AmountWatch::key();
    std::vector<double> latencies;
    latencies.reserve(Samples);
    for (auto _ : state) {
        for (int i = 0; i < WarmUpSamples + Samples; ++i) {
            const qulonglong bytes = FirstBytes + AmountWatch::Step * qulonglong(i);
            const QString command = QStringLiteral("set %1 string %2").arg(key).arg(bytes);
            const std::function<bool()> arrived = shows(bytes);
            const auto start = std::chrono::steady_clock::now();
            writer.send(command);
            if (!ShownAmount::waitUntil(arrived)) {
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
