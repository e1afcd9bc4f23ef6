// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "tablereporter.h"

#include <cmath>
#include <iomanip>
#include <sstream>

namespace
{
std::string fixed(double value, int decimals)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << value;
    return text.str();
}
} // namespace

void TableReporter::addRow(const Row &row)
{
    m_rows.push_back(row);
}

bool TableReporter::ReportContext(const Context &context)
{
    GetErrorStream() << "Running on " << context.cpu_info.num_cpus << " CPUs at "
                     << context.cpu_info.cycles_per_second / 1e6 << " MHz" << std::endl;
    return true;
}

void TableReporter::ReportRuns(const std::vector<Run> &runs)
{
    for (const Run &run : runs) {
        const std::string name = run.run_name.function_name;
        Result &result = m_results[name];
        if (run.error_occurred) {
            result.error = run.error_message;
            GetErrorStream() << name << ": " << run.error_message << std::endl;
            continue;
        }
        // With repetitions, the median of them stands for the measure.
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.run_type == Run::RT_Aggregate && !median)
            continue;
        if (result.median && !median)
            continue;
        result.median = median;
        result.time = run.GetAdjustedRealTime();
        result.counters.clear();
        for (const auto &counter : run.counters)
            result.counters[counter.first] = counter.second.value;
        if (median || run.repetitions <= 1)
            GetErrorStream() << name << " done" << std::endl;
    }
}

bool TableReporter::figures(const Row &row, double *library, double *floor) const
{
    if (row.benchmark.empty()) {
        *library = row.library;
        *floor = row.floor;
        return true;
    }
    double *into[] = {library, floor};
    const char *sides[] = {"/library", "/floor"};
    *floor = 0;
    for (int side = 0; side < (row.hasFloor ? 2 : 1); ++side) {
        const auto found = m_results.find(row.benchmark + sides[side]);
        if (found == m_results.end() || !found->second.error.empty())
            return false;
        const Result &result = found->second;
        if (row.counter.empty()) {
            *into[side] = result.time * row.scale;
        } else {
            const auto counter = result.counters.find(row.counter);
            if (counter == result.counters.end())
                return false;
            *into[side] = counter->second * row.scale;
        }
    }
    return true;
}

bool TableReporter::meets(const Row &row, double library, double floor)
{
    switch (row.target) {
    case RatioAtMost:
        return floor > 0 && library / floor <= row.bound;
    case RatioAtLeast:
        return floor > 0 && library / floor >= row.bound;
    case GrowthBelow:
        return library < row.bound;
    case AtMost:
        return library <= row.bound;
    case NoTarget:
        break;
    }
    return true;
}

bool TableReporter::print(std::ostream &out) const
{
    bool complete = true;
    out << "| Measure | Library | Floor | Ratio | Target | Met |\n"
        << "|---|---:|---:|---:|---|---|\n";
    for (const Row &row : m_rows) {
        double library = 0;
        double floor = 0;
        if (!figures(row, &library, &floor)) {
            complete = false;
            out << "| " << row.measure << " | failed | failed | – | "
                << (row.targetText.empty() ? std::string("–") : row.targetText) << " | no |\n";
            continue;
        }
        const bool ratio = row.hasFloor && row.target != GrowthBelow && row.target != AtMost && floor > 0;
        out << "| " << row.measure << " | " << fixed(library, row.decimals) << " | "
            << (row.hasFloor ? fixed(floor, row.decimals) : std::string("–")) << " | "
            << (ratio ? fixed(library / floor, 2) : std::string("–")) << " | "
            << (row.targetText.empty() ? std::string("–") : row.targetText) << " | "
            << (row.target == NoTarget ? "–" : meets(row, library, floor) ? "yes" : "no") << " |\n";
    }
    out.flush();
    return complete;
}

bool TableReporter::allTargetsMet() const
{
    for (const Row &row : m_rows) {
        double library = 0;
        double floor = 0;
        if (!figures(row, &library, &floor) || !meets(row, library, floor))
            return false;
    }
    return true;
}
