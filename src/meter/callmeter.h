// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef CALLMETER_H
#define CALLMETER_H

#include <QHash>
#include <QObject>
#include <QTimer>

class LoGConfItem;
#include "calltimers.h"

/**
 * Adds the duration of calls to the call timers: dialled or received, and all
 * calls, and sets the last call's duration. A call counts from the moment it
 * becomes active until it ends (terminated or deleted); held time counts.
 *
 * While a call is active and the timers' update interval is above 0 (the call
 * timers section sets 1 while shown), the totals advance at that interval;
 * otherwise they are written when the call ends.
 *
 * As with the data counters, what is about to be written goes to stateKey()
 * first (the totals and each running call with its start and the seconds
 * counted), so that a restart counts no second twice and a running call goes
 * on from where it was; a call that ended while the meter was not running
 * loses its seconds since the last write. When the timers are cleared (their
 * clearing date changes), seconds not counted yet are dropped and the totals
 * are written as 0 again.
 */
class CallMeter : public QObject
{
    Q_OBJECT
public:
    explicit CallMeter(QObject *parent = nullptr);
    ~CallMeter() override;

    static QString stateKey();

public Q_SLOTS:
    /** A call of @p direction (1 received, 2 dialled) is in @p state (4 active, 5 held, 7 terminated). */
    void callChanged(const QString &path, int direction, int state);
    void callGone(const QString &path);

private:
    struct Running {
        int direction = 0; // 1 received, 2 dialled, other: counted in all calls only
        qint64 since = 0; // ms since 1970, when it became active
        quint32 counted = 0; // seconds already added
    };

    void resume();
    /** Adds the seconds of the running calls so far; @p ended ends that one. */
    void advance(const QString &ended = QString());
    void wasCleared();
    void commit(const QList<quint32> &totals);
    /** What is about to be written, or is: @p totals and the running calls. */
    void commitRecord(const QList<quint32> &totals);
    void writeRecord(const Cellular::CallTimers::CallTimersInfo &info);
    void updateTimer();

    Cellular::CallTimers *const m_timers;
    LoGConfItem *const m_state;
    LoGConfItem *const m_cleared;
    LoGConfItem *const m_updateInterval;
    // The totals' items, in the order last call, dialled, received, all.
    QList<LoGConfItem *> m_totals;
    QHash<QString, Running> m_running;
    // Running calls of the state a kill left, until ModemManager shows them.
    QHash<QString, Running> m_resumable;
    QTimer m_timer;
};

#endif
