#include "calltimers.h"

#include "logconfitem.h"

#include <QLoggingCategory>
#include <QTimer>

#include <gconf/gconf-client.h>

#include <cmath>
#include <cstring>
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

// A stored value as the configuration items give it, for the kinds that the
// keys here can sensibly hold; false for a list or a pair, which they read in
// full themselves.
bool toScalar(const GConfValue *value, QVariant *result)
{
    *result = QVariant();
    if (!value)
        return true;
    switch (value->type) {
    case GCONF_VALUE_STRING:
        *result = QString::fromUtf8(gconf_value_get_string(value));
        return true;
    case GCONF_VALUE_INT:
        *result = gconf_value_get_int(value);
        return true;
    case GCONF_VALUE_FLOAT:
        *result = gconf_value_get_float(value);
        return true;
    case GCONF_VALUE_BOOL:
        *result = bool(gconf_value_get_bool(value));
        return true;
    case GCONF_VALUE_LIST:
    case GCONF_VALUE_PAIR:
        return false;
    case GCONF_VALUE_SCHEMA:
    case GCONF_VALUE_INVALID:
        break;
    }
    return true;
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

    bool readKey(const char *name, QVariant *value, bool *scalar) const;
    bool readTimers(CallTimersInfo *info) const;
    LoGConfItem *updateIntervalItem();
    void scheduleReport();
    void report();

    CallTimers *const q;
    GConfClient *client = nullptr;
    LoGConfItem *totals[TotalCount] = {};
    LoGConfItem *available = nullptr;
    // Made when first needed: nothing here follows the setting, and an item
    // costs a request to the daemon when it starts listening.
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
}

CallTimers::Private::~Private()
{
    if (client)
        g_object_unref(client);
}

// Whether the timers are valid, and then their totals in @p info, from one
// request for the whole directory: a round trip to the daemon costs more than
// anything else here, and the availability and the totals then come from the
// same moment. What the daemon holds now, as the configuration items read it:
// GConf's client cache is not consulted.
bool CallTimers::Private::readTimers(CallTimersInfo *info) const
{
    if (!client)
        return false;
    gconf_client_clear_cache(client);
    GError *error = nullptr;
    GSList *entries = gconf_client_all_entries(client, Directory, &error);
    if (error) {
        qCDebug(lcCallTimers) << "store unreachable:" << error->message;
        g_error_free(error);
        g_slist_free_full(entries, reinterpret_cast<GDestroyNotify>(gconf_entry_unref));
        return false;
    }
    QVariant availability;
    QVariant stored[TotalCount];
    bool scalar[TotalCount] = {true, true, true, true};
    for (GSList *it = entries; it; it = it->next) {
        auto *entry = static_cast<GConfEntry *>(it->data);
        const char *key = gconf_entry_get_key(entry);
        const char *slash = strrchr(key, '/');
        const char *name = slash ? slash + 1 : key;
        const GConfValue *value = gconf_entry_get_value(entry);
        if (qstrcmp(name, "available") == 0) {
            toScalar(value, &availability);
            continue;
        }
        for (int i = 0; i < TotalCount; ++i) {
            if (qstrcmp(name, TotalNames[i]) == 0)
                scalar[i] = toScalar(value, &stored[i]);
        }
    }
    g_slist_free_full(entries, reinterpret_cast<GDestroyNotify>(gconf_entry_unref));
    if (isSwitchedOff(availability))
        return false;

    quint32 values[TotalCount];
    for (int i = 0; i < TotalCount; ++i) {
        const QVariant value = scalar[i] ? stored[i] : totals[i]->value();
        values[i] = toSeconds(value, totals[i]->key());
    }
    info->lastCall = values[LastCall];
    info->dialled = values[Dialled];
    info->received = values[Received];
    info->all = values[All];
    return true;
}

// What the daemon holds now in one key, as toScalar() gives it; false when the
// store does not answer.
bool CallTimers::Private::readKey(const char *name, QVariant *value, bool *scalar) const
{
    *value = QVariant();
    *scalar = true;
    if (!client)
        return false;
    const QByteArray key = keyPath(name).toLatin1();
    gconf_client_clear_cache(client);
    GError *error = nullptr;
    GConfValue *stored = gconf_client_get(client, key.constData(), &error);
    *scalar = toScalar(stored, value);
    if (stored)
        gconf_value_free(stored);
    if (error) {
        qCDebug(lcCallTimers) << "store unreachable:" << error->message;
        g_error_free(error);
        *value = QVariant();
        *scalar = true;
        return false;
    }
    return true;
}

LoGConfItem *CallTimers::Private::updateIntervalItem()
{
    if (!updateInterval)
        updateInterval = new LoGConfItem(keyPath("update_interval"), q);
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

// One key is cheaper to ask for than the directory.
bool CallTimers::isValid() const
{
    QVariant available;
    bool scalar = true;
    return d->readKey("available", &available, &scalar) && !isSwitchedOff(available);
}

unsigned int CallTimers::callUpdateTime() const
{
    QVariant setting;
    bool scalar = true;
    if (d->readKey("update_interval", &setting, &scalar) && !scalar)
        setting = d->updateIntervalItem()->value(); // a list, as the items give it
    return toSeconds(setting, keyPath("update_interval"));
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
