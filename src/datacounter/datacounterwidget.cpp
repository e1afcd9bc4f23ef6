// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "datacounterwidget.h"

#include "calltimerscontainer.h"
#include "countercontainer.h"
#include "datacounters.h"
#include "datacountervalue.h"
#include "tracing.h"
#include "storageif.h"
#include "storagekeys.h"

#include <lolabel.h>
#include <lolayout.h>
#include <lolinearlayoutpolicy.h>
#include <lolocale.h>

#include <QDateTime>
#include <QSizePolicy>
#include <QTimer>

#include <algorithm>

namespace
{
const int BuildDelayMs = 1500;

StorageKeys::KeyId keyId(int key)
{
    return static_cast<StorageKeys::KeyId>(key);
}

// Stored byte counts may come from other processes as signed integers; the
// value's variant assignment turns null and negative ones into 0 rather than
// wrapping them into absurd amounts.
DataCounterValue byteCount(const QVariant &stored)
{
    DataCounterValue value;
    value = stored;
    return value;
}

QVariant storedForm(const DataCounterValue &value)
{
    return QVariant(QString::number(value.toBytes()));
}

// The limit in force while the key holds nothing: home starts with the warning
// off, roaming with its default limit on.
QString unsetLimit(CounterContainer *section)
{
    DataCounterValue limit;
    if (section->widgetType() == CounterContainer::Roaming)
        limit = section->defaultPeriod();
    return QString::number(limit.toBytes());
}
} // namespace

DataCounterWidget::DataCounterWidget(bool header, QGraphicsWidget *parent)
    : VcpWidget(parent)
{
    CELLCOUNTERS_TRACE();

    LoLocale locale;
    locale.installTrCatalog(QStringLiteral("cellular-adaptation"));
    LoLocale::setDefault(locale);

    LoLayout *layout = new LoLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_policy = new LoLinearLayoutPolicy(layout, Qt::Vertical);
    m_policy->setSpacing(0);

    if (header) {
        LoLabel *label = new LoLabel(this);
        label->setStyleName(QStringLiteral("CommonHeaderInverted"));
        label->setObjectName(QStringLiteral("headerLabel"));
        label->setSizePolicy(label->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed,
                             QSizePolicy::DefaultType);
        m_headerLabel = label;
        m_headerLabel->setText(qtTrId(DataCounters::DataCounters));
        m_policy->addItem(m_headerLabel);
    }

    connect(this, SIGNAL(displayEntered()), this, SLOT(initWidget()));

    CELLCOUNTERS_TRACE()
        << "backup timer because signal displayEntered() has had random problems:" << BuildDelayMs << "ms";
    QTimer::singleShot(BuildDelayMs, this, SLOT(initWidget()));

    CELLCOUNTERS_TRACE() << "-out-";
}

DataCounterWidget::~DataCounterWidget()
{
    CELLCOUNTERS_TRACE();
    m_sections.clear();
}

bool DataCounterWidget::back()
{
    Q_EMIT checkValidity();
    return VcpWidget::back();
}

void DataCounterWidget::retranslateUi()
{
    CELLCOUNTERS_TRACE();
    if (m_headerLabel)
        m_headerLabel->setText(qtTrId(DataCounters::DataCounters));

    const QList<CounterContainer *> sections = sectionsInOrder();
    for (CounterContainer *section : sections) {
        const QString date = storage()
                                 ->value(keyId(section->mResetDateKey),
                                         QString::fromLatin1(DataCounters::DefaultResetDate))
                                 .toString();
        section->setResetDate(localDateString(date));
    }
}

StorageIf *DataCounterWidget::storage()
{
    if (m_storage)
        return m_storage;

    const QList<StorageKeys::KeyId> keys{
        StorageKeys::GprsHomeTxBytes,
        StorageKeys::GprsHomeRxBytes,
        StorageKeys::GprsHomeNotificationPeriod,
        StorageKeys::GprsHomeLastReset,
        StorageKeys::GprsHomeUiNotificationPeriod,
        StorageKeys::GprsRoamingTxBytes,
        StorageKeys::GprsRoamingRxBytes,
        StorageKeys::GprsRoamingNotificationPeriod,
        StorageKeys::GprsRoamingUiNotificationPeriod,
        StorageKeys::GprsRoamingLastReset,
    };
    m_storage = new StorageIf(keys, this);
    connect(m_storage, SIGNAL(valueChanged(int,QVariant)), this, SLOT(valueChanged(int,QVariant)));
    return m_storage;
}

