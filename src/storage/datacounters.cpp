// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "datacounters.h"

namespace DataCounters
{
const char *DataCounters = "qtn_comm_cellular_counters";
const char *DataTitle = "qtn_cell_counter_data_title";
const char *HomeTitle = "qtn_cell_counter_psd_title";
const char *RoamingTitle = "qtn_cell_counter_roaming_title";
const char *ResetText = "qtn_cell_reset_counters";
const char *LastResetText = "qtn_cell_last_reset";
const char *LimitWarningText = "qtn_cell_counter_display_warning";
const char *LimitText = "qtn_cell_counter_mb_title";
const char *DefaultResetDate = "qtn_cell_counters_never";
const char *SentText = "qtn_cell_counter_sent";
const char *ReceivedText = "qtn_cell_counter_received";
const char *MBText = "qtn_comm_megabytes";
const char *ResetConfirm = "qtn_cell_reset_counters_question";
const char *Reset = "qtn_cell_reset";
const char *Done = "qtn_comm_command_done";
const char *CallTimersTitle = "qtn_cell_call_timers";
const char *CallTimersDialled = "qtn_cell_dialled";
const char *CallTimersReceived = "qtn_cell_received";
const char *CallTimersAll = "qtn_cell_all";
const char *CallTimersConfirm = "qtn_cell_clear_timers_question";
}

const char *FORMAT = "yyyy-MM-dd";
