// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef GCONFFLOORSTORE_H
#define GCONFFLOORSTORE_H

#include "floorstore.h"

typedef struct _GConfClient GConfClient;

/**
 * The floors on GConf, through GConf's default client: gconf_client_get, one
 * gconf_client_set_string per key, and gconf_client_notify_add on a directory
 * registered with gconf_client_add_dir, for a key or for the whole directory.
 * GConf keeps one default client per process while a reference is held, and
 * the store holds one for the life of the process: the floors share the
 * store's client, its connection and its daemon.
 */
class GConfFloorStore : public FloorStore
{
public:
    GConfFloorStore();
    ~GConfFloorStore() override;

    QString text(const QByteArray &key) override;
    bool setStrings(const QByteArrayList &keys, const QByteArray &value) override;
    unsigned long follow(const QByteArray &key, Follower *follower) override;
    void unfollow(const QByteArray &key, unsigned long handle) override;
    void sync() override;
    unsigned long watchDirectory(const QByteArray &directory) override;
    void unwatchDirectory(const QByteArray &directory, unsigned long handle) override;

private:
    GConfClient *m_client;
};

#endif
