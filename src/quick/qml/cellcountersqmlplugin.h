// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef CELLCOUNTERSQMLPLUGIN_H
#define CELLCOUNTERSQMLPLUGIN_H

#include <QQmlExtensionPlugin>

/** Registers the types of org.cellcounters 1.0. */
class CellCountersQmlPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)
public:
    void registerTypes(const char *uri) override;
};

#endif
