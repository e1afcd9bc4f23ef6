// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "simulatedmodem.h"

#include <QDebug>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

SimulatedModem::SimulatedModem()
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(CELLCOUNTERS_SIMULATED_MODEM), {QStringLiteral("--sysfs"), m_sysfs.path()});
    // Three processes start before the first line: give a loaded machine time.
    const QByteArray line = readLine(30000);
    if (line.startsWith("bus "))
        m_busAddress = QString::fromUtf8(line.mid(4));
    else
        qWarning() << "the simulated modem did not start:" << line << m_process.errorString();
}

SimulatedModem::~SimulatedModem()
{
    m_process.closeWriteChannel(); // end of input ends it
    if (!m_process.waitForFinished(10000)) {
        qWarning() << "the simulated modem did not end";
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }
}

bool SimulatedModem::send(const QString &command, QString *answer)
{
    const QByteArray request = command.toUtf8() + '\n';
    if (!isRunning() || m_process.write(request) != request.size()) {
        qWarning() << "the simulated modem is not running:" << command;
        return false;
    }
    const QString line = QString::fromUtf8(readLine(10000));
    const bool ok = line == QLatin1String("ok") || line.startsWith(QLatin1String("ok "));
    if (answer)
        *answer = line.section(QLatin1Char(' '), 1);
    if (!ok)
        qWarning() << "simulated modem:" << command << "->" << (line.isNull() ? QStringLiteral("no answer") : line);
    return ok;
}

QByteArray SimulatedModem::readLine(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!m_process.canReadLine()) {
        if (m_process.state() == QProcess::NotRunning || deadline.hasExpired())
            return QByteArray();
        QEventLoop loop;
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &loop, &QEventLoop::quit);
        QObject::connect(&m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop, &QEventLoop::quit);
        QObject::connect(&m_process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
        QTimer::singleShot(int(deadline.remainingTime()), &loop, &QEventLoop::quit);
        loop.exec();
    }
    return m_process.readLine().trimmed();
}
