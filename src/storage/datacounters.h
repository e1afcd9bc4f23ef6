// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef DATACOUNTERS_H
#define DATACOUNTERS_H

#include "cellcounters_export.h"

// Logical text identifiers of every user-visible text, looked up with qtTrId()
// when a text is needed. Shared with hosts, hence exported and not constant.
namespace DataCounters
{
CELLCOUNTERS_EXPORT extern const char *DataCounters;
CELLCOUNTERS_EXPORT extern const char *DataTitle;
CELLCOUNTERS_EXPORT extern const char *HomeTitle;
CELLCOUNTERS_EXPORT extern const char *RoamingTitle;
CELLCOUNTERS_EXPORT extern const char *ResetText;
CELLCOUNTERS_EXPORT extern const char *LastResetText;
CELLCOUNTERS_EXPORT extern const char *LimitWarningText;
CELLCOUNTERS_EXPORT extern const char *LimitText;
CELLCOUNTERS_EXPORT extern const char *DefaultResetDate;
CELLCOUNTERS_EXPORT extern const char *SentText;
CELLCOUNTERS_EXPORT extern const char *ReceivedText;
CELLCOUNTERS_EXPORT extern const char *MBText;
CELLCOUNTERS_EXPORT extern const char *ResetConfirm;
CELLCOUNTERS_EXPORT extern const char *Reset;
CELLCOUNTERS_EXPORT extern const char *Done;
CELLCOUNTERS_EXPORT extern const char *CallTimersTitle;
CELLCOUNTERS_EXPORT extern const char *CallTimersDialled;
CELLCOUNTERS_EXPORT extern const char *CallTimersReceived;
CELLCOUNTERS_EXPORT extern const char *CallTimersAll;
CELLCOUNTERS_EXPORT extern const char *CallTimersConfirm;
}

// Pattern of the call timers' clearing date as stored.
CELLCOUNTERS_EXPORT extern const char *FORMAT;

#endif
