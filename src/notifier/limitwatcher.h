// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LIMITWATCHER_H
#define LIMITWATCHER_H

#include "networkcounters.h"

#include <QObject>
#include <QTimer>

class DesktopNotifier;
class LoGConfItem;
class LoLocale;

/**
 * Warns through a DesktopNotifier when one network's traffic since its last
 * reset (bytes sent + received) reaches its warning limit in force, both as
 * NetworkCounters reads them, the page's own rules: an unset roaming limit
 * warns at 10 MB, an unset home limit not at all.
 *
 * One warning per crossing: not again until the traffic falls below the limit
 * (the counters were reset), the warning is switched off, or the limit changes.
 * The limit last warned about is kept in the store under warnedKey(), so that a
 * restart does not warn again; a watcher started past the limit warns once.
 *
 * A change of the counters is checked at once. The page stores the limit at
 * every digit typed, so a new limit is only checked once it has stayed the same
 * for a settle time; until then it can end a warning but not give one.
 */
class LimitWatcher : public QObject
{
    Q_OBJECT
public:
    /** Follows @p counters, which must outlive the watcher. */
    LimitWatcher(const NetworkCounters *counters, DesktopNotifier *notifier, QObject *parent = nullptr);
    ~LimitWatcher() override;

    /** The key that holds the limit last warned about, in bytes as decimal text; unset when none. */
    static QString warnedKey(NetworkCounters::Network network);
    /** Makes @p locale, with the warnings' catalog, the default that their texts are made in. */
    static void installCatalog(LoLocale locale);

    /** How long a new limit must stay the same before it can warn (2000 ms); 0: at once. */
    void setSettleTime(int msec);

public Q_SLOTS:
    /** Warns when the limit is reached and has not been warned about yet. */
    void check();

private:
    void limitChanged();

    const NetworkCounters *const m_counters;
    DesktopNotifier *const m_notifier;
    LoGConfItem *const m_warned;
    QTimer m_settle;
};

#endif
