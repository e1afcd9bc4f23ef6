// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "throughputbenchmark.h"

#include "amountwatch.h"
#include "shownamount.h"

#include "teststore.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace
{
const int WarmUpWrites = 500;
const int StormWrites = 5000;
const int Storms = 2;
} // namespace

void ThroughputBenchmark::registerBenchmarks()
{
    for (auto *b : {benchmark::RegisterBenchmark("throughput/library", &ThroughputBenchmark::library),
                    benchmark::RegisterBenchmark("throughput/floor", &ThroughputBenchmark::floor)}) {
        b->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
    }
}

void ThroughputBenchmark::library(benchmark::State &state)
{
    AmountWatch::onLibraryPage(state, [&state](const ShownAmount::Expectation &arrived, StoreWriterProcess &writer) {
        storms(state, arrived, writer);
    });
}

void ThroughputBenchmark::floor(benchmark::State &state)
{
    AmountWatch::onRawListener(state, [&state](const ShownAmount::Expectation &arrived, StoreWriterProcess &writer) {
        storms(state, arrived, writer);
    });
}

void ThroughputBenchmark::storms(benchmark::State &state, const ShownAmount::Expectation &arrived, StoreWriterProcess &writer)
{
    const QString key = AmountWatch::key();
    std::vector<double> rates;
    double total = 0;
    for (auto _ : state) {
        for (int storm = 0; storm <= Storms; ++storm) {
            // Every storm ends on an amount of its own; storm 0 warms up.
            const int count = storm == 0 ? WarmUpWrites : StormWrites;
            const qulonglong first = 100000000000ULL * qulonglong(storm + 1);
            const qulonglong last = first + (qulonglong(count) - 1) * AmountWatch::Step;
            const QString command = AmountWatch::burst(key, count, first);
            const std::function<bool()> done = arrived(last);
            const auto start = std::chrono::steady_clock::now();
            writer.send(command);
            if (!ShownAmount::waitUntil(done, 120000)) {
                state.SkipWithError("the last write did not arrive");
                return;
            }
            const auto end = std::chrono::steady_clock::now();
            if (!writer.waitForAnswer()) {
                state.SkipWithError("the store writer failed");
                return;
            }
            const double seconds = std::chrono::duration<double>(end - start).count();
            if (storm > 0) {
                rates.push_back(count / seconds);
                total += seconds;
            }
        }
        state.SetIterationTime(total);
    }
    std::sort(rates.begin(), rates.end());
    state.counters["per_s"] = rates.empty() ? 0 : rates.at(rates.size() / 2);
}
