// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef STORAGEIF_H
#define STORAGEIF_H

#include "cellcounters_export.h"
#include "storagekeys.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QVariant>

class LoGConfItem;

/**
 * Key-value store over the data counter configuration keys: one configuration
 * item per key it was built with. Values pass through untouched; every change
 * of a key, by any process, is reported as valueChanged(key, value).
 */
class CELLCOUNTERS_EXPORT StorageIf : public QObject
{
    Q_OBJECT
public:
    StorageIf(const QList<StorageKeys::KeyId> &keys, QObject *parent = nullptr);
    virtual ~StorageIf();

    /** The stored value, or @p def for a key outside the store or a null value. */
    QVariant value(StorageKeys::KeyId key, QVariant def);
    /** Writes @p value as it is (an invalid variant unsets the key); ignored for a key outside the store. */
    void setValue(StorageKeys::KeyId key, QVariant value);

Q_SIGNALS:
    void valueChanged(int key, QVariant value);

private Q_SLOTS:
    void keyValueChanged();

private:
    QHash<StorageKeys::KeyId, LoGConfItem *> items;
};

#endif
