// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef DESKTOPNOTIFIER_H
#define DESKTOPNOTIFIER_H

#include <QDBusConnection>
#include <QObject>

class QDBusPendingCallWatcher;

/**
 * Posts desktop notifications through the notification service of a bus
 * (org.freedesktop.Notifications, method Notify), without waiting for it.
 *
 * When the service cannot be reached, one debug line says so; it is said again
 * only after a notification got through in between.
 */
class DesktopNotifier : public QObject
{
    Q_OBJECT
public:
    explicit DesktopNotifier(const QDBusConnection &bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);
    ~DesktopNotifier() override;

    void notify(const QString &summary, const QString &body);
    /** Waits for the service's answers to every notification posted so far. */
    void waitForFinished();

private:
    void callFinished(QDBusPendingCallWatcher *call);

    QDBusConnection m_bus;
    bool m_toldUnreachable = false;
};

#endif
