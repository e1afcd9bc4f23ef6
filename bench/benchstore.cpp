// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "benchstore.h"

#include "storagekeys.h"

#include <loconfstore_p.h>

#include <QDebug>

QStringList BenchStore::pageKeys()
{
    QStringList keys;
    for (int key = StorageKeys::GprsHomeTxBytes; key <= StorageKeys::GprsRoamingLastReset; ++key)
        keys.append(StorageKeys::path(key));
    keys.append(StorageKeys::CallTimersResetDatePath);
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
    return write(key, value);
}

bool BenchStore::unset(const QString &key)
{
    return write(key, QVariant());
}

bool BenchStore::write(const QString &key, const QVariant &value)
{
    QString error;
    LoConfStore &store = LoConfStore::instance();
    if (store.write(key, value, &error) != LoConfStore::Written) {
        qWarning() << "cannot write" << key << ':' << error.trimmed();
        return false;
    }
    // Stored before the measure goes on: a write still on its way (dconf) would
    // land after, and undo, what another process writes next.
    store.sync();
    return true;
}
