// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef TRAFFICSIMULATOR_H
#define TRAFFICSIMULATOR_H

#include <QObject>
#include <QRandomGenerator>
#include <QTimer>

class ModemControl;

/**
 * Uses a simulated modem the way a phone is used: a data connection on wwan0
 * that moves some hundred kilobytes a second, and calls one after another,
 * dialled or received, each ringing a few seconds before it is answered. The
 * first call, dialled, lasts 65 seconds. Whatever counts the traffic and the
 * calls (the meter) follows the modem; nothing here writes the store.
 */
class TrafficSimulator : public QObject
{
    Q_OBJECT
public:
    explicit TrafficSimulator(ModemControl *modem, QObject *parent = nullptr);
    ~TrafficSimulator() override;

    /** Milliseconds between two steps of traffic (500). */
    void setInterval(int msec);

    /** Adds the modem, connects and starts the traffic and the calls. */
    void start();

    quint64 steps() const;

public Q_SLOTS:
    void step();
    /** Registers the modem on a visited network, or back on the home one. */
    void setRoaming(bool roaming);

Q_SIGNALS:
    void stepped(quint64 steps);

private:
    enum class CallState { None, Ringing, Active };

    void advanceCall();
    quint64 randomBetween(quint64 low, quint64 high);

    ModemControl *const mModem;
    QTimer mTrafficTimer;
    QTimer mCallTimer;
    QRandomGenerator mRandom;
    quint64 mSteps = 0;
    CallState mCallState = CallState::None;
    // The modem's object path of the call in progress; empty when the modem refused it.
    QString mCall;
    bool mFirstCall = true;
};

#endif
