// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef DATACOUNTERWIDGET_H
#define DATACOUNTERWIDGET_H

#include "cellcounters_export.h"

#include "vcpwidget.h"

#include <QHash>
#include <QList>
#include <QVariant>

class CallTimersContainer;
class CounterContainer;
class DataCounterValue;
class LoLabel;
class LoLinearLayoutPolicy;
class NetworkCounters;
class StorageIf;

/**
 * The data counters page: the call timers, then one counter section for the
 * home network and one for roaming, kept in step with the configuration store
 * in both directions.
 *
 * The content is built on the first displayEntered() or 1500 ms after
 * construction, whichever comes first; until then the page touches neither the
 * store nor the configuration keys.
 */
class CELLCOUNTERS_EXPORT DataCounterWidget : public VcpWidget
{
    Q_OBJECT
public:
    /** @p header: show the page title as a label at the top (the control-panel page). */
    explicit DataCounterWidget(bool header, QGraphicsWidget *parent = nullptr);
    ~DataCounterWidget() override;

    /** Commits the sections' limit fields (checkValidity()), then leaves as the host does. */
    bool back() override;
    void retranslateUi() override;

    /** The store over the ten data counter keys, created on first use. */
    StorageIf *storage();
    void initContainer(CounterContainer *section);
    /** Shows the effective warning limit @p limit (0: warning off) in @p section. */
    void updateWarningPeriodUi(CounterContainer *section, const DataCounterValue *limit);
    /** Now as stored for a reset: "day.month.year.seconds since 1970". */
    QString currentGenericDate();
    /** The text shown for a stored reset date. */
    QString localDateString(const QString &date);

Q_SIGNALS:
    void checkValidity();
    void startInit();

private Q_SLOTS:
    void initWidget();
    void resetDataAmounts();
    void warningPeriodChanged(const QString &period);
    void warningSwitchToggled(bool state);
    void valueChanged(int key, QVariant value);

private:
    QList<CounterContainer *> sectionsInOrder() const;
    CounterContainer *senderSection() const;
    NetworkCounters *counters(CounterContainer *section);

    LoLinearLayoutPolicy *m_policy = nullptr;
    CallTimersContainer *m_callTimers = nullptr;
    QHash<int, CounterContainer *> m_sections;
    StorageIf *m_storage = nullptr;
    LoLabel *m_headerLabel = nullptr;
    // The rules of each network's keys, by section type; made with the store.
    QHash<int, NetworkCounters *> m_counters;
};

#endif
