#ifndef TESTSTORE_H
#define TESTSTORE_H

#include <QList>
#include <QMap>
#include <QProcess>
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

/**
 * Writes many configuration keys at once from a separate process: every value
 * set here, of any type the store holds (lists included), goes in with one run
 * of gconftool-2 --load, and every unset with one run of --unset. Values reach
 * the store exactly as given: no trimming, no shell, no escaping to get wrong.
 */
class StoreBatch
{
public:
    /** @p type is a GConf scalar type name: "string", "int", "bool" or "float". */
    void set(const QString &key, const QString &type, const QString &value);
    /** A list of @p listType elements. */
    void setList(const QString &key, const QString &listType, const QStringList &values);
    void unset(const QString &key);

    bool isEmpty() const { return m_entries.isEmpty() && m_unsets.isEmpty(); }
    /** Runs the tool (at most twice) and forgets the batch; false when a run failed. */
    bool commit();

private:
    struct Entry {
        QString key;
        QString type;
        QString listType;
        QStringList values;
    };
    QList<Entry> m_entries;
    QStringList m_unsets;
};

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

/**
 * Drives the store writer program (tools/storewriter.cpp) in a separate
 * process: one start, then any number of commands. Unlike a gconftool-2 run
 * per write, the writer keeps its connection to the store, so that it can
 * write thousands of values as fast as the store takes them.
 *
 * The calls that wait keep the caller's event loop turning, so that the
 * caller keeps receiving the store's notifications meanwhile.
 */
class StoreWriterProcess
{
public:
    explicit StoreWriterProcess(const QString &program);
    ~StoreWriterProcess();

    bool start();

    /** Sends @p command and waits for its answer ("ok" or "done"); false on "error" or a timeout. */
    bool run(const QString &command, int timeoutMs = 60000);

    /** Sends @p command without waiting; waitForAnswer() collects its answer. */
    bool send(const QString &command);
    bool waitForAnswer(int timeoutMs = 60000);

    /** "burst KEY N FIRST STEP": N string values FIRST, FIRST+STEP, ... written to @p key. */
    static QString burst(const QString &key, int count, qulonglong first, qulonglong step = 1);

private:
    QString m_program;
    QProcess m_process;
};

#endif
