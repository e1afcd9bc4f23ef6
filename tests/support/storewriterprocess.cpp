#include "storewriterprocess.h"

#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>

StoreWriterProcess::StoreWriterProcess(const QString &program)
    : m_program(program)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

StoreWriterProcess::~StoreWriterProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.write("quit\n");
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(1000);
    }
}

bool StoreWriterProcess::start()
{
    m_process.start(m_program, QStringList());
    if (!m_process.waitForStarted(10000)) {
        qWarning() << "cannot start" << m_program << m_process.errorString();
        return false;
    }
    return true;
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
        if (m_process.state() == QProcess::NotRunning || clock.elapsed() > timeoutMs) {
            qWarning() << m_program << "gave no answer";
            return false;
        }
        // The caller's notifications keep coming while we wait.
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        m_process.waitForReadyRead(5);
    }
    const QByteArray answer = m_process.readLine().trimmed();
    if (answer != "ok" && answer != "done") {
        qWarning() << m_program << "answered" << answer;
        return false;
    }
    return true;
}

bool StoreWriterProcess::run(const QString &command, int timeoutMs)
{
    return send(command) && waitForAnswer(timeoutMs);
}

QString StoreWriterProcess::burst(const QString &key, int count, qulonglong first, qulonglong step)
{
    return QStringLiteral("burst %1 %2 %3 %4").arg(key).arg(count).arg(first).arg(step);
}
