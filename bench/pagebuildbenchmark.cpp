// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "pagebuildbenchmark.h"

#include "floorpage.h"
#include "pageblueprint.h"

#include "datacounterwidget.h"

#include <QCoreApplication>

#include <chrono>

namespace
{
const QSizeF PhoneSize(480, 854);

template<typename Build>
void timeBuilds(benchmark::State &state, Build build)
{
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QGraphicsWidget *page = build();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        PageBuildBenchmark::dispose(page);
    }
}
} // namespace

void PageBuildBenchmark::registerBenchmarks()
{
    for (auto *b : {benchmark::RegisterBenchmark("page build/library", &PageBuildBenchmark::library),
                    benchmark::RegisterBenchmark("page build/floor", &PageBuildBenchmark::floor)}) {
        b->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(1.0)->Repetitions(5);
    }
}

QGraphicsWidget *PageBuildBenchmark::buildLibrary()
{
    auto *page = new DataCounterWidget(true);
    page->announceDisplayEntered();
    page->resize(PhoneSize);
    return page;
}

QGraphicsWidget *PageBuildBenchmark::buildFloor()
{
    auto *page = new FloorPage(blueprint());
    page->resize(PhoneSize);
    return page;
}

const PageBlueprint &PageBuildBenchmark::blueprint()
{
    static const PageBlueprint shape = [] {
        QGraphicsWidget *page = buildLibrary();
        const PageBlueprint taken = PageBlueprint::of(page);
        dispose(page);
        return taken;
    }();
    return shape;
}

void PageBuildBenchmark::dispose(QGraphicsWidget *page)
{
    delete page;
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

int PageBuildBenchmark::countBuilds(bool library)
{
    blueprint();
    dispose(library ? buildLibrary() : buildFloor());
    dispose(measuredBuild(library));
    return 1;
}

Q_NEVER_INLINE QGraphicsWidget *PageBuildBenchmark::measuredBuild(bool library)
{
    return library ? buildLibrary() : buildFloor();
}

void PageBuildBenchmark::library(benchmark::State &state)
{
    timeBuilds(state, &PageBuildBenchmark::buildLibrary);
}

void PageBuildBenchmark::floor(benchmark::State &state)
{
    blueprint(); // taken before the clock runs
    timeBuilds(state, &PageBuildBenchmark::buildFloor);
}
