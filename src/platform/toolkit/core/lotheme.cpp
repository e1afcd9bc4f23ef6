// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lotheme.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor Window(0x00, 0x00, 0x00);
const QColor Panel(0x16, 0x16, 0x16);
const QColor LargePanel(0x1e, 0x1e, 0x1e);
const QColor Text(0xf2, 0xf2, 0xf2);
const QColor SecondaryText(0x9a, 0x9a, 0x9a);
const QColor Accent(0x2a, 0x8f, 0xdf);
const QColor Disabled(0x55, 0x55, 0x55);
const QColor ButtonFace(0x3a, 0x3a, 0x3a);
const QColor FieldFace(0x26, 0x26, 0x26);
const QColor FieldBorder(0x6a, 0x6a, 0x6a);
const QColor SwitchTrack(0x4a, 0x4a, 0x4a);

using Style = LoTheme::Style;

Style makeStyle(const char *name, qreal pixelSize, int weight, const QColor &text)
{
    Style s;
    s.name = QString::fromLatin1(name);
    s.fontPixelSize = pixelSize;
    s.fontWeight = weight;
    s.textColor = text;
    s.accentColor = Accent;
    return s;
}

// The whole theme. Sizes are in scene pixels of a 480 pixels wide portrait page.
QHash<QString, Style> buildTheme()
{
    QList<Style> styles;

    Style s = makeStyle("", 20, QFont::Normal, Text);
    styles << s;

    // Backgrounds.
    s = makeStyle("CommonContainerInverted", 20, QFont::Normal, Text);
    s.backgroundColor = Window;
    styles << s;
    s = makeStyle("CommonPanelInverted", 20, QFont::Normal, Text);
    s.backgroundColor = Panel;
    s.padding = QMarginsF(16, 6, 16, 6);
    s.minimumHeight = 64;
    styles << s;
    s = makeStyle("CommonLargePanelInverted", 20, QFont::Normal, Text);
    s.backgroundColor = LargePanel;
    s.cornerRadius = 8;
    s.padding = QMarginsF(8, 6, 8, 6);
    styles << s;
    s = makeStyle("CommonSpacer", 20, QFont::Normal, Text);
    s.minimumHeight = 16;
    styles << s;
    s = makeStyle("CommonSmallSpacer", 20, QFont::Normal, Text);
    s.minimumHeight = 8;
    styles << s;

    // Texts.
    s = makeStyle("CommonHeaderInverted", 32, QFont::Normal, Text);
    s.padding = QMarginsF(16, 16, 16, 16);
    s.minimumHeight = 72;
    styles << s;
    s = makeStyle("CommonContainerTitleInverted", 22, QFont::Bold, Accent);
    s.padding = QMarginsF(16, 12, 16, 4);
    styles << s;
    s = makeStyle("CommonGroupHeaderInverted", 18, QFont::Bold, SecondaryText);
    s.padding = QMarginsF(16, 12, 16, 4);
    s.borderColor = Disabled;
    styles << s;
    s = makeStyle("CommonTitleInverted", 24, QFont::DemiBold, Text);
    s.padding = QMarginsF(0, 4, 8, 0);
    styles << s;
    s = makeStyle("CommonSubTitleInverted", 20, QFont::Normal, SecondaryText);
    s.padding = QMarginsF(0, 0, 8, 4);
    styles << s;
    s = makeStyle("CommonSingleTitleInverted", 24, QFont::DemiBold, Text);
    s.padding = QMarginsF(0, 8, 8, 8);
    styles << s;
    s = makeStyle("CommonBodyTextInverted", 20, QFont::Normal, Text);
    s.padding = QMarginsF(16, 4, 16, 4);
    styles << s;
    s = makeStyle("CommonFieldLabelInverted", 20, QFont::Normal, SecondaryText);
    s.padding = QMarginsF(8, 8, 8, 4);
    styles << s;
    s = makeStyle("CommonSingleInputFieldInverted", 22, QFont::Normal, Text);
    s.backgroundColor = FieldFace;
    s.borderColor = FieldBorder;
    s.cornerRadius = 6;
    s.padding = QMarginsF(12, 8, 12, 8);
    s.minimumHeight = 48;
    styles << s;

    // Buttons and switches.
    s = makeStyle("CommonListButtonInverted", 22, QFont::DemiBold, Text);
    s.backgroundColor = ButtonFace;
    s.cornerRadius = 8;
    s.padding = QMarginsF(18, 10, 18, 10);
    s.minimumHeight = 52;
    styles << s;
    s = makeStyle("CommonButtonInverted", 22, QFont::DemiBold, Text);
    s.backgroundColor = ButtonFace;
    s.cornerRadius = 8;
    s.padding = QMarginsF(18, 10, 18, 10);
    s.minimumHeight = 52;
    styles << s;
    s = makeStyle("CommonRightSwitchInverted", 20, QFont::Normal, Text);
    s.backgroundColor = SwitchTrack;
    s.graphicSize = QSizeF(72, 36);
    s.padding = QMarginsF(4, 4, 4, 4);
    styles << s;
    s = makeStyle("CommonSwitchInverted", 20, QFont::Normal, Text);
    s.backgroundColor = SwitchTrack;
    s.graphicSize = QSizeF(72, 36);
    s.padding = QMarginsF(4, 4, 4, 4);
    styles << s;

    // Graphics.
    s = makeStyle("CommonListItemSpinnerInverted", 20, QFont::Normal, Text);
    s.graphicSize = QSizeF(40, 40);
    s.padding = QMarginsF(4, 4, 4, 4);
    styles << s;
    s = makeStyle("CommonRightIconInverted", 20, QFont::Normal, Text);
    s.graphicSize = QSizeF(48, 48);
    s.padding = QMarginsF(4, 4, 4, 4);
    styles << s;
    s = makeStyle("CommonSwitchIconInverted", 20, QFont::Normal, Text);
    s.graphicSize = QSizeF(40, 40);
    s.padding = QMarginsF(4, 4, 4, 4);
    styles << s;
    s = makeStyle("CommonMainIcon", 20, QFont::Normal, Text);
    s.graphicSize = QSizeF(48, 48);
    styles << s;

    QHash<QString, Style> theme;
    for (const Style &style : qAsConst(styles))
        theme.insert(style.name, style);
    return theme;
}

