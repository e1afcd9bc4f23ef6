// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef NETWORKCOUNTERS_H
#define NETWORKCOUNTERS_H

#include "cellcounters_export.h"
#include "datacountervalue.h"
#include "storagekeys.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

class StorageIf;

/**
 * The counter settings of one network, home or roaming, over a StorageIf: its
 * five keys, what each of them means, including an unset or hostile value, and
 * the writes that change them. Every program that reads or writes a network's
 * counters goes through this class, so that they all agree on what is in force.
 *
 * Reads are live: every getter asks the store, which knows the newest value
 * without a round trip. Each change of a key, by any process, is announced by
 * the signal of what it changes, as long as the store's signals are not blocked.
 *
 * The rules:
 * - A byte count that is unset, negative, not a number or beyond 64 bits is 0.
 * - The limit in force is a byte count, 0 meaning the warning is off. While its
 *   key is unset, the home warning is off and the roaming one is on at its
 *   default limit (10 MB).
 * - The limit as entered is the one the field shows while the warning is off;
 *   unset, it is the network's default limit (1000 MB home, 10 MB roaming).
 * - The reset date is the stored text; unset, it is
 *   DataCounters::DefaultResetDate ("never").
 */
class CELLCOUNTERS_EXPORT NetworkCounters : public QObject
{
    Q_OBJECT
public:
    /** The same values as CounterContainer::Type. */
    enum Network { Home = 0, Roaming = 1 };
    Q_ENUM(Network)
    /** The five keys of a network, in the order a counter section takes them. */
    enum Field { SentBytes, ReceivedBytes, Limit, EnteredLimit, ResetDate, NoField = -1 };
    Q_ENUM(Field)

    /** The key of @p network that holds @p field. */
    static StorageKeys::KeyId key(Network network, Field field);
    /** The keys of both networks, in the order a store over them is built. */
    static QList<StorageKeys::KeyId> storeKeys();
    /** The keys of @p network, in the same order. */
    static QList<StorageKeys::KeyId> storeKeys(Network network);
    /** The limit the field offers when none was ever entered: 1000 MB home, 10 MB roaming. */
    static DataCounterValue defaultLimit(Network network);
    /** The limit in force while its key is unset: none (0) home, 10 MB roaming. */
    static DataCounterValue unsetLimit(Network network);
    /** A stored byte count: unset, negative, not a number or beyond 64 bits gives 0. */
    static DataCounterValue byteCount(const QVariant &stored);

    /** @p store must hold the network's five keys (storeKeys() holds them all). */
    NetworkCounters(Network network, StorageIf *store, QObject *parent = nullptr);
    ~NetworkCounters() override;

    Network network() const;
    /** Which of the network's keys @p key is, or NoField. */
    Field fieldOf(int key) const;

    DataCounterValue bytesSent() const;
    DataCounterValue bytesReceived() const;
    /** Sent and received together; two counts near 2^64 saturate rather than wrap. */
    unsigned long long traffic() const;
    /** The limit in force; 0: the warning is off. */
    DataCounterValue limit() const;
    /** limit() as it reads from @p stored, a value of the limit's key (null: unset). */
    DataCounterValue limitFrom(const QVariant &stored) const;
    bool isWarningOn() const;
    /** The limit as entered. */
    DataCounterValue enteredLimit() const;
    /** The reset date as stored ("day.month.year.seconds"), or DefaultResetDate. */
    QString resetDate() const;
    /** resetDate() as it reads from @p stored, a value of the reset date's key (null: unset). */
    static QString resetDateFrom(const QVariant &stored);

    /** Stores @p date as the reset date, then "0" as the bytes received, then as the bytes sent. */
    void reset(const QString &date);
    /** Stores the byte counts since the last reset: @p sent, then @p received. */
    void setTraffic(const DataCounterValue &sent, const DataCounterValue &received);
    /**
     * Switches the warning off ("0" in force), or on with the entered limit in
     * force; one that is no byte count is replaced by the default limit.
     * Returns the limit in force now.
     */
    DataCounterValue setWarning(bool on);
    /**
     * The user entered @p limit: it is stored as entered, and also put in force
     * while the warning is on. 0 (nothing readable entered) writes nothing.
     * Returns whether it was put in force.
     */
    bool enterLimit(const DataCounterValue &limit);
    /** Stores @p limit as entered unless it is so already. */
    void keepEntered(const DataCounterValue &limit);

Q_SIGNALS:
    /** The bytes sent or received changed. */
    void trafficChanged();
    /** The limit in force changed (switched on or off included). */
    void limitChanged();
    void enteredLimitChanged();
    void resetDateChanged();

private:
    void storeChanged(int key);
    QVariant stored(Field field, const QVariant &def) const;
    void store(Field field, const QVariant &value);

    const Network m_network;
    StorageIf *const m_store;
};

#endif
