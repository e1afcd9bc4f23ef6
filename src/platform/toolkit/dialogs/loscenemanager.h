#ifndef LOSCENEMANAGER_H
#define LOSCENEMANAGER_H

#include "lotoolkit_export.h"

#include <QList>
#include <QObject>

class LoSceneWindow;

/**
 * Keeps track of the scene windows that are shown, in the order they appeared,
 * so that a host can put them on screen (the last one on top) and a test can
 * find a shown dialog and press its buttons.
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

Q_SIGNALS:
    void windowAppeared(LoSceneWindow *window);
    void windowDisappeared(LoSceneWindow *window);

private:
    friend class LoSceneWindow;
    LoSceneManager();
    void add(LoSceneWindow *window);
    void remove(LoSceneWindow *window);
    QList<LoSceneWindow *> m_windows;
};

#endif
