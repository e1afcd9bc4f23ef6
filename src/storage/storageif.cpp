// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "storageif.h"

#include "logconfitem.h"
#include "mdebugstream.h"

StorageIf::StorageIf(const QList<StorageKeys::KeyId> &keys, QObject *parent)
    : QObject(parent)
{
    for (const StorageKeys::KeyId key : keys) {
        mDebugStream(QString::fromLatin1(Q_FUNC_INFO)) << int(key);
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
    mDebugStream(QString::fromLatin1(Q_FUNC_INFO));
    items.clear();
}

QVariant StorageIf::value(StorageKeys::KeyId key, QVariant def)
{
    mDebugStream(QString::fromLatin1(Q_FUNC_INFO)) << int(key) << def;
    QVariant result = def;
    LoGConfItem *item = items.value(key);
    if (!item) {
        mDebugStream(QString::fromLatin1(Q_FUNC_INFO)) << "no such key:" << int(key);
        return result;
    }
    result = item->value();
    mDebugStream(QString::fromLatin1(Q_FUNC_INFO)) << "stored:" << result << "def:" << def;
    if (result.isNull())
        result = def;
    return result;
}

void StorageIf::setValue(StorageKeys::KeyId key, QVariant value)
{
    mDebugStream(QString::fromLatin1(Q_FUNC_INFO)) << int(key) << value;
    if (LoGConfItem *item = items.value(key))
        item->set(value);
}

void StorageIf::keyValueChanged()
{
    mDebugStream(QString::fromLatin1(Q_FUNC_INFO));
    // Only the store's own items speak for a key; anything else is ignored.
    QObject *from = sender();
    for (auto it = items.cbegin(); it != items.cend(); ++it) {
        if (it.value() == from) {
            Q_EMIT valueChanged(int(it.key()), it.value()->value());
            return;
        }
    }
}
