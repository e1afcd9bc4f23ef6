// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef GCONFFLOORSTORE_H
#define GCONFFLOORSTORE_H

#include "floorstore.h"

/**
 * The floors on GConf, through the process's GConf client: gconf_client_get,
 * one gconf_client_set_string per key, and gconf_client_notify_add on a
 * watched directory.
 */
class GConfFloorStore : public FloorStore
{
public:
    QString text(const QByteArray &key) override;
    bool setStrings(const QByteArrayList &keys, const QByteArray &value) override;
    unsigned long follow(const QByteArray &key, Follower *follower) override;
    void unfollow(const QByteArray &key, unsigned long handle) override;
};

#endif
