// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef METERPROGRAMBENCHMARK_H
#define METERPROGRAMBENCHMARK_H

#include <benchmark/benchmark.h>

/**
 * The cellcounters-meter program as a phone runs it, against the simulated
 * modem: its wake-ups per minute (ProcessWakeups) with the modem there and no
 * connection, then with a connection up and traffic moving at the default
 * interval, and its resident memory after that. There is no floor: the goal
 * is no wake-up without a connection and one per interval with one.
 */
class MeterProgramBenchmark
{
public:
    static void registerBenchmarks();

    /** The interval of the connected span, the one the meter has when its key is unset. */
    static const int IntervalSeconds = 10;

private:
    static void run(benchmark::State &state);
};

#endif
