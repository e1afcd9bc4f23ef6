// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "loconfstore_p.h"

#include "loconfig_debug.h"
#include "logconfitem.h"
#ifdef LOTOOLKIT_HAVE_GCONF
#include "logconfstore_p.h"
#endif
#ifdef LOTOOLKIT_HAVE_DCONF
#include "lodconfstore_p.h"
#endif

#include <QPointer>

#include <limits>

namespace
{
LoConfStore *create(const QString &name)
{
#ifdef LOTOOLKIT_HAVE_GCONF
    if (name == QLatin1String("gconf"))
        return new LoGConfStore;
#endif
#ifdef LOTOOLKIT_HAVE_DCONF
    if (name == QLatin1String("dconf"))
        return new LoDConfStore;
#endif
    Q_UNUSED(name)
    return nullptr;
}

LoConfStore *createChosen()
{
    const QString wanted = QString::fromLocal8Bit(qgetenv("LOTOOLKIT_STORE"));
    if (LoConfStore *store = wanted.isEmpty() ? nullptr : create(wanted))
        return store;
    const QString fallback = LoConfStore::backends().constFirst();
    if (!wanted.isEmpty())
        qCDebug(LOCONFIG_LOG) << "LoGConfItem: no store" << wanted << "built in, using" << fallback;
    return create(fallback);
}

// Integers as the stores hold them: 32-bit, or else their decimal text.
QVariant toStoredNumber(qlonglong number)
{
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return QString::number(number);
    return int(number);
}

QVariant toStoredNumber(qulonglong number)
{
    if (number > qulonglong(std::numeric_limits<int>::max()))
        return QString::number(number);
    return int(number);
}

bool isList(const QVariant &value)
{
    return value.userType() == QMetaType::QVariantList || value.userType() == QMetaType::QStringList;
}

bool toStoredScalar(const QVariant &value, QVariant *stored)
{
    switch (value.userType()) {
    case QMetaType::Bool:
    case QMetaType::QString:
        *stored = value;
        return true;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::LongLong:
        *stored = toStoredNumber(value.toLongLong());
        return true;
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        *stored = toStoredNumber(value.toULongLong());
        return true;
    case QMetaType::Double:
    case QMetaType::Float:
        *stored = value.toDouble();
        return true;
    case QMetaType::QByteArray:
        *stored = QString::fromUtf8(value.toByteArray());
        return true;
    default:
        break;
    }
    if (isList(value) || !value.canConvert<QString>())
        return false;
    *stored = value.toString();
    return true;
}
} // namespace

LoConfStore &LoConfStore::instance()
{
    static LoConfStore *store = createChosen(); // lives until exit, as the store's client does
    return *store;
}

QStringList LoConfStore::backends()
{
    QStringList names;
#ifdef LOTOOLKIT_HAVE_GCONF
    names << QStringLiteral("gconf");
#endif
#ifdef LOTOOLKIT_HAVE_DCONF
    names << QStringLiteral("dconf");
#endif
    return names;
}

LoConfStore::LoConfStore() = default;

LoConfStore::~LoConfStore() = default;

QVariant LoConfStore::read(const QString &key, QString *error)
{
    const auto reporting = m_reporting.constFind(key);
    if (reporting != m_reporting.cend())
        return reporting->value;
    if (const std::optional<QVariant> known = knownValue(key))
        return *known;
    return readStored(key, error);
}

LoConfStore::WriteResult LoConfStore::write(const QString &key, const QVariant &value, QString *error)
{
    QVariant stored;
    const WriteResult result = writeStored(key, value, &stored, error);
    if (result != Written)
        return result;
    written(key, stored);
    // Every item of the key hears of it now, even if it was the value they knew.
    auto entry = m_keys.find(key);
    if (entry != m_keys.end()) {
        entry->reported = stored;
        report(key, stored, entry->items);
    }
    return result;
}

void LoConfStore::attach(LoGConfItem *item, const QString &key)
{
    auto entry = m_keys.find(key);
    if (entry == m_keys.end())
        entry = m_keys.insert(key, Key{{}, follow(key)});
    entry->items.append(item);
}

void LoConfStore::detach(LoGConfItem *item, const QString &key)
{
    auto entry = m_keys.find(key);
    if (entry == m_keys.end())
        return;
    entry->items.removeAll(item);
    if (!entry->items.isEmpty())
        return;
    m_keys.erase(entry);
    unfollow(key);
}

std::optional<QVariant> LoConfStore::knownValue(const QString &key) const
{
    const auto entry = m_keys.constFind(key);
    return entry != m_keys.cend() ? entry->reported : std::nullopt;
}

void LoConfStore::written(const QString &, const QVariant &)
{
}

void LoConfStore::sync()
{
}

void LoConfStore::update(const QString &key, const QVariant &value)
{
    auto entry = m_keys.find(key);
    if (entry == m_keys.end() || (entry->reported && sameValue(*entry->reported, value)))
        return;
    entry->reported = value;
    report(key, value, entry->items);
}

bool LoConfStore::isFollowed(const QString &key) const
{
    return m_keys.contains(key);
}

QStringList LoConfStore::followedKeys() const
{
    return m_keys.keys();
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

bool LoConfStore::toStoredForm(const QVariant &value, QVariant *stored)
{
    if (!isList(value))
        return toStoredScalar(value, stored);
    QVariantList items;
    const QVariantList list = value.toList();
    for (const QVariant &item : list) {
        QVariant element;
        if (!toStoredScalar(item, &element) || (!items.isEmpty() && element.userType() != items.constFirst().userType()))
            return false;
        items.append(element);
    }
    *stored = items;
    return true;
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
