// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lolayout.h"

#include "lolinearlayoutpolicy.h"

#include <utility>

LoLayout::LoLayout(QGraphicsLayoutItem *parent)
    : QGraphicsLinearLayout(parent)
{
}

LoLayout::~LoLayout()
{
    // A policy's destructor forgets itself; it must find nothing left to do.
    const QVector<LoLinearLayoutPolicy *> policies = std::exchange(m_policies, {});
    qDeleteAll(policies);
}

LoLinearLayoutPolicy *LoLayout::policy() const
{
    return m_policies.isEmpty() ? nullptr : m_policies.constLast();
}
