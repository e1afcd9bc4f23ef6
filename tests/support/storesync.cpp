#include "storesync.h"

#include "externalstore.h"
#include "logconfitem.h"

#include <QSignalSpy>
#include <QUuid>

bool StoreSync::flush(int timeoutMs)
{
    static const QString key = QStringLiteral("/cellcounters-tests/fence");
    LoGConfItem fence(key);
    QSignalSpy spy(&fence, &LoGConfItem::valueChanged);
    // A new value each time, so that the daemon really notifies.
    if (!ExternalStore::setString(key, QUuid::createUuid().toString()))
        return false;
    return !spy.isEmpty() || spy.wait(timeoutMs);
}
