// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef QUICKNETWORKCOUNTERS_H
#define QUICKNETWORKCOUNTERS_H

#include "cellcounters_export.h"

#include <QObject>
#include <QString>

class LimitValidator;
class NetworkCounters;
class QValidator;
class StorageIf;

/**
 * One network's data counters for Qt Quick (the QML type NetworkCounters of
 * org.cellcounters): the texts its section shows and the user's actions on it,
 * over NetworkCounters, so that a Qt Quick page shows and writes exactly what
 * the widget page does. Every property follows the store live, whoever writes it.
 *
 * @code
 * NetworkCounters { id: roaming; network: NetworkCounters.Roaming }
 * Label { text: roaming.sent }
 * TextField { validator: roaming.limitValidator; onTextEdited: roaming.editLimit(text) }
 * @endcode
 */
class CELLCOUNTERS_EXPORT QuickNetworkCounters : public QObject
{
    Q_OBJECT
    Q_PROPERTY(Network network READ network WRITE setNetwork NOTIFY networkChanged)
    /** The amount sent since the last reset, as the page shows it ("12.5 MB"). */
    Q_PROPERTY(QString sent READ sent NOTIFY trafficChanged)
    Q_PROPERTY(QString received READ received NOTIFY trafficChanged)
    /** The last reset, a date in the user's locale, or the "never" text. */
    Q_PROPERTY(QString resetDate READ resetDate NOTIFY resetDateChanged)
    Q_PROPERTY(bool warningOn READ isWarningOn NOTIFY limitChanged)
    /**
     * The limit the field shows, megabytes in the locale's digits: the limit in
     * force, or while the warning is off the one entered last.
     */
    Q_PROPERTY(QString limit READ limit NOTIFY limitChanged)
    /** The validator of the limit field. */
    Q_PROPERTY(QValidator *limitValidator READ limitValidator CONSTANT)

public:
    /** The same values as NetworkCounters::Network. */
    enum Network { Home = 0, Roaming = 1 };
    Q_ENUM(Network)

    explicit QuickNetworkCounters(QObject *parent = nullptr);
    ~QuickNetworkCounters() override;

    Network network() const;
    void setNetwork(Network network);

    QString sent() const;
    QString received() const;
    QString resetDate() const;
    bool isWarningOn() const;
    QString limit() const;
    QValidator *limitValidator() const;

    /** Zeroes the amounts and stores now as the last reset; the user has confirmed it. */
    Q_INVOKABLE void reset();
    /** The user switched the warning on or off. */
    Q_INVOKABLE void setWarning(bool on);
    /** The user edited the limit field to @p text: a limit the validator takes is entered at once. */
    Q_INVOKABLE void editLimit(const QString &text);
    /**
     * The user left the limit field showing @p text: a limit of at least 0.1 MB is
     * entered, anything else gives way to the last good limit, which is entered
     * again. Returns what the field shows now.
     */
    Q_INVOKABLE QString commitLimit(const QString &text);

Q_SIGNALS:
    void networkChanged();
    void trafficChanged();
    void resetDateChanged();
    /** The warning switch or the limit shown changed. */
    void limitChanged();

private:
    NetworkCounters *counters() const;
    void limitInForceChanged();
    void enteredLimitChanged();
    void enter(const QString &latinMegas);

    Network m_network = Home;
    mutable StorageIf *m_store = nullptr;
    mutable NetworkCounters *m_counters = nullptr;
    LimitValidator *const m_validator;
    // The last limit the field showed from the store or took, in Latin digits.
    mutable QString m_lastGoodLimit;
};

#endif
