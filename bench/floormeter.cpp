// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "floormeter.h"

#include "floorstore.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace
{
const QString ModemManager = QStringLiteral("org.freedesktop.ModemManager1");
const QString Registration = QStringLiteral("org.freedesktop.ModemManager1.Modem.Modem3gpp");

bool readNumber(const QByteArray &path, unsigned long long *number)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char text[32];
    const ssize_t size = ::read(fd, text, sizeof(text) - 1);
    ::close(fd);
    if (size <= 0)
        return false;
    text[size] = '\0';
    char *end = nullptr;
    errno = 0;
    *number = std::strtoull(text, &end, 10);
    return errno == 0 && end != text;
}
} // namespace

FloorMeter::FloorMeter(const QDBusConnection &bus, const QString &sysfsRoot, const QString &interface,
                       const QString &key, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
    , m_sentPath(QString(sysfsRoot + QLatin1Char('/') + interface + QLatin1String("/statistics/tx_bytes")).toLocal8Bit())
    , m_receivedPath(QString(sysfsRoot + QLatin1Char('/') + interface + QLatin1String("/statistics/rx_bytes")).toLocal8Bit())
    , m_key{key.toUtf8()}
{
    m_total = FloorStore::instance().text(m_key.constFirst()).toULongLong();
    m_valid = read(&m_sent, &m_received)
        && m_bus.connect(ModemManager, QString(), QStringLiteral("org.freedesktop.DBus.Properties"),
                         QStringLiteral("PropertiesChanged"), this,
                         SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
}

FloorMeter::~FloorMeter()
{
    m_bus.disconnect(ModemManager, QString(), QStringLiteral("org.freedesktop.DBus.Properties"),
                     QStringLiteral("PropertiesChanged"), this, SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
}

bool FloorMeter::sample()
{
    unsigned long long sent = 0;
    unsigned long long received = 0;
    if (!read(&sent, &received))
        return false;
    if (sent == m_sent && received == m_received)
        return true;
    m_total += sent - m_sent;
    m_sent = sent;
    m_received = received;
    if (!FloorStore::instance().setStrings(m_key, QByteArray::number(m_total)))
        return false;
    Q_EMIT written();
    return true;
}

void FloorMeter::propertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &)
{
    if (interface == Registration && changed.contains(QStringLiteral("RegistrationState")))
        sample();
}

bool FloorMeter::read(unsigned long long *sent, unsigned long long *received) const
{
    return readNumber(m_sentPath, sent) && readNumber(m_receivedPath, received);
}
