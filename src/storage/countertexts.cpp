// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "countertexts.h"

#include "datacounters.h"

#include "lolocale.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

namespace
{
// The clearing date's fixed form, "yyyy-MM-dd" in Latin digits, read the way
// Qt 5's date parser has always read the key: the first character of a field
// may be a plus sign. Qt 6's parser refuses that, so the form is read here, the
// same with either.
QDate fixedFormDate(const QString &text)
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

QString mediumDate(const QDateTime &dateTime)
{
    return LoLocale().formatDateTime(dateTime, LoLocale::DateMedium, LoLocale::TimeNone,
                                     LoLocale::DefaultCalendar);
}
} // namespace

void CounterTexts::installCatalogs()
{
    LoLocale locale;
    locale.installTrCatalog(QStringLiteral("cellular-adaptation"));
    locale.installTrCatalog(QStringLiteral("libtessaro"));
    LoLocale::setDefault(locale);
}

QString CounterTexts::amount(const QString &uiMegas)
{
    // Unparsable text shows 0, and so do "nan" and "inf", which toDouble() accepts.
    double megabytes = uiMegas.toDouble();
    if (!std::isfinite(megabytes))
        megabytes = 0;
    return qtTrId(DataCounters::MBText).arg(LoLocale().formatNumber(megabytes, -1));
}

QString CounterTexts::resetDate(const QString &stored)
{
    if (stored == QLatin1String(DataCounters::DefaultResetDate))
        return qtTrId(DataCounters::DefaultResetDate);

    const QStringList parts = stored.split(QLatin1Char('.'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    QDateTime dateTime;
    if (parts.size() < 3) {
        dateTime = QDateTime::currentDateTime();
    } else {
        const QDate day(parts.at(2).toInt(nullptr, 10), parts.at(1).toInt(nullptr, 10),
                        parts.at(0).toInt(nullptr, 10));
        dateTime = day.startOfDay();
    }
    return mediumDate(dateTime);
}

QString CounterTexts::newResetDate()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate today = now.date();
    return QStringLiteral("%1.%2.%3.%4")
        .arg(today.day())
        .arg(today.month())
        .arg(today.year())
        .arg(now.toSecsSinceEpoch());
}

QString CounterTexts::duration(quint32 seconds)
{
    const QChar zero = QLatin1Char('0');
    const QString text = QStringLiteral("%1:%2:%3")
                             .arg(seconds / 3600, 2, 10, zero)
                             .arg((seconds % 3600) / 60, 2, 10, zero)
                             .arg(seconds % 60, 2, 10, zero);
    return LoLocale().toLocalizedNumbers(text);
}

QDateTime CounterTexts::clearingDate(const QString &stored)
{
    // Parsed as a date, then taken at the start of that day: where midnight
    // falls into a daylight saving gap, a date-and-time parse would fail.
    // Read the same in every language: digits of any script (as Qt 5 wrote them
    // under a non-Latin system language) count, and only the fixed form is a date.
    const QDate date = fixedFormDate(LoLocale().toLatinNumbers(stored));
    return date.isValid() ? date.startOfDay() : QDateTime();
}

QString CounterTexts::clearingDateText(const QDateTime &date)
{
    return date.isValid() ? mediumDate(date) : qtTrId(DataCounters::DefaultResetDate);
}

QString CounterTexts::newClearingDate()
{
    // Qt 5 formats with the system language's digits; the key is shared with
    // other programs, so its form is fixed: Latin digits.
    return QLocale::c().toString(QDateTime::currentDateTime(), QLatin1String(FORMAT));
}
