// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef CELLCOUNTERSKCM_H
#define CELLCOUNTERSKCM_H

#include <QtGlobal>

#if QT_VERSION_MAJOR >= 6
#include <KQuickConfigModule>
using CellCountersKcmBase = KQuickConfigModule;
#else
#include <KQuickAddons/ConfigModule>
using CellCountersKcmBase = KQuickAddons::ConfigModule;
#endif

/**
 * The settings module of the data counters and call timers. It holds no state:
 * the page writes every change to the store at once, as the phone's own pages
 * do, so there is nothing to apply, reset or default.
 */
class CellCountersKcm : public CellCountersKcmBase
{
    Q_OBJECT

public:
#if QT_VERSION_MAJOR >= 6
    CellCountersKcm(QObject *parent, const KPluginMetaData &metaData);
#else
    CellCountersKcm(QObject *parent, const KPluginMetaData &metaData, const QVariantList &args);
#endif
    ~CellCountersKcm() override;
};

#endif
