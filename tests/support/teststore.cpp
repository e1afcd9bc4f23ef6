#include "teststore.h"

#include "logconfitem.h"

#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryFile>
#include <QThread>
#include <QUuid>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <signal.h>
#include <sys/types.h>

bool ExternalStore::run(const QStringList &arguments, QString *output)
{
    QProcess tool;
    tool.start(QStringLiteral("gconftool-2"), arguments);
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        qWarning() << "gconftool-2" << arguments << "failed:" << tool.errorString()
                   << tool.readAllStandardError();
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
    return run({QStringLiteral("--unset"), key});
}

bool ExternalStore::unset(const QStringList &keys)
{
    return run(QStringList{QStringLiteral("--unset")} + keys);
}

QString ExternalStore::get(const QString &key, bool *isSet)
{
    // gconftool-2 exits with 0 for an unset key too, and then prints nothing on
    // standard output; a set empty string prints an empty line.
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
    if (!run({QStringLiteral("--get-type"), key}, &output))
        return QString();
    return output.trimmed();
}

bool ExternalStore::stopDaemon()
{
    QProcess query;
    query.start(QStringLiteral("dbus-send"),
                {QStringLiteral("--session"), QStringLiteral("--print-reply=literal"),
                 QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                 QStringLiteral("org.freedesktop.DBus.GetConnectionUnixProcessID"),
                 QStringLiteral("string:org.gnome.GConf")});
    if (!query.waitForFinished(10000) || query.exitCode() != 0) {
        qWarning() << "no configuration daemon on the session bus:" << query.readAllStandardError();
        return false;
    }
    // The reply reads "uint32 <pid>".
    const QStringList words = QString::fromUtf8(query.readAllStandardOutput()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool ok = false;
    const qint64 pid = words.isEmpty() ? 0 : words.last().trimmed().toLongLong(&ok);
    if (!ok || pid <= 1)
        return false;
    if (::kill(pid_t(pid), SIGTERM) != 0)
        return false;
    // Wait until the bus no longer knows the old daemon.
    for (int i = 0; i < 200; ++i) {
        if (::kill(pid_t(pid), 0) != 0)
            return true;
        QThread::msleep(25);
    }
    return false;
}

void StoreBatch::set(const QString &key, const QString &type, const QString &value)
{
    m_entries.append({key, type, QString(), {value}});
}

void StoreBatch::setList(const QString &key, const QString &listType, const QStringList &values)
{
    m_entries.append({key, QStringLiteral("list"), listType, values});
}

void StoreBatch::unset(const QString &key)
{
    m_unsets.append(key);
}

bool StoreBatch::commit()
{
    bool ok = true;
    if (!m_unsets.isEmpty())
        ok = ExternalStore::unset(m_unsets);

    if (!m_entries.isEmpty()) {
        // The format of gconftool-2 --dump, which --load reads back.
        QTemporaryFile file;
        if (!file.open())
            return false;
        QXmlStreamWriter xml(&file);
        xml.writeStartDocument();
        xml.writeStartElement(QStringLiteral("gconfentryfile"));
        xml.writeStartElement(QStringLiteral("entrylist"));
        xml.writeAttribute(QStringLiteral("base"), QStringLiteral("/"));
        for (const Entry &entry : qAsConst(m_entries)) {
            xml.writeStartElement(QStringLiteral("entry"));
            xml.writeTextElement(QStringLiteral("key"), entry.key.mid(1));
            xml.writeStartElement(QStringLiteral("value"));
            if (entry.type == QLatin1String("list")) {
                xml.writeStartElement(QStringLiteral("list"));
                xml.writeAttribute(QStringLiteral("type"), entry.listType);
                for (const QString &value : entry.values) {
                    xml.writeStartElement(QStringLiteral("value"));
                    xml.writeTextElement(entry.listType, value);
                    xml.writeEndElement();
                }
                xml.writeEndElement();
            } else {
                xml.writeTextElement(entry.type, entry.values.value(0));
            }
            xml.writeEndElement(); // value
            xml.writeEndElement(); // entry
        }
        xml.writeEndDocument();
        file.close();
        ok = ExternalStore::run({QStringLiteral("--load"), file.fileName()}) && ok;
    }
    m_entries.clear();
    m_unsets.clear();
    return ok;
}

namespace
{
// Long values are cut for the report, not for the comparison.
QString shortened(const QString &value)
{
    return value.size() > 80 ? value.left(60) + QStringLiteral("...(%1 characters)").arg(value.size()) : value;
}

// Reads one <value> element (the reader stands on its start) into "type:text".
QString readValue(QXmlStreamReader &xml)
{
    QString result;
    while (xml.readNextStartElement()) {
        const QString type = xml.name().toString();
        if (type == QLatin1String("list")) {
            const QString listType = xml.attributes().value(QLatin1String("type")).toString();
            QStringList items;
            while (xml.readNextStartElement()) { // <value>
                const QString item = readValue(xml);
                items << item.mid(item.indexOf(QLatin1Char(':')) + 1);
            }
            result = QStringLiteral("list<%1>:[%2]").arg(listType, items.join(QLatin1Char(',')));
        } else {
            result = type + QLatin1Char(':') + xml.readElementText();
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
    QString base;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("entrylist")) {
            base = xml.attributes().value(QLatin1String("base")).toString();
        } else if (xml.name() == QLatin1String("entry")) {
            QString key;
            QString value;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("key"))
                    key = xml.readElementText();
                else if (xml.name() == QLatin1String("value"))
                    value = readValue(xml);
                else
                    xml.skipCurrentElement();
            }
            // Keys without a value (schemas only) are not stored values.
            if (!value.isEmpty())
                result.insert(base.endsWith(QLatin1Char('/')) ? QString(base + key) : QString(base + QLatin1Char('/') + key),
                              value);
        }
    }
    if (xml.hasError())
        qWarning("StoreSnapshot: cannot read the dump of %s: %s", qPrintable(directory),
                 qPrintable(xml.errorString()));
    return result;
}

QStringList StoreSnapshot::differences(const QMap<QString, QString> &before, const QMap<QString, QString> &after)
{
    QStringList keys = before.keys() + after.keys();
    keys.removeDuplicates();
    keys.sort();
    QStringList lines;
    const QString unset = QStringLiteral("<unset>");
    for (const QString &key : qAsConst(keys)) {
        const QString a = before.value(key, unset);
        const QString b = after.value(key, unset);
        if (a != b)
            lines << QStringLiteral("%1: %2 -> %3").arg(key, shortened(a), shortened(b));
    }
    return lines;
}

bool StoreSync::flush(int timeoutMs)
{
    static const QString key = QStringLiteral("/cellcounters-tests/fence");
    LoGConfItem fence(key);
    QSignalSpy spy(&fence, &LoGConfItem::valueChanged);
    // A new value each time, so that the daemon really notifies.
    if (!ExternalStore::setString(key, QUuid::createUuid().toString()))
        return false;
    return !spy.isEmpty() || spy.wait(timeoutMs);
}

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
