// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef BENCHSTORE_H
#define BENCHSTORE_H

#include <QStringList>
#include <QVariant>

/**
 * The configuration store as the benchmarks see it: the eleven keys that the
 * data counters page reads (ten data counter keys and the call timers' clearing
 * date), filled with values such as a phone in use holds through the toolkit's
 * store layer. The floors reach the store without the toolkit (FloorStore).
 */
class BenchStore
{
public:
    /** The eleven key paths that the page reads when it is built. */
    static QStringList pageKeys();

    /** Writes realistic values into every page key; false when the store is unreachable. */
    static bool populate();

    /** Writes @p value as a string to @p key. */
    static bool setString(const QString &key, const QString &value);
    /** Unsets @p key. */
    static bool unset(const QString &key);

private:
    static bool write(const QString &key, const QVariant &value);
};

#endif
