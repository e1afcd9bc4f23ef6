#ifndef CELLULAR_CALLTIMERS_H
#define CELLULAR_CALLTIMERS_H

#include "cellular_export.h"

#include <QMetaType>
#include <QObject>

namespace Cellular {

/**
 * The call timers of the cellular services: total durations of calls, in seconds.
 *
 * Here the totals live in the per-user configuration store under
 * /cellular/calltimers/, so that another process can feed them; see README.md.
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
        quint32 all = 0;       // all calls
    };

    explicit CallTimers(QObject *parent = nullptr);
    ~CallTimers() override;

    /** True when the totals can be read and cleared. */
    bool isValid() const;

    unsigned int callUpdateTime() const;
    void setCallUpdateTime(unsigned int seconds) const;

    CallTimersInfo timers() const;
    void clearTimers() const;

Q_SIGNALS:
    void timersUpdated(CallTimers::CallTimersInfo info);

private:
    class Private;
    Private *const d;
};

} // namespace Cellular

Q_DECLARE_METATYPE(Cellular::CallTimers::CallTimersInfo)

#endif
