// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "calltimerscontainer.h"

#include "datacounters.h"
#include "tracing_p.h"
#include "settingsitem.h"
#include "storagekeys.h"

#include "lobutton.h"
#include "logconfitem.h"
#include "lolayout.h"
#include "lolinearlayoutpolicy.h"
#include "lolocale.h"
#include "lomessagebox.h"
#include <QLocale>

namespace {

// h:mm:ss with hours unbounded, in the user's numerals.
QString durationText(quint32 seconds, const LoLocale &locale)
{
    const QChar zero = QLatin1Char('0');
    const QString text = QStringLiteral("%1:%2:%3")
                             .arg(seconds / 3600, 2, 10, zero)
                             .arg((seconds % 3600) / 60, 2, 10, zero)
                             .arg(seconds % 60, 2, 10, zero);
    return locale.toLocalizedNumbers(text);
}

// The clearing date's fixed form, "yyyy-MM-dd" in Latin digits, read the way
// Qt 5's date parser has always read the key: the first character of a field
// may be a plus sign. Qt 6's parser refuses that, so the form is read here, the
// same with either.
QDate clearingDate(const QString &text)
{
    if (text.size() != 10 || text.at(4) != QLatin1Char('-') || text.at(7) != QLatin1Char('-'))
        return QDate();
    const auto field = [&text](int from, int width) {
        int number = 0;
        for (int i = from; i < from + width; ++i) {
            const QChar c = text.at(i);
            if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                number = number * 10 + (c.unicode() - '0');
            else if (i != from || c != QLatin1Char('+'))
                return -1;
        }
        return number;
    };
    const int year = field(0, 4), month = field(5, 2), day = field(8, 2);
    return year > 0 && month > 0 && day > 0 ? QDate(year, month, day) : QDate();
}

} // namespace

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

    if (mResetDate.isValid()) {
        const LoLocale locale;
        mResetDateItem->setSubtitle(locale.formatDateTime(mResetDate, LoLocale::DateMedium,
                                                          LoLocale::TimeNone,
                                                          LoLocale::DefaultCalendar));
    } else {
        mResetDateItem->setSubtitle(qtTrId(DataCounters::DefaultResetDate));
    }

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
    const LoLocale locale;
    mDialledItem->setSubtitle(durationText(info.dialled, locale));
    mReceivedItem->setSubtitle(durationText(info.received, locale));
    mAllItem->setSubtitle(durationText(info.all, locale));
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
    // Qt 5 formats with the system language's digits; the key is shared with
    // other programs, so its form is fixed: Latin digits.
    mResetDateConfItem->set(QLocale::c().toString(QDateTime::currentDateTime(), QLatin1String(FORMAT)));
}

void CallTimersContainer::resetDateChanged()
{
    const QVariant value = mResetDateConfItem->value();
    CELLCOUNTERS_TRACE() << value;

    // Parsed as a date, then taken at the start of that day: where midnight
    // falls into a daylight saving gap, a date-and-time parse would fail.
    // Read the same in every language: digits of any script (as Qt 5 wrote them
    // under a non-Latin system language) count, and only the fixed form is a date.
    const QDate date = value.isNull()
        ? QDate()
        : clearingDate(LoLocale().toLatinNumbers(value.toString()));
    mResetDate = date.isValid() ? date.startOfDay() : QDateTime();

    retranslateUi();
}
