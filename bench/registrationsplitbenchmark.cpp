// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "registrationsplitbenchmark.h"

#include "meterrig.h"
#include "percentile.h"
#include "shownamount.h"

#include <vector>

namespace
{
const int WarmUpRuns = 3;
const int Runs = 20;
const int WriteTimeoutMs = 10000;
} // namespace

void RegistrationSplitBenchmark::registerBenchmarks()
{
    for (auto *b : {benchmark::RegisterBenchmark("registration split/library", &RegistrationSplitBenchmark::run, true),
                    benchmark::RegisterBenchmark("registration split/floor", &RegistrationSplitBenchmark::run, false)}) {
        b->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(1)->Repetitions(3);
    }
}

void RegistrationSplitBenchmark::run(benchmark::State &state, bool library)
{
    MeterRig rig(library);
    const char *error = rig.error();
    std::vector<double> latencies;
    for (auto _ : state) {
        double total = 0;
        for (int i = 0; !error && i < WarmUpRuns + Runs; ++i) {
            double micros = 0;
            error = split(rig, &micros);
            if (i >= WarmUpRuns) {
                latencies.push_back(micros);
                total += micros;
            }
        }
        if (error) {
            state.SkipWithError(error);
            break;
        }
        state.SetIterationTime(total / 1e6);
    }
    state.counters["median_us"] = percentile(latencies, 0.5);
}

const char *RegistrationSplitBenchmark::split(MeterRig &rig, double *micros)
{
    // Home again, where the return splits nothing, and traffic there.
    if (!rig.send(QStringLiteral("register 1")) || !rig.settle() || !rig.send(QStringLiteral("traffic 1000 2000")))
        return "the simulated modem failed";
    const int writes = rig.writes();
    const auto start = std::chrono::steady_clock::now();
    if (!rig.send(QStringLiteral("register 5")))
        return "the simulated modem failed";
    if (!ShownAmount::waitUntil([&rig, writes] { return rig.writes() > writes; }, WriteTimeoutMs))
        return "the split was not written";
    *micros = std::chrono::duration<double, std::micro>(rig.lastWrite() - start).count();
    return nullptr;
}
