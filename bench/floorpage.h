// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef FLOORPAGE_H
#define FLOORPAGE_H

#include <QByteArray>
#include <QGraphicsWidget>
#include <QVector>

class PageBlueprint;

/**
 * The floor of the page build: the least work that shows what the data counters
 * page shows and keeps up with its keys. It has the store notify it of the
 * directories of the page's eleven keys (FloorStore::watchDirectory()) until it
 * is destroyed, reads the keys through the store's bare API (FloorStore::text())
 * and builds the page's tree of widgets as plain QGraphicsWidgets in vertical
 * QGraphicsLinearLayouts, each text as a QGraphicsSimpleTextItem: no toolkit,
 * no translations, no locale.
 */
class FloorPage : public QGraphicsWidget
{
    Q_OBJECT
public:
    explicit FloorPage(const PageBlueprint &blueprint, QGraphicsItem *parent = nullptr);
    ~FloorPage() override;

    /** The values read, as text ("" for an unset key), in the order of BenchStore::pageKeys(). */
    QStringList values() const { return m_values; }

private:
    struct Watch {
        QByteArray directory;
        unsigned long handle;
    };

    QStringList m_values;
    QVector<Watch> m_watches;
};

#endif
