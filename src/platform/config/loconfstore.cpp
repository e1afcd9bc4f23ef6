// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "loconfstore.h"

#include "logconfitem.h"
#include "logconfstore.h"

#include <QPointer>

LoConfStore &LoConfStore::instance()
{
    static LoConfStore *store = new LoGConfStore; // lives until exit, as the store's client does
    return *store;
}

LoConfStore::LoConfStore() = default;

LoConfStore::~LoConfStore() = default;

QVariant LoConfStore::read(const QString &key, QString *error)
{
    const auto reporting = m_reporting.constFind(key);
    if (reporting != m_reporting.cend())
        return reporting->value;
    return readStored(key, error);
}

LoConfStore::WriteResult LoConfStore::write(const QString &key, const QVariant &value, QString *error)
{
    QVariant stored;
    const WriteResult result = writeStored(key, value, &stored, error);
    if (result == Written)
        written(key, stored);
    return result;
}

void LoConfStore::report(const QString &key, const QVariant &value, const QList<LoGConfItem *> &items)
{
    Reporting &reporting = m_reporting[key];
    reporting.value = value; // a write made while a report runs is the news from then on
    ++reporting.depth;

    // A receiver may destroy items of the key, or create new ones.
    QList<QPointer<LoGConfItem>> targets;
    targets.reserve(items.size());
    for (LoGConfItem *item : items)
        targets.append(item);
    for (const QPointer<LoGConfItem> &item : qAsConst(targets)) {
        if (item)
            Q_EMIT item->valueChanged();
    }

    auto done = m_reporting.find(key);
    if (done != m_reporting.end() && --done->depth == 0)
        m_reporting.erase(done);
}

bool LoConfStore::sameValue(const QVariant &a, const QVariant &b)
{
    if (a.userType() != b.userType())
        return false;
    if (a.userType() != QMetaType::QVariantList)
        return a == b;
    const QVariantList la = a.toList();
    const QVariantList lb = b.toList();
    if (la.size() != lb.size())
        return false;
    for (int i = 0; i < la.size(); ++i) {
        if (!sameValue(la.at(i), lb.at(i)))
            return false;
    }
    return true;
}

QString LoConfStore::directoryOf(const QString &key)
{
    return key.left(qMax(1, key.lastIndexOf(QLatin1Char('/'))));
}
