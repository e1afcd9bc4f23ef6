// The call timers' clearing date, written into its configuration key by another
// party, to the date that the section shows.

#include "fuzzenvironment.h"
#include "fuzzinput.h"
#include "testscene.h"

#include "calltimerscontainer.h"
#include "datacounters.h"
#include "settingsitem.h"

#include "logconfitem.h"
#include "lolocale.h"

#include <QCoreApplication>
#include <QDate>
#include <QDebug>
#include <QLocale>
#include <QRegularExpression>

namespace
{
const QString ResetDateKey = QStringLiteral("/cellui/settings/calltimers/reset_date");

struct Section {
    CallTimersContainer *container = nullptr;
    SettingsItem *dateItem = nullptr;
    LoGConfItem *writer = nullptr;
};

Section &section()
{
    static Section s;
    if (!s.container) {
        s.writer = new LoGConfItem(ResetDateKey);
        s.container = new CallTimersContainer;
        s.dateItem = ItemFinder::find<SettingsItem>(s.container, QStringLiteral("timersResetDate"));
        FUZZ_CHECK(s.dateItem, QStringLiteral("the section has its date row"));
    }
    return s;
}

// "yyyy-MM-dd" naming a real day, in the digits of any script, and nothing
// else is a clearing date, in every language alike.
QDate clearingDate(const QVariant &stored)
{
    if (stored.isNull())
        return QDate();
    static const QRegularExpression form(QStringLiteral("\\A([0-9]{4})-([0-9]{2})-([0-9]{2})\\z"));
    const QRegularExpressionMatch match = form.match(LoLocale().toLatinNumbers(stored.toString()));
    if (!match.hasMatch())
        return QDate();
    return QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
}

QVariant makeValue(FuzzInput &input, QString *written)
{
    switch (input.below(8)) {
    case 0: return input.utf8(48);
    case 1: return input.utf16(16);
    case 2:
    case 3: {
        // A real day as the section itself writes it, sometimes slightly off.
        const QDate date(int(input.below(9999)) + 1, int(input.below(12)) + 1, int(input.below(31)) + 1);
        // In Latin digits, or as Qt 5 writes it under the system's language.
        const QLocale writer = input.flag() ? QLocale::system() : QLocale::c();
        QString text = date.isValid() ? writer.toString(date, QStringLiteral("yyyy-MM-dd"))
                                      : QStringLiteral("2011-02-30");
        if (input.flag() && !text.isEmpty())
            text[int(input.below(uint32_t(text.size())))] = QChar(ushort(input.byte()));
        *written = text;
        return text;
    }
    case 4: return int(input.uint32());
    case 5: return input.flag();
    case 6: return input.anyDouble();
    default: return QStringList{input.utf8(12), input.utf8(12)};
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
    FuzzInput input(data, size);
    const QString locale = FuzzEnvironment::useLocale(input.byte());
    Section &s = section();
    // Pending language changes and the store's own notices, as the event loop delivers them.
    QCoreApplication::processEvents();

    QString written;
    const QVariant value = makeValue(input, &written);
    const uint32_t action = input.below(16);
    QDate clearedFrom;
    QDate clearedTo;
    if (action == 0) {
        s.writer->unset();
    } else if (action == 1) {
        // The user confirmed clearing: the section stores today's date itself.
        clearedFrom = QDate::currentDate();
        QMetaObject::invokeMethod(s.container, "clearTimersAccepted");
        clearedTo = QDate::currentDate();
    } else {
        s.writer->set(value);
    }

    const QVariant stored = s.writer->value();
    QString context;
    QDebug(&context) << locale << value << "action" << action << "stored as" << stored << "shown as"
                     << s.dateItem->subtitle();

    // What the section writes is the shared form in Latin digits, whatever the
    // languages of the system and the user, so that every reader of the key gets it.
    if (clearedFrom.isValid()) {
        const QString text = stored.toString();
        FUZZ_CHECK(stored.type() == QVariant::String, context);
        FUZZ_CHECK(text == QLocale::c().toString(clearedFrom, QStringLiteral("yyyy-MM-dd"))
                       || text == QLocale::c().toString(clearedTo, QStringLiteral("yyyy-MM-dd")),
                   context);
    }

    // Plain text goes into the store and comes back unchanged.
    if (action >= 2 && !written.isEmpty() && !written.contains(QChar(0)) && written == QString::fromUtf8(written.toUtf8()))
        FUZZ_CHECK(stored == QVariant(written), context);

    const QDate date = clearingDate(stored);
    const QString shown = s.dateItem->subtitle();
    FUZZ_CHECK(!shown.isEmpty(), context);
    if (date.isValid()) {
        const QString expected = LoLocale().formatDateTime(date.startOfDay(), LoLocale::DateMedium,
                                                           LoLocale::TimeNone, LoLocale::GregorianCalendar);
        FUZZ_CHECK(shown == expected, context + QStringLiteral(" expected ") + expected);
    } else {
        FUZZ_CHECK(shown == qtTrId(DataCounters::DefaultResetDate), context);
    }
    return 0;
}
