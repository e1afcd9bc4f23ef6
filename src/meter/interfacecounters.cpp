// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "interfacecounters.h"

#include "meter_debug.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <limits>

#include <fcntl.h>
#include <unistd.h>

namespace
{
const int MaxNameLength = 15; // IFNAMSIZ less the terminating zero

// A file of one unsigned decimal number and a line end, as the kernel writes
// them. Read with the bare system calls: it happens at every sample.
std::optional<unsigned long long> readNumber(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        qCDebug(METER_LOG) << "cannot read" << path << ':' << std::strerror(errno);
        return std::nullopt;
    }
    char text[32];
    ssize_t size;
    do {
        size = ::read(fd, text, sizeof text);
    } while (size < 0 && errno == EINTR);
    ::close(fd);
    unsigned long long number = 0;
    ssize_t digits = 0;
    for (; digits < size && text[digits] >= '0' && text[digits] <= '9'; ++digits) {
        const unsigned digit = unsigned(text[digits] - '0');
        if (number > (std::numeric_limits<unsigned long long>::max() - digit) / 10)
            break;
        number = number * 10 + digit;
    }
    const bool whole = digits > 0 && (digits == size || (digits == size - 1 && text[digits] == '\n'));
    if (!whole) {
        qCDebug(METER_LOG) << "not a counter in" << path << ':' << QByteArray(text, int(qMax<ssize_t>(size, 0))).left(24);
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
    const QByteArray dir = QFile::encodeName(m_root + QLatin1Char('/') + interface + QLatin1Char('/'));
    const auto index = readNumber(dir + "ifindex");
    const auto sent = readNumber(dir + "statistics/tx_bytes");
    const auto received = readNumber(dir + "statistics/rx_bytes");
    if (!index || !sent || !received)
        return std::nullopt;
    return Reading{interface, *index, *sent, *received};
}
