// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef METERSAMPLEBENCHMARK_H
#define METERSAMPLEBENCHMARK_H

#include <benchmark/benchmark.h>

class MeterRig;

/**
 * One sample of the meter while a connection is up: TrafficMeter::sample() on
 * an interface whose counters did not move, or moved since the last sample
 * (then the home counters are written), against FloorMeter::sample(), which
 * reads the two counters and, when they moved, writes one key.
 */
class MeterSampleBenchmark
{
public:
    static void registerBenchmarks();

    /**
     * For instruction counts: some samples to warm up, then samples inside
     * measuredSample(), the function that callgrind is told to count. Returns
     * how many were counted, 0 when one did not do what it should.
     */
    static int countIdleSamples(bool library);
    static int countChangedSamples(bool library);
    static void measuredSample(MeterRig &rig);

private:
    static int countSamples(bool library, bool change);
    static void time(benchmark::State &state, bool library, bool change);
};

#endif
