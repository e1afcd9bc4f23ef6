// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "datacountervalue.h"

#include "lolocale.h"

#include <QtGlobal>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QRegExp>
#else
#include <QRegularExpression>
#endif

#include <charconv>
#include <limits>

namespace
{
constexpr unsigned long long bytesPerMegabyte = 1000000;
constexpr unsigned long long bytesPerTenth = 100000;
constexpr unsigned long long maxBytes = std::numeric_limits<unsigned long long>::max();

// An optional '+' and at least one ASCII digit, nothing else.
bool isWholeNumber(const QString &text)
{
    const int start = text.startsWith(QLatin1Char('+')) ? 1 : 0;
    if (text.size() <= start)
        return false;
    for (int i = start; i < text.size(); ++i) {
        if (text.at(i) < QLatin1Char('0') || text.at(i) > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Where the first decimal separator in text is, -1 without one.
int separatorIndex(const QString &text)
{
    const QString pattern = DataCounterValue::separatorPattern(LoLocale().decimalPoint());
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    return QRegExp(pattern, Qt::CaseInsensitive).indexIn(text);
#else
    // QRegExp kept its compiled expressions in a cache of Qt's own, where
    // QRegularExpression compiles anew each time it is made; the last pattern is
    // kept here instead (it changes only with the locale's decimal point).
    static thread_local QRegularExpression separator;
    if (separator.pattern() != pattern)
        separator = QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption);
    return int(separator.match(text).capturedStart());
#endif
}

// QVariant rounds a float through a signed 64-bit integer, which is undefined
// for NaN and from 2^63 up; those are handled here.
unsigned long long countFromFloat(const QVariant &value)
{
    const double count = value.toDouble();
    constexpr double twoTo63 = 9223372036854775808.0;
    constexpr double twoTo64 = 18446744073709551616.0;
    // NaN, negative, or beyond 64 bits: no count, as such a text is none.
    if (!(count >= 0.0) || count >= twoTo64)
        return 0;
    // From 2^63 on a double holds whole numbers only: nothing to round.
    if (count >= twoTo63)
        return static_cast<unsigned long long>(count);
    return value.toULongLong();
}
}

DataCounterValue::DataCounterValue(const QString &text, bool plainBytes)
    : bytes(0)
{
    if (!plainBytes) {
        fromUiMegas(text);
        return;
    }
    if (text.toLongLong(nullptr, 10) < 0)
        return;
    bytes = text.toULongLong(nullptr, 10);
}

DataCounterValue &DataCounterValue::operator=(const DataCounterValue &other)
{
    bytes = other.bytes;
    return *this;
}

DataCounterValue &DataCounterValue::operator=(const unsigned long long &count)
{
    bytes = count;
    return *this;
}

DataCounterValue &DataCounterValue::operator=(const QVariant &value)
{
    if (value.isNull()) {
        bytes = 0;
        return *this;
    }
    switch (value.userType()) {
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        // Never negative; read as signed, a count from 2^63 up would look so.
        bytes = value.toULongLong();
        break;
    case QMetaType::Float:
    case QMetaType::Double:
        bytes = countFromFloat(value);
        break;
    default:
        // QVariant(-5).toULongLong() would wrap to a huge count.
        bytes = value.toLongLong() < 0 ? 0 : value.toULongLong();
        break;
    }
    return *this;
}

QString DataCounterValue::toUiMegas() const
{
    const double megabytes = double(bytes / 1000) * 0.001;
    // Rounded as C's printf("%.1f") rounds the exact binary value (an exact tie
    // goes to the even digit), with "." whatever the process's C locale says.
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, megabytes, std::chars_format::fixed, 1);
    return QString::fromLatin1(text, int(result.ptr - text));
}

QString DataCounterValue::separatorPattern(const QString &decimalPoint)
{
    // A backslash makes any other character literal; before a letter or digit it
    // would make a class such as \d instead, so those stand alone. An empty decimal
    // point leaves the fixed separators.
    QString point;
    for (const QChar c : decimalPoint) {
        if (!c.isLetterOrNumber())
            point += QLatin1Char('\\');
        point += c;
    }
    if (point.isEmpty())
        return QStringLiteral("[\\.|\\,]");
    return QStringLiteral("[\\.|\\,|") + point + QLatin1Char(']');
}

void DataCounterValue::fromUiMegas(const QString &text)
{
    const QString trimmed = text.trimmed();
    const int position = separatorIndex(trimmed);

    if (position < 0) {
        if (trimmed.toLongLong() < 0) {
            bytes = 0;
            return;
        }
        bool ok = false;
        const unsigned long long megabytes = trimmed.toULongLong(&ok);
        if (!ok) {
            // Digits only but beyond 64 bits: as large as a count gets.
            bytes = isWholeNumber(trimmed) ? maxBytes : 0;
            return;
        }
        bytes = megabytes > maxBytes / bytesPerMegabyte ? maxBytes : megabytes * bytesPerMegabyte;
        return;
    }

    QString number = trimmed;
    number[position] = QLatin1Char('.');
    const double tenths = number.toDouble() * 10.0;
    if (!(tenths >= 0.0)) { // negative, or not a number
        bytes = 0;
        return;
    }
    const double rounded = tenths + 0.5;
    // Beyond 2^64 bytes the conversion to an integer would be undefined.
    if (rounded >= double(maxBytes / bytesPerTenth) + 1.0) {
        bytes = maxBytes;
        return;
    }
    bytes = static_cast<unsigned long long>(rounded) * bytesPerTenth;
}
