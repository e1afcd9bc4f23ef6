// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef CELLULAR_CALLTIMERS_H
#define CELLULAR_CALLTIMERS_H

#include "cellular_export.h"

#include <QMetaType>
#include <QObject>
#include <QString>

namespace Cellular {

/** The configuration keys of the call timers (see CallTimers), as full paths. */
namespace CallTimersKeys {
CELLULAR_EXPORT extern const QString Directory; // without a trailing '/'
CELLULAR_EXPORT extern const QString LastCall;
CELLULAR_EXPORT extern const QString Dialled;
CELLULAR_EXPORT extern const QString Received;
CELLULAR_EXPORT extern const QString All;
CELLULAR_EXPORT extern const QString Available;
CELLULAR_EXPORT extern const QString UpdateInterval;
}

/**
 * The call timers of the cellular services: total durations of calls, in seconds.
 *
 * Here the totals live in the per-user configuration store under
 * /cellular/calltimers/, so that another process can feed them (see README.md):
 *
 * - "last_call", "dialled", "received", "all": the four totals, decimal text
 *   (an int is read too). Unset, negative or unreadable values count as 0;
 *   numbers beyond the 32-bit range count as 4294967295.
 * - "available": false (or "false", "0", 0) makes the timers unavailable, as
 *   when the modem is off; unset or anything else means available.
 * - "update_interval": the update setting of setCallUpdateTime(), decimal text.
 *
 * isValid() is also false when the store cannot be reached.
 */
class CELLULAR_EXPORT CallTimers : public QObject
{
    Q_OBJECT
public:
    /** Call totals in seconds. */
    struct CallTimersInfo {
        quint32 lastCall = 0;  // duration of the most recent call
        quint32 dialled = 0;   // all dialled calls
        quint32 received = 0;  // all received calls
        quint32 all = 0;       // all calls, kept on its own (not a sum)
    };

    explicit CallTimers(QObject *parent = nullptr);
    ~CallTimers() override;

    /** True when the totals can be read and cleared. */
    bool isValid() const;

    /** The update setting in seconds; 0 when unset or unreadable. */
    unsigned int callUpdateTime() const;
    void setCallUpdateTime(unsigned int seconds) const;

    /** The current totals; all zero when not valid. */
    CallTimersInfo timers() const;
    /** Sets all four totals to zero; does nothing when not valid. */
    void clearTimers() const;

Q_SIGNALS:
    /**
     * The totals changed, whoever changed them, or the timers became
     * available again. Changes that arrive together are reported once.
     */
    void timersUpdated(CallTimers::CallTimersInfo info);

private:
    class Private;
    Private *const d;
};

inline bool operator==(const CallTimers::CallTimersInfo &a, const CallTimers::CallTimersInfo &b)
{
    return a.lastCall == b.lastCall && a.dialled == b.dialled && a.received == b.received
        && a.all == b.all;
}

inline bool operator!=(const CallTimers::CallTimersInfo &a, const CallTimers::CallTimersInfo &b)
{
    return !(a == b);
}

} // namespace Cellular

Q_DECLARE_METATYPE(Cellular::CallTimers::CallTimersInfo)

#endif
