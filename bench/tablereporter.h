// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef TABLEREPORTER_H
#define TABLEREPORTER_H

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

/**
 * Collects the runs of the "<measure>/library" and "<measure>/floor" benchmark
 * pairs, and of "<measure>/library" runs that have no floor, and prints them as
 * one table: measure, library figure, floor figure, their ratio (library /
 * floor), the target and whether it is met. Progress goes to the error stream
 * while the benchmarks run.
 */
class TableReporter : public benchmark::BenchmarkReporter
{
public:
    enum Target {
        RatioAtMost,  // library / floor must not exceed the bound
        RatioAtLeast, // library / floor must reach the bound
        GrowthBelow,  // the library figure must stay below the bound; no ratio
        AtMost,       // the library figure must not exceed the bound; no ratio
        NoTarget,     // a figure to compare, nothing to meet
    };

    struct Row {
        std::string measure;   // as shown, with its unit
        std::string benchmark; // "<benchmark>/library" and "<benchmark>/floor"; empty: fixed figures
        std::string counter;   // the user counter that holds the figure; empty: time per iteration
        Target target = NoTarget;
        double bound = 0;
        std::string targetText;
        int decimals = 1;
        double scale = 1; // the figure is multiplied by this before it is shown
        double library = 0; // fixed figures only
        double floor = 0;
        bool hasFloor = true; // false: only "<benchmark>/library" runs, the floor shows "–"
    };

    void addRow(const Row &row);

    bool ReportContext(const Context &context) override;
    void ReportRuns(const std::vector<Run> &runs) override;

    /** Prints the table; false if a benchmark failed or a figure is missing. */
    bool print(std::ostream &out) const;
    /** Whether every row with a target meets it. */
    bool allTargetsMet() const;

private:
    struct Result {
        double time = 0;
        std::map<std::string, double> counters;
        std::string error;
        bool median = false;
    };

    bool figures(const Row &row, double *library, double *floor) const;
    static bool meets(const Row &row, double library, double floor);

    std::vector<Row> m_rows;
    std::map<std::string, Result> m_results;
};

#endif
