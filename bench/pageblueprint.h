// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef PAGEBLUEPRINT_H
#define PAGEBLUEPRINT_H

#include <QString>
#include <QVector>

class QGraphicsWidget;

/**
 * The shape of a built page: every widget of its item tree with its parent and
 * the text it shows, if any. Taken once from a page that the library built, so
 * that the floor builds exactly as many widgets with the same texts.
 */
class PageBlueprint
{
public:
    struct Node {
        int parent = -1; // index of the parent node; -1 for the root
        QString text;    // empty: the widget shows no text
    };

    static PageBlueprint of(const QGraphicsWidget *root);

    const QVector<Node> &nodes() const { return m_nodes; }
    int widgetCount() const { return m_nodes.size(); }
    int textCount() const;

private:
    void add(const QGraphicsWidget *widget, int parent);

    QVector<Node> m_nodes;
};

#endif
