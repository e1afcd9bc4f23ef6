#include "logconfitem.h"

#include <QDebug>
#include <QHash>
#include <QPointer>
#include <QStringList>

#include <gconf/gconf-client.h>

#include <limits>
#include <optional>

namespace
{

QVariant toVariant(const GConfValue *value)
{
    if (!value)
        return QVariant();
    switch (value->type) {
    case GCONF_VALUE_STRING:
        return QString::fromUtf8(gconf_value_get_string(value));
    case GCONF_VALUE_INT:
        return gconf_value_get_int(value);
    case GCONF_VALUE_FLOAT:
        return gconf_value_get_float(value);
    case GCONF_VALUE_BOOL:
        return bool(gconf_value_get_bool(value));
    case GCONF_VALUE_LIST: {
        QVariantList list;
        for (GSList *it = gconf_value_get_list(value); it; it = it->next)
            list.append(toVariant(static_cast<const GConfValue *>(it->data)));
        return list;
    }
    case GCONF_VALUE_PAIR:
        return QVariantList{toVariant(gconf_value_get_car(value)), toVariant(gconf_value_get_cdr(value))};
    case GCONF_VALUE_SCHEMA:
    case GCONF_VALUE_INVALID:
        break;
    }
    return QVariant();
}

GConfValue *newString(const QString &text)
{
    GConfValue *value = gconf_value_new(GCONF_VALUE_STRING);
    gconf_value_set_string(value, text.toUtf8().constData());
    return value;
}

// A scalar as GConf stores it. GConf integers are 32-bit: a wider number is kept
// as its decimal text rather than cut down to a different number.
GConfValue *toScalar(const QVariant &variant)
{
    switch (variant.userType()) {
    case QMetaType::Bool: {
        GConfValue *value = gconf_value_new(GCONF_VALUE_BOOL);
        gconf_value_set_bool(value, variant.toBool());
        return value;
    }
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::LongLong: {
        const qlonglong number = variant.toLongLong();
        if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
            return newString(QString::number(number));
        GConfValue *value = gconf_value_new(GCONF_VALUE_INT);
        gconf_value_set_int(value, int(number));
        return value;
    }
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong number = variant.toULongLong();
        if (number > qulonglong(std::numeric_limits<int>::max()))
            return newString(QString::number(number));
        GConfValue *value = gconf_value_new(GCONF_VALUE_INT);
        gconf_value_set_int(value, int(number));
        return value;
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        GConfValue *value = gconf_value_new(GCONF_VALUE_FLOAT);
        gconf_value_set_float(value, variant.toDouble());
        return value;
    }
    case QMetaType::QString:
        return newString(variant.toString());
    case QMetaType::QByteArray:
        return newString(QString::fromUtf8(variant.toByteArray()));
    default:
        break;
    }
    if (variant.userType() != QMetaType::QVariantList && variant.userType() != QMetaType::QStringList
        && variant.canConvert<QString>())
        return newString(variant.toString());
    return nullptr;
}

// GConf lists hold scalars of one type. Returns null for anything GConf cannot hold.
GConfValue *toGConfValue(const QVariant &variant)
{
    if (variant.userType() != QMetaType::QVariantList && variant.userType() != QMetaType::QStringList)
        return toScalar(variant);

    GConfValueType elementType = GCONF_VALUE_STRING;
    GSList *elements = nullptr;
    bool ok = true;
    bool first = true;
    const QVariantList list = variant.toList();
    for (const QVariant &item : list) {
        GConfValue *element = toScalar(item);
        if (!element || (!first && element->type != elementType)) {
            if (element)
                gconf_value_free(element);
            ok = false;
            break;
        }
        elementType = element->type;
        first = false;
        elements = g_slist_prepend(elements, element);
    }
    if (!ok) {
        g_slist_free_full(elements, reinterpret_cast<GDestroyNotify>(gconf_value_free));
        return nullptr;
    }
    GConfValue *value = gconf_value_new(GCONF_VALUE_LIST);
    gconf_value_set_list_type(value, elementType);
    gconf_value_set_list_nocopy(value, g_slist_reverse(elements));
    return value;
}

