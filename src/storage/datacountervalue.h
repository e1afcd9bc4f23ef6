// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef DATACOUNTERVALUE_H
#define DATACOUNTERVALUE_H

#include "cellcounters_export.h"

#include <QString>
#include <QVariant>

/**
 * An amount of data: an unsigned 64-bit byte count and its megabyte text
 * (1 MB = 1,000,000 bytes, shown to a tenth).
 */
class CELLCOUNTERS_EXPORT DataCounterValue
{
public:
    DataCounterValue(unsigned long long bytes = 0)
        : bytes(bytes)
    {
    }
    /**
     * @p plainBytes false: @p text is megabyte text as typed by the user (fromUiMegas()).
     * @p plainBytes true: @p text is a byte count in base 10; a negative one gives 0.
     */
    explicit DataCounterValue(const QString &text, bool plainBytes = false);

    DataCounterValue(const DataCounterValue &other) = default;
    DataCounterValue &operator=(const DataCounterValue &other);
    DataCounterValue &operator=(const unsigned long long &count);
    /** A stored counter: null, negative, not a number or beyond 64 bits gives 0. */
    DataCounterValue &operator=(const QVariant &value);

    operator unsigned long long() const { return bytes; }
    unsigned long long toBytes() const { return bytes; }

    /** The megabytes with one decimal and "." as separator, whatever the locale: "123.5". */
    QString toUiMegas() const;
    /**
     * Sets the count from megabytes typed by the user, in Latin digits: a whole
     * number, or a number with one of ".", ",", "|" or the locale's decimal point,
     * rounded half up to a tenth. Anything else gives 0; too large saturates.
     */
    void fromUiMegas(const QString &text);

    /** The separator class that fromUiMegas() looks for, given the locale's decimal point. */
    static QString separatorPattern(const QString &decimalPoint);

private:
    unsigned long long bytes;
};

#endif
