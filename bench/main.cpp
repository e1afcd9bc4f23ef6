// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// Runs the benchmarks in the configuration store of the current D-Bus session
// (scripts/bench gives it a private one), on the backend that LOTOOLKIT_STORE
// chooses, and prints one table.
//
//   cellcounters-bench [--instructions=MEASURE:LIBRARY,FLOOR]... [--benchmark_...]
//   cellcounters-bench --count=MEASURE:library|floor
//   cellcounters-bench --hold=library|floor
//   cellcounters-bench --stores
//
// --count does what one of the measures build, update, keystroke, sample-idle
// and sample-change does, a number of times inside the function that callgrind is told to count, and
// prints that number; --instructions adds the counts per time that scripts/bench
// got that way to the table; --hold builds one page as the heap measure does,
// prints the bytes it holds and ends the process at once, with nothing of the
// page freed, for a heap profiler to list; --stores lists the store backends
// built in, one per line.
#include "benchstore.h"
#include "heapgrowthbenchmark.h"
#include "keystrokebenchmark.h"
#include "liveupdatebenchmark.h"
#include "meterprogrambenchmark.h"
#include "metersamplebenchmark.h"
#include "pagebuildbenchmark.h"
#include "pagememorybenchmark.h"
#include "registrationsplitbenchmark.h"
#include "shownamount.h"
#include "tablereporter.h"
#include "throughputbenchmark.h"

#include <loconfstore_p.h>
#include <lolocale.h>

#include <QApplication>
#include <QLoggingCategory>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <vector>

