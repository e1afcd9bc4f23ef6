// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef RAWLISTENER_H
#define RAWLISTENER_H

#include "floorstore.h"

#include <QString>

#include <functional>

/**
 * The floor of the store-to-screen measures: one key followed through the
 * store's bare change notices (FloorStore::follow()), keeping the last string
 * value delivered and a count of notices.
 */
class RawListener : public FloorStore::Follower
{
public:
    explicit RawListener(const QString &key);
    ~RawListener();

    bool isListening() const { return m_handle != 0; }
    QString last() const { return m_last; }
    int notifications() const { return m_count; }
    /** Whether @p bytes, as decimal text, is the last value delivered. */
    std::function<bool()> delivered(qulonglong bytes) const;

    void notified(const char *value) override;

private:
    QByteArray m_key;
    unsigned long m_handle = 0;
    QString m_last;
    int m_count = 0;

    Q_DISABLE_COPY(RawListener)
};

#endif
