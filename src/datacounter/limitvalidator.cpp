// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "limitvalidator.h"

#include "lolocale.h"

namespace
{
// Up to nine integer digits, optionally one separator and one decimal digit;
// \d takes any script's digits.
QString limitPattern()
{
    return QLatin1String("\\b(\\d{1,9}\\b(") + DataCounterValue::separatorPattern(LoLocale().decimalPoint())
        + QLatin1String(")\\b\\d{1}|\\d{1,9})\\b");
}
} // namespace

LimitValidator::LimitValidator(QObject *parent)
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    : LimitValidatorBase(QRegExp(limitPattern(), Qt::CaseInsensitive, QRegExp::RegExp), parent)
#else
    // Unicode properties: \d and \b as above, not ASCII only.
    : LimitValidatorBase(QRegularExpression(limitPattern(), QRegularExpression::CaseInsensitiveOption
                                                                | QRegularExpression::UseUnicodePropertiesOption),
                         parent)
#endif
{
}

LimitValidator::~LimitValidator() = default;

double LimitValidator::toMegabytes(const QString &latinText, bool *ok)
{
    // Qt 5's QString::toDouble() knows only the C locale's ".", so the first
    // separator that the field admits (the characters of
    // DataCounterValue::separatorPattern()) is read as the decimal point, as
    // the megabyte conversion reads it: "1,5" typed in any locale is a number.
    // Read on every keystroke, so without a regular expression.
    const QString decimalPoint = LoLocale().decimalPoint();
    QString text = latinText;
    for (QChar &c : text) {
        if (c == QLatin1Char('.') || c == QLatin1Char(',') || c == QLatin1Char('|')
            || decimalPoint.contains(c, Qt::CaseInsensitive)) {
            c = QLatin1Char('.');
            break;
        }
    }
    return text.toDouble(ok);
}

bool LimitValidator::isEntered(const QString &text, QString *latinText, double *megabytes) const
{
    QString input = text;
    int position = 0;
    if (validate(input, position) != Acceptable)
        return false;
    const QString latin = LoLocale().toLatinNumbers(text);
    if (latinText)
        *latinText = latin;
    bool ok = false;
    const double number = toMegabytes(latin, &ok);
    if (megabytes)
        *megabytes = number;
    return ok;
}

bool LimitValidator::isCommittable(const QString &text, QString *latinText) const
{
    double megabytes = 0;
    return isEntered(text, latinText, &megabytes) && megabytes >= Minimum;
}
