#ifndef CALLTOTALSKEYS_H
#define CALLTOTALSKEYS_H

#include <QString>

/**
 * Where the cellular library keeps the call totals that a telephony stack would
 * feed: seconds as decimal text, under a directory of the library's own.
 */
namespace CallTotalsKeys
{
enum Total { LastCall, Dialled, Received, All, Count };

inline QString path(Total total)
{
    static const char *const names[Count] = {"last_call", "dialled", "received", "all"};
    return QStringLiteral("/cellular/calltimers/") + QLatin1String(names[total]);
}

/** The call timers' clearing date, "yyyy-MM-dd". */
inline QString resetDatePath()
{
    return QStringLiteral("/cellui/settings/calltimers/reset_date");
}
}

#endif
