// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "metersamplebenchmark.h"

#include "meterrig.h"

#include <QDebug>

#include <chrono>

namespace
{
const int WarmUpSamples = 10;
const int CountedSamples = 50;
const int TimedSamples = 100;

/**
 * Moves the counters (with @p change) and takes one sample, timed into
 * @p seconds; @p measured counts it under callgrind. Returns what went wrong, or null.
 */
const char *takeSample(MeterRig &rig, bool change, bool measured, double *seconds = nullptr)
{
    if (change && !rig.send(QStringLiteral("traffic 1000 2000")))
        return "the simulated modem failed";
    const int writes = rig.writes();
    const auto start = std::chrono::steady_clock::now();
    if (measured)
        MeterSampleBenchmark::measuredSample(rig);
    else
        rig.sample();
    const auto end = std::chrono::steady_clock::now();
    if (seconds)
        *seconds = std::chrono::duration<double>(end - start).count();
    if (rig.writes() != writes + (change ? 1 : 0))
        return change ? "the sample did not write the counters" : "a sample of counters that did not move wrote";
    return nullptr;
}
} // namespace

void MeterSampleBenchmark::registerBenchmarks()
{
    const auto registered = {
        benchmark::RegisterBenchmark("meter sample/library", &MeterSampleBenchmark::time, true, false),
        benchmark::RegisterBenchmark("meter sample/floor", &MeterSampleBenchmark::time, false, false),
        benchmark::RegisterBenchmark("meter sample with a change/library", &MeterSampleBenchmark::time, true, true),
        benchmark::RegisterBenchmark("meter sample with a change/floor", &MeterSampleBenchmark::time, false, true),
    };
    for (auto *b : registered)
        b->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(TimedSamples)->Repetitions(3);
}

int MeterSampleBenchmark::countIdleSamples(bool library)
{
    return countSamples(library, false);
}

int MeterSampleBenchmark::countChangedSamples(bool library)
{
    return countSamples(library, true);
}

Q_NEVER_INLINE void MeterSampleBenchmark::measuredSample(MeterRig &rig)
{
    rig.sample();
}

int MeterSampleBenchmark::countSamples(bool library, bool change)
{
    MeterRig rig(library);
    const char *error = rig.error();
    for (int i = 0; !error && i < WarmUpSamples + CountedSamples; ++i)
        error = takeSample(rig, change, i >= WarmUpSamples);
    if (error)
        qWarning() << error;
    return error ? 0 : CountedSamples;
}

void MeterSampleBenchmark::time(benchmark::State &state, bool library, bool change)
{
    MeterRig rig(library);
    const char *error = rig.error();
    for (int i = 0; !error && i < WarmUpSamples; ++i)
        error = takeSample(rig, change, false);
    for (auto _ : state) {
        double seconds = 0;
        if (!error)
            error = takeSample(rig, change, false, &seconds);
        if (error) {
            state.SkipWithError(error);
            break;
        }
        state.SetIterationTime(seconds);
    }
}