// Equal in type as well as in value: QVariant's own operator== would take the
// text "5" for the number 5.
bool sameValue(const QVariant &a, const QVariant &b)
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

QString takeError(GError *&error)
{
    const QString text = QString::fromUtf8(error->message).trimmed();
    g_clear_error(&error);
    return text;
}

/*
 * The one GConf client of the process and the listeners on it.
 *
 * Items of one key share one GConf listener, and items of one directory one
 * watched directory; both are counted and dropped with the last item.
 *
 * A write made here is reported at once, from set(), to every item of the key.
 * The daemon later notifies the same write again; GConf's client also merges
 * notifications of one key that come in one pass of the event loop, so they
 * say "the key now holds v" rather than "v was written". A notification is
 * therefore reported only when its value differs from the value that the items
 * of the key were last told about: an echo of our own write is dropped, while a
 * different value written by another process is reported. GConf itself does not
 * notify a write of the value that a key already holds.
 */
class Store
{
public:
    static Store &instance()
    {
        static Store *store = new Store; // lives until exit, as GConf's client does
        return *store;
    }

    GConfClient *client() const { return m_client; }

    // The value the daemon holds now. GConf's client cache is not consulted: it
    // can keep a stale value when notices arrive out of step with our own writes
    // or across a restart of the daemon.
    QVariant read(const char *path, QString *error)
    {
        gconf_client_clear_cache(m_client);
        GError *gerror = nullptr;
        GConfValue *stored = gconf_client_get(m_client, path, &gerror);
        if (gerror) {
            *error = takeError(gerror);
            if (stored)
                gconf_value_free(stored);
            return QVariant();
        }
        const QVariant result = toVariant(stored);
        if (stored)
            gconf_value_free(stored);
        return result;
    }

    void attach(LoGConfItem *item, const QString &key)
    {
        const QString dir = key.left(qMax(1, key.lastIndexOf(QLatin1Char('/'))));
        Directory &directory = m_dirs[dir];
        ++directory.refs;
        if (!directory.watched) {
            GError *error = nullptr;
            gconf_client_add_dir(m_client, dir.toUtf8().constData(), GCONF_CLIENT_PRELOAD_NONE, &error);
            if (error)
                qDebug() << "LoGConfItem: cannot watch" << dir << "for" << key << ':' << takeError(error);
            else
                directory.watched = true;
        }

        Key &entry = m_keys[key];
        entry.items.append(item);
        if (entry.items.size() == 1) {
            // What the key holds when we start listening: a notice that arrives
            // later for an earlier change (one that nobody here was told of yet,
            // or an echo of a write made before this item existed) is no news.
            QString error;
            const QVariant current = read(key.toUtf8().constData(), &error);
            if (error.isEmpty())
                entry.reported = current;
        }
        if (!entry.notifyId) {
            GError *error = nullptr;
            const QByteArray path = key.toUtf8();
            entry.notifyId = gconf_client_notify_add(m_client, path.constData(), &Store::notified,
                                                     g_strdup(path.constData()), g_free, &error);
            if (error)
                qDebug() << "LoGConfItem: cannot follow changes of" << key << ':' << takeError(error);
        }
    }

    void detach(LoGConfItem *item, const QString &key)
    {
        auto entry = m_keys.find(key);
        if (entry != m_keys.end()) {
            entry->items.removeAll(item);
            if (entry->items.isEmpty()) {
                if (entry->notifyId)
                    gconf_client_notify_remove(m_client, entry->notifyId);
                m_keys.erase(entry);
            }
        }

        const QString dir = key.left(qMax(1, key.lastIndexOf(QLatin1Char('/'))));
        auto directory = m_dirs.find(dir);
        if (directory != m_dirs.end() && --directory->refs == 0) {
            if (directory->watched) {
                GError *error = nullptr;
                gconf_client_remove_dir(m_client, dir.toUtf8().constData(), &error);
                if (error)
                    qDebug() << "LoGConfItem: cannot stop watching" << dir << ':' << takeError(error);
            }
            m_dirs.erase(directory);
        }
    }

