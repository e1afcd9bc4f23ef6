// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOLAYOUT_H
#define LOLAYOUT_H

#include "lotoolkit_export.h"

#include <QGraphicsLinearLayout>
#include <QVector>

class LoLinearLayoutPolicy;

/**
 * A layout whose arrangement is given by a policy. Created with a widget as
 * parent, it becomes that widget's layout. It owns its policies; the one made
 * last is in use.
 */
class LOTOOLKIT_EXPORT LoLayout : public QGraphicsLinearLayout
{
public:
    explicit LoLayout(QGraphicsLayoutItem *parent = nullptr);
    ~LoLayout() override;

    /** The policy in use; null until one is made on this layout. */
    LoLinearLayoutPolicy *policy() const;

private:
    friend class LoLinearLayoutPolicy;
    QVector<LoLinearLayoutPolicy *> m_policies;
};

#endif
