// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef PROCESSWAKEUPS_H
#define PROCESSWAKEUPS_H

#include <QElapsedTimer>
#include <QHash>
#include <QString>

/**
 * The wake-ups of another process, seen from outside: poll() reads the
 * voluntary context switches of each of its threads (/proc/PID/task/TID/status),
 * the times a thread went to sleep, so every rise of them is a thread that was
 * woken up and slept again. A rise begins a wake-up unless the last one was
 * less than MergeMs before: a timer's sample, the writes it waits for and their
 * answers are one wake-up. Threads that come later count from their start.
 */
class ProcessWakeups
{
public:
    static const int MergeMs = 100;

    /** Takes the counts of @p pid now as the start. */
    explicit ProcessWakeups(qint64 pid);

    /** Reads the counts; called every few milliseconds. False when the process is gone. */
    bool poll();

    int wakeups() const { return m_wakeups; }
    quint64 switches() const { return m_switches; }

    /** The resident memory of @p pid (VmRSS) in KiB; 0 when unknown. */
    static quint64 residentKiB(qint64 pid);

private:
    /** The voluntary switches of each thread by its id. */
    QHash<QString, quint64> read() const;

    const QString m_tasks;
    QHash<QString, quint64> m_counts;
    QElapsedTimer m_lastRise;
    int m_wakeups = 0;
    quint64 m_switches = 0;
};

#endif