    // A write of this process: every item of the key hears of it now.
    void written(const QString &key, const QVariant &value)
    {
        auto entry = m_keys.find(key);
        if (entry == m_keys.end())
            return;
        entry->reported = value;
        announce(entry->items);
    }

private:
    struct Directory {
        int refs = 0;
        bool watched = false;
    };
    struct Key {
        guint notifyId = 0;
        QList<LoGConfItem *> items;
        std::optional<QVariant> reported;
    };

    Store()
        : m_client(gconf_client_get_default())
    {
    }

    static void notified(GConfClient *, guint, GConfEntry *, gpointer data)
    {
        const QString key = QString::fromUtf8(static_cast<const char *>(data));
        Store &store = instance();
        if (!store.m_keys.contains(key))
            return;
        // The notice may be stale (an echo of an earlier write of ours that the
        // daemon sends after we wrote again): what counts is what the key holds now.
        QString error;
        const QVariant value = store.read(static_cast<const char *>(data), &error);
        auto entry = store.m_keys.find(key);
        if (!error.isEmpty() || entry == store.m_keys.end())
            return;
        if (entry->reported && sameValue(*entry->reported, value))
            return;
        entry->reported = value;
        announce(entry->items);
    }

    static void announce(const QList<LoGConfItem *> &items)
    {
        // A receiver may destroy items of the key, or create new ones.
        QList<QPointer<LoGConfItem>> targets;
        targets.reserve(items.size());
        for (LoGConfItem *item : items)
            targets.append(item);
        for (const QPointer<LoGConfItem> &item : qAsConst(targets)) {
            if (item)
                Q_EMIT item->valueChanged();
        }
    }

    GConfClient *m_client;
    QHash<QString, Directory> m_dirs;
    QHash<QString, Key> m_keys;
};

} // namespace

class LoGConfItem::Private
{
public:
    QString key;
    QByteArray path;
    bool valid = false;
};

LoGConfItem::LoGConfItem(const QString &key, QObject *parent)
    : QObject(parent)
    , d(new Private)
{
    d->key = key;
    d->path = key.toUtf8();
    gchar *why = nullptr;
    d->valid = gconf_valid_key(d->path.constData(), &why);
    if (!d->valid) {
        qDebug() << "LoGConfItem: not a configuration key:" << key << '-' << why;
        g_free(why);
        return;
    }
    Store::instance().attach(this, key);
}

LoGConfItem::~LoGConfItem()
{
    if (d->valid)
        Store::instance().detach(this, d->key);
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
    const QVariant result = Store::instance().read(d->path.constData(), &error);
    if (!error.isEmpty())
        qDebug() << "LoGConfItem: cannot read" << d->key << ':' << error;
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
        qDebug() << "LoGConfItem: not written, not a configuration key:" << d->key;
        return;
    }
    GConfClient *client = Store::instance().client();
    GError *error = nullptr;
    QVariant written;
    if (!value.isValid()) {
        gconf_client_unset(client, d->path.constData(), &error);
    } else {
        GConfValue *converted = toGConfValue(value);
        if (!converted) {
            qDebug() << "LoGConfItem: not written, the store cannot hold" << value << "in" << d->key;
            return;
        }
        written = toVariant(converted);
        gconf_client_set(client, d->path.constData(), converted, &error);
        gconf_value_free(converted);
    }
    if (error) {
        qDebug() << "LoGConfItem: cannot write" << d->key << ':' << takeError(error);
        return;
    }
    Store::instance().written(d->key, written);
}

void LoGConfItem::unset()
{
    set(QVariant());
}
