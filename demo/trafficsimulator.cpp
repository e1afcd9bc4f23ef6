// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "trafficsimulator.h"

#include "calltimers.h"
#include "datacountervalue.h"
#include "logconfitem.h"
#include "storagekeys.h"
#include "storageif.h"

#include <QDateTime>

#include <limits>

namespace {

// Bytes per step of half a second, lowest and highest: a phone browsing and
// streaming at home, checking mail while roaming.
const quint64 HomeRx[2] = {20000, 260000};
const quint64 HomeTx[2] = {2000, 30000};
const quint64 RoamingRx[2] = {1000, 22000};
const quint64 RoamingTx[2] = {200, 3000};

// A stored count (bytes or seconds) as the page reads it: unset, negative or
// unreadable counts as 0, so that the simulator carries on from a sane start.
quint64 storedCount(const QVariant &value)
{
    DataCounterValue count;
    count = value;
    return count.toBytes();
}

QString toStored(quint64 count)
{
    return QString::number(count);
}

// @p count + @p step, the largest count instead of wrapping around.
quint64 add(quint64 count, quint64 step)
{
    const quint64 max = std::numeric_limits<quint64>::max();
    return step > max - count ? max : count + step;
}

} // namespace

TrafficSimulator::TrafficSimulator(QObject *parent)
    : QObject(parent)
    , mRandom(quint32(QDateTime::currentMSecsSinceEpoch()))
{
    using namespace StorageKeys;
    mStore = new StorageIf({GprsHomeTxBytes, GprsHomeRxBytes, GprsRoamingTxBytes, GprsRoamingRxBytes}, this);
    const QString *const totals[TotalCount] = {&Cellular::CallTimersKeys::LastCall, &Cellular::CallTimersKeys::Dialled,
                                               &Cellular::CallTimersKeys::Received, &Cellular::CallTimersKeys::All};
    for (int i = 0; i < TotalCount; ++i)
        mCallTotals[i] = new LoGConfItem(*totals[i], this);
    mTimer.setInterval(500);
    connect(&mTimer, &QTimer::timeout, this, &TrafficSimulator::step);
    mCallLength = randomBetween(20, 120);
}

TrafficSimulator::~TrafficSimulator() = default;

void TrafficSimulator::setInterval(int msec)
{
    mTimer.setInterval(qMax(1, msec));
}

int TrafficSimulator::interval() const
{
    return mTimer.interval();
}

void TrafficSimulator::start()
{
    mTimer.start();
}

void TrafficSimulator::stop()
{
    mTimer.stop();
}

bool TrafficSimulator::isActive() const
{
    return mTimer.isActive();
}

quint64 TrafficSimulator::steps() const
{
    return mSteps;
}

void TrafficSimulator::step()
{
    using namespace StorageKeys;
    addBytes(GprsHomeRxBytes, randomBetween(HomeRx[0], HomeRx[1]));
    addBytes(GprsHomeTxBytes, randomBetween(HomeTx[0], HomeTx[1]));
    addBytes(GprsRoamingRxBytes, randomBetween(RoamingRx[0], RoamingRx[1]));
    addBytes(GprsRoamingTxBytes, randomBetween(RoamingTx[0], RoamingTx[1]));
    advanceCall();
    ++mSteps;
    Q_EMIT stepped(mSteps);
}

void TrafficSimulator::addBytes(StorageKeys::KeyId key, quint64 bytes)
{
    const quint64 count = storedCount(mStore->value(key, QVariant(0)));
    mStore->setValue(key, toStored(add(count, bytes)));
}

void TrafficSimulator::addSeconds(Total total, quint64 seconds)
{
    LoGConfItem *item = mCallTotals[total];
    // The library reads at most 32 bits of seconds; stay within them.
    const quint64 count = qMin<quint64>(add(storedCount(item->value()), seconds), 0xffffffffu);
    item->set(toStored(count));
}

quint64 TrafficSimulator::randomBetween(quint64 low, quint64 high)
{
    return low + mRandom.bounded(quint32(high - low + 1));
}

void TrafficSimulator::advanceCall()
{
    // Simulated time runs at a second of call per step, so the timers visibly
    // tick at every step.
    if (mPause > 0) {
        if (--mPause == 0) {
            mDialled = mRandom.bounded(2) == 0;
            mCallSeconds = 0;
            mCallLength = randomBetween(20, 120);
        }
        return;
    }
    ++mCallSeconds;
    addSeconds(mDialled ? Dialled : Received, 1);
    addSeconds(All, 1);
    mCallTotals[LastCall]->set(toStored(mCallSeconds));
    if (mCallSeconds >= mCallLength)
        mPause = randomBetween(3, 8);
}