void DataCounterWidget::initWidget()
{
    disconnect(this, SIGNAL(displayEntered()), this, SLOT(initWidget()));
    CELLCOUNTERS_TRACE();

    if (!m_sections.isEmpty()) {
        CELLCOUNTERS_TRACE() << "Initted already";
        return;
    }

    m_sections.insert(CounterContainer::Home,
                      new CounterContainer(CounterContainer::Home, StorageKeys::GprsHomeTxBytes,
                                           StorageKeys::GprsHomeRxBytes, StorageKeys::GprsHomeNotificationPeriod,
                                           StorageKeys::GprsHomeUiNotificationPeriod,
                                           StorageKeys::GprsHomeLastReset, this));
    m_sections.insert(CounterContainer::Roaming,
                      new CounterContainer(CounterContainer::Roaming, StorageKeys::GprsRoamingTxBytes,
                                           StorageKeys::GprsRoamingRxBytes,
                                           StorageKeys::GprsRoamingNotificationPeriod,
                                           StorageKeys::GprsRoamingUiNotificationPeriod,
                                           StorageKeys::GprsRoamingLastReset, this));

    m_callTimers = new CallTimersContainer(this);
    m_policy->addItem(m_callTimers);

    const QList<CounterContainer *> sections = sectionsInOrder();
    for (CounterContainer *section : sections) {
        // The initial values are ours; their change reports must not come back.
        storage()->blockSignals(true);
        initContainer(section);
        storage()->blockSignals(false);
        m_policy->addItem(section);
    }

    LoLabel *spacer = new LoLabel(this);
    spacer->setStyleName(QStringLiteral("CommonSmallSpacer"));
    m_policy->addItem(spacer);

    retranslateUi();
}

void DataCounterWidget::initContainer(CounterContainer *section)
{
    CELLCOUNTERS_TRACE();

    DataCounterValue amount = byteCount(storage()->value(keyId(section->mSentKey), 0));
    section->setSentDataAmount(amount);
    amount = storage()->value(keyId(section->mReceivedKey), 0);
    section->setReceivedDataAmount(amount);

    const QString date = storage()->value(keyId(section->mResetDateKey), 0).toString();
    section->setResetDate(localDateString(date));

    const DataCounterValue limit = byteCount(storage()->value(keyId(section->mPeriodKey), unsetLimit(section)));
    updateWarningPeriodUi(section, &limit);

    connect(section, SIGNAL(resetAccepted()), this, SLOT(resetDataAmounts()));
    connect(section, SIGNAL(warningPeriodChanged(QString)), this, SLOT(warningPeriodChanged(QString)));
    connect(section, SIGNAL(warningSwitchToggled(bool)), this, SLOT(warningSwitchToggled(bool)));
    connect(this, SIGNAL(checkValidity()), section, SLOT(checkValidity()));
}

void DataCounterWidget::valueChanged(int key, QVariant value)
{
    CELLCOUNTERS_TRACE() << key << value;

    const QList<CounterContainer *> sections = sectionsInOrder();
    const auto owner = std::find_if(sections.cbegin(), sections.cend(),
                                    [key](CounterContainer *section) { return section->hasKey(key); });
    if (owner == sections.cend())
        return;
    CounterContainer *section = *owner;

    // A key that another process unset reports no value: the section shows what
    // a page built now would read for it, and the key stays unset.
    if (key == section->mSentKey) {
        DataCounterValue amount = byteCount(value);
        section->setSentDataAmount(amount);
    } else if (key == section->mReceivedKey) {
        DataCounterValue amount = byteCount(value);
        section->setReceivedDataAmount(amount);
    } else if (key == section->mPeriodKey) {
        const DataCounterValue limit = byteCount(value.isNull() ? QVariant(unsetLimit(section)) : value);
        updateWarningPeriodUi(section, &limit);
    } else if (key == section->mResetDateKey) {
        const QString date = value.isNull() ? QString::fromLatin1(DataCounters::DefaultResetDate) : value.toString();
        section->setResetDate(localDateString(date));
    } else if (key == section->mUiPeriodKey && value.isNull()) {
        // While the warning is off the field shows the entered limit, and
        // without one the default limit that switching on puts in force.
        const DataCounterValue limit =
            byteCount(storage()->value(keyId(section->mPeriodKey), unsetLimit(section)));
        if (limit.toBytes() == 0)
            updateWarningPeriodUi(section, &limit);
    }
    // Otherwise the entered limit only matters while the warning is off, and
    // then the field already shows what the user typed.
}

