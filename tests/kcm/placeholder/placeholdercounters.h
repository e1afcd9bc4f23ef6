// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef PLACEHOLDERCOUNTERS_H
#define PLACEHOLDERCOUNTERS_H

#include <QObject>
#include <QString>

class NetworkCounters;
class StorageIf;

/**
 * The home network's counters as the QML type NetworkCounters, with the few
 * members the settings module's window test drives. It stands in for the QML
 * module of the library until that is in the tree.
 */
class PlaceholderCounters : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString sent READ sent NOTIFY trafficChanged)
    Q_PROPERTY(bool warningOn READ isWarningOn NOTIFY limitChanged)
    Q_PROPERTY(QString limit READ limit NOTIFY limitChanged)

public:
    explicit PlaceholderCounters(QObject *parent = nullptr);
    ~PlaceholderCounters() override;

    QString sent() const;
    bool isWarningOn() const;
    QString limit() const;

    Q_INVOKABLE void setWarning(bool on);
    Q_INVOKABLE QString commitLimit(const QString &text);

Q_SIGNALS:
    void trafficChanged();
    void limitChanged();

private:
    StorageIf *m_store;
    NetworkCounters *m_counters;
};

#endif
