// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef CALLTIMERSCONTAINER_H
#define CALLTIMERSCONTAINER_H

#include "cellcounters_export.h"

#include "calltimers.h"
#include "locontainer.h"

#include <QDateTime>

class LoButton;
class LoGConfItem;
class SettingsItem;

/**
 * The call timers section: dialled, received and all-calls durations from the
 * cellular services, the date the timers were last cleared (kept in
 * "/cellui/settings/calltimers/reset_date" as "yyyy-MM-dd") and a button that
 * clears them after confirmation. Everything on it stays live: the durations
 * follow the cellular services and the date follows its key.
 */
class CELLCOUNTERS_EXPORT CallTimersContainer : public LoContainer
{
    Q_OBJECT
    // The slot signature must read exactly as the cellular signal's does
    // ("CallTimers::CallTimersInfo") for the string-based connection to match.
    typedef Cellular::CallTimers CallTimers;

public:
    explicit CallTimersContainer(QGraphicsItem *parent = nullptr);
    ~CallTimersContainer() override;

    void retranslateUi() override;

protected:
    /** Builds the rows; the constructor calls it once. */
    void createContent();
    /** A new panel holding the reset date row and the reset button. */
    virtual LoWidgetController *resetWidget();

private Q_SLOTS:
    void updateTimers();
    void updateTimers(CallTimers::CallTimersInfo info);
    void clearTimers();
    void clearTimersAccepted();
    void resetDateChanged();

private:
    SettingsItem *mDialledItem = nullptr;
    SettingsItem *mReceivedItem = nullptr;
    SettingsItem *mAllItem = nullptr;
    SettingsItem *mResetDateItem = nullptr;
    LoButton *mResetBtn = nullptr;
    Cellular::CallTimers *mCallTimers = nullptr;
    LoGConfItem *mResetDateConfItem = nullptr;
    QDateTime mResetDate;
};

#endif
