// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "callmeter.h"

#include "crashpoint.h"
#include "meter_debug.h"
#include "modemmanagermodem.h"

#include "calltimers.h"
#include "logconfitem.h"
#include "storagekeys.h"

#include <QDateTime>

#include <limits>

using Cellular::CallTimers;
namespace Keys = Cellular::CallTimersKeys;

namespace
{
enum Total { LastCall, Dialled, Received, All, TotalCount };

const QString RecordVersion = QStringLiteral("1");
const int RecordHead = 6; // version, four totals, clearing date
const int RecordCall = 4; // path, direction, since, counted

quint32 saturatingAdd(quint32 a, quint32 b)
{
    return b > std::numeric_limits<quint32>::max() - a ? std::numeric_limits<quint32>::max() : a + b;
}

quint32 secondsSince(qint64 since)
{
    const qint64 seconds = (QDateTime::currentMSecsSinceEpoch() - since) / 1000;
    return seconds <= 0 ? 0 : quint32(qMin<qint64>(seconds, std::numeric_limits<quint32>::max()));
}
} // namespace

CallMeter::CallMeter(QObject *parent)
    : QObject(parent)
    , m_timers(new CallTimers(this))
    , m_state(new LoGConfItem(stateKey(), this))
    , m_cleared(new LoGConfItem(StorageKeys::CallTimersResetDatePath, this))
    , m_updateInterval(new LoGConfItem(Keys::UpdateInterval, this))
{
    for (const QString *key : {&Keys::LastCall, &Keys::Dialled, &Keys::Received, &Keys::All})
        m_totals << new LoGConfItem(*key, this);
    // Never early: a tick just before a whole second would count one second less.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { advance(); });
    connect(m_updateInterval, &LoGConfItem::valueChanged, this, [this] {
        m_timer.stop();
        updateTimer();
    });
    connect(m_cleared, &LoGConfItem::valueChanged, this, &CallMeter::wasCleared);
    resume();
}

CallMeter::~CallMeter() = default;

QString CallMeter::stateKey()
{
    return QStringLiteral("/cellui/meter/call_state");
}

void CallMeter::callChanged(const QString &path, int direction, int state)
{
    if (state == ModemManagerModem::Terminated) {
        callGone(path);
        return;
    }
    auto running = m_running.find(path);
    if (running != m_running.end()) {
        running->direction = direction;
        return;
    }
    if (state != ModemManagerModem::Active && state != ModemManagerModem::Held)
        return;
    // A call that was running when the meter stopped goes on from where it was.
    const Running call = m_resumable.contains(path) ? m_resumable.take(path)
                                                    : Running{direction, QDateTime::currentMSecsSinceEpoch(), 0};
    qCDebug(METER_LOG) << "call" << path << "active, direction" << direction;
    m_running.insert(path, Running{direction, call.since, call.counted});
    // Known from now on to a meter that starts again.
    if (m_timers->isValid())
        writeRecord(m_timers->timers());
    updateTimer();
}

void CallMeter::callGone(const QString &path)
{
    if (!m_running.contains(path))
        return;
    qCDebug(METER_LOG) << "call" << path << "ended";
    advance(path);
    updateTimer();
}

void CallMeter::advance(const QString &ended)
{
    // Unavailable timers read as 0: adding to that would lose the totals. The
    // seconds wait, unless the call ends meanwhile.
    if (!m_timers->isValid()) {
        qCDebug(METER_LOG) << "call timers unavailable, not written";
        if (!ended.isEmpty())
            m_running.remove(ended);
        return;
    }
    const CallTimers::CallTimersInfo info = m_timers->timers();
    QList<quint32> totals{info.lastCall, info.dialled, info.received, info.all};
    bool added = false;
    for (auto it = m_running.begin(); it != m_running.end(); ++it) {
        const quint32 elapsed = secondsSince(it->since);
        if (elapsed <= it->counted)
            continue;
        const quint32 seconds = elapsed - it->counted;
        it->counted = elapsed;
        if (it->direction == ModemManagerModem::Outgoing || it->direction == ModemManagerModem::Incoming) {
            const int total = it->direction == ModemManagerModem::Outgoing ? Dialled : Received;
            totals[total] = saturatingAdd(totals[total], seconds);
        }
        totals[All] = saturatingAdd(totals[All], seconds);
        totals[LastCall] = elapsed;
        added = true;
    }
    if (!ended.isEmpty())
        totals[LastCall] = m_running.take(ended).counted;
    if (added || !ended.isEmpty())
        commit(totals);
}

void CallMeter::wasCleared()
{
    qCDebug(METER_LOG) << "call timers were cleared";
    // Seconds not counted yet may be from before the clearing.
    for (Running &call : m_running)
        call.counted = secondsSince(call.since);
    commit(QList<quint32>{0, 0, 0, 0});
}

void CallMeter::writeRecord(const CallTimers::CallTimersInfo &info)
{
    commitRecord({info.lastCall, info.dialled, info.received, info.all});
}

void CallMeter::commitRecord(const QList<quint32> &totals)
{
    QStringList record{RecordVersion};
    for (quint32 total : totals)
        record << QString::number(total);
    record << m_cleared->value().toString();
    for (auto it = m_running.cbegin(); it != m_running.cend(); ++it)
        record << it.key() << QString::number(it->direction) << QString::number(it->since)
               << QString::number(it->counted);
    m_state->set(record);
}

void CallMeter::commit(const QList<quint32> &totals)
{
    commitRecord(totals);
    crashPoint();
    for (int total = 0; total < TotalCount; ++total)
        m_totals.at(total)->set(QString::number(totals.at(total)));
    crashPoint();
}

// The state a kill left: the write it may have cut short, and the calls that were running.
void CallMeter::resume()
{
    const QStringList record = m_state->value().toStringList();
    if (record.isEmpty())
        return;
    bool ok = record.size() >= RecordHead && (record.size() - RecordHead) % RecordCall == 0
        && record.at(0) == RecordVersion;
    QList<quint32> totals;
    for (int total = 0; ok && total < TotalCount; ++total)
        totals << record.at(1 + total).toUInt(&ok);
    QHash<QString, Running> calls;
    for (int i = RecordHead; ok && i < record.size(); i += RecordCall) {
        bool direction = false, since = false, counted = false;
        const Running call{record.at(i + 1).toInt(&direction), record.at(i + 2).toLongLong(&since),
                           record.at(i + 3).toUInt(&counted)};
        ok = direction && since && counted;
        calls.insert(record.at(i), call);
    }
    if (!ok) {
        qCDebug(METER_LOG) << "ignored: unreadable state in" << stateKey();
        return;
    }
    m_resumable = calls;
    // A clearing since then stands: nothing of before it is written again.
    if (m_cleared->value().toString() != record.at(RecordHead - 1))
        return;
    const CallTimers::CallTimersInfo info = m_timers->timers();
    if (QList<quint32>{info.lastCall, info.dialled, info.received, info.all} != totals) {
        qCDebug(METER_LOG) << "finishing the write that was cut short:" << totals;
        for (int total = 0; total < TotalCount; ++total)
            m_totals.at(total)->set(QString::number(totals.at(total)));
    }
}

void CallMeter::updateTimer()
{
    bool ok = false;
    const int seconds = m_updateInterval->value().toString().trimmed().toInt(&ok);
    if (m_running.isEmpty() || !ok || seconds <= 0) {
        m_timer.stop();
        return;
    }
    if (!m_timer.isActive())
        m_timer.start(qMin(seconds, 3600) * 1000);
}
