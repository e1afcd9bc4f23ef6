// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "dconffloorstore.h"

#include <QDebug>

#include <dconf.h>

namespace
{
struct Watch {
    QByteArray key;
    FloorStore::Follower *follower;
};

void changed(DConfClient *client, const char *prefix, const char *const *changes, const char *, gpointer data)
{
    const auto *watch = static_cast<const Watch *>(data);
    for (const char *const *change = changes; *change; ++change) {
        // A changed path is the key, or a directory above it when a whole directory changed.
        const QByteArray path = QByteArray(prefix) + *change;
        if (path == watch->key || (path.endsWith('/') && watch->key.startsWith(path))) {
            GVariant *value = dconf_client_read(client, watch->key.constData());
            watch->follower->notified(value && g_variant_is_of_type(value, G_VARIANT_TYPE_STRING)
                                          ? g_variant_get_string(value, nullptr)
                                          : nullptr);
            if (value)
                g_variant_unref(value);
            return;
        }
    }
}

void forget(gpointer watch, GClosure *)
{
    delete static_cast<Watch *>(watch);
}

// dconf names a directory with a trailing "/".
QByteArray dirPath(const QByteArray &directory)
{
    return directory + QByteArrayLiteral("/");
}
} // namespace

DConfFloorStore::DConfFloorStore()
    : m_client(dconf_client_new())
{
}

DConfFloorStore::~DConfFloorStore()
{
    g_object_unref(m_client);
}

QString DConfFloorStore::text(const QByteArray &key)
{
    GVariant *value = dconf_client_read(m_client, key.constData());
    QString text;
    if (value && g_variant_is_of_type(value, G_VARIANT_TYPE_STRING))
        text = QString::fromUtf8(g_variant_get_string(value, nullptr));
    else if (value && g_variant_is_of_type(value, G_VARIANT_TYPE_INT32))
        text = QString::number(g_variant_get_int32(value));
    if (value)
        g_variant_unref(value);
    return text;
}

bool DConfFloorStore::setStrings(const QByteArrayList &keys, const QByteArray &value)
{
    DConfChangeset *change = dconf_changeset_new();
    for (const QByteArray &key : keys)
        dconf_changeset_set(change, key.constData(), g_variant_new_string(value.constData()));
    // Only a change set that cannot be written (a bad path, a locked key) fails here;
    // the service's answer is not waited for.
    GError *error = nullptr;
    const bool ok = dconf_client_change_fast(m_client, change, &error);
    dconf_changeset_unref(change);
    if (!ok) {
        qWarning() << "dconf:" << keys << ':' << error->message;
        g_error_free(error);
    }
    return ok;
}

void DConfFloorStore::sync()
{
    dconf_client_sync(m_client);
}

unsigned long DConfFloorStore::follow(const QByteArray &key, Follower *follower)
{
    dconf_client_watch_sync(m_client, key.constData());
    return g_signal_connect_data(m_client, "changed", G_CALLBACK(&changed), new Watch{key, follower}, &forget,
                                 GConnectFlags(0));
}

void DConfFloorStore::unfollow(const QByteArray &key, unsigned long handle)
{
    if (handle)
        g_signal_handler_disconnect(m_client, handle);
    dconf_client_unwatch_sync(m_client, key.constData());
}

unsigned long DConfFloorStore::watchDirectory(const QByteArray &directory)
{
    // The bus is not waited for, and the client's "changed" signal has no handler
    // of the page's: the notices come to the process and go nowhere.
    dconf_client_watch_fast(m_client, dirPath(directory).constData());
    return 0;
}

void DConfFloorStore::unwatchDirectory(const QByteArray &directory, unsigned long)
{
    dconf_client_unwatch_fast(m_client, dirPath(directory).constData());
}
