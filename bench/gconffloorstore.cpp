// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "gconffloorstore.h"

#include <QDebug>

#include <gconf/gconf-client.h>

namespace
{
QByteArray directoryOf(const QByteArray &key)
{
    return key.left(qMax(1, key.lastIndexOf('/')));
}

void notified(GConfClient *, guint, GConfEntry *entry, gpointer follower)
{
    const GConfValue *value = gconf_entry_get_value(entry);
    static_cast<FloorStore::Follower *>(follower)->notified(
        value && value->type == GCONF_VALUE_STRING ? gconf_value_get_string(value) : nullptr);
}

void ignored(GConfClient *, guint, GConfEntry *, gpointer)
{
}

bool failed(GError *error, const QByteArray &key)
{
    if (!error)
        return false;
    qWarning() << "GConf:" << key << ':' << error->message;
    g_error_free(error);
    return true;
}

// Registers @p directory with the daemon, then @p callback for @p path, a key in
// it or the directory itself; the registration's id, 0 when either failed.
unsigned long addDirAndNotify(GConfClient *client, const QByteArray &directory, const QByteArray &path,
                              GConfClientNotifyFunc callback, void *data)
{
    GError *error = nullptr;
    gconf_client_add_dir(client, directory.constData(), GCONF_CLIENT_PRELOAD_NONE, &error);
    if (failed(error, directory))
        return 0;
    const unsigned long id = gconf_client_notify_add(client, path.constData(), callback, data, nullptr, &error);
    return failed(error, path) ? 0 : id;
}

void removeNotifyAndDir(GConfClient *client, const QByteArray &directory, unsigned long handle)
{
    if (handle)
        gconf_client_notify_remove(client, handle);
    gconf_client_remove_dir(client, directory.constData(), nullptr);
}
} // namespace

GConfFloorStore::GConfFloorStore()
    : m_client(gconf_client_get_default())
{
}

GConfFloorStore::~GConfFloorStore()
{
    g_object_unref(m_client);
}

QString GConfFloorStore::text(const QByteArray &key)
{
    GConfValue *value = gconf_client_get(m_client, key.constData(), nullptr);
    QString text;
    if (value && value->type == GCONF_VALUE_STRING)
        text = QString::fromUtf8(gconf_value_get_string(value));
    else if (value && value->type == GCONF_VALUE_INT)
        text = QString::number(gconf_value_get_int(value));
    if (value)
        gconf_value_free(value);
    return text;
}

bool GConfFloorStore::setStrings(const QByteArrayList &keys, const QByteArray &value)
{
    // GConf takes one key per request.
    for (const QByteArray &key : keys) {
        GError *error = nullptr;
        gconf_client_set_string(m_client, key.constData(), value.constData(), &error);
        if (failed(error, key))
            return false;
    }
    return true;
}

void GConfFloorStore::sync()
{
    // Every write has been answered already.
}

unsigned long GConfFloorStore::follow(const QByteArray &key, Follower *follower)
{
    return addDirAndNotify(m_client, directoryOf(key), key, &notified, follower);
}

void GConfFloorStore::unfollow(const QByteArray &key, unsigned long handle)
{
    removeNotifyAndDir(m_client, directoryOf(key), handle);
}

unsigned long GConfFloorStore::watchDirectory(const QByteArray &directory)
{
    // The client counts the registrations of a directory and asks the daemon for
    // the first only: the measures build a floor page while no library page
    // follows anything, so the floor pays for the request.
    return addDirAndNotify(m_client, directory, directory, &ignored, nullptr);
}

void GConfFloorStore::unwatchDirectory(const QByteArray &directory, unsigned long handle)
{
    removeNotifyAndDir(m_client, directory, handle);
}
