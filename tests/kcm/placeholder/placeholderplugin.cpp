// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "placeholderplugin.h"

#include "placeholdercounters.h"

#include <QQmlEngine>

void PlaceholderPlugin::registerTypes(const char *uri)
{
    qmlRegisterType<PlaceholderCounters>(uri, 1, 0, "NetworkCounters");
}
