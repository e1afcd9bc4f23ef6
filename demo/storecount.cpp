#include "storecount.h"

#include <limits>

quint64 StoreCount::read(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        return quint64(qMax<qint64>(0, value.toLongLong()));
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return value.toULongLong();
    case QMetaType::QString: {
        bool ok = false;
        const quint64 count = value.toString().trimmed().toULongLong(&ok);
        return ok ? count : 0;
    }
    default:
        return 0;
    }
}

quint64 StoreCount::add(quint64 count, quint64 step)
{
    const quint64 max = std::numeric_limits<quint64>::max();
    return step > max - count ? max : count + step;
}

QVariant StoreCount::toStored(quint64 count)
{
    // GConf integers are 32 bits wide: counts travel as text.
    return QVariant(QString::number(count));
}
