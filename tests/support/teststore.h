// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef TESTSTORE_H
#define TESTSTORE_H

#include <QProcess>
#include <QString>
#include <QStringList>

/**
 * The configuration store as another process of the phone sees it: every call
 * runs the store writer program and waits for it, so the write is in the store
 * and its notification is on its way to this process.
 */
class ExternalStore
{
public:
    /** @p type is "string", "int", "bool", "float" or "list" (strings separated by ','). */
    static bool set(const QString &key, const QString &type, const QString &value) { return setAll({key}, type, value); }
    static bool setString(const QString &key, const QString &value) { return set(key, QStringLiteral("string"), value); }
    /** @p value, exactly as given, into every key of @p keys in one run of the writer. */
    static bool setAll(const QStringList &keys, const QString &type, const QString &value);
    static bool unset(const QString &key) { return unset(QStringList{key}); }
    static bool unset(const QStringList &keys);
    /** Unsets every key below @p directory. */
    static bool clear(const QString &directory);
    /** The stored value as text, "" when unset. */
    static QString get(const QString &key) { return read(key).section(QLatin1Char(' '), 1); }
    /** The stored value's type ("list:string" for a list of strings), "" when unset. */
    static QString type(const QString &key) { return read(key).section(QLatin1Char(' '), 0, 0); }
    /** Every stored value below @p directory, one "path type:value" line each, sorted. */
    static QStringList dump(const QString &directory);
    /** Ends this session's configuration daemon (GConf's or dconf's); the bus starts a new one on the next request. */
    static bool stopDaemon();

private:
    /** "type value", or "" when unset. */
    static QString read(const QString &key);
    /** Runs the writer on @p commands; false (with a warning) when any failed. */
    static bool run(const QStringList &commands, QStringList *answers = nullptr);
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
 * its connection, for thousands of writes as fast as the store takes them.
 * Commands are lines such as "burst KEY COUNT FIRST STEP" or "set KEY TYPE VALUE".
 */
class StoreWriterProcess
{
public:
    StoreWriterProcess();
    ~StoreWriterProcess();
    bool send(const QString &command);
    /** Waits for the next "ok" or "done", keeping the caller's event loop turning. */
    bool waitForAnswer(int timeoutMs = 60000);

private:
    QProcess m_process;
};

#endif
