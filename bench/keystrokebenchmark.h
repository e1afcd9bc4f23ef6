// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef KEYSTROKEBENCHMARK_H
#define KEYSTROKEBENCHMARK_H

#include <benchmark/benchmark.h>

/**
 * Keystroke: with the home warning on and "1" in the home limit field, one
 * digit typed into the field, timed until the section and the page have
 * stored "12" MB as both the entered and the effective limit; the floor stores
 * the same two values through the store's bare API (FloorStore::setStrings()).
 */
class KeystrokeBenchmark
{
public:
    static void registerBenchmarks();

private:
    static void library(benchmark::State &state);
    static void floor(benchmark::State &state);
};

#endif
