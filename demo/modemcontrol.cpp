// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "modemcontrol.h"

#include <cstdio>

ModemControl::ModemControl(QObject *parent)
    : QObject(parent)
{
    // Its answers come on its output; what its daemons say goes to ours.
    mProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(&mProcess, &QProcess::readyReadStandardOutput, this, &ModemControl::readLines);
    connect(&mProcess, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this, [this] {
        Q_EMIT failed(mBusAddress.isEmpty() ? QStringLiteral("the simulated modem did not start")
                                            : QStringLiteral("the simulated modem ended"));
    });
}

ModemControl::~ModemControl()
{
    disconnect(&mProcess, nullptr, this, nullptr);
    if (mProcess.state() == QProcess::NotRunning)
        return;
    // End of input ends it, and it removes what it made.
    mProcess.closeWriteChannel();
    if (!mProcess.waitForFinished(5000)) {
        mProcess.terminate();
        if (!mProcess.waitForFinished(2000))
            mProcess.kill();
    }
}

bool ModemControl::start(const QString &program, const QString &sysfs)
{
    mProcess.start(program, {QStringLiteral("--sysfs"), sysfs});
    if (!mProcess.waitForStarted(5000)) {
        std::fprintf(stderr, "cellcounters-simulate: cannot start %s: %s\n", qPrintable(program),
                     qPrintable(mProcess.errorString()));
        return false;
    }
    return true;
}

QString ModemControl::busAddress() const
{
    return mBusAddress;
}

void ModemControl::send(const QString &command, const Answer &answered)
{
    mPending.enqueue(qMakePair(command, answered));
    mProcess.write(command.toUtf8() + '\n');
}

void ModemControl::readLines()
{
    while (mProcess.canReadLine()) {
        const QString line = QString::fromUtf8(mProcess.readLine()).trimmed();
        if (mBusAddress.isEmpty()) {
            if (line.startsWith(QLatin1String("bus "))) {
                mBusAddress = line.mid(4);
                Q_EMIT ready(mBusAddress);
            }
            continue;
        }
        if (mPending.isEmpty())
            continue;
        const QPair<QString, Answer> request = mPending.dequeue();
        const bool ok = line == QLatin1String("ok") || line.startsWith(QLatin1String("ok "));
        if (!ok)
            std::fprintf(stderr, "cellcounters-simulate: %s: %s\n", qPrintable(request.first), qPrintable(line));
        if (request.second)
            request.second(ok, line.section(QLatin1Char(' '), 1));
    }
}
