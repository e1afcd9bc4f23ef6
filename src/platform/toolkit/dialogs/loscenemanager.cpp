// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "loscenemanager.h"

#include "loscenewindow.h"

#include <QGraphicsScene>

namespace {
// Above any page content.
const qreal WindowLayer = 1000;
}

LoSceneManager *LoSceneManager::instance()
{
    static LoSceneManager *manager = new LoSceneManager;
    return manager;
}

LoSceneManager::LoSceneManager()
{
    // For queued connections and signal spies on windowAppeared()/windowDisappeared().
    qRegisterMetaType<LoSceneWindow *>();
}

QList<LoSceneWindow *> LoSceneManager::windows() const
{
    return m_windows;
}

void LoSceneManager::setScene(QGraphicsScene *scene)
{
    if (m_scene == scene)
        return;
    if (m_scene)
        disconnect(m_scene, nullptr, this, nullptr);
    m_scene = scene;
    if (scene) {
        connect(scene, &QGraphicsScene::sceneRectChanged, this, [this](const QRectF &rect) {
            for (LoSceneWindow *window : qAsConst(m_placed))
                window->setGeometry(rect);
        });
    }
}

QGraphicsScene *LoSceneManager::scene() const
{
    return m_scene;
}

void LoSceneManager::add(LoSceneWindow *window)
{
    if (m_windows.contains(window))
        return;
    m_windows.append(window);
    if (m_scene && !window->scene() && !window->parentItem()) {
        m_scene->addItem(window);
        window->setGeometry(m_scene->sceneRect());
        window->setZValue(WindowLayer + m_windows.size());
        m_placed.append(window);
    }
    Q_EMIT windowAppeared(window);
}

void LoSceneManager::remove(LoSceneWindow *window)
{
    if (!m_windows.removeOne(window))
        return;
    if (m_placed.removeOne(window) && window->scene())
        window->scene()->removeItem(window);
    Q_EMIT windowDisappeared(window);
}
