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
 * the same two values through the store's bare API (FloorStore::setStrings()):
 * one request per key, each waited for, on GConf; one change set sent without
 * waiting on dconf.
 */
class KeystrokeBenchmark
{
public:
    static void registerBenchmarks();

    /**
     * For instruction counts: keystrokes as the measure makes them, some to warm
     * up, then keystrokes inside measuredKeystroke(), the function that callgrind
     * is told to count. Returns how many were counted, 0 when they failed.
     */
    static int countKeystrokes(bool library);

private:
    class Typist;
    static bool measuredKeystroke(Typist &typist);
    static void library(benchmark::State &state);
    static void floor(benchmark::State &state);
    static void timeKeystrokes(benchmark::State &state, bool library);
};

#endif
