// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef MDEBUGSTREAM_H
#define MDEBUGSTREAM_H

#include "cellcounters_export.h"

#include <QDebug>
#include <QString>

// Starts a debug line with "<text>:"; callers append the values that matter.
// Traced methods pass their signature: mDebugStream(QString::fromLatin1(Q_FUNC_INFO)).
CELLCOUNTERS_EXPORT QDebug mDebugStream(const QString &text);

#endif
