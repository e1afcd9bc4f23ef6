#include "logconfitem.h"

#include <QDebug>
#include <QHash>
#include <QPointer>
#include <QStringList>

#include <gconf/gconf-client.h>
#include <gio/gio.h>

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

// The configuration daemon's well-known name on the session bus.
const char DaemonName[] = "org.gnome.GConf";

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
 *
 * Round trips to the daemon are what an item costs, so they are saved where the
 * answer is known without one:
 * - A notification carries the key's new value, and it is taken as it is
 *   unless it may be stale: while echoes of our own writes of the key are still
 *   on their way, and after an item starts listening until a notification
 *   agrees with what the daemon holds (notices of changes older than the item
 *   may still be queued). Then the daemon is asked what the key holds now.
 * - While the items of a key report a change (a notification or our own write),
 *   value() gives the value reported, which is what receivers read in their
 *   slots. Every other read asks the daemon, so that it sees what other
 *   processes wrote, notified or not.
 *
 * When the daemon dies, the bus starts a new one on the next call, and GConf's
 * client registers its directories with it again, but only once the event loop
 * has handled the bus's notice of the new owner. The new daemon does not notify
 * what other processes write before that, and those changes would never be
 * reported. The store therefore follows the daemon's bus name itself: when a
 * new daemon owns it, every watched directory is registered again at once,
 * every key is read again and reported if it differs from what its items were
 * last told, and notifications are checked with the daemon again until one
 * agrees with it.
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

    // The value being reported for the key, otherwise what the daemon holds now.
    QVariant read(const QString &key, const char *path, QString *error)
    {
        const auto reporting = m_reporting.constFind(key);
        if (reporting != m_reporting.cend())
            return reporting->value;
        return readFresh(path, error);
    }

    // The value the daemon holds now. GConf's client cache is not consulted: it
    // can keep a stale value when notices arrive out of step with our own writes
    // or across a restart of the daemon.
    QVariant readFresh(const char *path, QString *error)
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
        const QString dir = directoryOf(key);
        Directory &directory = m_dirs[dir];
        ++directory.refs;
        watch(dir, directory);

        Key &entry = m_keys[key];
        entry.items.append(item);
        if (entry.items.size() == 1) {
            // What the key holds when we start listening: a notice that arrives
            // later for an earlier change (one that nobody here was told of yet,
            // or an echo of a write made before this item existed) is no news.
            QString error;
            const QVariant current = readFresh(key.toUtf8().constData(), &error);
            if (error.isEmpty())
                entry.reported = current;
            entry.verify = true;
        }
        listen(key, entry);
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

        const QString dir = directoryOf(key);
        auto directory = m_dirs.find(dir);
        if (directory != m_dirs.end() && --directory->refs == 0) {
            unwatch(dir, *directory);
            m_dirs.erase(directory);
        }
    }

    // A write of this process: every item of the key hears of it now.
    void written(const QString &key, const QVariant &value)
    {
        // The daemon echoes a write that changes the key; until a notification of
        // this value comes in, its echo may be on its way. Kept also for keys that
        // nobody here follows now, since an item may follow them again before the
        // echo arrives.
        QList<QVariant> &echoes = m_unechoed[key];
        if (echoes.size() >= MaxUnechoed)
            echoes.removeFirst(); // its echo, if it comes, is checked with the daemon
        echoes.append(value);

        auto entry = m_keys.find(key);
        if (entry == m_keys.end())
            return;
        entry->reported = value;
        report(key, value, entry->items);
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
        // Notifications are checked with the daemon until one agrees with it.
        bool verify = true;
    };

    struct Reporting {
        QVariant value;
        int depth = 0;
    };

    static const int MaxUnechoed = 64;

    static QString directoryOf(const QString &key)
    {
        return key.left(qMax(1, key.lastIndexOf(QLatin1Char('/'))));
    }

    // The value that a notification of @p key with @p delivered stands for:
    // @p delivered itself, or what the daemon holds when it may be stale.
    bool notifiedValue(const QString &key, const char *path, const QVariant &delivered, QVariant *value)
    {
        bool stale = m_keys.value(key).verify;
        bool echo = false;
        auto echoes = m_unechoed.find(key);
        if (echoes != m_unechoed.end()) {
            // Echoes come in the order of the writes; earlier ones may have been
            // merged into this one, and a write of the value that the key held
            // has none.
            const int index = indexOf(*echoes, delivered);
            if (index < 0) {
                stale = true;
            } else {
                echo = true;
                echoes->erase(echoes->begin(), echoes->begin() + index + 1);
                stale = stale || !echoes->isEmpty();
            }
            if (echoes->isEmpty())
                m_unechoed.erase(echoes);
        }
        if (!stale) {
            *value = delivered;
            return true;
        }
        QString error;
        *value = readFresh(path, &error);
        if (!error.isEmpty())
            return false;
        if (sameValue(*value, delivered)) {
            // The notice tells what the key holds: older ones are all in. A notice
            // of another process's write means the same for the echoes of ours.
            auto entry = m_keys.find(key);
            if (entry != m_keys.end())
                entry->verify = false;
            if (!echo)
                m_unechoed.remove(key);
        }
        return true;
    }

    static int indexOf(const QList<QVariant> &values, const QVariant &value)
    {
        for (int i = 0; i < values.size(); ++i) {
            if (sameValue(values.at(i), value))
                return i;
        }
        return -1;
    }

    Store()
        : m_client(gconf_client_get_default())
    {
        followDaemon();
    }

    void watch(const QString &dir, Directory &directory)
    {
        if (directory.watched)
            return;
        GError *error = nullptr;
        gconf_client_add_dir(m_client, dir.toUtf8().constData(), GCONF_CLIENT_PRELOAD_NONE, &error);
        if (error)
            qDebug() << "LoGConfItem: cannot watch" << dir << ':' << takeError(error);
        else
            directory.watched = true;
    }

    void unwatch(const QString &dir, Directory &directory)
    {
        if (!directory.watched)
            return;
        directory.watched = false;
        GError *error = nullptr;
        gconf_client_remove_dir(m_client, dir.toUtf8().constData(), &error);
        if (error)
            qDebug() << "LoGConfItem: cannot stop watching" << dir << ':' << takeError(error);
    }

    void listen(const QString &key, Key &entry)
    {
        if (entry.notifyId)
            return;
        GError *error = nullptr;
        const QByteArray path = key.toUtf8();
        entry.notifyId = gconf_client_notify_add(m_client, path.constData(), &Store::notified,
                                                 g_strdup(path.constData()), g_free, &error);
        if (error)
            qDebug() << "LoGConfItem: cannot follow changes of" << key << ':' << takeError(error);
    }

    static void notified(GConfClient *, guint, GConfEntry *notice, gpointer data)
    {
        const QString key = QString::fromUtf8(static_cast<const char *>(data));
        Store &store = instance();
        if (!store.m_keys.contains(key))
            return;
        // The notice may be stale (an echo of an earlier write of ours that the
        // daemon sends after we wrote again): what counts is what the key holds now.
        QVariant value;
        if (!store.notifiedValue(key, static_cast<const char *>(data),
                                 toVariant(notice ? gconf_entry_get_value(notice) : nullptr), &value))
            return;
        store.update(key, value);
    }

    // Tells the items of the key that it holds the value, unless that is what
    // they were told last.
    void update(const QString &key, const QVariant &value)
    {
        auto entry = m_keys.find(key);
        if (entry == m_keys.end())
            return;
        if (entry->reported && sameValue(*entry->reported, value))
            return;
        entry->reported = value;
        report(key, value, entry->items);
    }

    // Tells the items of @p key that it now holds @p value; reads of the key
    // while they are being told give that value.
    void report(const QString &key, const QVariant &value, const QList<LoGConfItem *> &items)
    {
        Reporting &reporting = m_reporting[key];
        reporting.value = value; // a write made while a report runs is the news from then on
        ++reporting.depth;
        announce(items);
        auto done = m_reporting.find(key);
        if (done != m_reporting.end() && --done->depth == 0)
            m_reporting.erase(done);
    }

    // The daemon's bus name is followed on a connection of our own: GConf's is
    // private, and the shared one of GIO would end the process when the bus goes
    // away. The owner is asked for before any item registers, so the first
    // daemon seen is the one the items registered with. Without a bus nothing is
    // followed; GConf cannot work then either.
    void followDaemon()
    {
        GError *error = nullptr;
        gchar *address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, &error);
        GDBusConnection *connection = nullptr;
        if (address) {
            connection = g_dbus_connection_new_for_address_sync(
                address,
                GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT
                                     | G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                nullptr, nullptr, &error);
            g_free(address);
        }
        if (!connection) {
            qDebug() << "LoGConfItem: cannot follow restarts of the configuration daemon:" << takeError(error);
            return;
        }
        // Kept, like the subscription, for the life of the process.
        m_bus = connection;
        g_dbus_connection_signal_subscribe(m_bus, "org.freedesktop.DBus", "org.freedesktop.DBus",
                                           "NameOwnerChanged", "/org/freedesktop/DBus", DaemonName,
                                           G_DBUS_SIGNAL_FLAGS_NONE, &Store::ownerChanged, nullptr, nullptr);
        // Sent after the subscription: any later change of owner is signalled.
        GVariant *reply = g_dbus_connection_call_sync(
            m_bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetNameOwner",
            g_variant_new("(s)", DaemonName), G_VARIANT_TYPE("(s)"), G_DBUS_CALL_FLAGS_NONE, -1, nullptr, &error);
        if (reply) {
            const gchar *owner = nullptr;
            g_variant_get(reply, "(&s)", &owner);
            daemonOwnedBy(owner);
            g_variant_unref(reply);
        } else {
            g_clear_error(&error); // no daemon yet: the bus starts one on the first call
        }
    }

    static void ownerChanged(GDBusConnection *, const gchar *, const gchar *, const gchar *, const gchar *,
                             GVariant *parameters, gpointer)
    {
        const gchar *name = nullptr;
        const gchar *oldOwner = nullptr;
        const gchar *newOwner = nullptr;
        g_variant_get(parameters, "(&s&s&s)", &name, &oldOwner, &newOwner);
        instance().daemonOwnedBy(newOwner);
    }

    // Unique bus names are never reused: a daemon other than the last one seen
    // is a new one. A late signal may repeat the owner that was asked for.
    void daemonOwnedBy(const char *owner)
    {
        const QByteArray name(owner);
        if (name.isEmpty() || name == m_daemonOwner)
            return;
        const bool restarted = !m_daemonOwner.isEmpty();
        m_daemonOwner = name;
        if (restarted)
            reconnected();
    }

    // A new daemon knows nothing of our directories. GConf's client registers
    // them again only when it gets round to the bus's notice, so they are
    // registered here first: dropped and added again, as the client counts a
    // second add of a directory it has without telling the daemon. The reads
    // that follow go out after the registration on GConf's one connection, so a
    // change by another process is either read now or notified later.
    void reconnected()
    {
        for (auto it = m_dirs.begin(); it != m_dirs.end(); ++it)
            unwatch(it.key(), it.value());
        for (auto it = m_dirs.begin(); it != m_dirs.end(); ++it)
            watch(it.key(), it.value());
        for (auto it = m_keys.begin(); it != m_keys.end(); ++it) {
            listen(it.key(), it.value());
            // Notices still queued may come from the old daemon.
            it->verify = true;
        }
        // Earlier writes may never be echoed: the old daemon is gone, and the new
        // one did not know our directories when it took them.
        m_unechoed.clear();

        // Receivers may destroy or create items meanwhile: go by name.
        const QStringList keys = m_keys.keys();
        for (const QString &key : keys) {
            QString error;
            const QVariant value = readFresh(key.toUtf8().constData(), &error);
            if (error.isEmpty())
                update(key, value);
        }
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
    // Writes of ours whose echo has not come yet, per key, oldest first.
    QHash<QString, QList<QVariant>> m_unechoed;
    // The keys whose change is being reported, with the value reported.
    QHash<QString, Reporting> m_reporting;
    GDBusConnection *m_bus = nullptr;
    QByteArray m_daemonOwner; // the last daemon seen, by unique bus name
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
    const QVariant result = Store::instance().read(d->key, d->path.constData(), &error);
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
