// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "loprogressindicator.h"

#include "lowidgetcontroller_p.h"

#include <QPainter>
#include <QTimer>

const char *const LoProgressIndicator::spinnerType = "spinner";
const char *const LoProgressIndicator::barType = "bar";

namespace {

const int FrameInterval = 40; // 25 frames a second
const int DegreesPerFrame = 12;
const QSizeF DefaultSpinnerSize(40, 40);
const qreal BarHeight = 8;
const qreal DefaultBarWidth = 200;

} // namespace

class LoProgressIndicator::Private
{
public:
    bool unknown = false;
    int value = 0;
    int phase = 0;
    QTimer timer;
};

LoProgressIndicator::LoProgressIndicator(QGraphicsItem *parent, const QString &viewType)
    : LoWidgetController(parent)
    , d(new Private)
{
    // The fallback look depends on the view type.
    LoWidgetController::d->styleFollowsViewType = true;
    setViewType(viewType);
    applyStyle();
    d->timer.setInterval(FrameInterval);
    connect(&d->timer, &QTimer::timeout, this, [this] {
        d->phase = (d->phase + DegreesPerFrame) % 360;
        update();
    });
}

LoProgressIndicator::~LoProgressIndicator()
{
    delete d;
}

void LoProgressIndicator::setUnknownDuration(bool unknown)
{
    if (unknown == d->unknown)
        return;
    d->unknown = unknown;
    updateAnimation();
    update();
}

bool LoProgressIndicator::unknownDuration() const
{
    return d->unknown;
}

void LoProgressIndicator::setValue(int value)
{
    value = qBound(0, value, 100);
    if (value == d->value)
        return;
    d->value = value;
    update();
}

int LoProgressIndicator::value() const
{
    return d->value;
}

bool LoProgressIndicator::isAnimating() const
{
    return d->timer.isActive();
}

int LoProgressIndicator::animationPhase() const
{
    return d->phase;
}

void LoProgressIndicator::updateAnimation()
{
    const bool run = d->unknown && isVisible() && scene();
    if (run && !d->timer.isActive())
        d->timer.start();
    else if (!run)
        d->timer.stop();
}

QString LoProgressIndicator::defaultStyleName() const
{
    return viewType() == QLatin1String(spinnerType) ? QStringLiteral("CommonListItemSpinnerInverted")
                                                      : QString();
}

QVariant LoProgressIndicator::itemChange(GraphicsItemChange change, const QVariant &value)
{
    const QVariant result = LoWidgetController::itemChange(change, value);
    if (change == ItemVisibleHasChanged || change == ItemSceneHasChanged)
        updateAnimation();
    return result;
}

void LoProgressIndicator::paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
                                QWidget *widget)
{
    LoWidgetController::paint(painter, option, widget);
    const LoTheme::Style &look = style();
    const QRectF area = contentsRect();
    const QColor accent = look.accentColor.isValid() ? look.accentColor : LoTheme::accentColor();
    const QColor track = LoTheme::disabledColor();

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (viewType() == QLatin1String(spinnerType)) {
        const QSizeF size = look.graphicSize.isValid() ? look.graphicSize : DefaultSpinnerSize;
        const qreal side = qMin(qMin(size.width(), size.height()), qMin(area.width(), area.height()));
        const qreal pen = qMax<qreal>(2, side / 9);
        QRectF ring(QPointF(), QSizeF(side - pen, side - pen));
        ring.moveCenter(area.center());
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(track, pen, Qt::SolidLine, Qt::RoundCap));
        painter->drawEllipse(ring);
        // Qt counts angles counter-clockwise in sixteenths of a degree; the arc turns clockwise.
        const int span = d->unknown ? 100 : qRound(d->value * 3.6);
        painter->setPen(QPen(accent, pen, Qt::SolidLine, Qt::RoundCap));
        if (span > 0)
            painter->drawArc(ring, (90 - d->phase) * 16, -span * 16);
    } else {
        QRectF bar(area.left(), area.center().y() - BarHeight / 2, area.width(), BarHeight);
        const qreal radius = BarHeight / 2;
        painter->setPen(Qt::NoPen);
        painter->setBrush(track);
        painter->drawRoundedRect(bar, radius, radius);
        painter->setBrush(accent);
        QRectF fill = bar;
        if (d->unknown) {
            // A quarter-length block that sweeps across and wraps around.
            fill.setWidth(bar.width() / 4);
            fill.moveLeft(bar.left() - fill.width() + (bar.width() + fill.width()) * d->phase / 360.0);
            painter->setClipRect(bar);
        } else {
            fill.setWidth(bar.width() * d->value / 100.0);
        }
        if (layoutDirection() == Qt::RightToLeft)
            fill.moveRight(bar.right() - (fill.left() - bar.left()));
        if (fill.width() > 0)
            painter->drawRoundedRect(fill, radius, radius);
    }
    painter->restore();
}

QSizeF LoProgressIndicator::sizeHint(Qt::SizeHint which, const QSizeF &constraint) const
{
    if (which != Qt::MinimumSize && which != Qt::PreferredSize)
        return LoWidgetController::sizeHint(which, constraint);
    if (viewType() == QLatin1String(spinnerType)) {
        const QSizeF size = style().graphicSize;
        return styledSize(which, size.isValid() ? size : DefaultSpinnerSize);
    }
    return styledSize(which, QSizeF(which == Qt::MinimumSize ? BarHeight * 4 : DefaultBarWidth, BarHeight));
}
