// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "interfacecounters.h"

#include "meter_debug.h"

#include <QFile>

namespace
{
const int MaxNameLength = 15; // IFNAMSIZ less the terminating zero

// A file of one unsigned decimal number and a line end, as the kernel writes them.
std::optional<unsigned long long> readNumber(const QString &path)
{
    QFile file(path);
    // Sampled every few seconds: no buffer to fill for a line of digits.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        qCDebug(METER_LOG) << "cannot read" << path << ':' << file.errorString();
        return std::nullopt;
    }
    const QByteArray text = file.read(32).trimmed();
    bool ok = false;
    const unsigned long long number = text.toULongLong(&ok, 10);
    if (!ok || text.startsWith('+')) {
        qCDebug(METER_LOG) << "not a counter in" << path << ':' << text.left(24);
        return std::nullopt;
    }
    return number;
}
} // namespace

InterfaceCounters::InterfaceCounters(const QString &root)
    : m_root(root)
{
}

bool InterfaceCounters::isInterfaceName(const QString &name)
{
    if (name.isEmpty() || name.size() > MaxNameLength || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char(':') || c.isSpace() || c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

std::optional<InterfaceCounters::Reading> InterfaceCounters::read(const QString &interface) const
{
    if (!isInterfaceName(interface)) {
        qCDebug(METER_LOG) << "not an interface name:" << interface.left(64);
        return std::nullopt;
    }
    const QString dir = m_root + QLatin1Char('/') + interface + QLatin1Char('/');
    const auto index = readNumber(dir + QLatin1String("ifindex"));
    const auto sent = readNumber(dir + QLatin1String("statistics/tx_bytes"));
    const auto received = readNumber(dir + QLatin1String("statistics/rx_bytes"));
    if (!index || !sent || !received)
        return std::nullopt;
    return Reading{interface, *index, *sent, *received};
}
