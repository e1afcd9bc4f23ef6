// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef RAWLISTENER_H
#define RAWLISTENER_H

#include <QString>

#include <functional>

/**
 * The floor of the store-to-screen measures: one key followed through a bare
 * GConf notification (gconf_client_notify_add) on a watched directory, keeping
 * the last string value delivered and a count of notifications.
 */
class RawListener
{
public:
    explicit RawListener(const QString &key);
    ~RawListener();

    bool isListening() const { return m_id != 0; }
    QString last() const { return m_last; }
    int notifications() const { return m_count; }
    /** Whether @p bytes, as decimal text, is the last value delivered. */
    std::function<bool()> delivered(qulonglong bytes) const;

private:
    static void notified(void *client, unsigned int id, void *entry, void *self);

    QByteArray m_key;
    QByteArray m_dir;
    unsigned int m_id = 0;
    QString m_last;
    int m_count = 0;

    Q_DISABLE_COPY(RawListener)
};

#endif
