// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef SIGNALQUIT_H
#define SIGNALQUIT_H

/**
 * Makes SIGTERM, SIGINT and SIGHUP quit the application as closing its window
 * does, so that what it ends when it quits (its helper processes) ends too.
 */
class SignalQuit
{
public:
    /** Call once, after the application object exists. */
    static void install();
};

#endif
