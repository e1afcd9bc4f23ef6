// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef CRASHPOINT_H
#define CRASHPOINT_H

/**
 * Marks a step between two writes of the meter's store. With the environment
 * variable CELLCOUNTERS_METER_KILL_AT=N the process kills itself (SIGKILL, as a
 * power loss or an out-of-memory kill would) at the Nth step it reaches: the
 * tests check that a restart from any of them counts nothing twice.
 */
void crashPoint();

#endif
