// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "trafficsimulator.h"

#include "modemcontrol.h"

#include <QDateTime>

namespace {

// Bytes per step of half a second, lowest and highest: a phone browsing and streaming.
const quint64 Sent[2] = {2000, 30000};
const quint64 Received[2] = {20000, 260000};

// ModemManager's values.
const int CallActive = 4;
const int RegisteredHome = 1;
const int RegisteredRoaming = 5;

// Seconds: before the first call, and the first call's length, long enough to
// show minutes on the call timers.
const int FirstCallAfter = 3;
const int FirstCallLength = 65;

} // namespace

TrafficSimulator::TrafficSimulator(ModemControl *modem, QObject *parent)
    : QObject(parent)
    , mModem(modem)
    , mRandom(quint32(QDateTime::currentMSecsSinceEpoch()))
{
    mTrafficTimer.setInterval(500);
    connect(&mTrafficTimer, &QTimer::timeout, this, &TrafficSimulator::step);
    mCallTimer.setSingleShot(true);
    // A coarse timer may fire seconds early on a long call, and the length is what the call timers show.
    mCallTimer.setTimerType(Qt::PreciseTimer);
    connect(&mCallTimer, &QTimer::timeout, this, &TrafficSimulator::advanceCall);
}

TrafficSimulator::~TrafficSimulator() = default;

void TrafficSimulator::setInterval(int msec)
{
    mTrafficTimer.setInterval(qMax(1, msec));
}

void TrafficSimulator::start()
{
    mModem->send(QStringLiteral("modem"));
    mModem->send(QStringLiteral("connect wwan0"));
    mTrafficTimer.start();
    mCallTimer.start(FirstCallAfter * 1000);
}

quint64 TrafficSimulator::steps() const
{
    return mSteps;
}

void TrafficSimulator::step()
{
    mModem->send(QStringLiteral("traffic %1 %2")
                     .arg(randomBetween(Sent[0], Sent[1]))
                     .arg(randomBetween(Received[0], Received[1])));
    ++mSteps;
    Q_EMIT stepped(mSteps);
}

void TrafficSimulator::setRoaming(bool roaming)
{
    mModem->send(QStringLiteral("register %1").arg(roaming ? RegisteredRoaming : RegisteredHome));
}

void TrafficSimulator::advanceCall()
{
    switch (mCallState) {
    case CallState::None: {
        const bool dialled = mFirstCall || mRandom.bounded(2) == 0;
        mModem->send(dialled ? QStringLiteral("call out") : QStringLiteral("call in"),
                     [this](bool ok, const QString &path) { mCall = ok ? path : QString(); });
        mCallState = CallState::Ringing;
        mCallTimer.start(int(randomBetween(2, 5)) * 1000);
        break;
    }
    case CallState::Ringing:
        if (mCall.isEmpty()) {
            mCallState = CallState::None;
            mCallTimer.start(int(randomBetween(5, 12)) * 1000);
            break;
        }
        mModem->send(QStringLiteral("callstate %1 %2").arg(mCall).arg(CallActive));
        mCallState = CallState::Active;
        mCallTimer.start((mFirstCall ? FirstCallLength : int(randomBetween(8, 30))) * 1000);
        mFirstCall = false;
        break;
    case CallState::Active:
        mModem->send(QStringLiteral("hangup %1").arg(mCall));
        mCall.clear();
        mCallState = CallState::None;
        mCallTimer.start(int(randomBetween(5, 12)) * 1000);
        break;
    }
}

quint64 TrafficSimulator::randomBetween(quint64 low, quint64 high)
{
    return low + mRandom.bounded(quint32(high - low + 1));
}
