// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "limitwatcher.h"

#include "desktopnotifier.h"
#include "notifier_debug.h"

#include "datacountervalue.h"
#include "logconfitem.h"
#include "lolocale.h"

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

// Megabytes to a tenth, in the locale's digits and separators.
QString megabytes(unsigned long long count)
{
    return LoLocale().formatNumber(DataCounterValue(count).toUiMegas().toDouble(), 1);
}
}

LimitWatcher::LimitWatcher(const NetworkCounters *counters, DesktopNotifier *notifier, QObject *parent)
    : QObject(parent)
    , m_counters(counters)
    , m_notifier(notifier)
    , m_warned(new LoGConfItem(warnedKey(counters->network()), this))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(DefaultSettleTime);
    connect(&m_settle, &QTimer::timeout, this, &LimitWatcher::check);
    connect(m_counters, &NetworkCounters::trafficChanged, this, &LimitWatcher::check);
    connect(m_counters, &NetworkCounters::limitChanged, this, &LimitWatcher::limitChanged);
    check();
}

LimitWatcher::~LimitWatcher() = default;

QString LimitWatcher::warnedKey(NetworkCounters::Network network)
{
    return WarnedKeyPrefix + (network == NetworkCounters::Roaming ? QStringLiteral("gprs_roaming_warned") : QStringLiteral("gprs_home_warned"));
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
    const unsigned long long limit = m_counters->limit();
    const unsigned long long used = m_counters->traffic();
    const NetworkCounters::Network network = m_counters->network();

    if (limit == 0 || used < limit) {
        if (m_warned->value().isValid()) {
            qCDebug(NOTIFIER_LOG) << network << "warns again at the next crossing:" << used << "bytes used, limit" << limit;
            m_warned->unset();
        }
        return;
    }
    const QString limitText = QString::number(limit);
    if (m_settle.isActive() || m_warned->value().toString() == limitText)
        return;

    qCDebug(NOTIFIER_LOG) << network << "warns:" << used << "bytes used, limit" << limit;
    // Marked at once, whatever the service answers: with none there, the next crossing warns again.
    m_warned->set(limitText);
    const char *const body = network == NetworkCounters::Roaming ? RoamingText : HomeText;
    m_notifier->notify(qtTrId(TitleText), qtTrId(body).arg(megabytes(used), megabytes(limit)));
}
