#include "benchstore.h"

#include "storagekeys.h"

#include <QDebug>

#include <gconf/gconf-client.h>

namespace
{
const char *const CallTimersResetDateKey = "/cellui/settings/calltimers/reset_date";
} // namespace

GConfClient *BenchStore::client()
{
    static GConfClient *client = gconf_client_get_default(); // lives as long as the process
    return client;
}

QStringList BenchStore::pageKeys()
{
    QStringList keys;
    for (int key = StorageKeys::GprsHomeTxBytes; key <= StorageKeys::GprsRoamingLastReset; ++key)
        keys.append(StorageKeys::path(key));
    keys.append(QLatin1String(CallTimersResetDateKey));
    return keys;
}

bool BenchStore::populate()
{
    // Home with its warning on, roaming with it off and a limit entered earlier.
    const QStringList values{
        QStringLiteral("734218843"),  QStringLiteral("5231907415"), QStringLiteral("2000000000"),
        QStringLiteral("2000000000"), QStringLiteral("1.11.2026.1793491200"),
        QStringLiteral("12004411"),   QStringLiteral("88231977"),   QStringLiteral("0"),
        QStringLiteral("50000000"),   QStringLiteral("14.10.2026.1791936000"),
        QStringLiteral("2026-11-30"),
    };
    const QStringList keys = pageKeys();
    for (int i = 0; i < keys.size(); ++i) {
        if (!setString(keys.at(i), values.at(i)))
            return false;
    }
    return true;
}

bool BenchStore::setString(const QString &key, const QString &value)
{
    GError *error = nullptr;
    gconf_client_set_string(client(), key.toUtf8().constData(), value.toUtf8().constData(), &error);
    if (error) {
        qWarning() << "cannot write" << key << ':' << error->message;
        g_error_free(error);
        return false;
    }
    return true;
}

QString BenchStore::directoryOf(const QString &key)
{
    return key.left(qMax(1, key.lastIndexOf(QLatin1Char('/'))));
}
