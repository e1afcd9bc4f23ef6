// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lobutton.h"

#include "lobuttonmodel.h"
#include "lowidgetcontroller_p.h"

#include <QFontMetricsF>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPointer>

const char *const LoButton::defaultType = "default";
const char *const LoButton::switchType = "switch";
const char *const LoButton::iconType = "icon";

namespace {

const QSizeF DefaultSwitchSize(72, 36);
const QSizeF DefaultIconSize(40, 40);
const qreal IconTextGap = 8;

} // namespace

class LoButton::Private
{
public:
    QString text;
    QString iconID;
    bool checkable = false;
    bool checked = false;
    bool down = false;
};

LoButton::LoButton(QGraphicsItem *parent, LoButtonModel *model)
    : LoWidgetController(model, parent)
    , d(new Private)
{
    LoWidgetController::d->makeModel = [] { return static_cast<LoWidgetModel *>(new LoButtonModel); };
    // The fallback look depends on the view type.
    LoWidgetController::d->styleFollowsViewType = true;
    setAcceptedMouseButtons(Qt::LeftButton);
    // Applies the style too.
    setViewType(QString::fromLatin1(defaultType));
}

LoButton::LoButton(const QString &text, QGraphicsItem *parent)
    : LoButton(parent, nullptr)
{
    setText(text);
}

LoButton::~LoButton()
{
    delete d;
}

void LoButton::setText(const QString &text)
{
    if (text == d->text)
        return;
    d->text = text;
    updateGeometry();
    update();
}

QString LoButton::text() const
{
    return d->text;
}

void LoButton::setIconID(const QString &id)
{
    if (id == d->iconID)
        return;
    d->iconID = id;
    updateGeometry();
    update();
}

QString LoButton::iconID() const
{
    return d->iconID;
}

void LoButton::setCheckable(bool checkable)
{
    if (checkable == d->checkable)
        return;
    const bool wasChecked = isChecked();
    d->checkable = checkable;
    if (!checkable)
        d->checked = false;
    update();
    if (wasChecked != isChecked())
        Q_EMIT toggled(isChecked());
}

bool LoButton::isCheckable() const
{
    return d->checkable;
}

bool LoButton::isChecked() const
{
    return d->checkable && d->checked;
}

bool LoButton::isDown() const
{
    return d->down;
}

void LoButton::setChecked(bool checked)
{
    if (!d->checkable || checked == d->checked)
        return;
    d->checked = checked;
    update();
    Q_EMIT toggled(checked);
}

void LoButton::click()
{
    if (!isEnabled())
        return;
    // A slot may delete the button: do not touch it after that.
    QPointer<LoButton> self(this);
    if (d->checkable)
        setChecked(!d->checked);
    if (self)
        Q_EMIT clicked();
}

QString LoButton::defaultStyleName() const
{
    const QString type = viewType();
    if (type == QLatin1String(switchType))
        return QStringLiteral("CommonSwitchInverted");
    if (type == QLatin1String(iconType))
        return QString();
    return QStringLiteral("CommonButtonInverted");
}

