// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef AMOUNTWATCH_H
#define AMOUNTWATCH_H

#include "shownamount.h"

#include <benchmark/benchmark.h>

#include <QString>
#include <functional>

class StoreWriterProcess;

/**
 * Where the store-to-screen measures look for a write of the home sent
 * counter: the home sent row of a built page, or, for the floor, a bare store
 * listener of the key. Each starts the writer process that stands in for the
 * phone's counter daemon and runs a measure with the matching expectation, or
 * marks the benchmark skipped when there is nothing to look at or write with.
 */
class AmountWatch
{
public:
    using Measure = std::function<void(const ShownAmount::Expectation &arrived, StoreWriterProcess &writer)>;

    /** Every write shows a tenth of a megabyte more, so that each one changes the screen. */
    static constexpr qulonglong Step = 100000ULL;
    /** The writer's command for @p count values from @p first on, Step apart. */
    static QString burst(const QString &key, int count, qulonglong first);
    /** The key the writes go to: bytes sent at home. */
    static QString key();

    static void onLibraryPage(benchmark::State &state, const Measure &measure);
    static void onRawListener(benchmark::State &state, const Measure &measure);
    /** The same without a benchmark: returns why it could not measure, or null. */
    static const char *watch(bool library, const Measure &measure);

private:
    static void withWriter(const ShownAmount::Expectation &arrived, const Measure &measure);
};

#endif
