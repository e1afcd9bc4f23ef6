#include "itemfinder.h"

QList<QGraphicsObject *> ItemFinder::descendants(const QGraphicsItem *root)
{
    QList<QGraphicsObject *> objects;
    const QList<QGraphicsItem *> children = root->childItems();
    for (QGraphicsItem *child : children) {
        if (QGraphicsObject *object = child->toGraphicsObject())
            objects.append(object);
        objects += descendants(child);
    }
    return objects;
}
