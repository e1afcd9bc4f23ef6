// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lowidgetcontroller.h"
#include "lowidgetcontroller_p.h"

#include "lowidgetmodel.h"

#include <QPainter>

LoWidgetController::LoWidgetController(QGraphicsItem *parent)
    : LoWidgetController(nullptr, parent)
{
}

LoWidgetController::LoWidgetController(LoWidgetModel *model, QGraphicsItem *parent)
    : LoWidget(parent)
    , d(new Private)
{
    // Few controllers are ever asked for their model: the default one is made
    // on the first request.
    if (model) {
        d->model = model;
        d->model->setParent(this);
    }
    applyStyle();
}

LoWidgetController::~LoWidgetController()
{
    delete d;
}

LoWidgetModel *LoWidgetController::model() const
{
    if (!d->model) {
        auto *self = const_cast<LoWidgetController *>(this);
        d->model = d->makeModel ? d->makeModel() : new LoWidgetModel;
        d->model->setParent(self);
    }
    return d->model;
}

void LoWidgetController::setStyleName(const QString &name)
{
    if (name == d->styleName)
        return;
    d->styleName = name;
    d->namedStyle = nullptr;
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
    if (d->styleFollowsViewType) {
        applyStyle();
    } else {
        updateGeometry();
        update();
    }
    Q_EMIT viewTypeChanged();
}

QString LoWidgetController::viewType() const
{
    return d->viewType;
}

const LoTheme::Style &LoWidgetController::style() const
{
    // Asked for by every size hint and paint. A name that the theme knows always
    // means the same style, and the theme's styles never move; the fallback
    // depends on defaultStyleName(), which may change, and is looked up each time.
    if (d->namedStyle)
        return *d->namedStyle;
    if (LoTheme::hasStyle(d->styleName)) {
        d->namedStyle = &LoTheme::style(d->styleName);
        return *d->namedStyle;
    }
    return LoTheme::style(defaultStyleName());
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
