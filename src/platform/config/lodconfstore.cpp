// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lodconfstore_p.h"

#include "loconfig_debug.h"

#include <dconf.h>

#include <cstdlib>

namespace
{

QVariant toVariant(GVariant *value)
{
    if (!value)
        return QVariant();
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING))
        return QString::fromUtf8(g_variant_get_string(value, nullptr));
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_INT32))
        return int(g_variant_get_int32(value));
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN))
        return bool(g_variant_get_boolean(value));
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_DOUBLE))
        return g_variant_get_double(value);
    static const GVariantType *const arrays[] = {G_VARIANT_TYPE_STRING_ARRAY, G_VARIANT_TYPE("ai"),
                                                 G_VARIANT_TYPE("ab"), G_VARIANT_TYPE("ad")};
    for (const GVariantType *type : arrays) {
        if (!g_variant_is_of_type(value, type))
            continue;
        QVariantList list;
        const gsize count = g_variant_n_children(value);
        for (gsize i = 0; i < count; ++i) {
            GVariant *item = g_variant_get_child_value(value, i);
            list.append(toVariant(item));
            g_variant_unref(item);
        }
        return list;
    }
    return QVariant();
}

// A scalar in the stored form (see LoConfStore::toStoredForm()) as a GVariant.
GVariant *toScalar(const QVariant &stored)
{
    switch (stored.userType()) {
    case QMetaType::Bool:
        return g_variant_new_boolean(stored.toBool());
    case QMetaType::Int:
        return g_variant_new_int32(stored.toInt());
    case QMetaType::Double:
        return g_variant_new_double(stored.toDouble());
    default:
        return g_variant_new_string(stored.toString().toUtf8().constData());
    }
}

// A value in the stored form as a GVariant; an empty list is an array of strings.
GVariant *toGVariant(const QVariant &stored)
{
    if (stored.userType() != QMetaType::QVariantList)
        return toScalar(stored);
    const QVariantList list = stored.toList();
    if (list.isEmpty())
        return g_variant_new_array(G_VARIANT_TYPE_STRING, nullptr, 0);
    GVariantBuilder builder;
    g_variant_builder_init(&builder, G_VARIANT_TYPE_ARRAY);
    for (const QVariant &item : list)
        g_variant_builder_add_value(&builder, toScalar(item));
    return g_variant_builder_end(&builder);
}

QString takeMessage(GError *&error)
{
    const QString text = QString::fromUtf8(error->message);
    g_clear_error(&error);
    return text;
}

// dconf names a directory with a trailing slash.
QByteArray dirPath(const QString &dir)
{
    return dir.endsWith(QLatin1Char('/')) ? dir.toUtf8() : dir.toUtf8() + '/';
}

} // namespace

LoDConfStore::LoDConfStore()
    : m_client(dconf_client_new())
{
    g_signal_connect(m_client, "changed", G_CALLBACK(&LoDConfStore::changed), this);
    // Writes still on their way to dconf-service are not lost at a normal exit.
    std::atexit([] { LoConfStore::instance().sync(); });
}

LoDConfStore::~LoDConfStore()
{
    g_signal_handlers_disconnect_by_data(m_client, this);
    g_object_unref(m_client);
}

QString LoDConfStore::backendName() const
{
    return QStringLiteral("dconf");
}

bool LoDConfStore::isValidKey(const QString &key, QString *why) const
{
    GError *error = nullptr;
    if (dconf_is_key(key.toUtf8().constData(), &error))
        return true;
    *why = takeMessage(error);
    return false;
}

QVariant LoDConfStore::readStored(const QString &key, QString *)
{
    GVariant *value = dconf_client_read(m_client, key.toUtf8().constData());
    const QVariant result = toVariant(value);
    if (value)
        g_variant_unref(value);
    return result;
}

