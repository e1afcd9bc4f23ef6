// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOWIDGETMODEL_H
#define LOWIDGETMODEL_H

#include "lotoolkit_export.h"

#include <QObject>

/** The data side of a widget controller. A controller made without a model creates its own. */
class LOTOOLKIT_EXPORT LoWidgetModel : public QObject
{
    Q_OBJECT
public:
    explicit LoWidgetModel(QObject *parent = nullptr);
    ~LoWidgetModel() override;
};

#endif
