// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "floorstore.h"

#ifdef CELLCOUNTERS_BENCH_GCONF
#include "gconffloorstore.h"
#endif
#ifdef CELLCOUNTERS_BENCH_DCONF
#include "dconffloorstore.h"
#endif

#include <loconfstore_p.h>

#include <memory>

namespace
{
std::unique_ptr<FloorStore> create()
{
    const QString backend = LoConfStore::instance().backendName();
#ifdef CELLCOUNTERS_BENCH_GCONF
    if (backend == QLatin1String("gconf"))
        return std::make_unique<GConfFloorStore>();
#endif
#ifdef CELLCOUNTERS_BENCH_DCONF
    if (backend == QLatin1String("dconf"))
        return std::make_unique<DConfFloorStore>();
#endif
    qFatal("No floor for the store %s", qPrintable(backend));
}
} // namespace

FloorStore &FloorStore::instance()
{
    static const std::unique_ptr<FloorStore> store = create();
    return *store;
}
