// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "teststore.h"

#include "loconfstore_p.h"
#include "logconfitem.h"

#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>
#include <QUuid>
#include <signal.h>

bool ExternalStore::run(const QStringList &commands, QStringList *answers)
{
    // The other process sees what this one wrote before.
    LoConfStore::instance().sync();
    QProcess writer;
    writer.start(QStringLiteral(CELLCOUNTERS_STOREWRITER), {QStringLiteral("-f"), QStringLiteral("-")});
    writer.write((commands.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    writer.closeWriteChannel();
    if (!writer.waitForFinished(30000) || writer.exitStatus() != QProcess::NormalExit || writer.exitCode() != 0) {
        qWarning() << "the store writer failed on" << commands.value(0).left(80) << writer.readAllStandardError();
        return false;
    }
    if (answers)
        *answers = QString::fromUtf8(writer.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return true;
}

bool ExternalStore::setAll(const QStringList &keys, const QString &type, const QString &value)
{
    // "set KEY TYPE VALUE" or "setlist KEY string A,B"
    const QString command = type == QLatin1String("list") ? QStringLiteral("setlist %1 string ") : QStringLiteral("set %1 ") + type + QLatin1Char(' ');
    QStringList commands;
    for (const QString &key : keys)
        commands << command.arg(key) + value;
    return run(commands);
}

bool ExternalStore::unset(const QStringList &keys)
{
    QStringList commands;
    for (const QString &key : keys)
        commands << QStringLiteral("unset ") + key;
    return run(commands);
}

bool ExternalStore::clear(const QString &directory)
{
    QStringList keys;
    for (const QString &line : dump(directory))
        keys << line.section(QLatin1Char(' '), 0, 0);
    return keys.isEmpty() || unset(keys);
}

QString ExternalStore::read(const QString &key)
{
    QStringList answers;
    if (!run({QStringLiteral("get ") + key}, &answers) || answers.value(0) == QLatin1String("unset"))
        return QString();
    return answers.value(0);
}

QStringList ExternalStore::dump(const QString &directory)
{
    QStringList lines;
    if (!run({QStringLiteral("dump ") + directory}, &lines))
        return {QStringLiteral("dump of %1 failed").arg(directory)};
    lines.removeLast(); // "done"
    return lines;
}

bool ExternalStore::stopDaemon()
{
    const bool dconf = LoConfStore::instance().backendName() == QLatin1String("dconf");
    QProcess query;
    query.start(QStringLiteral("dbus-send"),
                {QStringLiteral("--session"), QStringLiteral("--print-reply=literal"),
                 QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                 QStringLiteral("org.freedesktop.DBus.GetConnectionUnixProcessID"),
                 dconf ? QStringLiteral("string:ca.desrt.dconf") : QStringLiteral("string:org.gnome.GConf")});
    if (!query.waitForFinished(10000) || query.exitCode() != 0)
        return false;
    // The reply reads "uint32 <pid>".
    const qint64 pid = QString::fromUtf8(query.readAllStandardOutput()).section(QLatin1Char(' '), -1).toLongLong();
    if (pid <= 1 || ::kill(pid_t(pid), SIGTERM) != 0)
        return false;
    for (int i = 0; i < 200; ++i) {
        if (::kill(pid_t(pid), 0) != 0)
            return true;
        QThread::msleep(25);
    }
    return false;
}

bool StoreSync::flush(int timeoutMs)
{
    static const QString key = QStringLiteral("/cellcounters-tests/fence");
    LoGConfItem fence(key);
    QSignalSpy spy(&fence, &LoGConfItem::valueChanged);
    // A new value each time, so that the daemon really notifies.
    return ExternalStore::setString(key, QUuid::createUuid().toString()) && (!spy.isEmpty() || spy.wait(timeoutMs));
}

StoreWriterProcess::StoreWriterProcess()
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(CELLCOUNTERS_STOREWRITER), QStringList());
    if (!m_process.waitForStarted(10000))
        qWarning() << "the store writer did not start:" << m_process.errorString();
}

StoreWriterProcess::~StoreWriterProcess()
{
    m_process.closeWriteChannel(); // end of input ends the writer
    if (!m_process.waitForFinished(5000))
        m_process.kill();
}

bool StoreWriterProcess::send(const QString &command)
{
    const QByteArray line = command.toUtf8() + '\n';
    return m_process.write(line) == line.size();
}

bool StoreWriterProcess::waitForAnswer(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!m_process.canReadLine()) {
        if (m_process.state() == QProcess::NotRunning || clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        m_process.waitForReadyRead(5);
    }
    const QByteArray answer = m_process.readLine().trimmed();
    return answer == "ok" || answer == "done";
}
