// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef FLOORPAGE_H
#define FLOORPAGE_H

#include <QGraphicsWidget>

class PageBlueprint;

/**
 * The floor of the page build: the least work that shows what the data counters
 * page shows. It reads the page's eleven keys through the store's bare API
 * (FloorStore::text()) and builds the page's tree of widgets as plain QGraphicsWidgets in vertical
 * QGraphicsLinearLayouts, each text as a QGraphicsSimpleTextItem: no toolkit,
 * no translations, no locale.
 */
class FloorPage : public QGraphicsWidget
{
    Q_OBJECT
public:
    explicit FloorPage(const PageBlueprint &blueprint, QGraphicsItem *parent = nullptr);

    /** The values read, as text ("" for an unset key), in the order of BenchStore::pageKeys(). */
    QStringList values() const { return m_values; }

private:
    QStringList m_values;
};

#endif
