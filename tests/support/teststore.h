// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef TESTSTORE_H
#define TESTSTORE_H

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

/**
 * The configuration store as another process of the phone sees it: every call
 * runs gconftool-2 and waits for it, so the write is in the daemon and its
 * notification is on its way to this process.
 */
class ExternalStore
{
public:
    /** @p type is a GConf type name: "string", "int", "bool" or "float". */
    static bool set(const QString &key, const QString &type, const QString &value);
    static bool setString(const QString &key, const QString &value);
    static bool setInt(const QString &key, int value);
    /** The elements must not contain ',' or ']'. */
    static bool setList(const QString &key, const QString &listType, const QStringList &values);
    static bool unset(const QString &key);
    static bool unset(const QStringList &keys);
    /** The stored value as the tool prints it; @p isSet false (and "") when unset. */
    static QString get(const QString &key, bool *isSet = nullptr);
    /** The GConf type name of the stored value, "" when unset. */
    static QString type(const QString &key);
    /** Ends this session's configuration daemon; the bus starts a new one on the next request. */
    static bool stopDaemon();
    /** Runs gconftool-2; false (with a warning) when it fails. */
    static bool run(const QStringList &arguments, QString *output = nullptr);
};

/**
 * Many keys written at once by another process (one gconftool-2 --load, one
 * --unset), values exactly as given: no trimming, no shell quoting.
 */
class StoreBatch
{
public:
    void set(const QString &key, const QString &type, const QString &value);
    void setList(const QString &key, const QString &listType, const QStringList &values);
    void unset(const QString &key);
    /** Runs the tool and forgets the batch; false when a run failed. */
    bool commit();

private:
    QString m_entries; // <entry> elements of the tool's dump format
    QStringList m_unsets;
};

/** Every stored value below a directory, as another process reads it. */
class StoreSnapshot
{
public:
    /** Key path to "type:value" ("list:[a,b]" for a list); empty on failure. */
    static QMap<QString, QString> take(const QString &directory);
    /** One line per key that differs: "key: before -> after" ("<unset>" for a missing key). */
    static QStringList differences(const QMap<QString, QString> &before, const QMap<QString, QString> &after);
};

/**
 * Waits until the daemon has delivered every notification it owed this process:
 * another process writes a fence key, and the wait ends with the fence's own
 * notification, which the daemon sends after all earlier ones.
 */
class StoreSync
{
public:
    static bool flush(int timeoutMs = 10000);
};

/**
 * The store writer program (tools/storewriter) in a separate process that keeps
 * its connection, for thousands of writes as fast as the store takes them. The
 * waits keep the caller's event loop turning.
 */
class StoreWriterProcess
{
public:
    explicit StoreWriterProcess(const QString &program);
    ~StoreWriterProcess();
    bool start();
    /** Sends @p command and waits for "ok" or "done". */
    bool run(const QString &command, int timeoutMs = 60000);
    bool send(const QString &command);
    bool waitForAnswer(int timeoutMs = 60000);
    /** N string values FIRST, FIRST+STEP, ... written to @p key. */
    static QString burst(const QString &key, int count, qulonglong first, qulonglong step = 1);

private:
    QString m_program;
    QProcess m_process;
};

#endif
