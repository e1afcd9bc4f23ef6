// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "dataamountwidget.h"

#include "countertexts.h"
#include "datacounters.h"
#include "lolocale.h"

DataAmountWidget::DataAmountWidget(DataAmountWidgetType type, QGraphicsItem *parent)
    : SettingsItem(TitleSubtitle, parent)
    , mType(type)
{
    setObjectName(QStringLiteral("DataAmount_%1").arg(static_cast<int>(type)));

    // Every row installs the catalog again: whichever is built first makes the
    // texts of its section available.
    LoLocale locale;
    locale.installTrCatalog(QStringLiteral("libtessaro"));
    LoLocale::setDefault(locale);

    retranslateUi();
}

DataAmountWidget::~DataAmountWidget() = default;

void DataAmountWidget::setDataAmount(const QString &amount)
{
    mDataAmount = amount;
    retranslateUi();
}

void DataAmountWidget::retranslateUi()
{
    setTitle(qtTrId(mType == Sent ? DataCounters::SentText : DataCounters::ReceivedText));

    setSubtitle(CounterTexts::amount(mDataAmount));
}