const QHash<QString, Style> &theme()
{
    static const QHash<QString, Style> table = buildTheme();
    return table;
}

} // namespace

QFont LoTheme::Style::font() const
{
    // Asked for by every size hint and paint: made once per size and weight,
    // and the copies share one font, which makes comparing them cheap too.
    thread_local QHash<QPair<int, int>, QFont> fonts;
    const QPair<int, int> key(qMax(1, qRound(fontPixelSize)), fontWeight);
    const auto found = fonts.constFind(key);
    if (found != fonts.constEnd())
        return found.value();
    QFont f(LoTheme::fontFamily());
    f.setPixelSize(key.first);
    f.setWeight(QFont::Weight(fontWeight));
    f.setStyleStrategy(QFont::PreferAntialias);
    return fonts.insert(key, f).value();
}

const LoTheme::Style &LoTheme::style(const QString &styleName)
{
    const QHash<QString, Style> &table = theme();
    const auto it = table.constFind(styleName);
    if (it != table.constEnd())
        return it.value();
    return *table.constFind(QString());
}

bool LoTheme::hasStyle(const QString &styleName)
{
    return !styleName.isEmpty() && theme().contains(styleName);
}

QStringList LoTheme::styleNames()
{
    QStringList names = theme().keys();
    names.removeAll(QString());
    names.sort();
    return names;
}

QString LoTheme::fontFamily()
{
    return QStringLiteral("DejaVu Sans");
}

QColor LoTheme::windowColor()
{
    return Window;
}

QColor LoTheme::textColor()
{
    return Text;
}

QColor LoTheme::secondaryTextColor()
{
    return SecondaryText;
}

QColor LoTheme::accentColor()
{
    return Accent;
}

QColor LoTheme::disabledColor()
{
    return Disabled;
}

void LoTheme::paintBackground(QPainter *painter, const QRectF &rect, const Style &style)
{
    if (!style.backgroundColor.isValid() && !style.borderColor.isValid())
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (style.backgroundColor.isValid()) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(style.backgroundColor);
        painter->drawRoundedRect(rect, style.cornerRadius, style.cornerRadius);
    }
    if (style.borderColor.isValid()) {
        if (style.backgroundColor.isValid()) {
            painter->setPen(QPen(style.borderColor, 1));
            painter->setBrush(Qt::NoBrush);
            painter->drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), style.cornerRadius,
                                     style.cornerRadius);
        } else {
            // A text style with a border colour is underlined, like a group header.
            painter->setPen(QPen(style.borderColor, 1));
            const qreal y = rect.bottom() - 0.5;
            painter->drawLine(QPointF(rect.left() + style.padding.left(), y),
                              QPointF(rect.right() - style.padding.right(), y));
        }
    }
    painter->restore();
}

void LoTheme::paintIcon(QPainter *painter, const QRectF &rect, const QString &iconId,
                        const QColor &color)
{
    if (rect.isEmpty())
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(rect.width(), rect.height());
    const QRectF box(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    const qreal pen = qMax<qreal>(1.5, side / 14);
    painter->setPen(QPen(color, pen));
    painter->setBrush(Qt::NoBrush);

    if (iconId.contains(QLatin1String("description")) || iconId.contains(QLatin1String("help"))) {
        // Help: a question mark in a circle.
        const QRectF circle = box.adjusted(pen, pen, -pen, -pen);
        painter->drawEllipse(circle);
        QFont f(fontFamily());
        f.setPixelSize(qMax(1, qRound(side * 0.6)));
        f.setBold(true);
        painter->setFont(f);
        painter->drawText(circle, Qt::AlignCenter, QStringLiteral("?"));
    } else {
        // Anything else: a framed picture with a sun and a hill, readable as "an image".
        const QRectF frame = box.adjusted(pen, pen, -pen, -pen);
        painter->drawRoundedRect(frame, side / 8, side / 8);
        painter->setBrush(color);
        const qreal r = side / 10;
        painter->drawEllipse(QPointF(frame.left() + frame.width() * 0.68, frame.top() + frame.height() * 0.32), r, r);
        QPainterPath hill;
        hill.moveTo(frame.left() + pen, frame.bottom() - pen);
        hill.lineTo(frame.left() + frame.width() * 0.4, frame.top() + frame.height() * 0.5);
        hill.lineTo(frame.right() - pen, frame.bottom() - pen);
        hill.closeSubpath();
        painter->drawPath(hill);
    }
    painter->restore();
}
