// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "storageif.h"

#include "logconfitem.h"
#include "tracing_p.h"

StorageIf::StorageIf(const QList<StorageKeys::KeyId> &keys, QObject *parent)
    : QObject(parent)
{
    for (const StorageKeys::KeyId key : keys) {
        CELLCOUNTERS_TRACE() << int(key);
        // A second item for the same key would only report every change twice.
        if (items.contains(key))
            continue;
        auto *item = new LoGConfItem(StorageKeys::path(key), this);
        connect(item, SIGNAL(valueChanged()), this, SLOT(keyValueChanged()));
        items.insert(key, item);
    }
}

StorageIf::~StorageIf()
{
    CELLCOUNTERS_TRACE();
    items.clear();
}

QVariant StorageIf::value(StorageKeys::KeyId key, QVariant def)
{
    CELLCOUNTERS_TRACE() << int(key) << def;
    QVariant result = def;
    LoGConfItem *item = items.value(key);
    if (!item) {
        CELLCOUNTERS_TRACE() << "no such key:" << int(key);
        return result;
    }
    result = item->value();
    CELLCOUNTERS_TRACE() << "stored:" << result << "def:" << def;
    if (result.isNull())
        result = def;
    return result;
}

void StorageIf::setValue(StorageKeys::KeyId key, QVariant value)
{
    CELLCOUNTERS_TRACE() << int(key) << value;
    if (LoGConfItem *item = items.value(key))
        item->set(value);
}

void StorageIf::keyValueChanged()
{
    CELLCOUNTERS_TRACE();
    // Only the store's own items speak for a key; anything else is ignored.
    QObject *from = sender();
    for (auto it = items.cbegin(); it != items.cend(); ++it) {
        if (it.value() == from) {
            Q_EMIT valueChanged(int(it.key()), it.value()->value());
            return;
        }
    }
}
