// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef DEMOSTORE_H
#define DEMOSTORE_H

#include <QDateTime>

/**
 * Fills a store with what a phone in use for a few weeks would have: data sent
 * and received at home and while roaming, the home counters reset some weeks
 * ago and the roaming ones never, the home warning off with a limit entered
 * earlier, the roaming warning on, call totals and the date they were cleared;
 * and a meter that samples every second.
 */
class DemoStore
{
public:
    /** Writes every key; @p now fixes the dates, so that a test can check them. */
    static void seed(const QDateTime &now = QDateTime::currentDateTime());

    /** The stored form of a data counter reset date ("day.month.year.seconds"). */
    static QString resetDateText(const QDateTime &when);
};

#endif