namespace
{
// The measures that --count repeats, with their rows of instruction counts.
struct Counted {
    const char *name;
    int (*count)(bool library);
    TableReporter::Row row;
};

const std::vector<Counted> &countedMeasures()
{
    using R = TableReporter;
    static const std::vector<Counted> measures{
        {"build", &PageBuildBenchmark::countBuilds, {"Page build (instructions, callgrind)", "", "", R::RatioAtMost, 1.5, "≤ 1.5", 0}},
        {"update", &LiveUpdateBenchmark::countUpdates, {"Live update (instructions, callgrind)", "", "", R::RatioAtMost, 1.5, "≤ 1.5", 0}},
        {"keystroke", &KeystrokeBenchmark::countKeystrokes, {"Keystroke (instructions, callgrind)", "", "", R::RatioAtMost, 1.5, "≤ 1.5", 0}},
        {"sample-idle", &MeterSampleBenchmark::countIdleSamples, {"Meter sample, counters still (instructions, callgrind)", "", "", R::NoTarget, 0, "", 0}},
        {"sample-change", &MeterSampleBenchmark::countChangedSamples, {"Meter sample, counters moved (instructions, callgrind)", "", "", R::NoTarget, 0, "", 0}},
    };
    return measures;
}

// @p instructions: "MEASURE:LIBRARY,FLOOR" per counted measure.
void addRows(TableReporter &reporter, const QStringList &instructions)
{
    using R = TableReporter;
    reporter.addRow({"Page build (µs)", "page build", "", R::RatioAtMost, 1.5, "≤ 1.5"});
    reporter.addRow({"Live update, median (µs)", "live update", "median_us", R::RatioAtMost, 1.2, "≤ 1.2"});
    reporter.addRow({"Live update, p99 (µs)", "live update", "p99_us", R::RatioAtMost, 1.3, "≤ 1.3"});
    reporter.addRow({"Keystroke (µs)", "keystroke", "", R::RatioAtMost, 1.3, "≤ 1.3"});
    reporter.addRow({"Update throughput (updates/s)", "throughput", "per_s", R::RatioAtLeast, 1.0, "≥ 1.0", 0});
    R::Row heap{"Heap held by one built page (KiB)", "page heap", "bytes", R::RatioAtMost, 1.5, "≤ 1.5", 1};
    heap.scale = 1.0 / 1024;
    reporter.addRow(heap);
    // glibc's smallest block is 32 bytes: one leaked per update would be 320,000
    // bytes; what stays below a tenth of that is buffers settling, not a leak.
    reporter.addRow({"Heap growth, 10,000 updates after warm-up (bytes)", "heap growth", "bytes", R::GrowthBelow,
                     32000, "none (< 32,000)", 0});
    reporter.addRow({"Meter sample, counters still (µs)", "meter sample", "", R::NoTarget, 0, ""});
    reporter.addRow({"Meter sample, counters moved (µs)", "meter sample with a change", "", R::NoTarget, 0, ""});
    reporter.addRow({"Registration change to split written, median (µs)", "registration split", "median_us", R::NoTarget, 0, ""});
    // The program alone: its goal is a count, not a floor.
    R::Row wakeups{"Meter wake-ups per minute, no connection", "meter program", "idle_per_min", R::AtMost, 0, "0", 1};
    wakeups.hasFloor = false;
    reporter.addRow(wakeups);
    const int perMinute = 60 / MeterProgramBenchmark::IntervalSeconds;
    wakeups.measure = "Meter wake-ups per minute, connected, " + std::to_string(MeterProgramBenchmark::IntervalSeconds) + " s interval";
    wakeups.counter = "connected_per_min";
    wakeups.bound = perMinute;
    wakeups.targetText = "≤ " + std::to_string(perMinute) + " (one per interval)";
    reporter.addRow(wakeups);
    // Every time a thread of it slept, for what a wake-up costs.
    R::Row figure{"Meter context switches per minute, connected", "meter program", "connected_switches_per_min",
                  R::NoTarget, 0, "", 0};
    figure.hasFloor = false;
    reporter.addRow(figure);
    figure.measure = "Meter resident memory, connected (KiB)";
    figure.counter = "resident_kib";
    reporter.addRow(figure);
    for (const Counted &measure : countedMeasures()) {
        for (const QString &given : instructions) {
            const QStringList figures = given.section(QLatin1Char(':'), 1).split(QLatin1Char(','));
            if (given.section(QLatin1Char(':'), 0, 0) != QLatin1String(measure.name) || figures.size() != 2)
                continue;
            R::Row row = measure.row;
            row.library = figures.at(0).toDouble();
            row.floor = figures.at(1).toDouble();
            reporter.addRow(row);
        }
    }
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // One debug line per traced call would measure the message handler.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));

    QString count;
    QString hold;
    QStringList instructions;
    bool listStores = false;
    std::vector<char *> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1String("--count=")))
            count = arg.section(QLatin1Char('='), 1);
        else if (arg.startsWith(QLatin1String("--hold=")))
            hold = arg.section(QLatin1Char('='), 1);
        else if (arg.startsWith(QLatin1String("--instructions=")))
            instructions.append(arg.section(QLatin1Char('='), 1));
        else if (arg == QLatin1String("--stores"))
            listStores = true;
        else
            rest.push_back(argv[i]);
    }

    if (listStores) {
        const QStringList stores = LoConfStore::backends();
        for (const QString &store : stores)
            std::cout << qPrintable(store) << '\n';
        return 0;
    }

    if (!BenchStore::populate()) {
        std::cerr << "cellcounters-bench: the configuration store cannot be written" << std::endl;
        return 1;
    }

    if (!hold.isEmpty()) {
        if (hold != QLatin1String("library") && hold != QLatin1String("floor")) {
            std::cerr << "cellcounters-bench: --hold=library|floor" << std::endl;
            return 2;
        }
        std::cout << PageMemoryBenchmark::holdPage(hold == QLatin1String("library")) << std::endl;
        // No destructor runs: the store and the caches keep what the page made them hold.
        std::_Exit(0);
    }

    if (!count.isEmpty()) {
        const QString kind = count.section(QLatin1Char(':'), 1);
        for (const Counted &measure : countedMeasures()) {
            if (count.section(QLatin1Char(':'), 0, 0) != QLatin1String(measure.name))
                continue;
            if (kind != QLatin1String("library") && kind != QLatin1String("floor"))
                break;
            const int counted = measure.count(kind == QLatin1String("library"));
            if (counted == 0) {
                std::cerr << "cellcounters-bench: the " << measure.name << " to count failed" << std::endl;
                return 1;
            }
            std::cout << counted << std::endl;
            return 0;
        }
        std::cerr << "cellcounters-bench: --count=MEASURE:library|floor, MEASURE one of";
        for (const Counted &measure : countedMeasures())
            std::cerr << ' ' << measure.name;
        std::cerr << std::endl;
        return 2;
    }

    std::cerr << "Store: " << qPrintable(LoConfStore::instance().backendName()) << std::endl;
    PageBuildBenchmark::registerBenchmarks();
    KeystrokeBenchmark::registerBenchmarks();
    LiveUpdateBenchmark::registerBenchmarks();
    ThroughputBenchmark::registerBenchmarks();
    PageMemoryBenchmark::registerBenchmarks();
    HeapGrowthBenchmark::registerBenchmarks();
    MeterSampleBenchmark::registerBenchmarks();
    RegistrationSplitBenchmark::registerBenchmarks();
    MeterProgramBenchmark::registerBenchmarks();

    // Repetitions of different benchmarks take turns, so that the library and its
    // floor see the same machine.
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    rest.insert(rest.begin() + 1, interleave);
    int benchArgc = int(rest.size());
    benchmark::Initialize(&benchArgc, rest.data());
    if (benchmark::ReportUnrecognizedArguments(benchArgc, rest.data()))
        return 2;

    TableReporter reporter;
    addRows(reporter, instructions);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const bool complete = reporter.print(std::cout);
    benchmark::Shutdown();
    return complete ? 0 : 1;
}
