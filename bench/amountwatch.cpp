// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "amountwatch.h"

#include "pagebuildbenchmark.h"
#include "rawlistener.h"

#include "datacounterwidget.h"
#include "storagekeys.h"
#include "teststore.h"

QString AmountWatch::key()
{
    return StorageKeys::path(StorageKeys::GprsHomeTxBytes);
}

void AmountWatch::onLibraryPage(benchmark::State &state, const Measure &measure)
{
    QGraphicsWidget *page = PageBuildBenchmark::buildLibrary();
    const ShownAmount shown(static_cast<DataCounterWidget *>(page));
    if (!shown.isValid())
        state.SkipWithError("the page has no home sent row");
    else
        withWriter([&shown](qulonglong bytes) { return shown.shows(bytes); }, measure);
    PageBuildBenchmark::dispose(page);
}

void AmountWatch::onRawListener(benchmark::State &state, const Measure &measure)
{
    const RawListener listener(key());
    if (!listener.isListening())
        state.SkipWithError("cannot follow the key");
    else
        withWriter([&listener](qulonglong bytes) { return listener.delivered(bytes); }, measure);
}

void AmountWatch::withWriter(const ShownAmount::Expectation &arrived, const Measure &measure)
{
    StoreWriterProcess writer; // a writer that does not start fails the measure's first wait
    measure(arrived, writer);
}

QString AmountWatch::burst(const QString &key, int count, qulonglong first)
{
    return QStringLiteral("burst %1 %2 %3 %4").arg(key).arg(count).arg(first).arg(Step);
}
