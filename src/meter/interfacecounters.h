// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef INTERFACECOUNTERS_H
#define INTERFACECOUNTERS_H

#include <QString>

#include <optional>

/**
 * The kernel's byte counters of one network interface, as
 * <root>/<interface>/statistics/{tx,rx}_bytes and <root>/<interface>/ifindex
 * (root: /sys/class/net). They need no privilege and are always current; they
 * start again at 0 when the interface is made anew, which then has a new index.
 */
class InterfaceCounters
{
public:
    struct Reading {
        QString interface;
        unsigned long long index = 0;
        unsigned long long sent = 0;
        unsigned long long received = 0;
    };

    explicit InterfaceCounters(const QString &root = QStringLiteral("/sys/class/net"));

    /**
     * Whether @p name is a name the kernel gives an interface: 1 to 15
     * characters, not "." or "..", no '/', ':' or white space. Names come from
     * another process and go into a file path.
     */
    static bool isInterfaceName(const QString &name);

    /** The counters of @p interface now; none (with a debug line) when unreadable. */
    std::optional<Reading> read(const QString &interface) const;

private:
    QString m_root;
};

#endif
