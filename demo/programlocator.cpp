// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "programlocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

bool ProgramLocator::inBuildTree()
{
    const QFileInfo here(QCoreApplication::applicationDirPath());
    const QFileInfo built(QStringLiteral(CELLCOUNTERS_DEMO_BUILD_DIR));
    return here.canonicalFilePath() == built.canonicalFilePath();
}

QString ProgramLocator::locate(const QString &name)
{
    QStringList folders{QCoreApplication::applicationDirPath()};
    // An installed demo never reaches into a build tree that happens to be there.
    if (inBuildTree())
        folders << QStringLiteral(CELLCOUNTERS_BUILD_PROGRAM_DIRS).split(QLatin1Char(':'));
    for (const QString &folder : qAsConst(folders)) {
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo(candidate).isExecutable())
            return candidate;
    }
    return name;
}
