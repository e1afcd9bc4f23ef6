#include "heapgrowthbenchmark.h"

#include "amountwatch.h"
#include "shownamount.h"

#include "heapusage.h"
#include "storagekeys.h"
#include "storewriterprocess.h"

#include <QCoreApplication>

namespace
{
const int WarmUpWrites = 2000;
const int Updates = 10000;
// Every write shows a tenth of a megabyte more, so that each one changes the screen.
const qulonglong Step = 100000ULL;
} // namespace

void HeapGrowthBenchmark::registerBenchmarks()
{
    benchmark::RegisterBenchmark("heap growth/library", &HeapGrowthBenchmark::library)->Iterations(1);
    benchmark::RegisterBenchmark("heap growth/floor", &HeapGrowthBenchmark::floor)->Iterations(1);
}

void HeapGrowthBenchmark::library(benchmark::State &state)
{
    AmountWatch::onLibraryPage(state, [&state](const ShownAmount::Expectation &arrived) { measure(state, arrived); });
}

void HeapGrowthBenchmark::floor(benchmark::State &state)
{
    AmountWatch::onRawListener(state, [&state](const ShownAmount::Expectation &arrived) { measure(state, arrived); });
}

void HeapGrowthBenchmark::measure(benchmark::State &state, const ShownAmount::Expectation &arrived)
{
    StoreWriterProcess writer(QStringLiteral(CELLCOUNTERS_STOREWRITER));
    if (!writer.start()) {
        state.SkipWithError("cannot start the store writer");
        return;
    }
    const QString key = StorageKeys::path(StorageKeys::GprsHomeTxBytes);
    // Writes until the last one has arrived and the writer has answered.
    auto storm = [&](int count, qulonglong first) {
        const std::function<bool()> done = arrived(first + (qulonglong(count) - 1) * Step);
        writer.send(StoreWriterProcess::burst(key, count, first, Step));
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
