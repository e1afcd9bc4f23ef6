// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "pageblueprint.h"

#include <QGraphicsWidget>
#include <QVariant>

PageBlueprint PageBlueprint::of(const QGraphicsWidget *root)
{
    PageBlueprint blueprint;
    if (root)
        blueprint.add(root, -1);
    return blueprint;
}

int PageBlueprint::textCount() const
{
    int count = 0;
    for (const Node &node : m_nodes)
        count += node.text.isEmpty() ? 0 : 1;
    return count;
}

void PageBlueprint::add(const QGraphicsWidget *widget, int parent)
{
    Node node;
    node.parent = parent;
    // Labels, buttons and text fields all carry their text as the "text" property.
    node.text = widget->property("text").toString();
    m_nodes.append(node);
    const int index = m_nodes.size() - 1;
    const QList<QGraphicsItem *> children = widget->childItems();
    for (const QGraphicsItem *child : children) {
        if (child->isWidget())
            add(static_cast<const QGraphicsWidget *>(child), index);
    }
}
