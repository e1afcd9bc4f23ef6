// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "heapgrowthbenchmark.h"

#include "amountwatch.h"
#include "shownamount.h"

#include "heapusage.h"
#include "teststore.h"

#include <QCoreApplication>

namespace
{
const int WarmUpWrites = 2000;
const int Updates = 10000;
} // namespace

void HeapGrowthBenchmark::registerBenchmarks()
{
    benchmark::RegisterBenchmark("heap growth/library", &HeapGrowthBenchmark::library)->Iterations(1);
    benchmark::RegisterBenchmark("heap growth/floor", &HeapGrowthBenchmark::floor)->Iterations(1);
}

void HeapGrowthBenchmark::library(benchmark::State &state)
{
    AmountWatch::onLibraryPage(state, [&state](const ShownAmount::Expectation &arrived, StoreWriterProcess &writer) {
        measure(state, arrived, writer);
    });
}

void HeapGrowthBenchmark::floor(benchmark::State &state)
{
    AmountWatch::onRawListener(state, [&state](const ShownAmount::Expectation &arrived, StoreWriterProcess &writer) {
        measure(state, arrived, writer);
    });
}

void HeapGrowthBenchmark::measure(benchmark::State &state, const ShownAmount::Expectation &arrived, StoreWriterProcess &writer)
{
    const QString key = AmountWatch::key();
    // Writes until the last one has arrived and the writer has answered.
    auto storm = [&](int count, qulonglong first) {
        const std::function<bool()> done = arrived(first + (qulonglong(count) - 1) * AmountWatch::Step);
        writer.send(AmountWatch::burst(key, count, first));
        const bool ok = ShownAmount::waitUntil(done, 120000) && writer.waitForAnswer();
        QCoreApplication::processEvents();
        return ok;
    };
    qint64 growth = 0;
    for (auto _ : state) {
        // The first storm of the full size lets buffers grow to what a storm
        // needs; the second one is measured.
        if (!storm(WarmUpWrites, 300000000000ULL) || !storm(Updates, 400000000000ULL)) {
            state.SkipWithError("the warm-up writes did not arrive");
            return;
        }
        const qint64 before = HeapUsage::inUse();
        if (!storm(Updates, 500000000000ULL)) {
            state.SkipWithError("the writes did not arrive");
            return;
        }
        growth = HeapUsage::inUse() - before;
    }
    state.counters["bytes"] = double(growth);
}
