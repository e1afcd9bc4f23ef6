// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef DBUSPROPERTIES_H
#define DBUSPROPERTIES_H

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QVariantMap>

#include "meter_debug.h"

// Properties of the system's services, checked: a service of another version,
// or a hostile one, may send any type. A property of the wrong type is left
// as it was, with a debug line.
template<typename T>
bool takeProperty(const QVariantMap &properties, const QString &name, T *value)
{
    const auto it = properties.constFind(name);
    if (it == properties.cend())
        return false;
    QVariant v = *it;
    if (v.userType() == qMetaTypeId<QDBusVariant>())
        v = v.value<QDBusVariant>().variant();
    if (v.userType() == qMetaTypeId<QDBusArgument>()) {
        // Containers come still marshalled.
        const QDBusArgument arg = v.value<QDBusArgument>();
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        const char *expected = QDBusMetaType::typeToSignature(qMetaTypeId<T>());
#else
        const char *expected = QDBusMetaType::typeToSignature(QMetaType::fromType<T>());
#endif
        if (expected && arg.currentSignature() == QLatin1String(expected)) {
            arg >> *value;
            return true;
        }
        qCDebug(METER_LOG) << "ignored: property" << name << "of signature" << arg.currentSignature();
        return false;
    }
    if (v.userType() != qMetaTypeId<T>()) {
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        const char *wanted = QMetaType::typeName(qMetaTypeId<T>());
#else
        const char *wanted = QMetaType::fromType<T>().name();
#endif
        qCDebug(METER_LOG) << "ignored: property" << name << "of type" << v.typeName() << "instead of" << wanted;
        return false;
    }
    *value = v.value<T>();
    return true;
}

// Calls @p up on @p receiver when @p service comes onto @p bus, @p down when it
// leaves: the system's services may start later than the session, or restart.
template<typename T>
void followService(const QDBusConnection &bus, const QString &service, T *receiver, void (T::*up)(), void (T::*down)())
{
    auto *watcher = new QDBusServiceWatcher(
        service, bus, QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration, receiver);
    QObject::connect(watcher, &QDBusServiceWatcher::serviceRegistered, receiver, up);
    QObject::connect(watcher, &QDBusServiceWatcher::serviceUnregistered, receiver, down);
}

#endif
