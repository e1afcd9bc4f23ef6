// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LODCONFSTORE_P_H
#define LODCONFSTORE_P_H

#include "loconfstore_p.h"

#include <QByteArray>

#include <optional>

typedef struct _DConfClient DConfClient;

/**
 * The configuration store on dconf: the one dconf client of the process and the
 * directories it watches, under the same key paths as on GConf. Values are
 * GVariants: strings "s", integers "i", booleans "b", doubles "d" and arrays of
 * one of them; a value of any other type reads as unset.
 *
 * Reads are local (dconf keeps the database in a memory-mapped file); only
 * writes and change notices go over the session bus, through dconf's writer
 * daemon. Without a bus, reads still give what is stored and writes fail.
 *
 * dconf tells which keys changed, not their values, so a notice is reported
 * with what the key holds when it comes in, and only when that differs from
 * what the items of the key were last told: notices of quick changes that one
 * read already covers add nothing. A write made here is reported at once, from
 * LoConfStore::write(), and does not wait for dconf-service: reads give the new
 * value at once, the service stores the writes in their order in the background,
 * and notices of them add nothing. When the service refuses a write, dconf takes
 * the value back and sends an untagged notice: the key is reported again with
 * what the store holds.
 *
 * The bus keeps the watches, not the daemon: when dconf-service is restarted
 * (by D-Bus activation on the next write), notices keep coming.
 */
class LoDConfStore : public LoConfStore
{
public:
    LoDConfStore();
    ~LoDConfStore() override;

    QString backendName() const override;
    bool isValidKey(const QString &key, QString *why) const override;
    QHash<QString, QVariant> readDirectory(const QString &dir, QString *error) override;
    QStringList directories(const QString &dir, QString *error) override;
    void sync() override;

protected:
    std::optional<QVariant> follow(const QString &key) override;
    void unfollow(const QString &key) override;
    QVariant readStored(const QString &key, QString *error) override;
    WriteResult writeStored(const QString &key, const QVariant &value, QVariant *stored, QString *error) override;

private:
    static void changed(DConfClient *, const char *prefix, const char *const *changes, const char *tag, void *data);
    void changedBelow(const QString &path);

    DConfClient *m_client;
    QHash<QString, int> m_watchedDirs; // by path, with the number of keys followed in each
    bool m_writing = false;
};

#endif
