// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "helperprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

HelperProcess::HelperProcess(QObject *parent)
    : QProcess(parent)
    , m_parent(::getpid())
{
}

HelperProcess *HelperProcess::launch(const QString &name, QObject *parent)
{
    QStringList folders{QCoreApplication::applicationDirPath()};
#ifdef CELLCOUNTERS_NOTIFIER_BUILD_DIR
    // Installed, every program is in the same folder; in the build tree the notifier has its own.
    folders << QStringLiteral(CELLCOUNTERS_NOTIFIER_BUILD_DIR);
#endif
    QString program = name;
    for (const QString &folder : qAsConst(folders)) {
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo(candidate).isExecutable()) {
            program = candidate;
            break;
        }
    }

    auto *process = new HelperProcess(parent);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(program, QStringList());
    if (!process->waitForStarted(3000)) {
        std::fprintf(stderr, "cellcounters-demo: cannot start %s: %s\n", qPrintable(program),
                     qPrintable(process->errorString()));
        delete process;
        return nullptr;
    }
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, process, [process] {
        process->terminate();
        if (!process->waitForFinished(2000))
            process->kill();
    });
    return process;
}

void HelperProcess::setupChildProcess()
{
    // In the child, between fork and exec; the setting survives the exec.
#ifdef Q_OS_LINUX
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    // Had the demo died before that, no signal would ever come.
    if (::getppid() != m_parent)
        ::_exit(0);
#endif
}
