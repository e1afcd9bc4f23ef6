// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "calltimerscontainer.h"

#include "countertexts.h"
#include "datacounters.h"
#include "tracing_p.h"
#include "settingsitem.h"
#include "storagekeys.h"

#include "lobutton.h"
#include "logconfitem.h"
#include "lolayout.h"
#include "lolinearlayoutpolicy.h"
#include "lomessagebox.h"


CallTimersContainer::CallTimersContainer(QGraphicsItem *parent)
    : LoContainer(parent)
{
    CELLCOUNTERS_TRACE();
    setStyleName(QStringLiteral("CommonContainerInverted"));
    setObjectName(QStringLiteral("CallTimersContainer"));

    createContent();

    mCallTimers = new Cellular::CallTimers(this);
    if (mCallTimers->isValid() && mCallTimers->callUpdateTime() != 1)
        mCallTimers->setCallUpdateTime(1);
    connect(mCallTimers, SIGNAL(timersUpdated(CallTimers::CallTimersInfo)),
            this, SLOT(updateTimers(CallTimers::CallTimersInfo)));

    mResetDateConfItem = new LoGConfItem(StorageKeys::CallTimersResetDatePath, this);
    connect(mResetDateConfItem, SIGNAL(valueChanged()), this, SLOT(resetDateChanged()));

    resetDateChanged();
}

CallTimersContainer::~CallTimersContainer() = default;

void CallTimersContainer::createContent()
{
    QGraphicsWidget *central = centralWidget();
    auto *layout = new LoLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *policy = new LoLinearLayoutPolicy(layout, Qt::Vertical);
    policy->setSpacing(0);

    mDialledItem = new SettingsItem(SettingsItem::TitleSubtitle, central);
    mReceivedItem = new SettingsItem(SettingsItem::TitleSubtitle, central);
    mAllItem = new SettingsItem(SettingsItem::TitleSubtitle, central);
    mResetDateItem = new SettingsItem(SettingsItem::TitleSubtitle, central);
    mDialledItem->setObjectName(QStringLiteral("timersDialed"));
    mReceivedItem->setObjectName(QStringLiteral("timersReceived"));
    mAllItem->setObjectName(QStringLiteral("timersAll"));
    mResetDateItem->setObjectName(QStringLiteral("timersResetDate"));

    mResetBtn = new LoButton(central, nullptr);
    mResetBtn->setStyleName(QStringLiteral("CommonListButtonInverted"));
    mResetBtn->setObjectName(QStringLiteral("timersResetBtn"));
    connect(mResetBtn, SIGNAL(clicked()), this, SLOT(clearTimers()));

    policy->addItem(mDialledItem);
    policy->addItem(mReceivedItem);
    policy->addItem(mAllItem);
    policy->addItem(resetWidget());
}

LoWidgetController *CallTimersContainer::resetWidget()
{
    auto *panel = new LoWidgetController();
    panel->setViewType(QStringLiteral("background"));
    panel->setStyleName(QStringLiteral("CommonLargePanelInverted"));

    auto *layout = new LoLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *policy = new LoLinearLayoutPolicy(layout, Qt::Horizontal);
    policy->addItem(mResetDateItem, Qt::AlignLeft);
    policy->addItem(mResetBtn, Qt::AlignRight | Qt::AlignVCenter);
    return panel;
}

void CallTimersContainer::retranslateUi()
{
    LoContainer::retranslateUi();

    setTitle(qtTrId(DataCounters::CallTimersTitle));
    mDialledItem->setTitle(qtTrId(DataCounters::CallTimersDialled));
    mReceivedItem->setTitle(qtTrId(DataCounters::CallTimersReceived));
    mAllItem->setTitle(qtTrId(DataCounters::CallTimersAll));
    mResetDateItem->setTitle(qtTrId(DataCounters::LastResetText));
    mResetBtn->setText(qtTrId(DataCounters::ResetText));

    mResetDateItem->setSubtitle(CounterTexts::clearingDateText(mResetDate));

    updateTimers();
}

void CallTimersContainer::updateTimers()
{
    if (mCallTimers->isValid()) {
        updateTimers(mCallTimers->timers());
        return;
    }
    mDialledItem->setSubtitle(QString());
    mReceivedItem->setSubtitle(QString());
    mAllItem->setSubtitle(QString());
}

void CallTimersContainer::updateTimers(CallTimers::CallTimersInfo info)
{
    CELLCOUNTERS_TRACE() << mCallTimers;

    // The all-calls total is the record's own; the two others need not add up to it.
    mDialledItem->setSubtitle(CounterTexts::duration(info.dialled));
    mReceivedItem->setSubtitle(CounterTexts::duration(info.received));
    mAllItem->setSubtitle(CounterTexts::duration(info.all));
}

void CallTimersContainer::clearTimers()
{
    CELLCOUNTERS_TRACE() << mResetDateConfItem->value();

    auto *box = new LoMessageBox(qtTrId(DataCounters::Reset), qtTrId(DataCounters::CallTimersConfirm),
                                 Lo::YesButton | Lo::NoButton);
    connect(box, SIGNAL(accepted()), this, SLOT(clearTimersAccepted()));
    // A box left open by a section that is gone would ask about nothing.
    connect(this, &QObject::destroyed, box, &LoDialog::close, Qt::QueuedConnection);
    box->appear(LoSceneWindow::DestroyWhenDone);
}

void CallTimersContainer::clearTimersAccepted()
{
    if (!mCallTimers->isValid())
        return;
    mCallTimers->clearTimers();
    mResetDateConfItem->set(CounterTexts::newClearingDate());
}

void CallTimersContainer::resetDateChanged()
{
    const QVariant value = mResetDateConfItem->value();
    CELLCOUNTERS_TRACE() << value;

    mResetDate = CounterTexts::clearingDate(value.toString());

    retranslateUi();
}
