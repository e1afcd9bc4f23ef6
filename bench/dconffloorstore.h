// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef DCONFFLOORSTORE_H
#define DCONFFLOORSTORE_H

#include "floorstore.h"

typedef struct _DConfClient DConfClient;

/**
 * The floors on dconf, through a dconf client of their own: dconf_client_read
 * (local, from the database file), both strings in one change set with
 * dconf_client_change_fast (one request, not waited for),
 * dconf_client_watch_sync on the key itself with a handler of the client's
 * "changed" signal, which names the changed key and is followed by one read of
 * it, and dconf_client_watch_fast on a directory.
 */
class DConfFloorStore : public FloorStore
{
public:
    DConfFloorStore();
    ~DConfFloorStore() override;

    QString text(const QByteArray &key) override;
    bool setStrings(const QByteArrayList &keys, const QByteArray &value) override;
    unsigned long follow(const QByteArray &key, Follower *follower) override;
    void unfollow(const QByteArray &key, unsigned long handle) override;
    void sync() override;
    unsigned long watchDirectory(const QByteArray &directory) override;
    void unwatchDirectory(const QByteArray &directory, unsigned long handle) override;

private:
    DConfClient *m_client;
};

#endif
