// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "pagememorybenchmark.h"

#include "pagebuildbenchmark.h"

#include "heapusage.h"

#include <QGraphicsWidget>

namespace
{
const int WarmUpPages = 3;
} // namespace

void PageMemoryBenchmark::registerBenchmarks()
{
    benchmark::RegisterBenchmark("page heap/library", &PageMemoryBenchmark::library)->Iterations(1);
    benchmark::RegisterBenchmark("page heap/floor", &PageMemoryBenchmark::floor)->Iterations(1);
}

void PageMemoryBenchmark::library(benchmark::State &state)
{
    measure(state, &PageBuildBenchmark::buildLibrary);
}

void PageMemoryBenchmark::floor(benchmark::State &state)
{
    PageBuildBenchmark::blueprint();
    measure(state, &PageBuildBenchmark::buildFloor);
}

void PageMemoryBenchmark::warmUp(QGraphicsWidget *(*build)())
{
    for (int i = 0; i < WarmUpPages; ++i)
        PageBuildBenchmark::dispose(build());
}

void PageMemoryBenchmark::measure(benchmark::State &state, QGraphicsWidget *(*build)())
{
    warmUp(build);
    qint64 held = 0;
    for (auto _ : state) {
        const qint64 before = HeapUsage::inUse();
        QGraphicsWidget *page = build();
        held = HeapUsage::inUse() - before;
        PageBuildBenchmark::dispose(page);
    }
    state.counters["bytes"] = double(held);
}

qint64 PageMemoryBenchmark::holdPage(bool library)
{
    QGraphicsWidget *(*build)() = library ? &PageBuildBenchmark::buildLibrary : &PageBuildBenchmark::buildFloor;
    PageBuildBenchmark::blueprint();
    warmUp(build);
    const qint64 before = HeapUsage::inUse();
    heldBuild(build);
    return HeapUsage::inUse() - before;
}

Q_NEVER_INLINE QGraphicsWidget *PageMemoryBenchmark::heldBuild(QGraphicsWidget *(*build)())
{
    QGraphicsWidget *page = build();
    // Not a tail call: this function stays in the backtraces of the build's allocations.
    benchmark::DoNotOptimize(page);
    return page;
}
