// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "logconfstore_p.h"

#include "loconfig_debug.h"

#include <QStringList>

#include <gconf/gconf-client.h>
#include <gio/gio.h>


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

// A scalar in the stored form (see LoConfStore::toStoredForm()) as a GConf value.
GConfValue *toScalar(const QVariant &stored)
{
    GConfValue *value = nullptr;
    switch (stored.userType()) {
    case QMetaType::Bool:
        value = gconf_value_new(GCONF_VALUE_BOOL);
        gconf_value_set_bool(value, stored.toBool());
        break;
    case QMetaType::Int:
        value = gconf_value_new(GCONF_VALUE_INT);
        gconf_value_set_int(value, stored.toInt());
        break;
    case QMetaType::Double:
        value = gconf_value_new(GCONF_VALUE_FLOAT);
        gconf_value_set_float(value, stored.toDouble());
        break;
    default:
        value = gconf_value_new(GCONF_VALUE_STRING);
        gconf_value_set_string(value, stored.toString().toUtf8().constData());
    }
    return value;
}

// A value in the stored form as a GConf value; an empty list is a list of strings.
GConfValue *toGConfValue(const QVariant &stored)
{
    if (stored.userType() != QMetaType::QVariantList)
        return toScalar(stored);
    GSList *elements = nullptr;
    GConfValueType elementType = GCONF_VALUE_STRING;
    const QVariantList list = stored.toList();
    for (const QVariant &item : list) {
        GConfValue *element = toScalar(item);
        elementType = element->type;
        elements = g_slist_prepend(elements, element);
    }
    GConfValue *value = gconf_value_new(GCONF_VALUE_LIST);
    gconf_value_set_list_type(value, elementType);
    gconf_value_set_list_nocopy(value, g_slist_reverse(elements));
    return value;
}

// The configuration daemon's well-known name on the session bus.
const char DaemonName[] = "org.gnome.GConf";

// The store's text, as it gave it.
QString takeMessage(GError *&error)
{
    const QString text = QString::fromUtf8(error->message);
    g_clear_error(&error);
    return text;
}

QString takeError(GError *&error)
{
    return takeMessage(error).trimmed();
}

const int MaxUnechoed = 64;

int indexOf(const QList<QVariant> &values, const QVariant &value, bool (*same)(const QVariant &, const QVariant &))
{
    for (int i = 0; i < values.size(); ++i) {
        if (same(values.at(i), value))
            return i;
    }
    return -1;
}

// What the listener of a watched directory is given.
struct Listener {
    LoGConfStore *store;
    QString dir;
};

void forgetListener(void *listener)
{
    delete static_cast<Listener *>(listener);
}

} // namespace

LoGConfStore::LoGConfStore()
    : m_client(gconf_client_get_default())
{
    followDaemon();
}

LoGConfStore::~LoGConfStore()
{
    g_object_unref(m_client);
}

QString LoGConfStore::backendName() const
{
    return QStringLiteral("gconf");
}

bool LoGConfStore::isValidKey(const QString &key, QString *why) const
{
    gchar *reason = nullptr;
    const bool valid = gconf_valid_key(key.toUtf8().constData(), &reason);
    if (!valid)
        *why = QString::fromUtf8(reason);
    g_free(reason);
    return valid;
}

// What the daemon holds now. GConf's client cache is not consulted: it can keep
// a stale value when notices arrive out of step with our own writes or across a
// restart of the daemon.
QVariant LoGConfStore::readStored(const QString &key, QString *error)
{
    gconf_client_clear_cache(m_client);
    GError *gerror = nullptr;
    GConfValue *stored = gconf_client_get(m_client, key.toUtf8().constData(), &gerror);
    if (gerror) {
        *error = takeMessage(gerror);
        if (stored)
            gconf_value_free(stored);
        return QVariant();
    }
    const QVariant result = toVariant(stored);
    if (stored)
        gconf_value_free(stored);
    return result;
}

