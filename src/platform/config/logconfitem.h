// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOGCONFITEM_H
#define LOGCONFITEM_H

#include "loconfig_export.h"

#include <QObject>
#include <QVariant>

/**
 * One key of the per-user configuration store (GConf or dconf, the same key
 * paths on both; see LoConfStore).
 *
 * value() is the newest value this process knows, without a round trip to the
 * daemon: what the key held when its directory was first followed (one request
 * for the whole directory), then this process's own writes and the changes
 * notified since. Another process's write is seen once its notice has come
 * through the event loop. While the item reports a change (from its
 * valueChanged() to the return of the last slot) it is the value being
 * reported. An unset key gives an invalid QVariant. Stored strings, ints, bools, doubles and lists of one of them
 * become QString, int, bool, double and QVariantList (a GConf pair: a list of
 * two); a value of any other type reads as unset. set() writes a QString as a
 * string, integers as int, bools and doubles as such, a QStringList or a
 * QVariantList of scalars of one type as a list, and an invalid variant unsets
 * the key. Stored integers are 32-bit: an integer outside that range is stored
 * as its decimal text. A value that the store cannot hold is not written.
 *
 * valueChanged() follows every change of the key, whichever process made it:
 * a successful set() emits it on every item of the key in this process before
 * set() returns (so blocking an object's signals around its own write really
 * hides that write), and the daemon's later notice of the same write is not
 * reported again. Changes made by other processes arrive from the event loop.
 * When the daemon dies and the bus starts a new one, keys that other processes
 * wrote to the new daemon before this process heard of it are reported once it
 * has: once per key, with the value the key holds then.
 *
 * When the store cannot be reached (no session bus), set() writes nothing and
 * emits nothing, and a debug line says why; value() is invalid on GConf, whose
 * daemon answers reads too, while dconf still reads its database file. A key
 * path that the store does not accept (an empty one, for instance) behaves as
 * an unreachable store.
 */
class LOCONFIG_EXPORT LoGConfItem : public QObject
{
    Q_OBJECT
public:
    explicit LoGConfItem(const QString &key, QObject *parent = nullptr);
    ~LoGConfItem() override;

    QString key() const;
    QVariant value() const;
    /** The value, or @p def when the key is unset. */
    QVariant value(const QVariant &def) const;

public Q_SLOTS:
    void set(const QVariant &value);
    void unset();

Q_SIGNALS:
    void valueChanged();

private:
    class Private;
    Private *const d;
};

#endif
