// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef HEAPGROWTHBENCHMARK_H
#define HEAPGROWTHBENCHMARK_H

#include "shownamount.h"

#include <benchmark/benchmark.h>

#include <QtGlobal>

#include <functional>

class StoreWriterProcess;

/**
 * Memory under updates: with the page shown (or, for the floor, a bare store
 * listener on the key), warm-up storms of writes from another process, then
 * 10,000 more; the figure is how much more heap is in use after them than
 * after the warm-up.
 */
class HeapGrowthBenchmark
{
public:
    static void registerBenchmarks();

private:
    static void library(benchmark::State &state);
    static void floor(benchmark::State &state);
    static void measure(benchmark::State &state, const ShownAmount::Expectation &arrived, StoreWriterProcess &writer);
};

#endif
