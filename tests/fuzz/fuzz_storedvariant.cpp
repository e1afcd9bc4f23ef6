// A stored counter, as the store hands it over in a QVariant of any type, to a byte count.

#include "fuzzenvironment.h"
#include "fuzzinput.h"

#include "datacountervalue.h"

#include <QDateTime>
#include <QDebug>
#include <QRegularExpression>
#include <QStringList>
#include <QVariant>

#include <cmath>
#include <limits>

namespace
{
QVariant makeVariant(FuzzInput &input, int depth = 0);

QVariantList makeList(FuzzInput &input, int depth)
{
    QVariantList list;
    const int count = int(input.below(4));
    for (int i = 0; i < count; ++i)
        list.append(makeVariant(input, depth + 1));
    return list;
}

// Every type a store or a caller could put into the variant, from the bytes.
QVariant makeVariant(FuzzInput &input, int depth)
{
    switch (input.below(18)) {
    case 0: return QVariant();
    case 1: return QVariant(QVariant::String); // null, but typed
    case 2: return input.utf8(64);
    case 3: return input.utf16(32);
    case 4: return int(input.uint32());
    case 5: return uint(input.uint32());
    case 6: return qlonglong(input.uint64());
    case 7: return qulonglong(input.uint64());
    case 8: return input.anyDouble();
    case 9: return float(input.anyDouble());
    case 10: return input.flag();
    case 11: return input.utf8(32).toUtf8();
    case 12: return QStringList{input.utf8(16), input.utf8(16)};
    case 13: return depth < 3 ? QVariant(makeList(input, depth)) : QVariant();
    case 14: return QChar(ushort(input.uint32()));
    case 15: return QDateTime::fromMSecsSinceEpoch(qint64(input.uint64() % 400000000000000ULL));
    case 16: return QVariantMap{{input.utf8(8), makeVariant(input, depth + 1)}};
    default: {
        // A decimal text such as another process writes, sometimes with a sign or blanks.
        static const QString prefixes[] = {QString(), QStringLiteral("-"), QStringLiteral("+"), QStringLiteral(" ")};
        const QString text = prefixes[input.below(4)] + QString::number(input.uint64())
            + QString(int(input.below(2)), QLatin1Char('0'));
        return text;
    }
    }
}

QString describe(const QVariant &value, unsigned long long bytes)
{
    QString text;
    QDebug(&text) << value;
    return text + QStringLiteral(" -> ") + QString::number(bytes);
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
    const QVariant value = makeVariant(input);

    DataCounterValue counter(input.uint64()); // whatever it held before
    counter = value;
    const unsigned long long bytes = counter.toBytes();
    const QString context = describe(value, bytes);

    // Assignment depends on the variant alone.
    DataCounterValue fresh;
    fresh = value;
    FUZZ_CHECK(fresh.toBytes() == bytes, context);
    DataCounterValue copy(7);
    copy = counter;
    DataCounterValue &same = copy;
    copy = same; // assigning a value to itself changes nothing
    FUZZ_CHECK(copy.toBytes() == bytes, context);

    if (value.isNull())
        FUZZ_CHECK(bytes == 0, context);

    // Counts that the variant holds exactly come through exactly; negative ones are 0.
    switch (int(value.type())) {
    case QVariant::Int:
        FUZZ_CHECK(bytes == (value.toInt() < 0 ? 0ULL : qulonglong(value.toInt())), context);
        break;
    case QVariant::UInt:
        FUZZ_CHECK(bytes == value.toUInt(), context);
        break;
    case QVariant::LongLong:
        FUZZ_CHECK(bytes == (value.toLongLong() < 0 ? 0ULL : qulonglong(value.toLongLong())), context);
        break;
    case QVariant::ULongLong:
        FUZZ_CHECK(bytes == value.toULongLong(), context);
        break;
    case QVariant::Double:
    case QMetaType::Float: {
        const double number = value.toDouble();
        if (!(number >= 0.0) || number >= 18446744073709551616.0) // NaN, negative or beyond 64 bits
            FUZZ_CHECK(bytes == 0, context);
        else if (number <= 9007199254740992.0) // 2^53: every whole number is exact below
            FUZZ_CHECK(std::fabs(double(bytes) - number) <= 1.0, context);
        else // whole numbers only from there on
            FUZZ_CHECK(double(bytes) == number, context);
        break;
    }
    case QVariant::String: {
        const QString text = value.toString();
        static const QRegularExpression decimal(QStringLiteral("\\A\\s*\\+?([0-9]{1,19})\\s*\\z"));
        const QRegularExpressionMatch match = decimal.match(text);
        bool fits = false;
        const unsigned long long count = match.captured(1).toULongLong(&fits);
        if (match.hasMatch() && fits)
            FUZZ_CHECK(bytes == count, context);
        if (text.trimmed().startsWith(QLatin1Char('-')))
            FUZZ_CHECK(bytes == 0, context);
        break;
    }
    default:
        break;
    }

    // Whatever the count, it shows as megabytes with one decimal.
    static const QRegularExpression form(QStringLiteral("\\A[0-9]+\\.[0-9]\\z"));
    FUZZ_CHECK(form.match(counter.toUiMegas()).hasMatch(), context + QStringLiteral(" shown as ") + counter.toUiMegas());
    return 0;
}
