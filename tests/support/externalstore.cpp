#include "externalstore.h"

#include <QDebug>
#include <QProcess>
#include <QThread>

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
