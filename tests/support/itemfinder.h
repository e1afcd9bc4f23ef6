#ifndef ITEMFINDER_H
#define ITEMFINDER_H

#include <QGraphicsObject>
#include <QList>

/**
 * Finds toolkit widgets in an item tree by object name. Graphics items are not
 * QObject children of their parent item, so QObject::findChild() does not see them.
 */
class ItemFinder
{
public:
    /** All objects below @p root (not @p root itself), depth first. */
    static QList<QGraphicsObject *> descendants(const QGraphicsItem *root);

    /** The first descendant of type T named @p objectName, or null. */
    template<typename T>
    static T *find(const QGraphicsItem *root, const QString &objectName)
    {
        for (QGraphicsObject *object : descendants(root)) {
            if (object->objectName() == objectName) {
                if (T *t = qobject_cast<T *>(object))
                    return t;
            }
        }
        return nullptr;
    }

    /** Every descendant of type T. */
    template<typename T>
    static QList<T *> findAll(const QGraphicsItem *root)
    {
        QList<T *> result;
        for (QGraphicsObject *object : descendants(root)) {
            if (T *t = qobject_cast<T *>(object))
                result.append(t);
        }
        return result;
    }
};

#endif
