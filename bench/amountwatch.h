#ifndef AMOUNTWATCH_H
#define AMOUNTWATCH_H

#include "shownamount.h"

#include <benchmark/benchmark.h>

#include <functional>

/**
 * Where the store-to-screen measures look for a write of the home sent
 * counter: the home sent row of a built page, or, for the floor, a bare GConf
 * listener of the key. Each runs a measure with the matching expectation, or
 * marks the benchmark skipped when there is nothing to look at.
 */
class AmountWatch
{
public:
    using Measure = std::function<void(const ShownAmount::Expectation &arrived)>;

    static void onLibraryPage(benchmark::State &state, const Measure &measure);
    static void onRawListener(benchmark::State &state, const Measure &measure);
};

#endif
