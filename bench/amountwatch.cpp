#include "amountwatch.h"

#include "pagebuildbenchmark.h"
#include "rawlistener.h"

#include "datacounterwidget.h"
#include "storagekeys.h"

void AmountWatch::onLibraryPage(benchmark::State &state, const Measure &measure)
{
    QGraphicsWidget *page = PageBuildBenchmark::buildLibrary();
    const ShownAmount shown(static_cast<DataCounterWidget *>(page));
    if (!shown.isValid())
        state.SkipWithError("the page has no home sent row");
    else
        measure([&shown](qulonglong bytes) { return shown.shows(bytes); });
    PageBuildBenchmark::dispose(page);
}

void AmountWatch::onRawListener(benchmark::State &state, const Measure &measure)
{
    const RawListener listener(StorageKeys::path(StorageKeys::GprsHomeTxBytes));
    if (!listener.isListening())
        state.SkipWithError("cannot follow the key");
    else
        measure([&listener](qulonglong bytes) { return listener.delivered(bytes); });
}
