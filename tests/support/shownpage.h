#ifndef SHOWNPAGE_H
#define SHOWNPAGE_H

#include <QVariantMap>

class QGraphicsItem;

/**
 * What the data counters page shows, read off its widgets by object name, for
 * tests that check the display rather than the calls that made it.
 */
class ShownPage
{
public:
    /**
     * One counter section (@p type 0 home, 1 roaming) below @p root: "sent",
     * "received" (the amount rows' subtitles), "field" (the limit field's text),
     * "switch" (the warning switch, bool) and "date" (the last reset subtitle).
     * Empty when the section is not there.
     */
    static QVariantMap section(const QGraphicsItem *root, int type);

    /** The call timers section below @p root: "dialled", "received", "all" and "date". */
    static QVariantMap callTimers(const QGraphicsItem *root);

    /** Both sections and the call timers, as "home.sent", "roaming.switch", "timers.all", ... */
    static QVariantMap all(const QGraphicsItem *root);
};

#endif
