// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lolocale.h"

#include "lolocalenotifier.h"
#include "lotoolkit_debug.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QPointer>
#include <QRegularExpression>
#include <QTimeZone>
#include <QTranslator>

#include <unicode/calendar.h>
#include <unicode/datefmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/locid.h>
#include <unicode/numfmt.h>
#include <unicode/numsys.h>
#include <unicode/simpletz.h>
#include <unicode/timezone.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>

#include <climits>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#ifndef LOTOOLKIT_TRANSLATIONS_INSTALL_DIR
#define LOTOOLKIT_TRANSLATIONS_INSTALL_DIR "/usr/share/lotoolkit/translations"
#endif

namespace
{

const char fallbackLocale[] = "en_GB";

QString fromUnicode(const icu::UnicodeString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}

icu::UnicodeString toUnicode(const QString &text)
{
    return icu::UnicodeString(reinterpret_cast<const UChar *>(text.utf16()), text.size());
}

// "de_DE.UTF-8@euro" -> "de_DE"; "C" and "POSIX" say nothing about a language.
QString localeFromPosix(QString name)
{
    const int cut = name.indexOf(QRegularExpression(QStringLiteral("[.@]")));
    if (cut >= 0)
        name.truncate(cut);
    if (name == QLatin1String("C") || name == QLatin1String("POSIX"))
        return QString();
    return name;
}

QString processLocale()
{
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString name = localeFromPosix(QString::fromLocal8Bit(qgetenv(variable)));
        if (!name.isEmpty())
            return name;
    }
    return QString::fromLatin1(fallbackLocale);
}

QString translationsDir()
{
    const QString fromEnvironment = QString::fromLocal8Bit(qgetenv("LOTOOLKIT_TRANSLATIONS_DIR"));
    return fromEnvironment.isEmpty() ? QStringLiteral(LOTOOLKIT_TRANSLATIONS_INSTALL_DIR) : fromEnvironment;
}

} // namespace

class LoLocalePrivate : public QSharedData
{
public:
    explicit LoLocalePrivate(const QString &localeName)
        : name(localeName)
        , locale(icu::Locale::createCanonical(localeName.toLatin1().constData()))
    {
    }

    bool valid() const { return !name.isEmpty() && !locale.isBogus() && *locale.getLanguage(); }

    QString catalogFile(const QString &catalog) const
    {
        const QDir dir(translationsDir());
        QStringList candidates{catalog + QLatin1Char('_') + name,
                               catalog + QLatin1Char('_') + QString::fromLatin1(locale.getLanguage()),
                               catalog + QStringLiteral("_en")};
        candidates.removeDuplicates();
        for (const QString &candidate : qAsConst(candidates)) {
            const QString path = dir.filePath(candidate + QStringLiteral(".qm"));
            if (QFileInfo::exists(path))
                return path;
        }
        return QString();
    }

    QString name;
    icu::Locale locale;
    QStringList catalogs;
};

namespace
{

QSharedDataPointer<LoLocalePrivate> &defaultData()
{
    static QSharedDataPointer<LoLocalePrivate> data(new LoLocalePrivate(processLocale()));
    return data;
}

// The translators that the default locale's catalogs put on the application,
// by catalog name, with the file each was loaded from.
struct InstalledCatalog {
    QString file;
    QPointer<QTranslator> translator;
};

QHash<QString, InstalledCatalog> &installedCatalogs()
{
    static QHash<QString, InstalledCatalog> catalogs;
    return catalogs;
}

// Qt 5 sets the application's layout direction from the translation of
// "QT_LAYOUT_DIRECTION" whenever a translator comes or goes. The catalogs hold
// the system's texts only and a locale may fall back to another language's
// file, so the answer is the default locale's direction, not the file's: a
// catalog installed under Arabic must not turn the application left-to-right.
class CatalogTranslator : public QTranslator
{
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        if (qstrcmp(context, "QGuiApplication") == 0 && qstrcmp(sourceText, "QT_LAYOUT_DIRECTION") == 0)
            return LoLocale().textDirection() == Qt::RightToLeft ? QStringLiteral("RTL") : QStringLiteral("LTR");
        return QTranslator::translate(context, sourceText, disambiguation, n);
    }
};

