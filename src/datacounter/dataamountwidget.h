// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef DATAAMOUNTWIDGET_H
#define DATAAMOUNTWIDGET_H

#include "cellcounters_export.h"
#include "settingsitem.h"

/**
 * The row that shows one byte counter of a network: "sent" or "received" as its
 * title, and the amount in megabytes, written the way the user's locale writes
 * numbers, as its subtitle.
 *
 * Building a row installs the library's translation catalog into the default locale.
 */
class CELLCOUNTERS_EXPORT DataAmountWidget : public SettingsItem
{
    Q_OBJECT

public:
    // Fixed underlying type: any other value is defined and titled as received.
    enum DataAmountWidgetType : int {
        Sent = 0,
        Received = 1,
    };

    explicit DataAmountWidget(DataAmountWidgetType type, QGraphicsItem *parent = nullptr);
    ~DataAmountWidget() override;

    /** @p amount is megabytes with "." as decimal point, as DataCounterValue::toUiMegas() gives it. */
    void setDataAmount(const QString &amount);

    void retranslateUi() override;

private:
    DataAmountWidgetType mType;
    QString mDataAmount;

    Q_DISABLE_COPY(DataAmountWidget)
};

#endif
