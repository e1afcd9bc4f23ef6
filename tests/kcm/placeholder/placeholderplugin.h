// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef PLACEHOLDERPLUGIN_H
#define PLACEHOLDERPLUGIN_H

#include <QQmlExtensionPlugin>

/** Registers the stand-in types of org.cellcounters. */
class PlaceholderPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)

public:
    void registerTypes(const char *uri) override;
};

#endif
