// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "desktopnotifier.h"

#include "notifier_debug.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QVariantMap>

namespace
{
const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
}

DesktopNotifier::DesktopNotifier(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
{
}

DesktopNotifier::~DesktopNotifier() = default;

void DesktopNotifier::notify(const QString &summary, const QString &body)
{
    QDBusMessage message = QDBusMessage::createMethodCall(Service, Path, Service, QStringLiteral("Notify"));
    // The desktop entry of the same name lets the service show who warns.
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QCoreApplication::applicationName()},
                            {QStringLiteral("category"), QStringLiteral("network")}};
    // Application name, no notification to replace, icon, texts, no actions,
    // hints, and the service's own display time.
    message << QCoreApplication::applicationName() << 0u << QStringLiteral("dialog-warning") << summary << body
            << QStringList() << hints << -1;
    // Asynchronous: a service that is slow to start must not hold up the
    // counters' notices, and a missing one answers with an error.
    auto *call = new QDBusPendingCallWatcher(m_bus.asyncCall(message), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, &DesktopNotifier::callFinished);
}

void DesktopNotifier::waitForFinished()
{
    // Each watcher delivers its finished() signal before waitForFinished() returns.
    const auto calls = findChildren<QDBusPendingCallWatcher *>(QString(), Qt::FindDirectChildrenOnly);
    for (QDBusPendingCallWatcher *call : calls)
        call->waitForFinished();
}

void DesktopNotifier::callFinished(QDBusPendingCallWatcher *call)
{
    call->deleteLater();
    if (!call->isError()) {
        m_toldUnreachable = false;
        return;
    }
    if (m_toldUnreachable)
        return;
    m_toldUnreachable = true;
    qCDebug(NOTIFIER_LOG).noquote() << "No notification service on the session bus, warning not shown:"
                                    << call->error().name() << call->error().message();
}
