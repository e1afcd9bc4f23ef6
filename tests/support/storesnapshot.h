#ifndef STORESNAPSHOT_H
#define STORESNAPSHOT_H

#include <QMap>
#include <QString>

/**
 * Every key below a directory of the configuration store with its type and
 * value, as another process reads them (gconftool-2 --dump), for tests that
 * check that nothing was written behind their back.
 */
class StoreSnapshot
{
public:
    /** Key path to "type:value"; a list reads "list<type>:[a,b]". Empty on failure (with a warning). */
    static QMap<QString, QString> take(const QString &directory);

    /** One line per key that differs: "key: before -> after" ("<unset>" for a missing key). */
    static QStringList differences(const QMap<QString, QString> &before, const QMap<QString, QString> &after);
};

#endif
