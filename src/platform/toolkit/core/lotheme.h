// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOTHEME_H
#define LOTHEME_H

#include "lotoolkit_export.h"

#include <QColor>
#include <QFont>
#include <QMarginsF>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QPainter;
class QRectF;

/**
 * The toolkit's one look: a dark ("inverted") theme. A style name maps to the
 * font, colours, padding and sizes of the widget that carries it; an unknown or
 * empty name gets the default body text look. All theme data lives in
 * lotheme.cpp.
 */
class LOTOOLKIT_EXPORT LoTheme
{
public:
    struct Style {
        QString name;
        qreal fontPixelSize = 20;
        int fontWeight = QFont::Normal;
        QColor textColor;
        /** Invalid: the widget draws no background. */
        QColor backgroundColor;
        /** Frame around the background; invalid for none. */
        QColor borderColor;
        /** Highlight: a switch that is on, a spinner's arc, a pressed button. */
        QColor accentColor;
        qreal cornerRadius = 0;
        QMarginsF padding;
        qreal minimumHeight = 0;
        /** Size of the graphic of a switch, spinner, icon or icon button. */
        QSizeF graphicSize;

        QFont font() const;
    };

    /** The style of @p styleName, or the default style when the theme does not know it. */
    static const Style &style(const QString &styleName);
    static bool hasStyle(const QString &styleName);
    static QStringList styleNames();

    /** The font family that every text is drawn in ("DejaVu Sans"). */
    static QString fontFamily();

    static QColor windowColor();
    static QColor textColor();
    static QColor secondaryTextColor();
    static QColor accentColor();
    static QColor disabledColor();

    /** Draws the icon @p iconId into @p rect; unknown identifiers get a generic glyph. */
    static void paintIcon(QPainter *painter, const QRectF &rect, const QString &iconId,
                          const QColor &color);
    /** Draws a style's background and border into @p rect, if it has them. */
    static void paintBackground(QPainter *painter, const QRectF &rect, const Style &style);
};

#endif
