// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOLINEARLAYOUTPOLICY_H
#define LOLINEARLAYOUTPOLICY_H

#include "lotoolkit_export.h"

#include <Qt>

class LoLayout;
class QGraphicsLayoutItem;

/**
 * Arranges a LoLayout's items in one row or column, in the order they were added.
 * Made on a layout, it sets the layout's orientation and belongs to the layout.
 * Item alignments, margins and spacing are those of the layout itself.
 */
class LOTOOLKIT_EXPORT LoLinearLayoutPolicy
{
    Q_DISABLE_COPY(LoLinearLayoutPolicy)
public:
    LoLinearLayoutPolicy(LoLayout *layout, Qt::Orientation orientation);
    ~LoLinearLayoutPolicy();

    LoLayout *layout() const;
    Qt::Orientation orientation() const;

    void addItem(QGraphicsLayoutItem *item);
    void addItem(QGraphicsLayoutItem *item, Qt::Alignment alignment);
    void insertItem(int index, QGraphicsLayoutItem *item);
    void removeItem(QGraphicsLayoutItem *item);
    int count() const;
    QGraphicsLayoutItem *itemAt(int index) const;

    void setContentsMargins(qreal left, qreal top, qreal right, qreal bottom);
    void setSpacing(qreal spacing);
    qreal spacing() const;
    void setStretchFactor(QGraphicsLayoutItem *item, int stretch);

private:
    LoLayout *m_layout;
};

#endif
