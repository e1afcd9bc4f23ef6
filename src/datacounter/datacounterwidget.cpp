// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "datacounterwidget.h"

#include "calltimerscontainer.h"
#include "countercontainer.h"
#include "countertexts.h"
#include "datacounters.h"
#include "datacountervalue.h"
#include "networkcounters.h"
#include "storageif.h"
#include "tracing_p.h"

#include <lolabel.h>
#include <lolayout.h>
#include <lolinearlayoutpolicy.h>
#include <lolocale.h>

#include <QSizePolicy>
#include <QTimer>

#include <algorithm>

namespace
{
const int BuildDelayMs = 1500;

NetworkCounters::Network networkOf(CounterContainer::Type type)
{
    return type == CounterContainer::Roaming ? NetworkCounters::Roaming : NetworkCounters::Home;
}

CounterContainer *newSection(CounterContainer::Type type, QGraphicsItem *page)
{
    const NetworkCounters::Network network = networkOf(type);
    return new CounterContainer(type, NetworkCounters::key(network, NetworkCounters::SentBytes),
                                NetworkCounters::key(network, NetworkCounters::ReceivedBytes),
                                NetworkCounters::key(network, NetworkCounters::Limit),
                                NetworkCounters::key(network, NetworkCounters::EnteredLimit),
                                NetworkCounters::key(network, NetworkCounters::ResetDate), page);
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
    for (CounterContainer *section : sections)
        section->setResetDate(localDateString(counters(section)->resetDate()));
}

StorageIf *DataCounterWidget::storage()
{
    if (m_storage)
        return m_storage;

    m_storage = new StorageIf(NetworkCounters::storeKeys(), this);
    connect(m_storage, SIGNAL(valueChanged(int,QVariant)), this, SLOT(valueChanged(int,QVariant)));
    for (NetworkCounters::Network network : {NetworkCounters::Home, NetworkCounters::Roaming})
        m_counters.insert(network, new NetworkCounters(network, m_storage, m_storage));
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

    for (CounterContainer::Type type : {CounterContainer::Home, CounterContainer::Roaming})
        m_sections.insert(type, newSection(type, this));

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
    const NetworkCounters *network = counters(section);

    DataCounterValue amount = network->bytesSent();
    section->setSentDataAmount(amount);
    amount = network->bytesReceived();
    section->setReceivedDataAmount(amount);
    section->setResetDate(localDateString(network->resetDate()));
    const DataCounterValue limit = network->limit();
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
    const NetworkCounters *network = counters(section);

    // A key that another process unset reports no value: the section shows what
    // a page built now would read for it, and the key stays unset.
    switch (network->fieldOf(key)) {
    case NetworkCounters::SentBytes: {
        DataCounterValue amount = NetworkCounters::byteCount(value);
        section->setSentDataAmount(amount);
        break;
    }
    case NetworkCounters::ReceivedBytes: {
        DataCounterValue amount = NetworkCounters::byteCount(value);
        section->setReceivedDataAmount(amount);
        break;
    }
    case NetworkCounters::Limit: {
        const DataCounterValue limit = network->limitFrom(value);
        updateWarningPeriodUi(section, &limit);
        break;
    }
    case NetworkCounters::ResetDate:
        section->setResetDate(localDateString(NetworkCounters::resetDateFrom(value)));
        break;
    case NetworkCounters::EnteredLimit:
        // While the warning is off the field shows the entered limit, and
        // without one the default limit that switching on puts in force.
        // Otherwise the field already shows what the user typed.
        if (value.isNull() && !network->isWarningOn()) {
            const DataCounterValue off;
            updateWarningPeriodUi(section, &off);
        }
        break;
    case NetworkCounters::NoField:
        break;
    }
}

void DataCounterWidget::updateWarningPeriodUi(CounterContainer *section, const DataCounterValue *limit)
{
    if (!limit)
        return;
    CELLCOUNTERS_TRACE() << limit->toUiMegas() << "MB";

    NetworkCounters *network = counters(section);
    DataCounterValue shown = network->enteredLimit();
    const bool on = limit->toBytes() != 0;
    if (on) {
        shown = *limit;
        CELLCOUNTERS_TRACE() << "limit" << limit->toUiMegas() << "MB";
        // Keep the entered limit in step, so that switching the warning off
        // and on again restores the limit in force now.
        network->keepEntered(*limit);
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
    if (counters(section)->enterLimit(value))
        CELLCOUNTERS_TRACE() << "set limit" << value.toUiMegas() << "MB";
    storage()->blockSignals(false);
}

void DataCounterWidget::warningSwitchToggled(bool state)
{
    CELLCOUNTERS_TRACE();
    CounterContainer *section = senderSection();
    if (!section)
        return;

    NetworkCounters *network = counters(section);
    storage()->blockSignals(true);
    const DataCounterValue inForce = network->setWarning(state);
    // An entered limit that is no byte count gave way to the default limit: shown.
    if (state && inForce.toBytes() != network->enteredLimit().toBytes())
        section->setWarningPeriod(inForce.toUiMegas());
    storage()->blockSignals(false);
}

void DataCounterWidget::resetDataAmounts()
{
    CELLCOUNTERS_TRACE();
    CounterContainer *section = senderSection();
    if (!section)
        return;

    const QString date = currentGenericDate();
    counters(section)->reset(date);

    DataCounterValue zero;
    section->setSentDataAmount(zero);
    section->setReceivedDataAmount(zero);
    section->setResetDate(localDateString(date));
}

QString DataCounterWidget::currentGenericDate()
{
    CELLCOUNTERS_TRACE();
    return CounterTexts::newResetDate();
}

QString DataCounterWidget::localDateString(const QString &date)
{
    CELLCOUNTERS_TRACE() << date;
    return CounterTexts::resetDate(date);
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

NetworkCounters *DataCounterWidget::counters(CounterContainer *section)
{
    storage();
    return m_counters.value(networkOf(section->widgetType()));
}

CounterContainer *DataCounterWidget::senderSection() const
{
    return qobject_cast<CounterContainer *>(sender());
}
