// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOGCONFSTORE_P_H
#define LOGCONFSTORE_P_H

#include "loconfstore_p.h"

#include <QByteArray>
#include <QSet>

#include <optional>

typedef struct _GConfClient GConfClient;
typedef struct _GConfEntry GConfEntry;
typedef struct _GDBusConnection GDBusConnection;
typedef struct _GVariant GVariant;

/**
 * The configuration store on GConf: the one GConf client of the process and the
 * listeners on it.
 *
 * The followed keys of one directory share one watched directory and one GConf
 * listener, counted and dropped with the last key. When a directory is first
 * watched, what its keys hold is loaded with one request and kept from then on
 * by the notifications and our own writes, so that reads of followed keys, and
 * of the directory, need no round trip to the daemon: they give the newest
 * value this process knows. Nothing is kept for a directory nobody watches.
 *
 * A write made here is reported at once, from LoConfStore::write(), to every
 * item of the key. The daemon later notifies the same write again; GConf's
 * client also merges notifications of one key that come in one pass of the
 * event loop, so they say "the key now holds v" rather than "v was written". A
 * notification is therefore reported only when its value differs from the value
 * that the items of the key were last told about: an echo of our own write is
 * dropped, while a different value written by another process is reported.
 * GConf itself does not notify a write of the value that a key already holds.
 *
 * A notification carries the key's new value, and it is taken as it is unless
 * it may be stale: while echoes of our own writes of the key are still on
 * their way, and after the directory is loaded until a notification of the key
 * agrees with what the daemon holds (notices of changes older than the load
 * may still be queued). Then the daemon is asked what the key holds now. The
 * notifications of one pass of the event loop are all taken in before any is
 * reported, as GConf's client does not keep the order of writes across
 * directories.
 *
 * When the daemon dies, the bus starts a new one on the next call, and GConf's
 * client registers its directories with it again, but only once the event loop
 * has handled the bus's notice of the new owner. The new daemon does not notify
 * what other processes write before that, and those changes would never be
 * reported. The store therefore follows the daemon's bus name itself: when a
 * new daemon owns it, every watched directory is registered and loaded again
 * at once, every key is reported if it differs from what its items were last
 * told, and notifications are checked with the daemon again until one agrees
 * with it.
 */
class LoGConfStore : public LoConfStore
{
public:
    LoGConfStore();
    ~LoGConfStore() override;

    QString backendName() const override;
    bool isValidKey(const QString &key, QString *why) const override;
    QHash<QString, QVariant> readDirectory(const QString &dir, QString *error) override;
    QStringList directories(const QString &dir, QString *error) override;

protected:
    // The watched directory's values: newer than what the items were told while
    // a batch of notices waits to be reported.
    std::optional<QVariant> knownValue(const QString &key) const override;
    std::optional<QVariant> follow(const QString &key) override;
    void unfollow(const QString &key) override;
    QVariant readStored(const QString &key, QString *error) override;
    WriteResult writeStored(const QString &key, const QVariant &value, QVariant *stored, QString *error) override;
    void written(const QString &key, const QVariant &stored) override;

private:
    struct Directory {
        int refs = 0;
        bool watched = false;
        unsigned int notifyId = 0;
        // The keys directly in it that hold a value; none when it could not be loaded.
        std::optional<QHash<QString, QVariant>> values;
        // Keys whose notifications agree with the daemon since the load.
        QSet<QString> settled;
    };
    QHash<QString, QVariant> loadDirectory(const QString &dir, QString *error);
    bool notifiedValue(Directory &directory, const QString &key, const QVariant &delivered, QVariant *value);
    void watch(const QString &dir, Directory &directory);
    void unwatch(const QString &dir, Directory &directory);
    static void notified(GConfClient *, unsigned int, GConfEntry *notice, void *data);
    void remember(const QString &key, const QVariant &value);
    void reportLater(const QString &key, const QVariant &value);
    static int reportPending(void *);
    void followDaemon();
    static void ownerChanged(GDBusConnection *, const char *, const char *, const char *, const char *,
                             GVariant *parameters, void *);
    void daemonOwnedBy(const char *owner);
    void reconnected();

    GConfClient *m_client;
    QHash<QString, Directory> m_dirs;
    // Notified changes waiting to be reported, in the order they came.
    QStringList m_pendingOrder;
    QHash<QString, QVariant> m_pending;
    // Writes of ours whose echo has not come yet, per key, oldest first.
    QHash<QString, QList<QVariant>> m_unechoed;
    GDBusConnection *m_bus = nullptr;
    QByteArray m_daemonOwner; // the last daemon seen, by unique bus name
};

#endif
