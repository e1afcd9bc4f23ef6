// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef PROGRAMLOCATOR_H
#define PROGRAMLOCATOR_H

#include <QString>

/**
 * Where the demo's programs find each other: installed, all of them are in
 * one folder; in the build tree, each is where it was built (the simulated
 * modem, a script, stays in the source tree).
 */
class ProgramLocator
{
public:
    /** True when the running program is the one in the build tree. */
    static bool inBuildTree();

    /**
     * The program @p name next to the running one, else (from the build tree)
     * where the build put it, else @p name alone, for PATH.
     */
    static QString locate(const QString &name);
};

#endif
