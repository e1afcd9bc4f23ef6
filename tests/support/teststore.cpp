// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "teststore.h"

#include "logconfitem.h"

#include <QCoreApplication>
#include <QDebug>
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

bool ExternalStore::setInt(const QString &key, int value)
{
    return set(key, QStringLiteral("int"), QString::number(value));
}

bool ExternalStore::setList(const QString &key, const QString &listType, const QStringList &values)
{
    return run({QStringLiteral("--set"), key, QStringLiteral("--type"), QStringLiteral("list"),
                QStringLiteral("--list-type"), listType, QStringLiteral("--"),
                QLatin1Char('[') + values.join(QLatin1Char(',')) + QLatin1Char(']')});
}

bool ExternalStore::unset(const QString &key)
{
    return unset(QStringList{key});
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

void StoreBatch::set(const QString &key, const QString &type, const QString &value)
{
    m_entries += QStringLiteral("<entry><key>%1</key><value><%2>%3</%2></value></entry>\n")
                     .arg(key.mid(1).toHtmlEscaped(), type, value.toHtmlEscaped());
}

void StoreBatch::setList(const QString &key, const QString &listType, const QStringList &values)
{
    QString items;
    for (const QString &value : values)
        items += QStringLiteral("<value><%1>%2</%1></value>").arg(listType, value.toHtmlEscaped());
    m_entries += QStringLiteral("<entry><key>%1</key><value><list type=\"%2\">%3</list></value></entry>\n")
                     .arg(key.mid(1).toHtmlEscaped(), listType, items);
}

void StoreBatch::unset(const QString &key)
{
    m_unsets.append(key);
}

bool StoreBatch::commit()
{
    bool ok = m_unsets.isEmpty() || ExternalStore::unset(m_unsets);
    if (!m_entries.isEmpty()) {
        // The tool's own dump format, which --load reads back.
        QTemporaryFile file;
        ok = file.open() && ok;
        file.write("<?xml version=\"1.0\"?>\n<gconfentryfile><entrylist base=\"/\">\n");
        file.write(m_entries.toUtf8() + "</entrylist></gconfentryfile>\n");
        file.close();
        ok = ExternalStore::run({QStringLiteral("--load"), file.fileName()}) && ok;
    }
    m_entries.clear();
    m_unsets.clear();
    return ok;
}

namespace
{
// Reads the contents of a <value> element into "type:text".
QString readValue(QXmlStreamReader &xml)
{
    QString result;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("list")) {
            QStringList items;
            while (xml.readNextStartElement())
                items << readValue(xml).section(QLatin1Char(':'), 1);
            result = QStringLiteral("list:[%1]").arg(items.join(QLatin1Char(',')));
        } else {
            result = xml.name().toString() + QLatin1Char(':') + xml.readElementText();
        }
    }
    return result;
}
} // namespace

QMap<QString, QString> StoreSnapshot::take(const QString &directory)
{
    QMap<QString, QString> result;
    QString output;
    if (!ExternalStore::run({QStringLiteral("--dump"), directory}, &output))
        return result;
    QXmlStreamReader xml(output);
    QString base, key;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("entrylist"))
            base = xml.attributes().value(QLatin1String("base")).toString() + QLatin1Char('/');
        else if (xml.name() == QLatin1String("key"))
            key = xml.readElementText();
        else if (xml.name() == QLatin1String("value"))
            result.insert(QString(base + key).replace(QStringLiteral("//"), QStringLiteral("/")), readValue(xml));
    }
    return result;
}

QStringList StoreSnapshot::differences(const QMap<QString, QString> &before, const QMap<QString, QString> &after)
{
    QMap<QString, QString> all = before;
    all.insert(after);
    QStringList lines;
    const QString unset = QStringLiteral("<unset>");
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        const QString a = before.value(it.key(), unset), b = after.value(it.key(), unset);
        if (a != b)
            lines << QStringLiteral("%1: %2 -> %3").arg(it.key(), a.left(60), b.left(60));
    }
    return lines;
}

bool StoreSync::flush(int timeoutMs)
{
    static const QString key = QStringLiteral("/cellcounters-tests/fence");
    LoGConfItem fence(key);
    QSignalSpy spy(&fence, &LoGConfItem::valueChanged);
    // A new value each time, so that the daemon really notifies.
    return ExternalStore::setString(key, QUuid::createUuid().toString()) && (!spy.isEmpty() || spy.wait(timeoutMs));
}

StoreWriterProcess::StoreWriterProcess(const QString &program)
    : m_program(program)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

StoreWriterProcess::~StoreWriterProcess()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel(); // end of input ends the writer
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(1000);
}

bool StoreWriterProcess::start()
{
    m_process.start(m_program, QStringList());
    return m_process.waitForStarted(10000);
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

bool StoreWriterProcess::run(const QString &command, int timeoutMs)
{
    return send(command) && waitForAnswer(timeoutMs);
}

QString StoreWriterProcess::burst(const QString &key, int count, qulonglong first, qulonglong step)
{
    return QStringLiteral("burst %1 %2 %3 %4").arg(key).arg(count).arg(first).arg(step);
}
