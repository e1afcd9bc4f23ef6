// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "floorpage.h"

#include "benchstore.h"
#include "floorstore.h"
#include "pageblueprint.h"

#include <QGraphicsLinearLayout>
#include <QGraphicsSimpleTextItem>
#include <QVector>

#include <algorithm>

FloorPage::FloorPage(const PageBlueprint &blueprint, QGraphicsItem *parent)
    : QGraphicsWidget(parent)
{
    FloorStore &store = FloorStore::instance();
    const QStringList keys = BenchStore::pageKeys();
    // Watched before the keys are read: a change is either read or notified.
    for (const QString &key : keys) {
        const QByteArray directory = key.left(key.lastIndexOf(QLatin1Char('/'))).toUtf8();
        const bool watched = std::any_of(m_watches.cbegin(), m_watches.cend(), [&directory](const Watch &watch) {
            return watch.directory == directory;
        });
        if (!watched)
            m_watches.append({directory, store.watchDirectory(directory)});
    }
    for (const QString &key : keys)
        m_values.append(store.text(key.toUtf8()));

    const QVector<PageBlueprint::Node> &nodes = blueprint.nodes();
    QVector<QGraphicsWidget *> widgets(nodes.size(), nullptr);
    QVector<QGraphicsLinearLayout *> layouts(nodes.size(), nullptr);
    for (int i = 0; i < nodes.size(); ++i) {
        const PageBlueprint::Node &node = nodes.at(i);
        QGraphicsWidget *widget = node.parent < 0 ? this : new QGraphicsWidget(widgets.at(node.parent));
        widgets[i] = widget;
        if (node.parent >= 0) {
            QGraphicsLinearLayout *&layout = layouts[node.parent];
            if (!layout) {
                layout = new QGraphicsLinearLayout(Qt::Vertical, widgets.at(node.parent));
                layout->setContentsMargins(0, 0, 0, 0);
                layout->setSpacing(0);
            }
            layout->addItem(widget);
        }
        if (!node.text.isEmpty()) {
            auto *text = new QGraphicsSimpleTextItem(node.text, widget);
            widget->setPreferredSize(text->boundingRect().size());
        }
    }
}

FloorPage::~FloorPage()
{
    for (const Watch &watch : qAsConst(m_watches))
        FloorStore::instance().unwatchDirectory(watch.directory, watch.handle);
}
