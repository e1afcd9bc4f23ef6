// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "loscenewindow.h"

#include "loscenemanager.h"

class LoSceneWindow::Private
{
public:
    DeletionPolicy policy = KeepWhenDone;
    bool appeared = false;
};

LoSceneWindow::LoSceneWindow(QGraphicsItem *parent)
    : LoWidgetController(parent)
    , d(new Private)
{
    // Hidden until it appears.
    setVisible(false);
}

LoSceneWindow::~LoSceneWindow()
{
    if (d->appeared) {
        d->appeared = false;
        LoSceneManager::instance()->remove(this);
    }
    delete d;
}

LoSceneWindow::DeletionPolicy LoSceneWindow::deletionPolicy() const
{
    return d->policy;
}

bool LoSceneWindow::isAppeared() const
{
    return d->appeared;
}

void LoSceneWindow::appear(LoSceneWindow::DeletionPolicy policy)
{
    d->policy = policy;
    if (d->appeared)
        return;
    d->appeared = true;
    setVisible(true);
    LoSceneManager::instance()->add(this);
    Q_EMIT appeared();
}

void LoSceneWindow::disappear()
{
    if (!d->appeared)
        return;
    d->appeared = false;
    setVisible(false);
    LoSceneManager::instance()->remove(this);
    Q_EMIT disappeared();
    if (d->policy == DestroyWhenDone)
        deleteLater();
}

void LoSceneWindow::dismiss()
{
    if (!d->appeared)
        return;
    // disappear() of a subclass may do more (a dialog closes); it runs first.
    const DeletionPolicy policy = d->policy;
    disappear();
    if (policy == DestroyWhenDismissed)
        deleteLater();
}
