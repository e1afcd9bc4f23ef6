// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOSCENEMANAGER_H
#define LOSCENEMANAGER_H

#include "lotoolkit_export.h"

#include <QList>
#include <QObject>
#include <QPointer>

class LoSceneWindow;
class QGraphicsScene;

/**
 * Keeps track of the scene windows that are shown, in the order they appeared,
 * so that a host can put them on screen (the last one on top) and a test can
 * find a shown dialog and press its buttons. A window leaves the list when it
 * disappears or is destroyed.
 *
 * With a scene set, the manager puts every window that appears without a scene
 * of its own into it, over the whole scene rectangle and above everything else,
 * and takes it out again when it disappears. Like any item, a window still in
 * the scene when the scene is destroyed goes with it: a host unsets the scene
 * (or closes its windows) before destroying it.
 */
class LOTOOLKIT_EXPORT LoSceneManager : public QObject
{
    Q_OBJECT
public:
    static LoSceneManager *instance();

    QList<LoSceneWindow *> windows() const;
    /** The shown windows of type T, oldest first. */
    template<typename T>
    QList<T *> windowsOfType() const
    {
        QList<T *> result;
        for (LoSceneWindow *w : windows()) {
            if (T *t = qobject_cast<T *>(w))
                result.append(t);
        }
        return result;
    }

    void setScene(QGraphicsScene *scene);
    QGraphicsScene *scene() const;

Q_SIGNALS:
    void windowAppeared(LoSceneWindow *window);
    /** Also emitted from a shown window's destructor: use the pointer only as a key then. */
    void windowDisappeared(LoSceneWindow *window);

private:
    friend class LoSceneWindow;
    LoSceneManager();
    void add(LoSceneWindow *window);
    void remove(LoSceneWindow *window);
    QList<LoSceneWindow *> m_windows;
    QList<LoSceneWindow *> m_placed;
    QPointer<QGraphicsScene> m_scene;
};

#endif
