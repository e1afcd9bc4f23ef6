// Megabyte text, as typed into the limit field or built from defaults, to a byte count.

#include "fuzzenvironment.h"
#include "fuzzinput.h"

#include "datacountervalue.h"
#include "lolocale.h"

#include <QRegularExpression>

#include <limits>

namespace
{
constexpr unsigned long long MaxBytes = std::numeric_limits<unsigned long long>::max();

const QRegularExpression &uiMegasForm()
{
    static const QRegularExpression form(QStringLiteral("\\A[0-9]+\\.[0-9]\\z"));
    return form;
}

unsigned long long bytesOf(const QString &text)
{
    return DataCounterValue(text, false).toBytes();
}

QString describe(const QString &locale, const QString &text, unsigned long long bytes)
{
    QString units;
    for (const QChar c : text)
        units += QString::number(c.unicode(), 16) + QLatin1Char(' ');
    return QStringLiteral("locale %1, text \"%2\" [%3], bytes %4").arg(locale, text, units.trimmed()).arg(bytes);
}

// What holds for any text at all.
void checkAnyText(const QString &locale, const QString &decimalPoint, const QString &text)
{
    const unsigned long long bytes = bytesOf(text);
    const QString context = describe(locale, text, bytes);

    DataCounterValue assigned;
    assigned.fromUiMegas(text);
    FUZZ_CHECK(assigned.toBytes() == bytes, context);

    // The user works in tenths; only saturation may leave that grid.
    FUZZ_CHECK(bytes % 100000 == 0 || bytes == MaxBytes, context);

    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1Char('-')))
        FUZZ_CHECK(bytes == 0, context);

    FUZZ_CHECK(bytesOf(QStringLiteral(" \t") + text + QStringLiteral("\n ")) == bytes, context);

    // Every separator the field admits reads as the decimal point.
    const QString separators = QStringLiteral(".,|") + decimalPoint;
    for (int i = 0; i < trimmed.size(); ++i) {
        if (!separators.contains(trimmed.at(i)))
            continue;
        for (const QChar other : separators) {
            QString swapped = trimmed;
            swapped[i] = other;
            FUZZ_CHECK(bytesOf(swapped) == bytes, context + QStringLiteral(", with separator ") + other);
        }
        break;
    }

    // The text shown for the count reads back as the same count.
    const QString megas = DataCounterValue(bytes).toUiMegas();
    FUZZ_CHECK(uiMegasForm().match(megas).hasMatch(), context + QStringLiteral(", shown as ") + megas);
    const unsigned long long again = bytesOf(megas);
    FUZZ_CHECK(DataCounterValue(again).toUiMegas() == megas, context + QStringLiteral(", shown as ") + megas);
    if (bytes < 1000000000000000ULL)
        FUZZ_CHECK(again == bytes, context + QStringLiteral(", shown as ") + megas);

    // Plain byte counts: a negative one is 0, a decimal one is read exactly.
    const unsigned long long plain = DataCounterValue(text, true).toBytes();
    if (text.startsWith(QLatin1Char('-')))
        FUZZ_CHECK(plain == 0, context);
    static const QRegularExpression digits(QStringLiteral("\\A[0-9]{1,19}\\z"));
    if (digits.match(text).hasMatch())
        FUZZ_CHECK(plain == std::stoull(text.toStdString()), context);
}

// The field's own language: up to nine digits, optionally a separator and one
// digit, compared with integer arithmetic.
void checkFieldText(const QString &locale, const QString &decimalPoint, FuzzInput &input)
{
    const unsigned long long whole = input.uint32() % 1000000000ULL;
    const int tenth = int(input.below(11)); // 10: no decimal part
    const QString separators = QStringLiteral(".,|") + decimalPoint;
    const QChar separator = separators.at(int(input.below(uint32_t(separators.size()))));
    const QString zeros(int(input.below(3)), QLatin1Char('0'));
    const QString pad(int(input.below(3)), QLatin1Char(' '));

    QString text = pad + zeros + QString::number(whole);
    if (tenth < 10)
        text += separator + QString::number(tenth);
    text += pad;

    const unsigned long long bytes = bytesOf(text);
    const unsigned long long expected = whole * 1000000ULL + (tenth < 10 ? tenth : 0) * 100000ULL;
    const QString context = describe(locale, text, bytes);
    FUZZ_CHECK(bytes == expected, context);
    FUZZ_CHECK(DataCounterValue(bytes).toUiMegas()
                   == QStringLiteral("%1.%2").arg(whole).arg(tenth < 10 ? tenth : 0),
               context);

    // Whole numbers beyond the field's range: exact while the count fits, then saturated.
    const unsigned long long big = input.uint64();
    const QString bigText = QString::number(big) + QString(int(input.below(3)), QLatin1Char('9'));
    bool fits = false;
    const unsigned long long megabytes = bigText.toULongLong(&fits);
    const unsigned long long bigBytes = bytesOf(bigText);
    const QString bigContext = describe(locale, bigText, bigBytes);
    if (fits && megabytes <= MaxBytes / 1000000ULL)
        FUZZ_CHECK(bigBytes == megabytes * 1000000ULL, bigContext);
    else
        FUZZ_CHECK(bigBytes == MaxBytes, bigContext);
}
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzEnvironment::init(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString locale = FuzzEnvironment::useLocale(input.byte());
    const QString decimalPoint = LoLocale().decimalPoint();

    checkFieldText(locale, decimalPoint, input);
    checkAnyText(locale, decimalPoint, input.restAsUtf8());
    return 0;
}
