// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lolinearlayoutpolicy.h"

#include "lolayout.h"
#include "lotoolkit_debug.h"

#include <QGraphicsWidget>

LoLinearLayoutPolicy::LoLinearLayoutPolicy(LoLayout *layout, Qt::Orientation orientation)
    : m_layout(layout)
{
    if (!m_layout) {
        qCWarning(LOTOOLKIT_LOG, "LoLinearLayoutPolicy: made without a layout; it arranges nothing");
        return;
    }
    m_layout->setOrientation(orientation);
    m_layout->m_policies.append(this);
}

LoLinearLayoutPolicy::~LoLinearLayoutPolicy()
{
    if (m_layout)
        m_layout->m_policies.removeOne(this);
}

LoLayout *LoLinearLayoutPolicy::layout() const
{
    return m_layout;
}

Qt::Orientation LoLinearLayoutPolicy::orientation() const
{
    return m_layout ? m_layout->orientation() : Qt::Vertical;
}

void LoLinearLayoutPolicy::addItem(QGraphicsLayoutItem *item)
{
    insertItem(-1, item);
}

void LoLinearLayoutPolicy::addItem(QGraphicsLayoutItem *item, Qt::Alignment alignment)
{
    insertItem(-1, item);
    if (m_layout && item && m_layout->count() && m_layout->itemAt(m_layout->count() - 1) == item)
        m_layout->setAlignment(item, alignment);
}

void LoLinearLayoutPolicy::insertItem(int index, QGraphicsLayoutItem *item)
{
    if (!m_layout || !item)
        return;
    // Qt's layout refuses an item it already holds with a warning; moving is the
    // useful meaning.
    for (int i = 0; i < m_layout->count(); ++i) {
        if (m_layout->itemAt(i) == item) {
            m_layout->removeAt(i);
            break;
        }
    }
    m_layout->insertItem(index, item);
    // A graphics widget keeps the direction that it took when it was made; one
    // made without a parent and adopted here takes its row's, as a widget that
    // one of Qt's widget layouts adopts does, unless its own was set.
    QGraphicsItem *adopted = item->graphicsItem();
    if (adopted && adopted->isWidget() && adopted->parentItem()) {
        auto *widget = static_cast<QGraphicsWidget *>(adopted);
        if (!widget->testAttribute(Qt::WA_SetLayoutDirection))
            widget->unsetLayoutDirection();
    }
}

void LoLinearLayoutPolicy::removeItem(QGraphicsLayoutItem *item)
{
    if (m_layout && item)
        m_layout->removeItem(item);
}

int LoLinearLayoutPolicy::count() const
{
    return m_layout ? m_layout->count() : 0;
}

QGraphicsLayoutItem *LoLinearLayoutPolicy::itemAt(int index) const
{
    if (!m_layout || index < 0 || index >= m_layout->count())
        return nullptr;
    return m_layout->itemAt(index);
}

void LoLinearLayoutPolicy::setContentsMargins(qreal left, qreal top, qreal right, qreal bottom)
{
    if (m_layout)
        m_layout->setContentsMargins(left, top, right, bottom);
}

void LoLinearLayoutPolicy::setSpacing(qreal spacing)
{
    if (m_layout)
        m_layout->setSpacing(spacing);
}

qreal LoLinearLayoutPolicy::spacing() const
{
    return m_layout ? m_layout->spacing() : 0;
}

void LoLinearLayoutPolicy::setStretchFactor(QGraphicsLayoutItem *item, int stretch)
{
    if (m_layout && item)
        m_layout->setStretchFactor(item, stretch);
}
