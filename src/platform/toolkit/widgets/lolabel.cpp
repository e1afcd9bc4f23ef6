// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lolabel.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

#include <vector>

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

// The digit that stands for 0 in @p digit's set ("0", Arabic-Indic, ...).
char16_t zeroOf(QChar digit)
{
    return char16_t(digit.unicode() - digit.digitValue());
}

// Whether @p c can stand beside a digit in the checks below: one whole character
// on one line.
bool measurableNeighbour(QChar c)
{
    return !c.isSurrogate() && c != QLatin1Char('\n') && c != QChar::LineSeparator
        && c != QChar::ParagraphSeparator;
}

/**
 * Whether, in @p font, one decimal digit of the set of @p zero may be replaced
 * by another of the set without changing the size of the text: the ten digits
 * alone take the same size, every pair of them twice that, and, with a
 * @p neighbour other than 0, each of them takes the same room beside it on
 * either side (no kerning, no ligature). Measured the way a label measures
 * its text, once per font, set and neighbour.
 */
bool digitsInterchangeable(const QFont &font, const QTextOption &option, char16_t zero, char16_t neighbour)
{
    struct Verdict {
        QFont font;
        Qt::LayoutDirection direction;
        char16_t zero;
        char16_t neighbour;
        bool interchangeable;
    };
    thread_local std::vector<Verdict> verdicts;
    for (const Verdict &verdict : verdicts) {
        if (verdict.zero == zero && verdict.neighbour == neighbour
            && verdict.direction == option.textDirection() && verdict.font == font)
            return verdict.interchangeable;
    }

    const auto digit = [zero](int value) { return QChar(char16_t(zero + value)); };
    const auto sizeOf = [&](const QString &text) { return layoutText(text, font, option, -1); };
    const QSizeF one = sizeOf(QString(digit(0)));
    bool interchangeable = one.width() > 0;
    for (int first = 0; interchangeable && first < 10; ++first) {
        if (neighbour == 0) {
            interchangeable = sizeOf(QString(digit(first))) == one;
            for (int second = 0; interchangeable && second < 10; ++second) {
                const QSizeF pair = sizeOf(QString(digit(first)) + digit(second));
                interchangeable = pair == QSizeF(2 * one.width(), one.height());
            }
        } else {
            const QSizeF before = sizeOf(QString(QChar(neighbour)) + digit(0));
            const QSizeF after = sizeOf(QString(digit(0)) + QChar(neighbour));
            interchangeable = sizeOf(QString(QChar(neighbour)) + digit(first)) == before
                && sizeOf(QString(digit(first)) + QChar(neighbour)) == after;
        }
    }
    verdicts.push_back({font, option.textDirection(), zero, neighbour, interchangeable});
    return interchangeable;
}

/**
 * What @p text's size on one line in @p font is known by: the text itself, or,
 * when that surely leaves the size unchanged, the text with each decimal digit
 * replaced by the 0 of its set (every digit and every neighbour of one checked
 * with digitsInterchangeable()). Amounts that count up take a few shapes only.
 */
QString sizeShape(const QString &text, const QFont &font, const QTextOption &option)
{
    QString shape = text;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!c.isDigit())
            continue;
        const char16_t zero = zeroOf(c);
        if (!digitsInterchangeable(font, option, zero, 0))
            return text;
        // A neighbour that is a digit of the same set is covered by the pairs.
        for (const int j : {i - 1, i + 1}) {
            if (j < 0 || j >= text.size())
                continue;
            const QChar neighbour = text.at(j);
            if (neighbour.isDigit() && zeroOf(neighbour) == zero)
                continue;
            if (!measurableNeighbour(neighbour) || !digitsInterchangeable(font, option, zero, neighbour.unicode()))
                return text;
        }
        shape[i] = QChar(zero);
    }
    return shape;
}

// One-line sizes of texts measured, by shape (sizeShape()), shared by all
// labels: a page repeats its titles, and its rows show amounts of the same few
// shapes.
class ShapeSizes
{
public:
    static const QSizeF *find(const QString &shape, const QFont &font, const QTextOption &option)
    {
        const Table &table = instance();
        const auto found = table.constFind(shape);
        if (found == table.constEnd())
            return nullptr;
        for (const Entry &entry : found.value()) {
            if (entry.direction == option.textDirection() && entry.wrapMode == option.wrapMode()
                && entry.font == font)
                return &entry.size;
        }
        return nullptr;
    }

    static void insert(const QString &shape, const QFont &font, const QTextOption &option, const QSizeF &size)
    {
        Table &table = instance();
        // Bounded; texts that come back are measured again.
        if (table.size() >= Capacity)
            table.clear();
        table[shape].push_back({font, option.textDirection(), option.wrapMode(), size});
    }

private:
    struct Entry {
        QFont font;
        Qt::LayoutDirection direction;
        QTextOption::WrapMode wrapMode;
        QSizeF size;
    };
    using Table = QHash<QString, std::vector<Entry>>;
    static const int Capacity = 256;

    static Table &instance()
    {
        thread_local Table table;
        return table;
    }
};

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
        const QTextOption option = textOption();
        const QString shape = sizeShape(text, font, option);
        if (const QSizeF *known = ShapeSizes::find(shape, font, option)) {
            d->measuredSize = *known;
        } else {
            d->measuredSize = layoutText(displayText(text), font, option, -1);
            ShapeSizes::insert(shape, font, option, d->measuredSize);
        }
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
