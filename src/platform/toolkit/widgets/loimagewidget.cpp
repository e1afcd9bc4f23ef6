// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "loimagewidget.h"

#include <QPainter>

LoImageWidget::LoImageWidget(QGraphicsItem *parent)
    : LoWidgetController(parent)
{
    applyStyle();
}

LoImageWidget::LoImageWidget(const QString &id, QGraphicsItem *parent)
    : LoImageWidget(parent)
{
    setImage(id);
}

LoImageWidget::~LoImageWidget() = default;

void LoImageWidget::setImage(const QString &id)
{
    if (id == m_id)
        return;
    m_id = id;
    update();
}

QString LoImageWidget::image() const
{
    return m_id;
}

QString LoImageWidget::defaultStyleName() const
{
    return QStringLiteral("CommonMainIcon");
}

void LoImageWidget::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    LoWidgetController::paint(painter, option, widget);
    const LoTheme::Style &look = style();
    const QRectF area = contentsRect();
    QRectF iconRect(QPointF(), look.graphicSize.boundedTo(area.size()));
    iconRect.moveCenter(area.center());
    LoTheme::paintIcon(painter, iconRect, m_id, isEnabled() ? look.textColor : LoTheme::disabledColor());
}

QSizeF LoImageWidget::sizeHint(Qt::SizeHint which, const QSizeF &constraint) const
{
    if (which != Qt::MinimumSize && which != Qt::PreferredSize)
        return LoWidgetController::sizeHint(which, constraint);
    return styledSize(which, style().graphicSize);
}
