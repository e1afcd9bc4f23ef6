// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOBUTTONMODEL_H
#define LOBUTTONMODEL_H

#include "lowidgetmodel.h"

/** The data side of a button: its text, icon and checked state live in the button. */
class LOTOOLKIT_EXPORT LoButtonModel : public LoWidgetModel
{
    Q_OBJECT
public:
    explicit LoButtonModel(QObject *parent = nullptr);
    ~LoButtonModel() override;
};

#endif
