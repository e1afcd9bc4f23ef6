#ifndef EXTERNALSTORE_H
#define EXTERNALSTORE_H

#include <QString>
#include <QStringList>

/**
 * Reads and writes the configuration store from a separate process
 * (gconftool-2), the way other software on the phone changes the keys.
 * Every call waits for the tool to finish; the write is then in the daemon,
 * and its notification is on its way to this process.
 */
class ExternalStore
{
public:
    /** @p type is a GConf type name: "string", "int", "bool" or "float". */
    static bool set(const QString &key, const QString &type, const QString &value);
    static bool setString(const QString &key, const QString &value);
    static bool setInt(const QString &key, int value);
    /** @p listType as for set(); the elements must not contain ',' or ']'. */
    static bool setList(const QString &key, const QString &listType, const QStringList &values);
    static bool unset(const QString &key);
    /** Unsets all of @p keys with one run of the tool. */
    static bool unset(const QStringList &keys);

    /** The stored value as gconftool-2 prints it; @p isSet false (and "") when unset. */
    static QString get(const QString &key, bool *isSet = nullptr);
    /** The GConf type name of the stored value, "" when unset. */
    static QString type(const QString &key);

    /**
     * Stops this session's configuration daemon (found through the session bus,
     * ended by its process id); the bus starts a new one on the next request.
     */
    static bool stopDaemon();

    /** Runs gconftool-2; false (with a warning) when it fails. */
    static bool run(const QStringList &arguments, QString *output = nullptr);
};

#endif
