#ifndef STORECOUNT_H
#define STORECOUNT_H

#include <QVariant>

/**
 * A byte or second count as another process may have left it in the store:
 * decimal text or an int. Unset, negative or unreadable values count as 0,
 * so that a feeder carries on from a sane start.
 */
class StoreCount
{
public:
    static quint64 read(const QVariant &value);
    /** @p count + @p step, the largest count instead of wrapping around. */
    static quint64 add(quint64 count, quint64 step);
    static QVariant toStored(quint64 count);
};

#endif
