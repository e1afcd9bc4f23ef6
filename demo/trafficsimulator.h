// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef TRAFFICSIMULATOR_H
#define TRAFFICSIMULATOR_H

#include <QObject>
#include <QRandomGenerator>
#include <QTimer>

#include "storagekeys.h"

class LoGConfItem;
class StorageIf;

/**
 * Moves the store the way a phone's counter daemon and telephony stack do: at
 * every step the packet data counters of both networks grow (the home network
 * busier than roaming) and the call being made adds to the call totals. Each
 * step reads the stored values first, so a reset or a clear made meanwhile by
 * the page, a test or gconftool-2 is carried on from, not overwritten.
 */
class TrafficSimulator : public QObject
{
    Q_OBJECT
public:
    explicit TrafficSimulator(QObject *parent = nullptr);
    ~TrafficSimulator() override;

    void setInterval(int msec);
    int interval() const;

    void start();
    void stop();
    bool isActive() const;

    quint64 steps() const;

public Q_SLOTS:
    void step();

Q_SIGNALS:
    void stepped(quint64 steps);

private:
    void addBytes(StorageKeys::KeyId key, quint64 bytes);
    // The call totals, in the order of Cellular::CallTimers::CallTimersInfo.
    enum Total { LastCall, Dialled, Received, All, TotalCount };
    void addSeconds(Total total, quint64 seconds);
    quint64 randomBetween(quint64 low, quint64 high);
    void advanceCall();

    StorageIf *mStore;
    LoGConfItem *mCallTotals[TotalCount];
    QTimer mTimer;
    QRandomGenerator mRandom;
    quint64 mSteps = 0;
    // The call in progress: its direction, length so far and planned length;
    // a planned length of 0 is a pause between calls.
    bool mDialled = true;
    quint64 mCallSeconds = 0;
    quint64 mCallLength = 0;
    quint64 mPause = 0;
};

#endif
