// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lowidgetmodel.h"

LoWidgetModel::LoWidgetModel(QObject *parent)
    : QObject(parent)
{
}

LoWidgetModel::~LoWidgetModel() = default;
