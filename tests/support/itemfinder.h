#ifndef ITEMFINDER_H
#define ITEMFINDER_H

#include <QGraphicsObject>
#include <QList>
#include <QString>

/**
 * Finds widgets in a graphics item tree. Child items are not QObject children,
 * so QObject::findChild() does not see them.
 */
class ItemFinder
{
public:
    /** Every graphics object below @p root, depth first in child order. */
    static QList<QGraphicsObject *> descendants(const QGraphicsItem *root);

    /** Every descendant of type T, with object name @p name when it is not empty. */
    template<typename T>
    static QList<T *> findAll(const QGraphicsItem *root, const QString &name = QString())
    {
        QList<T *> found;
        const QList<QGraphicsObject *> objects = descendants(root);
        for (QGraphicsObject *object : objects) {
            T *t = qobject_cast<T *>(object);
            if (t && (name.isEmpty() || t->objectName() == name))
                found.append(t);
        }
        return found;
    }

    /** The first of findAll(), or null. */
    template<typename T>
    static T *find(const QGraphicsItem *root, const QString &name = QString())
    {
        const QList<T *> found = findAll<T>(root, name);
        return found.isEmpty() ? nullptr : found.first();
    }
};

#endif
