// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "calltimers.h"

#include "cellular_debug.h"
#include "loconfstore_p.h"
#include "logconfitem.h"

#include <QTimer>

#include <cmath>
#include <limits>

namespace Cellular {

namespace CallTimersKeys {
const QString Directory = QStringLiteral("/cellular/calltimers");
const QString LastCall = QStringLiteral("/cellular/calltimers/last_call");
const QString Dialled = QStringLiteral("/cellular/calltimers/dialled");
const QString Received = QStringLiteral("/cellular/calltimers/received");
const QString All = QStringLiteral("/cellular/calltimers/all");
const QString Available = QStringLiteral("/cellular/calltimers/available");
const QString UpdateInterval = QStringLiteral("/cellular/calltimers/update_interval");
}

namespace {

// Indexes into the total keys; the order is that of CallTimersInfo.
enum Total { LastCall, Dialled, Received, All, TotalCount };

const QString &totalKey(int total)
{
    static const QString *const keys[TotalCount] = {&CallTimersKeys::LastCall, &CallTimersKeys::Dialled,
                                                    &CallTimersKeys::Received, &CallTimersKeys::All};
    return *keys[total];
}

const quint32 MaxSeconds = std::numeric_limits<quint32>::max();

// Reads a stored count of seconds. Other processes write these keys, so
// anything may be there: negative numbers and text that is no number count as
// 0, numbers beyond the range as the largest value.
quint32 toSeconds(const QVariant &value, const QString &key)
{
    switch (value.userType()) {
    case QMetaType::UnknownType:
        return 0;
    case QMetaType::Int:
        return quint32(qMax(0, value.toInt()));
    case QMetaType::Double: {
        const double d = value.toDouble();
        if (std::isnan(d) || d <= 0)
            return 0;
        return d >= double(MaxSeconds) ? MaxSeconds : quint32(d);
    }
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        int start = (text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-'))) ? 1 : 0;
        bool digits = text.size() > start;
        for (int i = start; digits && i < text.size(); ++i)
            digits = text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9');
        if (digits) {
            if (text.startsWith(QLatin1Char('-')))
                return 0;
            bool ok = false;
            const qulonglong n = QStringView(text).mid(start).toULongLong(&ok);
            // Not ok here means more digits than 64 bits hold: too large.
            return (!ok || n > MaxSeconds) ? MaxSeconds : quint32(n);
        }
        break;
    }
    default:
        break;
    }
    qCDebug(CELLULAR_LOG) << "unreadable value in" << key << value;
    return 0;
}

// Only an explicit "no" switches the timers off.
bool isSwitchedOff(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::Bool:
        return !value.toBool();
    case QMetaType::Int:
        return value.toInt() == 0;
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        return text == QLatin1String("0") || text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0;
    }
    default:
        return false;
    }
}

void registerMetaType()
{
    // Both spellings, so that queued connections and signal spies work with the
    // signature as declared inside the class.
    qRegisterMetaType<CallTimers::CallTimersInfo>();
    qRegisterMetaType<CallTimers::CallTimersInfo>("CallTimers::CallTimersInfo");
}

} // namespace

class CallTimers::Private
{
public:
    explicit Private(CallTimers *q);

    bool readKey(const QString &key, QVariant *value) const;
    bool readTimers(CallTimersInfo *info) const;
    LoGConfItem *updateIntervalItem();
    void scheduleReport();
    void report();

    CallTimers *const q;
    LoGConfItem *totals[TotalCount] = {};
    LoGConfItem *available = nullptr;
    // Made when first needed: nothing here follows the setting.
    LoGConfItem *updateInterval = nullptr;
    CallTimersInfo reported;
    bool hasReported = false; // reported holds what listeners last saw
    bool reportPending = false;
};

CallTimers::Private::Private(CallTimers *q)
    : q(q)
{
    for (int i = 0; i < TotalCount; ++i) {
        totals[i] = new LoGConfItem(totalKey(i), q);
        QObject::connect(totals[i], &LoGConfItem::valueChanged, q, [this] { scheduleReport(); });
    }
    available = new LoGConfItem(CallTimersKeys::Available, q);
    QObject::connect(available, &LoGConfItem::valueChanged, q, [this] { scheduleReport(); });
}

// Whether the timers are valid, and then their totals in @p info, from one
// read of the whole directory (known here, since the items follow it), so that
// the availability and the totals come from the same moment.
bool CallTimers::Private::readTimers(CallTimersInfo *info) const
{
    QString error;
    const QHash<QString, QVariant> stored = LoConfStore::instance().readDirectory(CallTimersKeys::Directory, &error);
    if (!error.isEmpty()) {
        qCDebug(CELLULAR_LOG) << "store unreachable:" << error.toUtf8().constData();
        return false;
    }
    if (isSwitchedOff(stored.value(CallTimersKeys::Available)))
        return false;

    quint32 values[TotalCount];
    for (int i = 0; i < TotalCount; ++i)
        values[i] = toSeconds(stored.value(totalKey(i)), totalKey(i));
    info->lastCall = values[LastCall];
    info->dialled = values[Dialled];
    info->received = values[Received];
    info->all = values[All];
    return true;
}

// What the store holds in one key; false when it does not answer.
bool CallTimers::Private::readKey(const QString &key, QVariant *value) const
{
    QString error;
    *value = LoConfStore::instance().read(key, &error);
    if (!error.isEmpty()) {
        qCDebug(CELLULAR_LOG) << "store unreachable:" << error.toUtf8().constData();
        *value = QVariant();
        return false;
    }
    return true;
}

LoGConfItem *CallTimers::Private::updateIntervalItem()
{
    if (!updateInterval)
        updateInterval = new LoGConfItem(CallTimersKeys::UpdateInterval, q);
    return updateInterval;
}

// A clear or a feeder writes several keys at once; their notifications arrive
// one by one, so they are gathered into one report on the next pass of the
// event loop.
void CallTimers::Private::scheduleReport()
{
    if (reportPending)
        return;
    reportPending = true;
    QTimer::singleShot(0, q, [this] { report(); });
}

void CallTimers::Private::report()
{
    reportPending = false;
    CallTimersInfo info;
    if (!readTimers(&info)) {
        hasReported = false;
        return;
    }
    if (hasReported && info == reported)
        return;
    reported = info;
    hasReported = true;
    Q_EMIT q->timersUpdated(info);
}

CallTimers::CallTimers(QObject *parent)
    : QObject(parent)
    , d(new Private(this))
{
    static const bool registered = (registerMetaType(), true);
    Q_UNUSED(registered)
    d->hasReported = d->readTimers(&d->reported);
}

CallTimers::~CallTimers()
{
    delete d;
}

bool CallTimers::isValid() const
{
    QVariant available;
    return d->readKey(CallTimersKeys::Available, &available) && !isSwitchedOff(available);
}

unsigned int CallTimers::callUpdateTime() const
{
    QVariant setting;
    d->readKey(CallTimersKeys::UpdateInterval, &setting);
    return toSeconds(setting, CallTimersKeys::UpdateInterval);
}

void CallTimers::setCallUpdateTime(unsigned int seconds) const
{
    d->updateIntervalItem()->set(QString::number(seconds));
}

CallTimers::CallTimersInfo CallTimers::timers() const
{
    CallTimersInfo info;
    d->readTimers(&info);
    return info;
}

void CallTimers::clearTimers() const
{
    if (!isValid())
        return;
    for (LoGConfItem *item : d->totals)
        item->set(QStringLiteral("0"));
}

} // namespace Cellular
