// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "teststore.h"

#include "logconfitem.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QThread>
#include <QUuid>
#include <QXmlStreamReader>
#include <signal.h>

bool ExternalStore::run(const QStringList &arguments, QString *output)
{
    QProcess tool;
    tool.start(QStringLiteral("gconftool-2"), arguments);
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        qWarning() << "gconftool-2" << arguments.mid(0, 3) << "failed:" << tool.readAllStandardError();
        return false;
    }
    if (output)
        *output = QString::fromUtf8(tool.readAllStandardOutput());
    return true;
}

bool ExternalStore::set(const QString &key, const QString &type, const QString &value)
{
    // "--" lets values such as "-5" through as values, not options.
    return run({QStringLiteral("--set"), key, QStringLiteral("--type"), type, QStringLiteral("--"), value});
}

bool ExternalStore::setString(const QString &key, const QString &value)
{
    return set(key, QStringLiteral("string"), value);
}

bool ExternalStore::setAll(const QStringList &keys, const QString &type, const QString &value)
{
    // The tool's own dump format, which --load reads back.
    QString entry;
    if (type == QLatin1String("list")) {
        for (const QString &item : value.split(QLatin1Char(',')))
            entry += QStringLiteral("<value><string>%1</string></value>").arg(item.toHtmlEscaped());
        entry = QStringLiteral("<list type=\"string\">%1</list>").arg(entry);
    } else {
        entry = QStringLiteral("<%1>%2</%1>").arg(type, value.toHtmlEscaped());
    }
    QTemporaryFile file;
    if (!file.open())
        return false;
    file.write("<?xml version=\"1.0\"?>\n<gconfentryfile><entrylist base=\"/\">\n");
    for (const QString &key : keys)
        file.write(QStringLiteral("<entry><key>%1</key><value>%2</value></entry>\n").arg(key.mid(1), entry).toUtf8());
    file.write("</entrylist></gconfentryfile>\n");
    file.close();
    return run({QStringLiteral("--load"), file.fileName()});
}

bool ExternalStore::unset(const QStringList &keys)
{
    return run(QStringList{QStringLiteral("--unset")} + keys);
}

QString ExternalStore::get(const QString &key, bool *isSet)
{
    // An unset key prints nothing; a set empty string prints an empty line.
    QString output;
    const bool ok = run({QStringLiteral("--get"), key}, &output);
    if (isSet)
        *isSet = ok && !output.isEmpty();
    if (output.endsWith(QLatin1Char('\n')))
        output.chop(1);
    return output;
}

QString ExternalStore::type(const QString &key)
{
    QString output;
    return run({QStringLiteral("--get-type"), key}, &output) ? output.trimmed() : QString();
}

QStringList ExternalStore::dump(const QString &directory)
{
    QString output;
    if (!run({QStringLiteral("--dump"), directory}, &output))
        return {QStringLiteral("dump of %1 failed").arg(directory)};
    // <entrylist base=..><entry><key>..</key><value><TYPE>..</TYPE></value>, or
    // <value><list type=..><value><TYPE>..</TYPE></value>...</list></value>.
    QStringList lines, items;
    QString base, key;
    bool inList = false;
    QXmlStreamReader xml(output);
    while (!xml.atEnd()) {
        xml.readNext();
        const QString name = xml.name().toString();
        if (xml.isEndElement() && name == QLatin1String("list")) {
            lines << QStringLiteral("%1 = list:[%2]").arg(key, items.join(QLatin1Char(',')));
            items.clear();
            inList = false;
        }
        if (!xml.isStartElement() || name == QLatin1String("entry") || name == QLatin1String("value"))
            continue;
        if (name == QLatin1String("entrylist"))
            base = xml.attributes().value(QLatin1String("base")).toString();
        else if (name == QLatin1String("key"))
            key = QDir::cleanPath(base + QLatin1Char('/') + xml.readElementText());
        else if (name == QLatin1String("list"))
            inList = true;
        else if (inList)
            items << xml.readElementText();
        else if (name != QLatin1String("gconfentryfile"))
            lines << QStringLiteral("%1 = %2:%3").arg(key, name, xml.readElementText());
    }
    lines.sort();
    return lines;
}

bool ExternalStore::stopDaemon()
{
    QProcess query;
    query.start(QStringLiteral("dbus-send"),
                {QStringLiteral("--session"), QStringLiteral("--print-reply=literal"),
                 QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                 QStringLiteral("org.freedesktop.DBus.GetConnectionUnixProcessID"),
                 QStringLiteral("string:org.gnome.GConf")});
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
