// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "processwakeups.h"

#include <QDir>
#include <QFile>

#include <optional>

namespace
{
/** The number after @p field in a /proc status file, or nothing. */
std::optional<quint64> statusField(const QString &path, const QByteArray &field)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The file is generated as a whole on read; a line at a time would read it more than once.
    const QByteArrayList lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(field))
            return line.mid(field.size()).simplified().split(' ').value(0).toULongLong();
    }
    return std::nullopt;
}
} // namespace

ProcessWakeups::ProcessWakeups(qint64 pid)
    : m_tasks(QStringLiteral("/proc/%1/task").arg(pid))
    , m_counts(read())
{
}

bool ProcessWakeups::poll()
{
    const QHash<QString, quint64> counts = read();
    if (counts.isEmpty())
        return false;
    quint64 rise = 0;
    for (auto thread = counts.cbegin(); thread != counts.cend(); ++thread)
        rise += thread.value() - qMin(thread.value(), m_counts.value(thread.key()));
    m_counts = counts;
    if (rise == 0)
        return true;
    if (!m_lastRise.isValid() || m_lastRise.elapsed() >= MergeMs)
        ++m_wakeups;
    m_lastRise.start();
    m_switches += rise;
    return true;
}

quint64 ProcessWakeups::residentKiB(qint64 pid)
{
    return statusField(QStringLiteral("/proc/%1/status").arg(pid), "VmRSS:").value_or(0);
}

QHash<QString, quint64> ProcessWakeups::read() const
{
    QHash<QString, quint64> counts;
    const QStringList threads = QDir(m_tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &thread : threads) {
        if (const auto count = statusField(m_tasks + QLatin1Char('/') + thread + QLatin1String("/status"),
                                           "voluntary_ctxt_switches:"))
            counts.insert(thread, *count);
    }
    return counts;
}
