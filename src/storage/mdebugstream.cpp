// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "mdebugstream.h"

#include "cellcounters_debug.h"

QDebug mDebugStream(const QString &text)
{
    const QLoggingCategory &category = CELLCOUNTERS_LOG();
    QDebug stream = QMessageLogger().debug(category);
    // Qt drops the line when the category's debug output is off; the start of it
    // need not be built.
    if (!category.isDebugEnabled())
        return stream;
    stream << QString::fromLatin1("%1:").arg(text).toLocal8Bit().constData();
    return stream;
}
