// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOGCONFSTORE_H
#define LOGCONFSTORE_H

#include "loconfstore.h"

#include <QByteArray>

#include <optional>

typedef struct _GConfClient GConfClient;
typedef struct _GConfEntry GConfEntry;
typedef struct _GDBusConnection GDBusConnection;
typedef struct _GVariant GVariant;

/**
 * The configuration store on GConf: the one GConf client of the process and the
 * listeners on it.
 *
 * Items of one key share one GConf listener, and items of one directory one
 * watched directory; both are counted and dropped with the last item.
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
 * Round trips to the daemon are what an item costs, so they are saved where the
 * answer is known without one:
 * - A notification carries the key's new value, and it is taken as it is
 *   unless it may be stale: while echoes of our own writes of the key are still
 *   on their way, and after an item starts listening until a notification
 *   agrees with what the daemon holds (notices of changes older than the item
 *   may still be queued). Then the daemon is asked what the key holds now.
 * - While the items of a key report a change (a notification or our own write),
 *   reads give the value reported, which is what receivers read in their slots.
 *   Every other read asks the daemon, so that it sees what other processes
 *   wrote, notified or not.
 *
 * When the daemon dies, the bus starts a new one on the next call, and GConf's
 * client registers its directories with it again, but only once the event loop
 * has handled the bus's notice of the new owner. The new daemon does not notify
 * what other processes write before that, and those changes would never be
 * reported. The store therefore follows the daemon's bus name itself: when a
 * new daemon owns it, every watched directory is registered again at once,
 * every key is read again and reported if it differs from what its items were
 * last told, and notifications are checked with the daemon again until one
 * agrees with it.
 */
class LOCONFIG_EXPORT LoGConfStore : public LoConfStore
{
public:
    LoGConfStore();
    ~LoGConfStore() override;

    /**
     * The process's GConf client, for code whose job is the bare GConf API (the
     * benchmarks' floors); everything else goes through LoConfStore.
     */
    static GConfClient *client();

    QString backendName() const override;
    bool isValidKey(const QString &key, QString *why) const override;
    QHash<QString, QVariant> readDirectory(const QString &dir, QString *error) override;
    QStringList directories(const QString &dir, QString *error) override;
    void attach(LoGConfItem *item, const QString &key) override;
    void detach(LoGConfItem *item, const QString &key) override;

protected:
    QVariant readStored(const QString &key, QString *error) override;
    WriteResult writeStored(const QString &key, const QVariant &value, QVariant *stored, QString *error) override;
    void written(const QString &key, const QVariant &stored) override;

private:
    struct Directory {
        int refs = 0;
        bool watched = false;
    };
    struct Key {
        unsigned int notifyId = 0;
        QList<LoGConfItem *> items;
        std::optional<QVariant> reported;
        // Notifications are checked with the daemon until one agrees with it.
        bool verify = true;
    };

    static LoGConfStore &gconfInstance();
    bool notifiedValue(const QString &key, const QVariant &delivered, QVariant *value);
    void watch(const QString &dir, Directory &directory);
    void unwatch(const QString &dir, Directory &directory);
    void listen(const QString &key, Key &entry);
    static void notified(GConfClient *, unsigned int, GConfEntry *notice, void *data);
    void update(const QString &key, const QVariant &value);
    void followDaemon();
    static void ownerChanged(GDBusConnection *, const char *, const char *, const char *, const char *,
                             GVariant *parameters, void *);
    void daemonOwnedBy(const char *owner);
    void reconnected();

    GConfClient *m_client;
    QHash<QString, Directory> m_dirs;
    QHash<QString, Key> m_keys;
    // Writes of ours whose echo has not come yet, per key, oldest first.
    QHash<QString, QList<QVariant>> m_unechoed;
    GDBusConnection *m_bus = nullptr;
    QByteArray m_daemonOwner; // the last daemon seen, by unique bus name
};

#endif
