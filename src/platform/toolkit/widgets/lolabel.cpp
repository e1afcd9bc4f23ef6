// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lolabel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

class LoLabel::Private
{
public:
    QString text;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false;
    QTextOption::WrapMode wrapMode = QTextOption::WordWrap;
    bool elide = false;
    // The one-line size of text in font, the last one measured, and the size of
    // the same text wrapped to wrappedWidth: the layouts above ask for the size
    // hints again and again while a page is built.
    QString measuredText;
    QFont measuredFont;
    QSizeF measuredSize{0, 0};
    qreal wrappedWidth = -1;
    QTextOption::WrapMode wrappedMode = QTextOption::WordWrap;
    QSizeF wrappedSize;
    qreal elidedWidth = -1; // the least an eliding label takes in measuredFont
};

namespace {

// Wide enough for a short sentence; a wrapping label asked for its size without
// a width offers this one.
const qreal DefaultWrapWidth = 400;
const qreal UnboundedWidth = 1e6;

QString displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return shown;
}

// Lays @p text out into lines of @p width (or unbounded lines when @p width is
// negative) and returns the size it takes. When @p painter is given, draws it
// with its top left corner at @p origin.
QSizeF layoutText(const QString &text, const QFont &font, const QTextOption &option, qreal width,
                  QPainter *painter = nullptr, const QPointF &origin = QPointF())
{
    if (text.isEmpty())
        return QSizeF(0, 0);
    QTextLayout layout(text, font);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    qreal height = 0;
    qreal widest = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        // A line is only laid out once it has a width; unbounded lines get a vast one.
        line.setLineWidth(width >= 0 ? width : UnboundedWidth);
        line.setPosition(QPointF(0, height));
        height += line.height();
        widest = qMax(widest, line.naturalTextWidth());
    }
    layout.endLayout();
    if (painter)
        layout.draw(painter, origin);
    return QSizeF(width >= 0 ? qMin(width, widest) : widest, height);
}

} // namespace

LoLabel::LoLabel(QGraphicsItem *parent, LoWidgetModel *model)
    : LoWidgetController(model, parent)
    , d(new Private)
{
    // The base class may have cached its own size hints while it was built.
    updateGeometry();
}

LoLabel::LoLabel(const QString &text, QGraphicsItem *parent)
    : LoLabel(parent, nullptr)
{
    setText(text);
}

LoLabel::~LoLabel()
{
    delete d;
}

void LoLabel::setText(const QString &text)
{
    if (text == d->text)
        return;
    // A label that does not wrap is as large as its text on one line. When the
    // new text takes as much room as the old one (an amount counting up, in
    // digits of one width), the layouts above it need not be done again.
    const bool sameSize = !d->wordWrap && !text.isEmpty() && !d->text.isEmpty()
        && naturalTextSize(d->text) == naturalTextSize(text);
    d->text = text;
    if (!sameSize)
        updateGeometry();
    update();
}

QSizeF LoLabel::naturalTextSize(const QString &text) const
{
    const QFont font = style().font();
    if (text != d->measuredText || font != d->measuredFont) {
        d->measuredSize = layoutText(displayText(text), font, textOption(), -1);
        d->measuredText = text;
        d->measuredFont = font;
        d->wrappedWidth = -1;
        d->elidedWidth = -1;
    }
    return d->measuredSize;
}

QString LoLabel::text() const
{
    return d->text;
}

void LoLabel::setAlignment(Qt::Alignment alignment)
{
    if (alignment == d->alignment)
        return;
    d->alignment = alignment;
    update();
}

Qt::Alignment LoLabel::alignment() const
{
    return d->alignment;
}

void LoLabel::setWordWrap(bool wrap)
{
    if (wrap == d->wordWrap)
        return;
    d->wordWrap = wrap;
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(wrap);
    setSizePolicy(policy);
    updateGeometry();
    update();
}

bool LoLabel::wordWrap() const
{
    return d->wordWrap;
}

void LoLabel::setWrapMode(QTextOption::WrapMode mode)
{
    if (mode == d->wrapMode)
        return;
    d->wrapMode = mode;
    updateGeometry();
    update();
}

QTextOption::WrapMode LoLabel::wrapMode() const
{
    return d->wrapMode;
}

void LoLabel::setTextElide(bool elide)
{
    if (elide == d->elide)
        return;
    d->elide = elide;
    updateGeometry();
    update();
}

bool LoLabel::textElide() const
{
    return d->elide;
}

QTextOption LoLabel::textOption() const
{
    // Left and right follow the layout direction unless the alignment is absolute.
    const Qt::Alignment visual = QStyle::visualAlignment(layoutDirection(), d->alignment);
    QTextOption option((visual & Qt::AlignHorizontal_Mask) | Qt::AlignAbsolute);
    option.setTextDirection(layoutDirection());
    option.setWrapMode(d->wordWrap ? d->wrapMode : QTextOption::NoWrap);
    return option;
}

void LoLabel::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    LoWidgetController::paint(painter, option, widget);
    if (d->text.isEmpty())
        return;
    const QRectF area = contentsRect();
    if (area.isEmpty())
        return;

    const LoTheme::Style &look = style();
    const QFont font = look.font();
    QString text = displayText(d->text);
    if (d->elide && !d->wordWrap)
        text = QFontMetricsF(font).elidedText(text, Qt::ElideRight, area.width());

    const QTextOption textOpt = textOption();
    const QSizeF size = layoutText(text, font, textOpt, area.width());
    qreal y = area.top();
    if (d->alignment & Qt::AlignBottom)
        y = area.bottom() - size.height();
    else if (d->alignment & Qt::AlignVCenter)
        y = area.top() + (area.height() - size.height()) / 2;

    painter->save();
    painter->setPen(isEnabled() ? look.textColor : LoTheme::disabledColor());
    painter->setClipRect(rect(), Qt::IntersectClip);
    layoutText(text, font, textOpt, area.width(), painter, QPointF(area.left(), y));
    painter->restore();
}

QSizeF LoLabel::sizeHint(Qt::SizeHint which, const QSizeF &constraint) const
{
    if (which == Qt::MaximumSize || which == Qt::MinimumDescent)
        return LoWidgetController::sizeHint(which, constraint);

    const QFont font = style().font();
    qreal left, top, right, bottom;
    getContentsMargins(&left, &top, &right, &bottom);

    QSizeF content = naturalTextSize(d->text);
    if (d->wordWrap) {
        qreal width = constraint.width() > 0 ? constraint.width() - left - right : -1;
        if (width < 0) {
            width = content.width();
            if (which == Qt::MinimumSize)
                width = qMin(width, QFontMetricsF(font).averageCharWidth() * 8);
            else
                width = qMin(width, DefaultWrapWidth);
        }
        const QTextOption option = textOption();
        if (width != d->wrappedWidth || option.wrapMode() != d->wrappedMode) {
            d->wrappedSize = layoutText(displayText(d->text), font, option, qMax<qreal>(1, width));
            d->wrappedWidth = width;
            d->wrappedMode = option.wrapMode();
        }
        content = d->wrappedSize;
        content.setWidth(width);
    } else if (which == Qt::MinimumSize && d->elide) {
        if (d->elidedWidth < 0)
            d->elidedWidth = QFontMetricsF(font).horizontalAdvance(QChar(0x2026)) * 3;
        content.setWidth(qMin(content.width(), d->elidedWidth));
    }
    return styledSize(which, content);
}
