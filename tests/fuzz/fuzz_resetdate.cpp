// The data counters' stored reset date ("day.month.year.seconds", or the
// "never" identifier) to the date that the page shows.

#include "fuzzenvironment.h"
#include "fuzzinput.h"

#include "datacounters.h"
#include "datacounterwidget.h"

#include "lolocale.h"

#include <QDate>

namespace
{
DataCounterWidget &page()
{
    // One page for the whole run; localDateString() needs no content, and the
    // event loop never turns here, so the page is never built.
    static DataCounterWidget *widget = new DataCounterWidget(false);
    return *widget;
}

QString shown(const QDate &date)
{
    return LoLocale().formatDateTime(date.startOfDay(), LoLocale::DateMedium, LoLocale::TimeNone,
                                     LoLocale::DefaultCalendar);
}

bool isToday(const QString &text, const QDate &before)
{
    return text == shown(before) || text == shown(QDate::currentDate());
}

QString withBlanks(FuzzInput &input, int number)
{
    static const QString blanks[] = {QString(), QStringLiteral(" "), QStringLiteral("\t")};
    const QString text = blanks[input.below(3)] + QString::number(number) + blanks[input.below(3)];
    return input.below(8) == 0 && number >= 0 ? QLatin1Char('+') + text.trimmed() : text;
}

int anyNumber(FuzzInput &input, int low, int high)
{
    switch (input.below(4)) {
    case 0: return int(input.uint32()); // anything an int holds
    case 1: return low + int(input.below(uint32_t(high - low + 1))) - 1; // one step outside too
    default: return low + int(input.below(uint32_t(high - low + 1)));
    }
}
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzEnvironment::init(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DataCounterWidget &widget = page();
    FuzzInput input(data, size);
    const QString locale = FuzzEnvironment::useLocale(input.byte());
    const QDate today = QDate::currentDate();

    switch (input.below(4)) {
    case 0: {
        // What the page stores, possibly altered by another writer: the day it names.
        const int day = anyNumber(input, 1, 31);
        const int month = anyNumber(input, 1, 12);
        const int year = input.flag() ? anyNumber(input, 1, 9999) : anyNumber(input, 1970, 2100);
        QString text = withBlanks(input, day) + QLatin1Char('.') + withBlanks(input, month) + QLatin1Char('.')
            + withBlanks(input, year) + QLatin1Char('.') + QString::number(input.uint64());
        if (input.flag())
            text += QLatin1Char('.') + input.utf8(8);
        const QString result = widget.localDateString(text);
        const QDate date(year, month, day);
        const QString context = QStringLiteral("%1: \"%2\" shown as \"%3\"").arg(locale, text, result);
        if (date.isValid()) {
            FUZZ_CHECK(result == shown(date), context);
            // Days beyond the calendar's some five million years show as an
            // unreadable date does, never as a wrong day.
            FUZZ_CHECK(!result.isEmpty() || qAbs(qint64(year)) > 5000000 || !date.startOfDay().isValid(), context);
            if (locale == QLatin1String("en_GB") && year >= 1583 && !result.isEmpty()) {
                // "5 Dec 2026": the very day, month aside, whatever the seconds say.
                FUZZ_CHECK(result.startsWith(QString::number(day) + QLatin1Char(' ')), context);
                FUZZ_CHECK(result.endsWith(QLatin1Char(' ') + QString::number(year)), context);
            }
        }
        break;
    }
    case 1: {
        // The page's own date of now reads back as today.
        const QString now = widget.currentGenericDate();
        const QString result = widget.localDateString(now);
        FUZZ_CHECK(isToday(result, today), QStringLiteral("%1: \"%2\" shown as \"%3\"").arg(locale, now, result));
        break;
    }
    case 2: {
        const QString result = widget.localDateString(QString::fromLatin1(DataCounters::DefaultResetDate));
        FUZZ_CHECK(result == qtTrId(DataCounters::DefaultResetDate) && !result.isEmpty(), locale);
        break;
    }
    default: {
        // Any text at all: fewer than three dot-separated parts means today.
        const QString text = input.flag() ? input.restAsUtf8() : input.utf16(64);
        const QString result = widget.localDateString(text);
        const QString context = QStringLiteral("%1: \"%2\" shown as \"%3\"").arg(locale, text, result);
        if (text.count(QLatin1Char('.')) < 2 && text != QLatin1String(DataCounters::DefaultResetDate))
            FUZZ_CHECK(isToday(result, today), context);
        break;
    }
    }
    return 0;
}
