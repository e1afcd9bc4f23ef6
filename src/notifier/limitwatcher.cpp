// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "limitwatcher.h"

#include "desktopnotifier.h"
#include "notifier_debug.h"

#include "datacountervalue.h"
#include "logconfitem.h"
#include "lolocale.h"
#include "storagekeys.h"

#include <limits>

namespace
{
// Text identifiers of the catalog "cellcounters-notifier".
const char *const Catalog = "cellcounters-notifier";
const char *const TitleText = "qtn_cellnotifier_limit_title";
const char *const HomeText = "qtn_cellnotifier_home_used";
const char *const RoamingText = "qtn_cellnotifier_roaming_used";

// Outside the page's directories, so that its listeners never hear of these keys.
const QString WarnedKeyPrefix = QStringLiteral("/cellui/notifier/");

constexpr int DefaultSettleTime = 2000;

int keyOf(StorageKeys::KeyId homeKey, LimitWatcher::Network network)
{
    // A roaming key is its home key + 5.
    const int roamingOffset = StorageKeys::GprsRoamingTxBytes - StorageKeys::GprsHomeTxBytes;
    return homeKey + (network == LimitWatcher::Roaming ? roamingOffset : 0);
}

// A stored count as the page reads it: anything but a count of bytes is 0.
unsigned long long bytes(const LoGConfItem *item)
{
    DataCounterValue value;
    value = item->value();
    return value;
}

// Megabytes to a tenth, in the locale's digits and separators.
QString megabytes(unsigned long long count)
{
    return LoLocale().formatNumber(DataCounterValue(count).toUiMegas().toDouble(), 1);
}
}

LimitWatcher::LimitWatcher(Network network, DesktopNotifier *notifier, QObject *parent)
    : QObject(parent)
    , m_network(network)
    , m_notifier(notifier)
    , m_sent(new LoGConfItem(StorageKeys::path(keyOf(StorageKeys::GprsHomeTxBytes, network)), this))
    , m_received(new LoGConfItem(StorageKeys::path(keyOf(StorageKeys::GprsHomeRxBytes, network)), this))
    , m_limit(new LoGConfItem(StorageKeys::path(keyOf(StorageKeys::GprsHomeNotificationPeriod, network)), this))
    , m_warned(new LoGConfItem(warnedKey(network), this))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(DefaultSettleTime);
    connect(&m_settle, &QTimer::timeout, this, &LimitWatcher::check);
    connect(m_sent, &LoGConfItem::valueChanged, this, &LimitWatcher::check);
    connect(m_received, &LoGConfItem::valueChanged, this, &LimitWatcher::check);
    connect(m_limit, &LoGConfItem::valueChanged, this, &LimitWatcher::limitChanged);
    check();
}

LimitWatcher::~LimitWatcher() = default;

QString LimitWatcher::warnedKey(Network network)
{
    return WarnedKeyPrefix + (network == Roaming ? QStringLiteral("gprs_roaming_warned") : QStringLiteral("gprs_home_warned"));
}

void LimitWatcher::installCatalog(LoLocale locale)
{
    locale.installTrCatalog(QString::fromLatin1(Catalog));
    LoLocale::setDefault(locale);
}

void LimitWatcher::setSettleTime(int msec)
{
    m_settle.setInterval(msec);
}

void LimitWatcher::limitChanged()
{
    if (m_settle.interval() > 0)
        m_settle.start();
    check();
}

void LimitWatcher::check()
{
    const unsigned long long limit = bytes(m_limit);
    const unsigned long long sent = bytes(m_sent);
    const unsigned long long received = bytes(m_received);
    // Two counts near 2^64 saturate rather than wrap round to a small sum.
    const unsigned long long used = received > std::numeric_limits<unsigned long long>::max() - sent
        ? std::numeric_limits<unsigned long long>::max()
        : sent + received;

    if (limit == 0 || used < limit) {
        if (m_warned->value().isValid()) {
            qCDebug(NOTIFIER_LOG) << m_network << "warns again at the next crossing:" << used << "bytes used, limit" << limit;
            m_warned->unset();
        }
        return;
    }
    const QString limitText = QString::number(limit);
    if (m_settle.isActive() || m_warned->value().toString() == limitText)
        return;

    qCDebug(NOTIFIER_LOG) << m_network << "warns:" << used << "bytes used, limit" << limit;
    // Marked at once, whatever the service answers: with none there, the next crossing warns again.
    m_warned->set(limitText);
    const char *const body = m_network == Roaming ? RoamingText : HomeText;
    m_notifier->notify(qtTrId(TitleText), qtTrId(body).arg(megabytes(used), megabytes(limit)));
}
