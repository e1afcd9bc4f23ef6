// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef COUNTERTEXTS_H
#define COUNTERTEXTS_H

#include "cellcounters_export.h"

#include <QDateTime>
#include <QString>

/**
 * How the pages show the stored counter values, in the default locale (digits,
 * separators, dates and the catalog's texts), and the dates they store. Every
 * front end, widget or Qt Quick, shows them through this class.
 */
class CELLCOUNTERS_EXPORT CounterTexts
{
public:
    /** Makes the texts of the pages' catalogs available in the default locale, to qtTrId() and QML's qsTrId(). */
    static void installCatalogs();

    /** An amount in megabytes as DataCounterValue::toUiMegas() gives it, as a page shows it ("123.5 MB"). */
    static QString amount(const QString &uiMegas);
    /** A network's reset date as stored ("day.month.year.seconds"), in the locale's medium date form. */
    static QString resetDate(const QString &stored);
    /** Now, in the form a network's reset date is stored in. */
    static QString newResetDate();

    /** A call duration as h:mm:ss, hours unbounded, in the locale's digits. */
    static QString duration(quint32 seconds);
    /** The call timers' clearing date as stored ("yyyy-MM-dd", digits of any script): the start of that day, or invalid. */
    static QDateTime clearingDate(const QString &stored);
    /** A clearing date as the page shows it; invalid: the "never" text. */
    static QString clearingDateText(const QDateTime &date);
    /** Today, in the form the clearing date is stored in. */
    static QString newClearingDate();
};

#endif
