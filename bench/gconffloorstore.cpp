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

bool failed(GError *error, const QByteArray &key)
{
    if (!error)
        return false;
    qWarning() << "GConf:" << key << ':' << error->message;
    g_error_free(error);
    return true;
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

unsigned long GConfFloorStore::follow(const QByteArray &key, Follower *follower)
{
    GError *error = nullptr;
    gconf_client_add_dir(m_client, directoryOf(key).constData(), GCONF_CLIENT_PRELOAD_NONE, &error);
    if (failed(error, key))
        return 0;
    const unsigned long id = gconf_client_notify_add(m_client, key.constData(), &notified, follower, nullptr, &error);
    return failed(error, key) ? 0 : id;
}

void GConfFloorStore::unfollow(const QByteArray &key, unsigned long handle)
{
    if (handle)
        gconf_client_notify_remove(m_client, handle);
    gconf_client_remove_dir(m_client, directoryOf(key).constData(), nullptr);
}
