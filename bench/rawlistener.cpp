// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "rawlistener.h"

RawListener::RawListener(const QString &key)
    : m_key(key.toUtf8())
    , m_handle(FloorStore::instance().follow(m_key, this))
{
}

RawListener::~RawListener()
{
    FloorStore::instance().unfollow(m_key, m_handle);
}

std::function<bool()> RawListener::delivered(qulonglong bytes) const
{
    const QString text = QString::number(bytes);
    return [this, text] { return m_last == text; };
}

void RawListener::notified(const char *value)
{
    ++m_count;
    if (value)
        m_last = QString::fromUtf8(value);
}
