// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lobuttonmodel.h"

LoButtonModel::LoButtonModel(QObject *parent)
    : LoWidgetModel(parent)
{
}

LoButtonModel::~LoButtonModel() = default;
