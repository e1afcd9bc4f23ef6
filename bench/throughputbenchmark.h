// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef THROUGHPUTBENCHMARK_H
#define THROUGHPUTBENCHMARK_H

#include "shownamount.h"

#include <benchmark/benchmark.h>

#include <QString>
#include <functional>

class StoreWriterProcess;

/**
 * Update throughput: the store writer writes the home sent counter as fast as
 * it can, and the rate is the number of writes over the time until the last one
 * is on the screen; the floor's time ends when the last one arrives through a
 * bare store notice. The median of several storms.
 */
class ThroughputBenchmark
{
public:
    static void registerBenchmarks();

private:
    static void library(benchmark::State &state);
    static void floor(benchmark::State &state);
    static void storms(benchmark::State &state, const ShownAmount::Expectation &arrived, StoreWriterProcess &writer);
};

#endif
