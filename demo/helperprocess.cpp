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

namespace
{
// In the child, between fork and exec; the setting survives the exec.
void followParent(pid_t parent)
{
#ifdef Q_OS_LINUX
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    // Had the demo died before that, no signal would ever come.
    if (::getppid() != parent)
        ::_exit(0);
#else
    Q_UNUSED(parent)
#endif
}
} // namespace

HelperProcess::HelperProcess(const QString &name, QObject *parent)
    : QProcess(parent)
    , m_parent(::getpid())
{
    setProgram(ProgramLocator::locate(name));
    setProcessChannelMode(QProcess::ForwardedChannels);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    setChildProcessModifier([parent = m_parent] {
        followParent(parent);
    });
#endif
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

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
void HelperProcess::setupChildProcess()
{
    followParent(m_parent);
}
#endif
