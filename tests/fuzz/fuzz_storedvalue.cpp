// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// Byte counts from a stored counter (a QVariant of any type, as the store hands it
// over) and from megabyte text (typed into the limit field or given by the page).

#include "fuzzinput.h"

#include "datacountervalue.h"
#include "lolocale.h"

#include <QDebug>
#include <QRegularExpression>

#include <cmath>

namespace
{
// A string variant that holds no string.
QVariant nullString()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    return QVariant(QVariant::String);
#else
    return QVariant(QMetaType::fromType<QString>());
#endif
}

QVariant makeVariant(FuzzInput &input)
{
    static const char *const signs[] = {"", "-", "+", " "};
    switch (input.below(12)) {
    case 0: return input.flag() ? QVariant() : nullString();
    case 1: return input.utf8(64);
    case 2: return input.text(QString(), 32); // lone surrogates and NUL too
    case 3: return int(input.uint32());
    case 4: return uint(input.uint32());
    case 5: return qlonglong(input.uint64());
    case 6: return qulonglong(input.uint64());
    case 7: return input.flag() ? QVariant(input.anyDouble()) : QVariant(float(input.anyDouble()));
    case 8: return input.flag();
    case 9: return QVariantList{makeVariant(input), makeVariant(input)};
    case 10: return input.utf8(32).toUtf8();
    default: return QString(QLatin1String(signs[input.below(4)]) + QString::number(input.uint64()) + QString(int(input.below(2)), QLatin1Char('0')));
    }
}

// Counts that the variant holds exactly come through exactly; negative ones, and none, are 0.
void checkStored(FuzzInput &input)
{
    const QVariant value = makeVariant(input);
    DataCounterValue counter(input.uint64()); // the count before plays no part
    counter = value;
    const unsigned long long bytes = counter.toBytes();
    QString context;
    QDebug(&context) << value << "->" << bytes << counter.toUiMegas();
    const double number = value.toDouble();
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\A\\s*\\+?([0-9]{1,19})\\s*\\z")).match(value.toString());
    bool fits = false;
    switch (value.userType()) {
    case QMetaType::Int:
    case QMetaType::LongLong: FUZZ_CHECK(bytes == qulonglong(qMax(value.toLongLong(), 0LL)), context); break;
    case QMetaType::UInt:
    case QMetaType::ULongLong: FUZZ_CHECK(bytes == value.toULongLong(), context); break;
    case QMetaType::Double:
    case QMetaType::Float: // none when NaN, negative or beyond 64 bits; above 2^53 all are whole
        FUZZ_CHECK(!(number >= 0.0) || number >= 18446744073709551616.0 ? bytes == 0 : std::fabs(double(bytes) - number) <= (number <= 9007199254740992.0), context);
        break;
    case QMetaType::QString:
        FUZZ_CHECK(!match.hasMatch() || match.captured(1).toULongLong(&fits) == bytes || !fits, context);
        FUZZ_CHECK(!value.toString().trimmed().startsWith(QLatin1Char('-')) || bytes == 0, context);
    }
    FUZZ_CHECK(!value.isNull() || bytes == 0, context);
    FUZZ_CHECK(QRegularExpression(QStringLiteral("\\A[0-9]+\\.[0-9]\\z")).match(counter.toUiMegas()).hasMatch(), context);
}

void checkMegabytes(FuzzInput &input)
{
    const auto bytesOf = [](const QString &text) { return DataCounterValue(text, false).toBytes(); };
    // The field's own language, with blanks and leading zeros, against integer arithmetic.
    const QString separators = QStringLiteral(".,|") + LoLocale().decimalPoint();
    const unsigned long long whole = input.uint32() % 1000000000ULL;
    const int tenth = int(input.below(11)); // 10: none
    const QString pad(int(input.below(3)), QLatin1Char(' '));
    const QString field = pad + QString(int(input.below(3)), QLatin1Char('0')) + QString::number(whole)
        + (tenth < 10 ? separators.at(int(input.below(4))) + QString::number(tenth) : QString()) + pad;
    FUZZ_CHECK(bytesOf(field) == whole * 1000000 + (tenth % 10) * 100000ULL, field);
    FUZZ_CHECK(DataCounterValue(bytesOf(field)).toUiMegas() == QStringLiteral("%1.%2").arg(whole).arg(tenth % 10), field);
    // Whole numbers beyond the field's range: exact while the count fits, then saturated.
    const QString big = QString::number(input.uint64()) + QString(int(input.below(3)), QLatin1Char('9'));
    bool fits = false;
    const unsigned long long megabytes = big.toULongLong(&fits);
    FUZZ_CHECK(bytesOf(big) == (fits && megabytes <= ~0ULL / 1000000 ? megabytes * 1000000 : ~0ULL), big);

    // Any text: tenths (saturation aside), blanks around it and the separator used change nothing.
    const QString text = input.utf8(-1);
    const unsigned long long bytes = bytesOf(text);
    const QString context = QStringLiteral("%1 -> %2").arg(QString::fromLatin1(text.toUtf8().toHex())).arg(bytes);
    FUZZ_CHECK(bytes % 100000 == 0 || bytes == ~0ULL, context);
    FUZZ_CHECK(!text.trimmed().startsWith(QLatin1Char('-')) || bytes == 0, context);
    FUZZ_CHECK(bytesOf(QStringLiteral(" \t") + text + QStringLiteral("\n ")) == bytes, context);
    const int at = text.indexOf(QRegularExpression(QLatin1Char('[') + QRegularExpression::escape(separators) + QLatin1Char(']')));
    for (int i = 0; i < separators.size() && at >= 0; ++i)
        FUZZ_CHECK(bytesOf(QString(text).replace(at, 1, separators.at(i))) == bytes, context + separators.at(i));
    const QString shown = DataCounterValue(bytes).toUiMegas(); // reads back as the same count
    FUZZ_CHECK(DataCounterValue(bytesOf(shown)).toUiMegas() == shown && (bytes >= 1e15 || bytesOf(shown) == bytes), context);
    const unsigned long long plain = DataCounterValue(text, true).toBytes(); // a plain byte count
    FUZZ_CHECK(!text.startsWith(QLatin1Char('-')) || plain == 0, context);
    FUZZ_CHECK(!QRegularExpression(QStringLiteral("\\A[0-9]{1,19}\\z")).match(text).hasMatch() || plain == text.toULongLong(&fits) || !fits, context);
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t what = input.byte();
    FuzzInput::useLocale(what >> 1);
    if (what & 1)
        checkMegabytes(input);
    else
        checkStored(input);
    return 0;
}
