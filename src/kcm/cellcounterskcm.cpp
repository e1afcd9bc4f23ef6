// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "cellcounterskcm.h"

#include <KPluginFactory>

K_PLUGIN_CLASS_WITH_JSON(CellCountersKcm, "kcm_cellcounters.json")

#if QT_VERSION_MAJOR >= 6
CellCountersKcm::CellCountersKcm(QObject *parent, const KPluginMetaData &metaData)
    : KQuickConfigModule(parent, metaData)
#else
CellCountersKcm::CellCountersKcm(QObject *parent, const KPluginMetaData &metaData, const QVariantList &args)
    : KQuickAddons::ConfigModule(parent, metaData, args)
#endif
{
    // Changes are stored as they are made: no Apply, Reset or Defaults.
    setButtons(NoAdditionalButton);
}

CellCountersKcm::~CellCountersKcm() = default;

#include "cellcounterskcm.moc"