void DataCounterWidget::updateWarningPeriodUi(CounterContainer *section, const DataCounterValue *limit)
{
    if (!limit)
        return;
    CELLCOUNTERS_TRACE() << limit->toUiMegas() << "MB";

    const DataCounterValue entered = byteCount(
        storage()->value(keyId(section->mUiPeriodKey), QString::number(section->defaultPeriod().toBytes())));
    DataCounterValue shown = entered;
    bool on = false;
    if (limit->toBytes() != 0) {
        shown = *limit;
        CELLCOUNTERS_TRACE() << "limit" << limit->toUiMegas() << "MB";
        // Keep the entered limit in step, so that switching the warning off
        // and on again restores the limit in force now.
        if (entered.toBytes() != limit->toBytes())
            storage()->setValue(keyId(section->mUiPeriodKey), storedForm(*limit));
        on = true;
    }
    CELLCOUNTERS_TRACE() << "set value" << shown.toUiMegas() << "MB";

    section->setWarningPeriod(shown.toUiMegas());
    section->setWarningSwitch(on);
}

void DataCounterWidget::warningPeriodChanged(const QString &period)
{
    CELLCOUNTERS_TRACE() << period;
    CounterContainer *section = senderSection();
    if (!section)
        return;

    const DataCounterValue value(period, false);
    storage()->blockSignals(true);
    if (value.toBytes() != 0) {
        storage()->setValue(keyId(section->mUiPeriodKey), storedForm(value));
        const DataCounterValue current = byteCount(storage()->value(keyId(section->mPeriodKey), 0));
        if (current.toBytes() != 0) {
            CELLCOUNTERS_TRACE() << "set limit" << value.toUiMegas() << "MB";
            storage()->setValue(keyId(section->mPeriodKey), storedForm(value));
        }
    }
    storage()->blockSignals(false);
}

void DataCounterWidget::warningSwitchToggled(bool state)
{
    CELLCOUNTERS_TRACE();
    CounterContainer *section = senderSection();
    if (!section)
        return;

    storage()->blockSignals(true);
    if (!state) {
        storage()->setValue(keyId(section->mPeriodKey), QStringLiteral("0"));
    } else {
        // Without an entered limit the field shows the section's default
        // limit; that is the one to put in force.
        DataCounterValue entered = byteCount(storage()->value(
            keyId(section->mUiPeriodKey), QString::number(section->defaultPeriod().toBytes())));
        // One that is no byte count would put "0" in force, the warning off
        // under a switch that shows on: the default limit stands in, shown.
        if (entered.toBytes() == 0) {
            entered = section->defaultPeriod();
            section->setWarningPeriod(entered.toUiMegas());
        }
        storage()->setValue(keyId(section->mPeriodKey), storedForm(entered));
    }
    storage()->blockSignals(false);
}

void DataCounterWidget::resetDataAmounts()
{
    CELLCOUNTERS_TRACE();
    CounterContainer *section = senderSection();
    if (!section)
        return;

    const QString date = currentGenericDate();
    storage()->setValue(keyId(section->mResetDateKey), date);
    storage()->setValue(keyId(section->mReceivedKey), QStringLiteral("0"));
    storage()->setValue(keyId(section->mSentKey), QStringLiteral("0"));

    DataCounterValue zero;
    section->setSentDataAmount(zero);
    section->setReceivedDataAmount(zero);
    section->setResetDate(localDateString(date));
}

QString DataCounterWidget::currentGenericDate()
{
    CELLCOUNTERS_TRACE();
    const QDateTime now = QDateTime::currentDateTime();
    const QDate today = now.date();
    return QStringLiteral("%1.%2.%3.%4")
        .arg(today.day())
        .arg(today.month())
        .arg(today.year())
        .arg(now.toSecsSinceEpoch());
}

QString DataCounterWidget::localDateString(const QString &date)
{
    CELLCOUNTERS_TRACE() << date;
    if (date == QLatin1String(DataCounters::DefaultResetDate))
        return qtTrId(DataCounters::DefaultResetDate);

    const QStringList parts = date.split(QLatin1Char('.'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    QDateTime dateTime;
    if (parts.size() < 3) {
        dateTime = QDateTime::currentDateTime();
    } else {
        const QDate day(parts.at(2).toInt(nullptr, 10), parts.at(1).toInt(nullptr, 10),
                        parts.at(0).toInt(nullptr, 10));
        dateTime = day.startOfDay();
    }
    return LoLocale().formatDateTime(dateTime, LoLocale::DateMedium, LoLocale::TimeNone,
                                     LoLocale::DefaultCalendar);
}

QList<CounterContainer *> DataCounterWidget::sectionsInOrder() const
{
    QList<int> types = m_sections.keys();
    std::sort(types.begin(), types.end());
    QList<CounterContainer *> sections;
    sections.reserve(types.size());
    for (int type : qAsConst(types))
        sections.append(m_sections.value(type));
    return sections;
}

CounterContainer *DataCounterWidget::senderSection() const
{
    return qobject_cast<CounterContainer *>(sender());
}