void syncCatalogs(const LoLocalePrivate &locale)
{
    auto &installed = installedCatalogs();
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) {
        if (!locale.catalogs.isEmpty())
            qCDebug(LOTOOLKIT_LOG) << "LoLocale: no application yet, catalogs not installed:" << locale.catalogs;
        return;
    }
    for (auto it = installed.begin(); it != installed.end();) {
        const bool wanted = locale.catalogs.contains(it.key()) && locale.catalogFile(it.key()) == it->file;
        if (wanted && it->translator) {
            ++it;
            continue;
        }
        if (it->translator) {
            QCoreApplication::removeTranslator(it->translator);
            delete it->translator;
        }
        it = installed.erase(it);
    }
    for (const QString &catalog : locale.catalogs) {
        if (installed.contains(catalog))
            continue;
        const QString file = locale.catalogFile(catalog);
        if (file.isEmpty()) {
            qCDebug(LOTOOLKIT_LOG) << "LoLocale: no catalog" << catalog << "for" << locale.name << "in" << translationsDir();
            continue;
        }
        auto *translator = new CatalogTranslator(app);
        if (!translator->load(file)) {
            qCDebug(LOTOOLKIT_LOG) << "LoLocale: cannot load catalog" << file;
            delete translator;
            continue;
        }
        QCoreApplication::installTranslator(translator);
        installed.insert(catalog, {file, translator});
    }
}

const int DefaultPrecision = INT_MIN;

// Making an ICU format costs far more than formatting with it, and the same
// formats are asked for again and again (an amount as it counts up, the dates
// whenever a page sets its texts): the formats made are kept, per thread since
// ICU formats are not shared between threads. A handful in practice; a bound all
// the same. Null when @p make gives none.
template<typename Format, typename Key, typename Make>
Format *keptFormat(std::map<Key, std::unique_ptr<Format>> &formats, const Key &key, Make make)
{
    auto found = formats.find(key);
    if (found != formats.end())
        return found->second.get();
    std::unique_ptr<Format> format = make();
    if (!format)
        return nullptr;
    if (formats.size() >= 32)
        formats.clear();
    return formats.emplace(key, std::move(format)).first->second.get();
}

// The number format of @p locale with @p precision fraction digits (any number
// up to 15 when negative, ICU's own choice for DefaultPrecision).
const icu::NumberFormat *numberFormat(const icu::Locale &locale, int precision)
{
    using Key = std::pair<std::string, int>;
    thread_local std::map<Key, std::unique_ptr<icu::NumberFormat>> formats;
    return keptFormat(formats, Key(locale.getName(), precision), [&] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::NumberFormat> format(icu::NumberFormat::createInstance(locale, status));
        if (U_FAILURE(status))
            format.reset();
        if (format && precision != DefaultPrecision) {
            if (precision < 0) {
                format->setMinimumFractionDigits(0);
                format->setMaximumFractionDigits(15);
            } else {
                format->setMinimumFractionDigits(precision);
                format->setMaximumFractionDigits(precision);
            }
            format->setRoundingMode(icu::NumberFormat::kRoundHalfUp);
        }
        return format;
    });
}

// The date and time format of @p locale in the given styles. Callers set the
// time zone before each use.
icu::DateFormat *dateFormat(const icu::Locale &locale, icu::DateFormat::EStyle date, icu::DateFormat::EStyle time)
{
    using Key = std::tuple<std::string, int, int>;
    thread_local std::map<Key, std::unique_ptr<icu::DateFormat>> formats;
    return keptFormat(formats, Key(locale.getName(), date, time), [&] {
        return std::unique_ptr<icu::DateFormat>(icu::DateFormat::createDateTimeInstance(date, time, locale));
    });
}

