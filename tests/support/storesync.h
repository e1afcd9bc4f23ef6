#ifndef STORESYNC_H
#define STORESYNC_H

/**
 * Waits until every notification that the configuration daemon owed this process
 * has been delivered: another process writes a fence key, and the wait ends when
 * that key's own notification arrives. Notifications reach a client in the order
 * the daemon sends them, so anything written before the fence (echoes of this
 * process's writes included) has been handled by then. No fixed sleeps.
 */
class StoreSync
{
public:
    /** False when the fence did not come back within @p timeoutMs. */
    static bool flush(int timeoutMs = 10000);
};

#endif
