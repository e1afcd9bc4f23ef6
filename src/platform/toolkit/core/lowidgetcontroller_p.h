// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOWIDGETCONTROLLER_P_H
#define LOWIDGETCONTROLLER_P_H

#include "lotheme.h"
#include "lowidgetcontroller.h"

class LoWidgetController::Private
{
public:
    // Null until model() is first called, unless a model was given.
    LoWidgetModel *model = nullptr;
    // What model() makes then; null for a plain LoWidgetModel.
    LoWidgetModel *(*makeModel)() = nullptr;
    // Whether defaultStyleName() goes with the view type (a button drawn as a
    // switch): setViewType() then applies the style again.
    bool styleFollowsViewType = false;
    QString styleName;
    QString viewType;
    // The theme's style of styleName, once looked up; null while the name is
    // unknown to the theme.
    const LoTheme::Style *namedStyle = nullptr;
};

#endif