icu::DateFormat::EStyle dateStyle(int type)
{
    switch (type) {
    case LoLocale::DateShort:
        return icu::DateFormat::kShort;
    case LoLocale::DateMedium:
        return icu::DateFormat::kMedium;
    case LoLocale::DateLong:
        return icu::DateFormat::kLong;
    case LoLocale::DateFull:
        return icu::DateFormat::kFull;
    default:
        return icu::DateFormat::kNone;
    }
}

icu::TimeZone *timeZoneOf(const QDateTime &dateTime)
{
    switch (dateTime.timeSpec()) {
    case Qt::UTC:
        return icu::TimeZone::createTimeZone("UTC");
    case Qt::OffsetFromUTC:
        return new icu::SimpleTimeZone(dateTime.offsetFromUtc() * 1000, "GMT");
    case Qt::TimeZone:
        return icu::TimeZone::createTimeZone(toUnicode(QString::fromUtf8(dateTime.timeZone().id())));
    case Qt::LocalTime:
        break;
    }
    return icu::TimeZone::createDefault();
}

} // namespace

LoLocale::LoLocale(QObject *parent)
    : QObject(parent)
    , d(defaultData())
{
}

LoLocale::LoLocale(const QString &name, QObject *parent)
    : QObject(parent)
    , d(new LoLocalePrivate(name))
{
}

LoLocale::LoLocale(const LoLocale &other, QObject *parent)
    : QObject(parent)
    , d(other.d)
{
}

LoLocale &LoLocale::operator=(const LoLocale &other)
{
    d = other.d;
    return *this;
}

LoLocale::~LoLocale() = default;

QString LoLocale::name() const
{
    return d->name;
}

bool LoLocale::isValid() const
{
    return d->valid();
}

QString LoLocale::decimalPoint() const
{
    // Looking the symbols up in ICU's data costs far more than the answer: it is
    // kept per locale, and per thread, as the number formats are.
    thread_local std::map<std::string, QString> points;
    const std::string name = d->locale.getName();
    const auto found = points.find(name);
    if (found != points.end())
        return found->second;

    UErrorCode status = U_ZERO_ERROR;
    const icu::DecimalFormatSymbols symbols(d->locale, status);
    const QString point = U_FAILURE(status)
        ? QStringLiteral(".")
        : fromUnicode(symbols.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol));
    if (points.size() >= 32)
        points.clear();
    points.emplace(name, point);
    return point;
}

QString LoLocale::toLatinNumbers(const QString &text) const
{
    QString result;
    result.reserve(text.size());
    // Code point by code point, as QString::toUcs4() reads the text: a lone
    // surrogate stands for the replacement character. A zero width no-break space
    // is left out, as QString::fromUcs4() leaves it out of a single code point.
    for (int i = 0; i < text.size(); ++i) {
        uint c = text.at(i).unicode();
        if (QChar::isSurrogate(c)) {
            const bool paired = QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
            c = paired ? QChar::surrogateToUcs4(ushort(c), text.at(++i).unicode()) : uint(QChar::ReplacementCharacter);
        }
        if (u_charType(UChar32(c)) == U_DECIMAL_DIGIT_NUMBER)
            result.append(QChar(u'0' + u_charDigitValue(UChar32(c))));
        else if (QChar::requiresSurrogates(c))
            result.append(QChar(QChar::highSurrogate(c))).append(QChar(QChar::lowSurrogate(c)));
        else if (c != QChar::ByteOrderMark)
            result.append(QChar(ushort(c)));
    }
    return result;
}

QString LoLocale::toLocalizedNumbers(const QString &text) const
{
    // The locale's ten digits, empty where it has none of its own. Like the decimal
    // point, looked up in ICU's data once per locale and thread: far more costly
    // than the replacement, which fields and counters make on every change.
    thread_local std::map<std::string, QVector<QString>> known;
    const std::string name = d->locale.getName();
    auto found = known.find(name);
    if (found == known.end()) {
        QVector<QString> digits;
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::NumberingSystem> system(icu::NumberingSystem::createInstance(d->locale, status));
        if (!U_FAILURE(status) && system && !system->isAlgorithmic() && system->getRadix() == 10) {
            const QVector<uint> codePoints = fromUnicode(system->getDescription()).toUcs4();
            if (codePoints.size() == 10) {
                for (const char32_t c : codePoints)
                    digits.append(QString::fromUcs4(&c, 1));
            }
        }
        if (known.size() >= 32)
            known.clear();
        found = known.emplace(name, digits).first;
    }
    const QVector<QString> &digits = found->second;
    if (digits.isEmpty())
        return text;
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            result.append(digits.at(c.unicode() - u'0'));
        else
            result.append(c);
    }
    return result;
}

