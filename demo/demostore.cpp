// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "demostore.h"

#include "calltimers.h"
#include "datacounters.h"
#include "logconfitem.h"
#include "storagekeys.h"
#include "storageif.h"

#include <QLocale>

namespace {

// Counts travel as decimal text, as the page and a counter daemon write them.
QString stored(quint64 count)
{
    return QString::number(count);
}

void setCallTotal(const QString &key, quint64 seconds)
{
    LoGConfItem(key).set(stored(seconds));
}

} // namespace

void DemoStore::seed(const QDateTime &now)
{
    using namespace StorageKeys;
    StorageIf store({GprsHomeTxBytes, GprsHomeRxBytes, GprsHomeNotificationPeriod, GprsHomeUiNotificationPeriod,
                     GprsHomeLastReset, GprsRoamingTxBytes, GprsRoamingRxBytes, GprsRoamingNotificationPeriod,
                     GprsRoamingUiNotificationPeriod, GprsRoamingLastReset},
                    nullptr);
    store.setValue(GprsHomeTxBytes, stored(48213504));
    store.setValue(GprsHomeRxBytes, stored(731870208));
    // Warning off at home; the limit entered before stays for the field.
    store.setValue(GprsHomeNotificationPeriod, stored(0));
    store.setValue(GprsHomeUiNotificationPeriod, stored(2000000000));
    store.setValue(GprsHomeLastReset, resetDateText(now.addDays(-23)));

    store.setValue(GprsRoamingTxBytes, stored(1240000));
    store.setValue(GprsRoamingRxBytes, stored(8620000));
    store.setValue(GprsRoamingNotificationPeriod, stored(50000000));
    store.setValue(GprsRoamingUiNotificationPeriod, stored(50000000));
    // Roaming counters were never reset.
    store.setValue(GprsRoamingLastReset, QVariant());

    setCallTotal(Cellular::CallTimersKeys::LastCall, 95);
    setCallTotal(Cellular::CallTimersKeys::Dialled, 12312);
    setCallTotal(Cellular::CallTimersKeys::Received, 18160);
    setCallTotal(Cellular::CallTimersKeys::All, 30472);
    // Stored in Latin digits whatever the system language, as the section writes it.
    LoGConfItem(StorageKeys::CallTimersResetDatePath)
        .set(QVariant(QLocale::c().toString(now.date().addDays(-64), QString::fromLatin1(FORMAT))));

    // The meter samples every second (10 when unset), so that the page moves as traffic flows.
    LoGConfItem(QStringLiteral("/cellui/meter/interval")).set(stored(1));
}

QString DemoStore::resetDateText(const QDateTime &when)
{
    const QDate date = when.date();
    return QStringLiteral("%1.%2.%3.%4")
        .arg(date.day())
        .arg(date.month())
        .arg(date.year())
        .arg(when.toSecsSinceEpoch());
}
