// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef PAGEBUILDBENCHMARK_H
#define PAGEBUILDBENCHMARK_H

#include <benchmark/benchmark.h>

class PageBlueprint;
class QGraphicsWidget;

/**
 * Page build: constructing DataCounterWidget and building it over a populated
 * store, laid out at the phone's size, against FloorPage building the same
 * widgets and texts over the same keys.
 */
class PageBuildBenchmark
{
public:
    static void registerBenchmarks();

    /** The page as the host shows it: constructed, built and laid out. */
    static QGraphicsWidget *buildLibrary();
    static QGraphicsWidget *buildFloor();

    /** The shape of the library's page, taken once. */
    static const PageBlueprint &blueprint();

    /** Deletes a built page and lets the events it left behind go. */
    static void dispose(QGraphicsWidget *page);

    /**
     * For instruction counts: builds one page of the kind asked for to warm the
     * caches, then one more inside measuredBuild(), the function that callgrind
     * is told to count (--toggle-collect). Returns how many were counted: 1.
     */
    static int countBuilds(bool library);
    static QGraphicsWidget *measuredBuild(bool library);

private:
    static void library(benchmark::State &state);
    static void floor(benchmark::State &state);
};

#endif
