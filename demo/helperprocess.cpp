// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "helperprocess.h"

#include "programlocator.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

HelperProcess::HelperProcess(const QString &name, QObject *parent)
    : QProcess(parent)
    , m_parent(::getpid())
{
    setProgram(ProgramLocator::locate(name));
    setProcessChannelMode(QProcess::ForwardedChannels);
}

bool HelperProcess::launch(const QStringList &arguments)
{
    setArguments(arguments);
    start();
    if (!waitForStarted(3000)) {
        std::fprintf(stderr, "cellcounters-demo: cannot start %s: %s\n", qPrintable(program()),
                     qPrintable(errorString()));
        return false;
    }
    connect(qApp, &QCoreApplication::aboutToQuit, this, &HelperProcess::end);
    return true;
}

void HelperProcess::end()
{
    if (state() == QProcess::NotRunning)
        return;
    terminate();
    if (!waitForFinished(2000))
        kill();
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
