// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef QUICKCALLTIMERS_H
#define QUICKCALLTIMERS_H

#include "calltimers.h"
#include "cellcounters_export.h"

#include <QDateTime>
#include <QObject>
#include <QString>

class LoGConfItem;

/**
 * The call timers for Qt Quick (the QML type CallTimers of org.cellcounters):
 * the durations and the clearing date as the call timers section shows them,
 * and clearing, over the cellular library's CallTimers and the clearing date's
 * key. The durations are empty while the timers are unavailable. Everything
 * follows its source live.
 */
class CELLCOUNTERS_EXPORT QuickCallTimers : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool available READ isAvailable NOTIFY timersChanged)
    /** All dialled calls, h:mm:ss in the locale's digits. */
    Q_PROPERTY(QString dialled READ dialled NOTIFY timersChanged)
    Q_PROPERTY(QString received READ received NOTIFY timersChanged)
    Q_PROPERTY(QString all READ all NOTIFY timersChanged)
    /** The date the timers were last cleared, in the user's locale, or the "never" text. */
    Q_PROPERTY(QString clearedOn READ clearedOn NOTIFY clearedOnChanged)

public:
    explicit QuickCallTimers(QObject *parent = nullptr);
    ~QuickCallTimers() override;

    bool isAvailable() const;
    QString dialled() const;
    QString received() const;
    QString all() const;
    QString clearedOn() const;

    /** Clears the timers and stores today as the clearing date; the user has confirmed it. */
    Q_INVOKABLE void clear();

Q_SIGNALS:
    void timersChanged();
    void clearedOnChanged();

private:
    enum Timer { Dialled, Received, All };
    QString timer(Timer which) const;
    void clearingDateChanged();

    void timersUpdated(const Cellular::CallTimers::CallTimersInfo &info);

    Cellular::CallTimers *const m_timers;
    LoGConfItem *const m_clearingDate;
    QDateTime m_clearedOn;
    // The totals as last reported, so that the three durations share one read.
    Cellular::CallTimers::CallTimersInfo m_info;
};

#endif
