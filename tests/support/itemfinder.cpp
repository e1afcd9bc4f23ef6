#include "itemfinder.h"

QList<QGraphicsObject *> ItemFinder::descendants(const QGraphicsItem *root)
{
    QList<QGraphicsObject *> result;
    if (!root)
        return result;
    const QList<QGraphicsItem *> children = root->childItems();
    for (QGraphicsItem *child : children) {
        if (QGraphicsObject *object = child->toGraphicsObject())
            result.append(object);
        result.append(descendants(child));
    }
    return result;
}