QStringList LoLocale::localeScripts() const
{
    UScriptCode codes[USCRIPT_CODE_LIMIT];
    UErrorCode status = U_ZERO_ERROR;
    const int count = uscript_getCode(d->locale.getName(), codes, USCRIPT_CODE_LIMIT, &status);
    QStringList scripts;
    if (U_FAILURE(status))
        return scripts;
    for (int i = 0; i < count; ++i)
        scripts.append(QString::fromLatin1(uscript_getShortName(codes[i])));
    return scripts;
}

Qt::LayoutDirection LoLocale::textDirection() const
{
    return d->locale.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
}

QString LoLocale::formatNumber(double value, int precision) const
{
    const icu::NumberFormat *format = numberFormat(d->locale, qMax(precision, -1));
    if (!format)
        return QString::number(value, 'f', precision < 0 ? 6 : precision);
    icu::UnicodeString text;
    format->format(value, text);
    return fromUnicode(text);
}

QString LoLocale::formatNumber(qlonglong value) const
{
    const icu::NumberFormat *format = numberFormat(d->locale, DefaultPrecision);
    if (!format)
        return QString::number(value);
    icu::UnicodeString text;
    format->format(int64_t(value), text);
    return fromUnicode(text);
}

QString LoLocale::formatNumber(int value) const
{
    return formatNumber(qlonglong(value));
}

QString LoLocale::formatDateTime(const QDateTime &dateTime, DateType dateType, TimeType timeType,
                                 CalendarType calendarType) const
{
    const icu::DateFormat::EStyle date = dateStyle(dateType);
    const icu::DateFormat::EStyle time = dateStyle(timeType);
    if (!dateTime.isValid() || (date == icu::DateFormat::kNone && time == icu::DateFormat::kNone))
        return QString();

    icu::Locale locale = d->locale;
    if (calendarType != LocaleCalendar) {
        UErrorCode status = U_ZERO_ERROR;
        locale.setKeywordValue("calendar", "gregorian", status);
    }
    icu::DateFormat *format = dateFormat(locale, date, time);
    if (!format)
        return dateTime.toString(Qt::ISODate);
    format->adoptTimeZone(timeZoneOf(dateTime));
    // Beyond the years that the calendar can count (some five million), a lenient
    // calendar pins the moment to its last day; a wrong date is worse than none.
    std::unique_ptr<icu::Calendar> calendar(format->getCalendar()->clone());
    UErrorCode status = U_ZERO_ERROR;
    calendar->setLenient(false);
    calendar->setTime(UDate(dateTime.toMSecsSinceEpoch()), status);
    if (U_FAILURE(status))
        return QString();
    icu::UnicodeString text;
    icu::FieldPosition position;
    format->format(*calendar, text, position);
    return fromUnicode(text);
}

void LoLocale::installTrCatalog(const QString &name)
{
    if (name.isEmpty() || d->catalogs.contains(name))
        return;
    d->catalogs.append(name);
}

void LoLocale::removeTrCatalog(const QString &name)
{
    if (d->catalogs.contains(name))
        d->catalogs.removeAll(name);
}

QStringList LoLocale::trCatalogs() const
{
    return d->catalogs;
}

void LoLocale::setDefault(const LoLocale &locale)
{
    QSharedDataPointer<LoLocalePrivate> &current = defaultData();
    const bool changed = current->name != locale.d->name || current->catalogs != locale.d->catalogs;
    current = locale.d;
    syncCatalogs(*current);
    if (changed) {
        QLocale::setDefault(QLocale(current->name));
        LoLocaleNotifier::instance()->scheduleChange();
    }
}
