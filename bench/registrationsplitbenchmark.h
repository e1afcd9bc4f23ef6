// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef REGISTRATIONSPLITBENCHMARK_H
#define REGISTRATIONSPLITBENCHMARK_H

#include <benchmark/benchmark.h>

class MeterRig;

/**
 * The split at a change of network: with traffic since the last sample, the
 * simulated modem is told "register 5" (roaming), and the clock runs from that
 * command until the home counters hold the traffic of before the change, as
 * the writer sees it: the library's Meter in this process writing the bytes
 * received (the last of its writes), the floor's FloorMeter its one key.
 * Reports the median of the runs.
 */
class RegistrationSplitBenchmark
{
public:
    static void registerBenchmarks();

private:
    static void run(benchmark::State &state, bool library);
    /** One split, timed into @p micros; what went wrong, or null. */
    static const char *split(MeterRig &rig, double *micros);
};

#endif
