// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef STORAGEKEYS_H
#define STORAGEKEYS_H

#include "cellcounters_export.h"

#include <QString>

// The configuration keys of the data counters. 3 to 7 are the home network's and
// 8 to 12 the roaming network's, in the order bytes sent, bytes received, warning
// limit, warning limit as entered, last reset: a roaming key is its home key + 5.
namespace StorageKeys
{
enum KeyId {
    GprsRoamingPermission = 0,
    RestrictedMode = 1,
    RestrictedModeRoaming = 2,
    GprsHomeTxBytes = 3,
    GprsHomeRxBytes = 4,
    GprsHomeNotificationPeriod = 5,
    GprsHomeUiNotificationPeriod = 6,
    GprsHomeLastReset = 7,
    GprsRoamingTxBytes = 8,
    GprsRoamingRxBytes = 9,
    GprsRoamingNotificationPeriod = 10,
    GprsRoamingUiNotificationPeriod = 11,
    GprsRoamingLastReset = 12,
};

CELLCOUNTERS_EXPORT extern const QString GprsRoamingPermissionPath;
CELLCOUNTERS_EXPORT extern const QString RestrictedModePath;
CELLCOUNTERS_EXPORT extern const QString RestrictedModeRoamingPath;
CELLCOUNTERS_EXPORT extern const QString TransferKeyPrefix; // ends with '/'
CELLCOUNTERS_EXPORT extern const QString GeneralKeyPrefix; // ends with '/'
CELLCOUNTERS_EXPORT extern const QString GprsHomeTxBytesPath;
CELLCOUNTERS_EXPORT extern const QString GprsHomeRxBytesPath;
CELLCOUNTERS_EXPORT extern const QString GprsHomeNotificationPeriodPath;
CELLCOUNTERS_EXPORT extern const QString GprsHomeUiNotificationPeriodPath;
CELLCOUNTERS_EXPORT extern const QString GprsHomeLastResetPath;
CELLCOUNTERS_EXPORT extern const QString GprsRoamingTxBytesPath;
CELLCOUNTERS_EXPORT extern const QString GprsRoamingRxBytesPath;
CELLCOUNTERS_EXPORT extern const QString GprsRoamingNotificationPeriodPath;
CELLCOUNTERS_EXPORT extern const QString GprsRoamingUiNotificationPeriodPath;
CELLCOUNTERS_EXPORT extern const QString GprsRoamingLastResetPath;

/** The call timers' clearing date, "yyyy-MM-dd" (see CallTimersContainer). */
CELLCOUNTERS_EXPORT extern const QString CallTimersResetDatePath;

/** The configuration key path of @p key; empty for a number outside 0 to 12. */
CELLCOUNTERS_EXPORT QString path(int key);
}

#endif
