// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "cellcountersqmlplugin.h"

#include "quickcalltimers.h"
#include "quicknetworkcounters.h"

#include <QtQml>

void CellCountersQmlPlugin::registerTypes(const char *uri)
{
    qmlRegisterType<QuickNetworkCounters>(uri, 1, 0, "NetworkCounters");
    qmlRegisterType<QuickCallTimers>(uri, 1, 0, "CallTimers");
}
