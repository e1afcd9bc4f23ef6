// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef PRIVATESTORE_H
#define PRIVATESTORE_H

/**
 * Runs a program against a settings store of its own: a private D-Bus session
 * (dbus-run-session) with a temporary HOME, so that the configuration daemon it
 * starts keeps its data in a folder that is thrown away afterwards and the
 * user's own settings are never read or written.
 */
class PrivateStore
{
public:
    /** True inside a process started by run(). */
    static bool isActive();

    /**
     * Starts this same program again, with the same arguments, inside a private
     * store, waits for it and removes the store. Returns its exit status, or
     * 127 when the session could not be started.
     */
    static int run(int argc, char **argv);
};

#endif