void LoButton::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option)
    Q_UNUSED(widget)
    const LoTheme::Style &look = style();
    const QRectF area = contentsRect();
    const QString type = viewType();
    const QColor accent = look.accentColor.isValid() ? look.accentColor : LoTheme::accentColor();
    const QColor textColor = isEnabled() ? look.textColor : LoTheme::disabledColor();

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);

    if (type == QLatin1String(switchType)) {
        // A pill with a knob: the knob sits at the end (right in a left-to-right
        // layout) and the track takes the accent colour while the switch is on.
        const QSizeF size = look.graphicSize.isValid() ? look.graphicSize : DefaultSwitchSize;
        QRectF track(QPointF(), size.boundedTo(area.size()));
        track.moveCenter(area.center());
        const qreal radius = track.height() / 2;
        QColor trackColor = isChecked() ? accent : look.backgroundColor;
        if (!trackColor.isValid())
            trackColor = LoTheme::disabledColor();
        if (!isEnabled())
            trackColor = trackColor.darker(180);
        painter->setPen(Qt::NoPen);
        painter->setBrush(trackColor);
        painter->drawRoundedRect(track, radius, radius);

        const bool atEnd = isChecked() != (layoutDirection() == Qt::RightToLeft);
        const qreal inset = qMax<qreal>(2, track.height() / 10);
        const qreal knob = track.height() - 2 * inset;
        const qreal x = atEnd ? track.right() - inset - knob : track.left() + inset;
        painter->setBrush(isEnabled() ? QColor(0xf4, 0xf4, 0xf4) : LoTheme::secondaryTextColor());
        painter->drawEllipse(QRectF(x, track.top() + inset, knob, knob));
        if (d->down) {
            painter->setBrush(Qt::NoBrush);
            painter->setPen(QPen(accent.lighter(140), 2));
            painter->drawRoundedRect(track.adjusted(-1, -1, 1, 1), radius + 1, radius + 1);
        }
    } else if (type == QLatin1String(iconType)) {
        const QSizeF size = look.graphicSize.isValid() ? look.graphicSize : DefaultIconSize;
        QRectF iconRect(QPointF(), size.boundedTo(area.size()));
        iconRect.moveCenter(area.center());
        if (!d->text.isEmpty()) {
            // Icon first, then the text, in reading order.
            const bool rtl = layoutDirection() == Qt::RightToLeft;
            if (rtl)
                iconRect.moveRight(area.right());
            else
                iconRect.moveLeft(area.left());
            QRectF textRect = area;
            if (rtl)
                textRect.setRight(iconRect.left() - IconTextGap);
            else
                textRect.setLeft(iconRect.right() + IconTextGap);
            painter->setFont(look.font());
            painter->setPen(textColor);
            painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, d->text);
        }
        const QColor iconColor = (d->down || isChecked()) ? accent : textColor;
        LoTheme::paintIcon(painter, iconRect, d->iconID, iconColor);
    } else {
        QColor face = look.backgroundColor.isValid() ? look.backgroundColor : LoTheme::disabledColor();
        if (d->down || isChecked())
            face = accent;
        if (!isEnabled())
            face = face.darker(160);
        const qreal radius = look.cornerRadius;
        painter->setPen(look.borderColor.isValid() ? QPen(look.borderColor, 1) : QPen(Qt::NoPen));
        painter->setBrush(face);
        painter->drawRoundedRect(rect().adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

        QRectF textRect = area;
        if (!d->iconID.isEmpty()) {
            QRectF iconRect(QPointF(), QSizeF(area.height(), area.height()));
            iconRect.moveCenter(QPointF(area.left() + area.height() / 2, area.center().y()));
            LoTheme::paintIcon(painter, iconRect, d->iconID, textColor);
            textRect.setLeft(iconRect.right() + IconTextGap);
        }
        painter->setFont(look.font());
        painter->setPen(textColor);
        const QString shown = QFontMetricsF(look.font()).elidedText(d->text, Qt::ElideRight, textRect.width());
        painter->drawText(textRect, Qt::AlignCenter, shown);
    }
    painter->restore();
}

QSizeF LoButton::sizeHint(Qt::SizeHint which, const QSizeF &constraint) const
{
    if (which != Qt::MinimumSize && which != Qt::PreferredSize)
        return LoWidgetController::sizeHint(which, constraint);

    const LoTheme::Style &look = style();
    const QString type = viewType();
    const QFontMetricsF metrics(look.font());
    QSizeF content;
    if (type == QLatin1String(switchType)) {
        content = look.graphicSize.isValid() ? look.graphicSize : DefaultSwitchSize;
    } else if (type == QLatin1String(iconType)) {
        content = look.graphicSize.isValid() ? look.graphicSize : DefaultIconSize;
        if (!d->text.isEmpty()) {
            content.rwidth() += IconTextGap + metrics.horizontalAdvance(d->text);
            content.setHeight(qMax(content.height(), metrics.height()));
        }
    } else {
        content = QSizeF(metrics.horizontalAdvance(d->text), metrics.height());
        if (!d->iconID.isEmpty())
            content.rwidth() += content.height() + IconTextGap;
        if (which == Qt::MinimumSize)
            content.setWidth(qMin(content.width(), metrics.horizontalAdvance(QChar(0x2026)) * 3));
    }
    return styledSize(which, content);
}

void LoButton::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (!isEnabled() || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    d->down = true;
    update();
    event->accept();
}

void LoButton::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    // The press is held: the button shows as pressed only while the finger is on it.
    const bool inside = rect().contains(event->pos());
    if (inside != d->down) {
        d->down = inside;
        update();
    }
}

void LoButton::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool wasDown = d->down;
    d->down = false;
    update();
    if (wasDown && rect().contains(event->pos()))
        click();
}

void LoButton::ungrabMouseEvent(QEvent *event)
{
    // Another item took the mouse (a pan started): the press is cancelled.
    d->down = false;
    update();
    LoWidgetController::ungrabMouseEvent(event);
}
