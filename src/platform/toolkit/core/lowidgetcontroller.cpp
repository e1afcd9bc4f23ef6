// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lowidgetcontroller.h"

#include "lowidgetmodel.h"

#include <QPainter>

class LoWidgetController::Private
{
public:
    LoWidgetModel *model = nullptr;
    QString styleName;
    QString viewType;
};

LoWidgetController::LoWidgetController(QGraphicsItem *parent)
    : LoWidgetController(nullptr, parent)
{
}

LoWidgetController::LoWidgetController(LoWidgetModel *model, QGraphicsItem *parent)
    : LoWidget(parent)
    , d(new Private)
{
    d->model = model ? model : new LoWidgetModel;
    d->model->setParent(this);
    applyStyle();
}

LoWidgetController::~LoWidgetController()
{
    delete d;
}

LoWidgetModel *LoWidgetController::model() const
{
    return d->model;
}

void LoWidgetController::setStyleName(const QString &name)
{
    if (name == d->styleName)
        return;
    d->styleName = name;
    applyStyle();
    Q_EMIT styleNameChanged();
}

QString LoWidgetController::styleName() const
{
    return d->styleName;
}

void LoWidgetController::setViewType(const QString &type)
{
    if (type == d->viewType)
        return;
    d->viewType = type;
    updateGeometry();
    update();
    Q_EMIT viewTypeChanged();
}

QString LoWidgetController::viewType() const
{
    return d->viewType;
}

const LoTheme::Style &LoWidgetController::style() const
{
    return LoTheme::style(LoTheme::hasStyle(d->styleName) ? d->styleName : defaultStyleName());
}

QString LoWidgetController::defaultStyleName() const
{
    return QString();
}

void LoWidgetController::applyStyle()
{
    const QMarginsF &padding = style().padding;
    setContentsMargins(padding.left(), padding.top(), padding.right(), padding.bottom());
    updateGeometry();
    update();
}

QSizeF LoWidgetController::styledSize(Qt::SizeHint which, const QSizeF &contentSize) const
{
    if (which != Qt::MinimumSize && which != Qt::PreferredSize)
        return contentSize;
    qreal left, top, right, bottom;
    getContentsMargins(&left, &top, &right, &bottom);
    return QSizeF(contentSize.width() + left + right,
                  qMax(contentSize.height() + top + bottom, style().minimumHeight));
}

void LoWidgetController::paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
                               QWidget *widget)
{
    Q_UNUSED(option)
    Q_UNUSED(widget)
    LoTheme::paintBackground(painter, rect(), style());
}

QSizeF LoWidgetController::sizeHint(Qt::SizeHint which, const QSizeF &constraint) const
{
    QSizeF hint = LoWidget::sizeHint(which, constraint);
    if (which == Qt::MinimumSize || which == Qt::PreferredSize) {
        const qreal minimum = style().minimumHeight;
        if (hint.height() < minimum)
            hint.setHeight(minimum);
    }
    return hint;
}
