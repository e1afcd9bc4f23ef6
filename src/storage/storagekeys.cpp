// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "storagekeys.h"

namespace StorageKeys
{
const QString GprsRoamingPermissionPath = QStringLiteral("/system/tarn/connectivity/network_type/GPRS/gprs_roaming_permission");
const QString RestrictedModePath = QStringLiteral("/system/tarn/connectivity/network_type/restricted_mode");
const QString RestrictedModeRoamingPath = QStringLiteral("/system/tarn/connectivity/network_type/restricted_mode_roaming");
const QString TransferKeyPrefix = QStringLiteral("/cellui/settings/datacounter/transfer/");
const QString GeneralKeyPrefix = QStringLiteral("/cellui/settings/datacounter/general/");
const QString GprsHomeTxBytesPath = TransferKeyPrefix + QStringLiteral("gprs_home_tx_bytes");
const QString GprsHomeRxBytesPath = TransferKeyPrefix + QStringLiteral("gprs_home_rx_bytes");
const QString GprsHomeNotificationPeriodPath = GeneralKeyPrefix + QStringLiteral("gprs_home_notification_period");
const QString GprsHomeUiNotificationPeriodPath = GeneralKeyPrefix + QStringLiteral("gprs_home_notification_period_UI");
const QString GprsHomeLastResetPath = GeneralKeyPrefix + QStringLiteral("gprs_home_last_reset");
const QString GprsRoamingTxBytesPath = TransferKeyPrefix + QStringLiteral("gprs_roaming_tx_bytes");
const QString GprsRoamingRxBytesPath = TransferKeyPrefix + QStringLiteral("gprs_roaming_rx_bytes");
const QString GprsRoamingNotificationPeriodPath = GeneralKeyPrefix + QStringLiteral("gprs_roaming_notification_period");
const QString GprsRoamingUiNotificationPeriodPath = GeneralKeyPrefix + QStringLiteral("gprs_roaming_notification_period_UI");
const QString GprsRoamingLastResetPath = GeneralKeyPrefix + QStringLiteral("gprs_roaming_last_reset");
const QString CallTimersResetDatePath = QStringLiteral("/cellui/settings/calltimers/reset_date");

QString path(int key)
{
    switch (key) {
    case GprsRoamingPermission:
        return GprsRoamingPermissionPath;
    case RestrictedMode:
        return RestrictedModePath;
    case RestrictedModeRoaming:
        return RestrictedModeRoamingPath;
    case GprsHomeTxBytes:
        return GprsHomeTxBytesPath;
    case GprsHomeRxBytes:
        return GprsHomeRxBytesPath;
    case GprsHomeNotificationPeriod:
        return GprsHomeNotificationPeriodPath;
    case GprsHomeUiNotificationPeriod:
        return GprsHomeUiNotificationPeriodPath;
    case GprsHomeLastReset:
        return GprsHomeLastResetPath;
    case GprsRoamingTxBytes:
        return GprsRoamingTxBytesPath;
    case GprsRoamingRxBytes:
        return GprsRoamingRxBytesPath;
    case GprsRoamingNotificationPeriod:
        return GprsRoamingNotificationPeriodPath;
    case GprsRoamingUiNotificationPeriod:
        return GprsRoamingUiNotificationPeriodPath;
    case GprsRoamingLastReset:
        return GprsRoamingLastResetPath;
    }
    return QString();
}
}
