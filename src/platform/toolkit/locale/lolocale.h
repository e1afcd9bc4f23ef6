#ifndef LOLOCALE_H
#define LOLOCALE_H

#include "lotoolkit_export.h"

#include <QDateTime>
#include <QObject>
#include <QSharedDataPointer>
#include <QStringList>

class LoLocalePrivate;

/**
 * The user's locale, backed by ICU: number and date formats, native digits,
 * scripts, and the translation catalogs that qtTrId() searches.
 *
 * A default-constructed LoLocale is a copy of the current default locale. The
 * first default comes from the process locale (LC_ALL, LC_MESSAGES, LANG).
 * setDefault() makes a locale, with the catalogs installed into it, the
 * application's default: from then on qtTrId() finds the catalogs' texts, and
 * every live toolkit widget is retranslated on the next pass of the event loop
 * (LoLocaleNotifier) when the default actually changed.
 */
class LOTOOLKIT_EXPORT LoLocale : public QObject
{
    Q_OBJECT
public:
    enum DateType { DateNone = 0, DateShort = 1, DateMedium = 2, DateLong = 3, DateFull = 4 };
    enum TimeType { TimeNone = 0, TimeShort = 1, TimeMedium = 2, TimeLong = 3, TimeFull = 4 };
    enum CalendarType { DefaultCalendar = 0, GregorianCalendar = 1 };
    Q_ENUM(DateType)
    Q_ENUM(TimeType)
    Q_ENUM(CalendarType)

    explicit LoLocale(QObject *parent = nullptr);
    /** A locale by ICU/POSIX name such as "en_GB", "de_DE" or "ar_EG", with no catalogs. */
    explicit LoLocale(const QString &name, QObject *parent = nullptr);
    LoLocale(const LoLocale &other, QObject *parent = nullptr);
    LoLocale &operator=(const LoLocale &other);
    ~LoLocale() override;

    QString name() const;
    bool isValid() const;

    QString decimalPoint() const;
    QString toLatinNumbers(const QString &text) const;
    QString toLocalizedNumbers(const QString &text) const;
    /** ISO 15924 codes of the locale's scripts, such as "Latn", "Arab", "Hebr". */
    QStringList localeScripts() const;
    Qt::LayoutDirection textDirection() const;

    /** @p precision -1: as many decimals as the number needs. */
    QString formatNumber(double value, int precision = -1) const;
    QString formatNumber(qlonglong value) const;
    QString formatDateTime(const QDateTime &dateTime, DateType dateType = DateLong,
                           TimeType timeType = TimeShort, CalendarType calendarType = DefaultCalendar) const;

    /** Adds a catalog by name; a catalog that is not found is not an error. */
    void installTrCatalog(const QString &name);
    void removeTrCatalog(const QString &name);
    QStringList trCatalogs() const;

    static void setDefault(const LoLocale &locale);

private:
    QSharedDataPointer<LoLocalePrivate> d;
};

#endif
