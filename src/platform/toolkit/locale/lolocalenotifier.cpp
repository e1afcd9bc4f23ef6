// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lolocalenotifier.h"

#include <QCoreApplication>
#include <QMetaObject>

LoLocaleNotifier *LoLocaleNotifier::instance()
{
    static LoLocaleNotifier *notifier = new LoLocaleNotifier;
    return notifier;
}

LoLocaleNotifier::LoLocaleNotifier() = default;

void LoLocaleNotifier::scheduleChange()
{
    if (m_pending)
        return;
    m_pending = true;
    // Queued, so that a widget that changes the locale from its own constructor
    // is complete before anything is retranslated, and so that several changes
    // in one pass of the event loop retranslate once.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_pending = false;
            Q_EMIT defaultLocaleChanged();
        },
        Qt::QueuedConnection);
}
