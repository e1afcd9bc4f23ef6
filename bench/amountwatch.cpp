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
    if (const char *error = watch(true, measure))
        state.SkipWithError(error);
}

void AmountWatch::onRawListener(benchmark::State &state, const Measure &measure)
{
    if (const char *error = watch(false, measure))
        state.SkipWithError(error);
}

const char *AmountWatch::watch(bool library, const Measure &measure)
{
    if (!library) {
        const RawListener listener(key());
        if (!listener.isListening())
            return "cannot follow the key";
        withWriter([&listener](qulonglong bytes) { return listener.delivered(bytes); }, measure);
        return nullptr;
    }
    QGraphicsWidget *page = PageBuildBenchmark::buildLibrary();
    const ShownAmount shown(static_cast<DataCounterWidget *>(page));
    const char *error = shown.isValid() ? nullptr : "the page has no home sent row";
    if (!error)
        withWriter([&shown](qulonglong bytes) { return shown.shows(bytes); }, measure);
    PageBuildBenchmark::dispose(page);
    return error;
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
