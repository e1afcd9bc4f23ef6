// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LIVEUPDATEBENCHMARK_H
#define LIVEUPDATEBENCHMARK_H

#include "shownamount.h"

#include <benchmark/benchmark.h>

#include <QString>
#include <functional>

class StoreWriterProcess;

/**
 * Live update: another process (the store writer) writes the home sent counter,
 * and the clock runs from the command to the writer until the home section's
 * sent row shows the new amount; the floor waits for the same write to arrive
 * through a bare store notice in this process. Reports the median and
 * the 99th percentile of the samples.
 */
class LiveUpdateBenchmark
{
public:
    static void registerBenchmarks();

    /**
     * For instruction counts: some updates to warm up, then updates inside
     * measuredUpdate(), the function that callgrind is told to count. Returns
     * how many were counted, 0 when one did not arrive.
     */
    static int countUpdates(bool library);
    /** One write by the other process, until it has arrived where the measure looks. */
    static bool measuredUpdate(StoreWriterProcess &writer, const QString &command, const std::function<bool()> &arrived);

private:
    static void library(benchmark::State &state);
    static void floor(benchmark::State &state);
    /** @p shows: the check whether a value has arrived where the measure looks. */
    static void sample(benchmark::State &state, const ShownAmount::Expectation &shows, StoreWriterProcess &writer);
};

#endif
