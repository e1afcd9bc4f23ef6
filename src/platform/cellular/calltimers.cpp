#include "calltimers.h"

#include "logconfitem.h"

#include <QLoggingCategory>
#include <QTimer>

#include <gconf/gconf-client.h>

#include <cmath>
#include <limits>

Q_LOGGING_CATEGORY(lcCallTimers, "cellular.calltimers")

namespace Cellular {

namespace {

const char *const Directory = "/cellular/calltimers";

// Indexes into the total keys; the order is that of CallTimersInfo.
enum Total { LastCall, Dialled, Received, All, TotalCount };
const char *const TotalNames[TotalCount] = {"last_call", "dialled", "received", "all"};

QString keyPath(const char *name)
{
    return QLatin1String(Directory) + QLatin1Char('/') + QLatin1String(name);
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
            const qulonglong n = text.midRef(start).toULongLong(&ok);
            // Not ok here means more digits than 64 bits hold: too large.
            return (!ok || n > MaxSeconds) ? MaxSeconds : quint32(n);
        }
        break;
    }
    default:
        break;
    }
    qCDebug(lcCallTimers) << "unreadable value in" << key << value;
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
    ~Private();

    bool storeReachable(QVariant *available) const;
    CallTimersInfo readTotals() const;
    void scheduleReport();
    void report();

    CallTimers *const q;
    GConfClient *client = nullptr;
    LoGConfItem *totals[TotalCount] = {};
    LoGConfItem *available = nullptr;
    LoGConfItem *updateInterval = nullptr;
    CallTimersInfo reported;
    bool hasReported = false; // reported holds what listeners last saw
    bool reportPending = false;
};

CallTimers::Private::Private(CallTimers *q)
    : q(q)
    , client(gconf_client_get_default())
{
    for (int i = 0; i < TotalCount; ++i) {
        totals[i] = new LoGConfItem(keyPath(TotalNames[i]), q);
        QObject::connect(totals[i], &LoGConfItem::valueChanged, q, [this] { scheduleReport(); });
    }
    available = new LoGConfItem(keyPath("available"), q);
    QObject::connect(available, &LoGConfItem::valueChanged, q, [this] { scheduleReport(); });
    updateInterval = new LoGConfItem(keyPath("update_interval"), q);
}

CallTimers::Private::~Private()
{
    if (client)
        g_object_unref(client);
}

// Whether the store answers; @p available gets what the "available" key holds,
// read by the same request.
bool CallTimers::Private::storeReachable(QVariant *available) const
{
    if (!client)
        return false;
    GError *error = nullptr;
    const QByteArray key = keyPath("available").toLatin1();
    // What the daemon holds now, as the configuration items read it.
    gconf_client_clear_cache(client);
    GConfValue *value = gconf_client_get(client, key.constData(), &error);
    *available = QVariant();
    if (value) {
        // The kinds of value that can switch the timers off; anything else cannot.
        switch (value->type) {
        case GCONF_VALUE_BOOL:
            *available = bool(gconf_value_get_bool(value));
            break;
        case GCONF_VALUE_INT:
            *available = gconf_value_get_int(value);
            break;
        case GCONF_VALUE_STRING:
            *available = QString::fromUtf8(gconf_value_get_string(value));
            break;
        default:
            break;
        }
        gconf_value_free(value);
    }
    if (error) {
        qCDebug(lcCallTimers) << "store unreachable:" << error->message;
        g_error_free(error);
        return false;
    }
    return true;
}

CallTimers::CallTimersInfo CallTimers::Private::readTotals() const
{
    quint32 values[TotalCount];
    for (int i = 0; i < TotalCount; ++i)
        values[i] = toSeconds(totals[i]->value(), totals[i]->key());
    CallTimersInfo info;
    info.lastCall = values[LastCall];
    info.dialled = values[Dialled];
    info.received = values[Received];
    info.all = values[All];
    return info;
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
    if (!q->isValid()) {
        hasReported = false;
        return;
    }
    const CallTimersInfo info = readTotals();
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
    if (isValid()) {
        d->reported = d->readTotals();
        d->hasReported = true;
    }
}

CallTimers::~CallTimers()
{
    delete d;
}

bool CallTimers::isValid() const
{
    QVariant available;
    return d->storeReachable(&available) && !isSwitchedOff(available);
}

unsigned int CallTimers::callUpdateTime() const
{
    return toSeconds(d->updateInterval->value(), d->updateInterval->key());
}

void CallTimers::setCallUpdateTime(unsigned int seconds) const
{
    d->updateInterval->set(QString::number(seconds));
}

CallTimers::CallTimersInfo CallTimers::timers() const
{
    return isValid() ? d->readTotals() : CallTimersInfo();
}

void CallTimers::clearTimers() const
{
    if (!isValid())
        return;
    for (LoGConfItem *item : d->totals)
        item->set(QStringLiteral("0"));
}

} // namespace Cellular