LoConfStore::WriteResult LoDConfStore::writeStored(const QString &key, const QVariant &value, QVariant *stored,
                                                   QString *error)
{
    GVariant *converted = nullptr;
    if (value.isValid()) {
        QVariant form;
        if (!toStoredForm(value, &form))
            return Unsupported;
        converted = g_variant_ref_sink(toGVariant(form));
    }
    *stored = toVariant(converted);
    GError *gerror = nullptr;
    // The value is ours to read at once; dconf-service stores it in the
    // background, in the order of the writes, without the caller waiting for
    // the disk. The notice of the new value comes from inside the call; a
    // refusal comes later (see changed()).
    m_writing = true;
    const bool ok = dconf_client_write_fast(m_client, key.toUtf8().constData(), converted, &gerror);
    m_writing = false;
    if (converted)
        g_variant_unref(converted);
    if (!ok) {
        *error = takeMessage(gerror);
        return Failed;
    }
    return Written;
}

void LoDConfStore::sync()
{
    dconf_client_sync(m_client);
}

QHash<QString, QVariant> LoDConfStore::readDirectory(const QString &dir, QString *error)
{
    QHash<QString, QVariant> values;
    const QByteArray path = dirPath(dir);
    gchar **names = dconf_client_list(m_client, path.constData(), nullptr);
    for (gchar **name = names; *name; ++name) {
        if (g_str_has_suffix(*name, "/"))
            continue;
        const QString key = QString::fromUtf8(path + *name);
        const QVariant value = readStored(key, error);
        if (value.isValid())
            values.insert(key, value);
    }
    g_strfreev(names);
    return values;
}

QStringList LoDConfStore::directories(const QString &dir, QString *)
{
    QStringList dirs;
    const QByteArray path = dirPath(dir);
    gchar **names = dconf_client_list(m_client, path.constData(), nullptr);
    for (gchar **name = names; *name; ++name) {
        if (g_str_has_suffix(*name, "/"))
            dirs.append(QString::fromUtf8(path + QByteArray(*name).chopped(1)));
    }
    g_strfreev(names);
    return dirs;
}

std::optional<QVariant> LoDConfStore::follow(const QString &key)
{
    const QString dir = directoryOf(key);
    // Watched before the key is read. The watch is made without waiting for the
    // bus: a change made before the bus has set it up still comes as a notice of
    // the directory, which reports only what differs from the value read here.
    if (m_watchedDirs[dir]++ == 0)
        dconf_client_watch_fast(m_client, dirPath(dir).constData());
    QString error;
    return readStored(key, &error);
}

void LoDConfStore::unfollow(const QString &key)
{
    const QString dir = directoryOf(key);
    auto watched = m_watchedDirs.find(dir);
    if (watched != m_watchedDirs.end() && --*watched == 0) {
        dconf_client_unwatch_fast(m_client, dirPath(dir).constData());
        m_watchedDirs.erase(watched);
    }
}

// @p prefix and each of @p changes make a changed path: a key, or a directory
// ending in "/" when everything below it may have changed.
void LoDConfStore::changed(DConfClient *, const char *prefix, const char *const *changes, const char *tag, void *data)
{
    auto *store = static_cast<LoDConfStore *>(data);
    // The notice of our own write, from inside the call: the write reports it.
    if (store->m_writing)
        return;
    const QString base = QString::fromUtf8(prefix);
    for (const char *const *change = changes; *change; ++change) {
        const QString path = base + QString::fromUtf8(*change);
        // Only the client itself sends untagged notices besides the ones of
        // our writes: dconf-service refused a write and the keys went back.
        if (!tag)
            qCDebug(LOCONFIG_LOG) << "LoGConfItem: cannot write" << path << ':' << "the change was not taken";
        store->changedBelow(path);
    }
}

void LoDConfStore::changedBelow(const QString &path)
{
    const bool dir = path.endsWith(QLatin1Char('/'));
    // Receivers may destroy or create items meanwhile: go by name.
    const QStringList keys = dir ? followedKeys() : QStringList{path};
    for (const QString &key : keys) {
        if (dir ? key.startsWith(path) : isFollowed(key)) {
            QString error;
            update(key, readStored(key, &error));
        }
    }
}