LoConfStore::WriteResult LoGConfStore::writeStored(const QString &key, const QVariant &value, QVariant *stored,
                                                   QString *error)
{
    const QByteArray path = key.toUtf8();
    GError *gerror = nullptr;
    if (!value.isValid()) {
        *stored = QVariant();
        gconf_client_unset(m_client, path.constData(), &gerror);
    } else {
        QVariant form;
        if (!toStoredForm(value, &form))
            return Unsupported;
        GConfValue *converted = toGConfValue(form);
        *stored = toVariant(converted);
        gconf_client_set(m_client, path.constData(), converted, &gerror);
        gconf_value_free(converted);
    }
    if (gerror) {
        *error = takeMessage(gerror);
        return Failed;
    }
    return Written;
}

// One request for the whole directory, from the daemon as it is now.
QHash<QString, QVariant> LoGConfStore::loadDirectory(const QString &dir, QString *error)
{
    QHash<QString, QVariant> values;
    gconf_client_clear_cache(m_client);
    GError *gerror = nullptr;
    GSList *entries = gconf_client_all_entries(m_client, dir.toUtf8().constData(), &gerror);
    if (gerror) {
        *error = takeMessage(gerror);
    } else {
        for (GSList *it = entries; it; it = it->next) {
            auto *entry = static_cast<GConfEntry *>(it->data);
            const QVariant value = toVariant(gconf_entry_get_value(entry));
            if (value.isValid())
                values.insert(QString::fromUtf8(gconf_entry_get_key(entry)), value);
        }
    }
    g_slist_free_full(entries, reinterpret_cast<GDestroyNotify>(gconf_entry_unref));
    return values;
}

// A watched directory is known here, with what it held when it was loaded and
// every change notified or written since; another one is asked for.
QHash<QString, QVariant> LoGConfStore::readDirectory(const QString &dir, QString *error)
{
    const auto directory = m_dirs.constFind(dir);
    if (directory != m_dirs.cend() && directory->values)
        return *directory->values;
    return loadDirectory(dir, error);
}

QStringList LoGConfStore::directories(const QString &dir, QString *error)
{
    QStringList names;
    GError *gerror = nullptr;
    GSList *dirs = gconf_client_all_dirs(m_client, dir.toUtf8().constData(), &gerror);
    if (gerror)
        *error = takeMessage(gerror);
    for (GSList *it = dirs; it; it = it->next)
        names.append(QString::fromUtf8(static_cast<const char *>(it->data)));
    g_slist_free_full(dirs, g_free);
    return names;
}

std::optional<QVariant> LoGConfStore::follow(const QString &key)
{
    const QString dir = directoryOf(key);
    Directory &directory = m_dirs[dir];
    ++directory.refs;
    watch(dir, directory);
    return knownValue(key);
}

void LoGConfStore::unfollow(const QString &key)
{
    const QString dir = directoryOf(key);
    auto directory = m_dirs.find(dir);
    if (directory != m_dirs.end() && --directory->refs == 0) {
        unwatch(dir, *directory);
        m_dirs.erase(directory);
    }
}

std::optional<QVariant> LoGConfStore::knownValue(const QString &key) const
{
    const auto directory = m_dirs.constFind(directoryOf(key));
    if (directory == m_dirs.cend() || !directory->values)
        return std::nullopt;
    return directory->values->value(key);
}

void LoGConfStore::written(const QString &key, const QVariant &stored)
{
    // The daemon echoes a write that changes the key; until a notification of
    // this value comes in, its echo may be on its way. Kept also for keys that
    // nobody here follows now, since an item may follow them again before the
    // echo arrives.
    QList<QVariant> &echoes = m_unechoed[key];
    if (echoes.size() >= MaxUnechoed)
        echoes.removeFirst(); // its echo, if it comes, is checked with the daemon
    echoes.append(stored);

    remember(key, stored);
    // A change notified before this write is older than it.
    if (m_pending.remove(key))
        m_pendingOrder.removeOne(key);
}

