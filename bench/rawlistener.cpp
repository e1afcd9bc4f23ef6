// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "rawlistener.h"

#include "benchstore.h"

#include <QDebug>

#include <gconf/gconf-client.h>

RawListener::RawListener(const QString &key)
    : m_key(key.toUtf8())
    , m_dir(BenchStore::directoryOf(key).toUtf8())
{
    GError *error = nullptr;
    gconf_client_add_dir(BenchStore::client(), m_dir.constData(), GCONF_CLIENT_PRELOAD_NONE, &error);
    if (!error) {
        m_id = gconf_client_notify_add(BenchStore::client(), m_key.constData(),
                                       reinterpret_cast<GConfClientNotifyFunc>(&RawListener::notified), this,
                                       nullptr, &error);
    }
    if (error) {
        qWarning() << "cannot follow" << key << ':' << error->message;
        g_error_free(error);
    }
}

RawListener::~RawListener()
{
    if (m_id)
        gconf_client_notify_remove(BenchStore::client(), m_id);
    gconf_client_remove_dir(BenchStore::client(), m_dir.constData(), nullptr);
}

std::function<bool()> RawListener::delivered(qulonglong bytes) const
{
    const QString text = QString::number(bytes);
    return [this, text] { return m_last == text; };
}

void RawListener::notified(void *, unsigned int, void *entry, void *self)
{
    auto *listener = static_cast<RawListener *>(self);
    const GConfValue *value = gconf_entry_get_value(static_cast<GConfEntry *>(entry));
    ++listener->m_count;
    if (value && value->type == GCONF_VALUE_STRING)
        listener->m_last = QString::fromUtf8(gconf_value_get_string(value));
}
