// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef PAGEMEMORYBENCHMARK_H
#define PAGEMEMORYBENCHMARK_H

#include <benchmark/benchmark.h>

#include <QtGlobal>

class QGraphicsWidget;

/**
 * Memory: the heap that one built page holds (bytes allocated and not freed
 * from before its construction until it is built and laid out), for the
 * library's page and for FloorPage, after a few pages were built and thrown
 * away so that caches are warm.
 */
class PageMemoryBenchmark
{
public:
    static void registerBenchmarks();

    /**
     * For heap profilers: builds and throws away pages of the kind asked for as
     * the measure does, then builds one more inside heldBuild(), the function
     * to keep the allocations of (heaptrack_print --filter-bt-function), and
     * keeps it. Returns the bytes that it holds, as the measure counts them.
     */
    static qint64 holdPage(bool library);
    static QGraphicsWidget *heldBuild(QGraphicsWidget *(*build)());

private:
    static void library(benchmark::State &state);
    static void floor(benchmark::State &state);
    static void measure(benchmark::State &state, QGraphicsWidget *(*build)());
    static void warmUp(QGraphicsWidget *(*build)());
};

#endif