// Keeps @p value as what @p key holds, if its directory is watched.
void LoGConfStore::remember(const QString &key, const QVariant &value)
{
    auto directory = m_dirs.find(directoryOf(key));
    if (directory == m_dirs.end() || !directory->values)
        return;
    if (value.isValid())
        directory->values->insert(key, value);
    else
        directory->values->remove(key);
}

// The value that a notification of @p key with @p delivered stands for:
// @p delivered itself, or what the daemon holds when it may be stale.
bool LoGConfStore::notifiedValue(Directory &directory, const QString &key, const QVariant &delivered, QVariant *value)
{
    bool stale = !directory.settled.contains(key);
    bool echo = false;
    auto echoes = m_unechoed.find(key);
    if (echoes != m_unechoed.end()) {
        // Echoes come in the order of the writes; earlier ones may have been
        // merged into this one, and a write of the value that the key held
        // has none.
        const int index = indexOf(*echoes, delivered, &sameValue);
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
    *value = readStored(key, &error);
    if (!error.isEmpty())
        return false;
    if (sameValue(*value, delivered)) {
        // The notice tells what the key holds: older ones are all in. A notice
        // of another process's write means the same for the echoes of ours.
        directory.settled.insert(key);
        if (!echo)
            m_unechoed.remove(key);
    }
    return true;
}

// Registers the directory with the daemon, follows its keys with one listener,
// and loads what they hold with one request, in that order: a change is either
// in the load or notified after it.
void LoGConfStore::watch(const QString &dir, Directory &directory)
{
    if (directory.watched)
        return;
    const QByteArray path = dir.toUtf8();
    GError *error = nullptr;
    gconf_client_add_dir(m_client, path.constData(), GCONF_CLIENT_PRELOAD_NONE, &error);
    if (error) {
        qCDebug(LOCONFIG_LOG) << "LoGConfItem: cannot watch" << dir << ':' << takeError(error);
        return;
    }
    directory.watched = true;
    directory.notifyId = gconf_client_notify_add(m_client, path.constData(), &LoGConfStore::notified,
                                                 new Listener{this, dir}, &forgetListener, &error);
    if (error)
        qCDebug(LOCONFIG_LOG) << "LoGConfItem: cannot follow changes in" << dir << ':' << takeError(error);
    // Notices of changes older than the load may still be queued.
    directory.settled.clear();
    QString loadError;
    const QHash<QString, QVariant> values = loadDirectory(dir, &loadError);
    if (loadError.isEmpty())
        directory.values = values;
    else
        directory.values.reset();
}

void LoGConfStore::unwatch(const QString &dir, Directory &directory)
{
    directory.values.reset(); // nothing is known of a directory nobody follows
    if (directory.notifyId)
        gconf_client_notify_remove(m_client, directory.notifyId);
    directory.notifyId = 0;
    if (!directory.watched)
        return;
    directory.watched = false;
    GError *error = nullptr;
    gconf_client_remove_dir(m_client, dir.toUtf8().constData(), &error);
    if (error)
        qCDebug(LOCONFIG_LOG) << "LoGConfItem: cannot stop watching" << dir << ':' << takeError(error);
}

void LoGConfStore::notified(GConfClient *, unsigned int, GConfEntry *notice, void *data)
{
    if (!notice)
        return;
    const auto *listener = static_cast<const Listener *>(data);
    const QString &dir = listener->dir;
    const QString key = QString::fromUtf8(gconf_entry_get_key(notice));
    LoGConfStore &store = *listener->store;
    auto directory = store.m_dirs.find(dir);
    // Keys further down belong to their own directory.
    if (directory == store.m_dirs.end() || directoryOf(key) != dir)
        return;
    // The notice may be stale (an echo of an earlier write of ours that the
    // daemon sends after we wrote again): what counts is what the key holds now.
    QVariant value;
    if (!store.notifiedValue(*directory, key, toVariant(gconf_entry_get_value(notice)), &value))
        return;
    store.remember(key, value);
    store.reportLater(key, value);
}

// GConf's client hands over the notices that came in one pass of the event
// loop together, and not always in the order of the writes (those of two
// directories in particular). They are reported once all of them are known, so
// that a receiver reading another key of the same batch sees its new value.
void LoGConfStore::reportLater(const QString &key, const QVariant &value)
{
    if (!m_pending.contains(key))
        m_pendingOrder.append(key);
    m_pending.insert(key, value);
    if (m_pendingOrder.size() == 1)
        g_idle_add_full(G_PRIORITY_DEFAULT, &LoGConfStore::reportPending, this, nullptr);
}

int LoGConfStore::reportPending(void *data)
{
    LoGConfStore &store = *static_cast<LoGConfStore *>(data);
    const QStringList keys = std::exchange(store.m_pendingOrder, QStringList());
    const QHash<QString, QVariant> values = std::exchange(store.m_pending, QHash<QString, QVariant>());
    for (const QString &key : keys)
        store.update(key, values.value(key));
    return G_SOURCE_REMOVE;
}

// The daemon's bus name is followed on a connection of our own: GConf's is
// private, and the shared one of GIO would end the process when the bus goes
// away. The owner is asked for before any item registers, so the first daemon
// seen is the one the items registered with. Without a bus nothing is followed;
// GConf cannot work then either.
void LoGConfStore::followDaemon()
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
        qCDebug(LOCONFIG_LOG) << "LoGConfItem: cannot follow restarts of the configuration daemon:"
                              << takeError(error);
        return;
    }
    // Kept, like the subscription, for the life of the process.
    m_bus = connection;
    g_dbus_connection_signal_subscribe(m_bus, "org.freedesktop.DBus", "org.freedesktop.DBus", "NameOwnerChanged",
                                       "/org/freedesktop/DBus", DaemonName, G_DBUS_SIGNAL_FLAGS_NONE,
                                       &LoGConfStore::ownerChanged, this, nullptr);
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

