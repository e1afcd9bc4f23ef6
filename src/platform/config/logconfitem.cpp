// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "logconfitem.h"

#include "loconfig_debug.h"
#include "loconfstore_p.h"

class LoGConfItem::Private
{
public:
    QString key;
    bool valid = false;
};

LoGConfItem::LoGConfItem(const QString &key, QObject *parent)
    : QObject(parent)
    , d(new Private)
{
    d->key = key;
    QString why;
    d->valid = LoConfStore::instance().isValidKey(key, &why);
    if (!d->valid) {
        qCDebug(LOCONFIG_LOG) << "LoGConfItem: not a configuration key:" << key << '-' << why.toUtf8().constData();
        return;
    }
    LoConfStore::instance().attach(this, key);
}

LoGConfItem::~LoGConfItem()
{
    if (d->valid)
        LoConfStore::instance().detach(this, d->key);
    delete d;
}

QString LoGConfItem::key() const
{
    return d->key;
}

QVariant LoGConfItem::value() const
{
    if (!d->valid)
        return QVariant();
    QString error;
    const QVariant result = LoConfStore::instance().read(d->key, &error);
    if (!error.isEmpty())
        qCDebug(LOCONFIG_LOG) << "LoGConfItem: cannot read" << d->key << ':' << error.trimmed();
    return result;
}

QVariant LoGConfItem::value(const QVariant &def) const
{
    const QVariant result = value();
    return result.isValid() ? result : def;
}

void LoGConfItem::set(const QVariant &value)
{
    if (!d->valid) {
        qCDebug(LOCONFIG_LOG) << "LoGConfItem: not written, not a configuration key:" << d->key;
        return;
    }
    QString error;
    switch (LoConfStore::instance().write(d->key, value, &error)) {
    case LoConfStore::Written:
        break;
    case LoConfStore::Unsupported:
        qCDebug(LOCONFIG_LOG) << "LoGConfItem: not written, the store cannot hold" << value << "in" << d->key;
        break;
    case LoConfStore::Failed:
        qCDebug(LOCONFIG_LOG) << "LoGConfItem: cannot write" << d->key << ':' << error.trimmed();
        break;
    }
}

void LoGConfItem::unset()
{
    set(QVariant());
}
