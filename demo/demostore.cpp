#include "demostore.h"

#include "calltotalskeys.h"
#include "datacounters.h"
#include "logconfitem.h"
#include "storagekeys.h"
#include "storageif.h"
#include "storecount.h"

#include <QLocale>

namespace {

void setCallTotal(CallTotalsKeys::Total total, quint64 seconds)
{
    LoGConfItem(CallTotalsKeys::path(total)).set(StoreCount::toStored(seconds));
}

} // namespace

void DemoStore::seed(const QDateTime &now)
{
    using namespace StorageKeys;
    StorageIf store({GprsHomeTxBytes, GprsHomeRxBytes, GprsHomeNotificationPeriod, GprsHomeUiNotificationPeriod,
                     GprsHomeLastReset, GprsRoamingTxBytes, GprsRoamingRxBytes, GprsRoamingNotificationPeriod,
                     GprsRoamingUiNotificationPeriod, GprsRoamingLastReset},
                    nullptr);
    store.setValue(GprsHomeTxBytes, StoreCount::toStored(48213504));
    store.setValue(GprsHomeRxBytes, StoreCount::toStored(731870208));
    // Warning off at home; the limit entered before stays for the field.
    store.setValue(GprsHomeNotificationPeriod, StoreCount::toStored(0));
    store.setValue(GprsHomeUiNotificationPeriod, StoreCount::toStored(2000000000));
    store.setValue(GprsHomeLastReset, resetDateText(now.addDays(-23)));

    store.setValue(GprsRoamingTxBytes, StoreCount::toStored(1240000));
    store.setValue(GprsRoamingRxBytes, StoreCount::toStored(8620000));
    store.setValue(GprsRoamingNotificationPeriod, StoreCount::toStored(50000000));
    store.setValue(GprsRoamingUiNotificationPeriod, StoreCount::toStored(50000000));
    // Roaming counters were never reset.
    store.setValue(GprsRoamingLastReset, QVariant());

    setCallTotal(CallTotalsKeys::LastCall, 95);
    setCallTotal(CallTotalsKeys::Dialled, 12312);
    setCallTotal(CallTotalsKeys::Received, 18160);
    setCallTotal(CallTotalsKeys::All, 30472);
    // Stored in Latin digits whatever the system language, as the section writes it.
    LoGConfItem(CallTotalsKeys::resetDatePath())
        .set(QVariant(QLocale::c().toString(now.date().addDays(-64), QString::fromLatin1(FORMAT))));
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
