#include "lowidgetcontroller.h"

#include "lotheme.h"
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
    const LoTheme::Style &style = LoTheme::style(QString());
    setContentsMargins(style.padding.left(), style.padding.top(), style.padding.right(),
                       style.padding.bottom());
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
    const LoTheme::Style &style = LoTheme::style(name);
    setContentsMargins(style.padding.left(), style.padding.top(), style.padding.right(),
                       style.padding.bottom());
    updateGeometry();
    update();
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

void LoWidgetController::paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
                               QWidget *widget)
{
    Q_UNUSED(option)
    Q_UNUSED(widget)
    LoTheme::paintBackground(painter, rect(), LoTheme::style(d->styleName));
}

QSizeF LoWidgetController::sizeHint(Qt::SizeHint which, const QSizeF &constraint) const
{
    QSizeF hint = LoWidget::sizeHint(which, constraint);
    if (which == Qt::MinimumSize || which == Qt::PreferredSize) {
        const qreal minimum = LoTheme::style(d->styleName).minimumHeight;
        if (hint.height() < minimum)
            hint.setHeight(minimum);
    }
    return hint;
}