void LoGConfStore::ownerChanged(GDBusConnection *, const char *, const char *, const char *, const char *,
                                GVariant *parameters, void *data)
{
    const gchar *name = nullptr;
    const gchar *oldOwner = nullptr;
    const gchar *newOwner = nullptr;
    g_variant_get(parameters, "(&s&s&s)", &name, &oldOwner, &newOwner);
    static_cast<LoGConfStore *>(data)->daemonOwnedBy(newOwner);
}

// Unique bus names are never reused: a daemon other than the last one seen is a
// new one. A late signal may repeat the owner that was asked for.
void LoGConfStore::daemonOwnedBy(const char *owner)
{
    const QByteArray name(owner);
    if (name.isEmpty() || name == m_daemonOwner)
        return;
    const bool restarted = !m_daemonOwner.isEmpty();
    m_daemonOwner = name;
    if (restarted)
        reconnected();
}

// A new daemon knows nothing of our directories. GConf's client registers them
// again only when it gets round to the bus's notice, so they are registered here
// first: dropped and added again, as the client counts a second add of a
// directory it has without telling the daemon. The reads that follow go out
// after the registration on GConf's one connection, so a change by another
// process is either read now or notified later.
void LoGConfStore::reconnected()
{
    for (auto it = m_dirs.begin(); it != m_dirs.end(); ++it)
        unwatch(it.key(), it.value());
    for (auto it = m_dirs.begin(); it != m_dirs.end(); ++it)
        watch(it.key(), it.value());
    // Earlier writes may never be echoed: the old daemon is gone, and the new
    // one did not know our directories when it took them.
    m_unechoed.clear();

    // Receivers may destroy or create items meanwhile: go by name.
    const QStringList keys = followedKeys();
    for (const QString &key : keys) {
        if (const std::optional<QVariant> known = knownValue(key))
            update(key, *known);
    }
}
