// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "locontainer.h"

#include "lolabel.h"

#include <QGraphicsLinearLayout>

class LoContainer::Private
{
public:
    QString title;
    bool headerVisible = true;
    LoLabel *header = nullptr;
    QGraphicsWidget *central = nullptr;
    QGraphicsLinearLayout *layout = nullptr;

    bool headerInLayout() const { return layout->count() > 1; }
};

LoContainer::LoContainer(QGraphicsItem *parent)
    : LoWidgetController(parent)
    , d(new Private)
{
    applyStyle();
    d->header = new LoLabel(this);
    d->header->setObjectName(QStringLiteral("containerTitle"));
    d->header->setStyleName(QStringLiteral("CommonContainerTitleInverted"));
    d->header->setTextElide(true);
    d->header->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    d->header->setVisible(false);

    d->central = new QGraphicsWidget(this);
    d->central->setObjectName(QStringLiteral("containerCentralWidget"));

    d->layout = new QGraphicsLinearLayout(Qt::Vertical, this);
    d->layout->setContentsMargins(0, 0, 0, 0);
    d->layout->setSpacing(0);
    d->layout->addItem(d->central);
}

LoContainer::LoContainer(const QString &title, QGraphicsItem *parent)
    : LoContainer(parent)
{
    setTitle(title);
}

LoContainer::~LoContainer()
{
    delete d;
}

void LoContainer::setTitle(const QString &title)
{
    d->title = title;
    d->header->setText(title);
    updateHeader();
}

QString LoContainer::title() const
{
    return d->title;
}

void LoContainer::setHeaderVisible(bool visible)
{
    d->headerVisible = visible;
    updateHeader();
}

bool LoContainer::headerVisible() const
{
    return d->headerVisible;
}

QGraphicsWidget *LoContainer::centralWidget()
{
    return d->central;
}

QString LoContainer::defaultStyleName() const
{
    return QStringLiteral("CommonContainerInverted");
}

void LoContainer::updateHeader()
{
    const bool show = d->headerVisible && !d->title.isEmpty();
    if (show == d->headerInLayout())
        return;
    if (show)
        d->layout->insertItem(0, d->header);
    else
        d->layout->removeItem(d->header);
    d->header->setVisible(show);
}
