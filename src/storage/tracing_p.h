// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef TRACING_P_H
#define TRACING_P_H

#include "cellcounters_debug.h"
#include "mdebugstream.h"

// The debug line of the method it is written in: mDebugStream() with the method's
// signature, followed by what the caller streams. While the category's debug
// output is off nothing of the line is built, the streamed values included:
// several of them format numbers or dates on every keystroke and update.
#define CELLCOUNTERS_TRACE() \
    for (bool traceOn = CELLCOUNTERS_LOG().isDebugEnabled(); traceOn; traceOn = false) \
        mDebugStream(QString::fromLatin1(Q_FUNC_INFO))

#endif
