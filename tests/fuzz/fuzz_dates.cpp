// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// The dates that the pages show: the data counters' stored reset date
// ("day.month.year.seconds" or the "never" identifier), and the call timers'
// clearing date ("yyyy-MM-dd"), as another party writes it into its key.

#include "fuzzinput.h"
#include "testscene.h"

#include "calltimerscontainer.h"
#include "datacounters.h"
#include "datacounterwidget.h"
#include "settingsitem.h"

#include "calltimers.h"
#include "loconfstore_p.h"
#include "logconfitem.h"
#include "lolocale.h"

#include <QLocale>
#include <QRegularExpression>

namespace
{
// While the store tells the items of a key of a change, reads of the key give the value told:
// so the section takes a value as another party's write brings it, without the daemon.
struct Notice : LoConfStore {
    static void tell(const QString &key, const QVariant &value, LoGConfItem *item) { (instance().*&Notice::report)(key, value, {item}); }
};

QString shown(const QDate &date) { return LoLocale().formatDateTime(date.startOfDay(), LoLocale::DateMedium, LoLocale::TimeNone, LoLocale::DefaultCalendar); }

// A number in [low, high], one step outside, or anything an int holds.
int anyNumber(FuzzInput &input, int low, int high) { return input.below(4) ? low - 1 + int(input.below(uint32_t(high - low + 3))) : int(input.uint32()); }

// The data counters' stored reset date: the day it names, today for fewer than
// three parts, or "never".
void checkResetDate(FuzzInput &input, QString context)
{
    // localDateString() needs no content: the page is never built.
    static DataCounterWidget *page = new DataCounterWidget(false);
    static const QString never = QString::fromLatin1(DataCounters::DefaultResetDate);
    const QDate today = QDate::currentDate();
    QString text;
    QDate expected;
    switch (input.below(4)) {
    case 0: { // as the page stores it, maybe altered by another writer
        static const char *const blanks[] = {"", " ", "\t", "+"};
        const int day = anyNumber(input, 1, 31), month = anyNumber(input, 1, 12);
        const int year = input.flag() ? anyNumber(input, 1, 9999) : anyNumber(input, 1970, 2100);
        for (const int number : {day, month, year})
            text += QLatin1String(blanks[number >= 0 ? input.below(4) : 0]) + QString::number(number) + QLatin1Char('.');
        text += QString::number(input.uint64()) + (input.flag() ? QLatin1Char('.') + input.utf8(8) : QString());
        expected = QDate(year, month, day);
        break;
    }
    case 1: text = page->currentGenericDate(); expected = today; break;
    case 2: text = never; break;
    default: // fewer than three parts: today
        text = input.flag() ? input.utf8(-1) : input.text(QString(), 64);
        expected = text.count(QLatin1Char('.')) < 2 ? today : QDate();
    }
    const QString result = page->localDateString(text);
    context += QStringLiteral(": \"%1\" shown as \"%2\"").arg(text, result);
    if (text == never)
        FUZZ_CHECK(result == qtTrId(DataCounters::DefaultResetDate) && !result.isEmpty(), context);
    else if (expected.isValid()) // beyond the calendar's some five million years no day is shown, never a wrong one
        FUZZ_CHECK((result == shown(expected) || (expected == today && result == shown(QDate::currentDate())))
                       && (!result.isEmpty() || qAbs(qint64(expected.year())) > 5000000), context);
}

// What another party writes into the clearing date's key: "yyyy-MM-dd" naming a
// real day, in the digits of any script, and nothing else is a date.
void checkClearingDate(FuzzInput &input, const QString &context)
{
    static CallTimersContainer *section = new CallTimersContainer;
    static SettingsItem *row = ItemFinder::find<SettingsItem>(section, QStringLiteral("timersResetDate"));
    static LoGConfItem *key = section->findChild<LoGConfItem *>(QString(), Qt::FindDirectChildrenOnly);
    static LoGConfItem *timersOff = new LoGConfItem(QString()); // in no key: told only here, that the call timers are off
    // As Qt 5's date parser has always read the key: a plus sign may lead a field.
    static const QRegularExpression form(QStringLiteral("\\A([0-9]{4}|\\+[0-9]{3})-([0-9]{2}|\\+[0-9])-([0-9]{2}|\\+[0-9])\\z"));
    QVariant value;
    switch (input.below(6)) {
    case 0: break; // unset
    case 1: { // a real day as Qt writes it in the system's digits or Latin ones, maybe slightly off
        QString text = (input.flag() ? QLocale::system() : QLocale::c()).toString(QDate(int(input.below(10001)), int(input.below(13)) + 1, int(input.below(32))), QStringLiteral("yyyy-MM-dd"));
        if (input.flag() && !text.isEmpty())
            text[int(input.below(uint32_t(text.size())))] = QChar(ushort(input.byte()));
        value = QString::fromUtf8(text.toUtf8()).remove(QChar()); // what the store can hold
        break;
    }
    case 2: value = QString::fromUtf8(input.text(QStringLiteral("0123456789-\u0660\u0661\u0669\u06f0\u06f9 "), 12).toUtf8()).remove(QChar()); break;
    case 3: value = int(input.uint32()); break;
    case 4: value = input.flag() ? QVariant(input.anyDouble()) : QVariant(input.flag()); break;
    default: value = QVariantList{input.utf8(12), input.utf8(12)}; // a list as the store gives it back
    }
    QObject told; // with the call timers off meanwhile, the section's refresh asks nothing of the daemon either
    QObject::connect(timersOff, &LoGConfItem::valueChanged, &told, [&value] { Notice::tell(key->key(), value, key); });
    Notice::tell(Cellular::CallTimersKeys::Available, false, timersOff);
    const QRegularExpressionMatch match = form.match(LoLocale().toLatinNumbers(value.toString()));
    const QDate date = value.userType() == QMetaType::QString && match.hasMatch() ? QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt()) : QDate();
    FUZZ_CHECK(row->subtitle() == (date.isValid() ? shown(date) : qtTrId(DataCounters::DefaultResetDate)),
               context + QStringLiteral(": %1 shown as %2").arg(value.toString(), row->subtitle()));
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t what = input.byte();
    const QString locale = FuzzInput::useLocale(what >> 4);
    (what & 15) == 15 ? checkClearingDate(input, locale) : checkResetDate(input, locale);
    return 0;
}
