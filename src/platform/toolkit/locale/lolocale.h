// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

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
    /**
     * The date part of formatDateTime(), in CLDR's styles. en_GB / de_DE examples:
     * DateNone 0: no date; DateShort 1: "05/12/2026" / "05.12.26";
     * DateMedium 2: "5 Dec 2026" / "05.12.2026"; DateLong 3: "5 December 2026" /
     * "5. Dezember 2026"; DateFull 4: "Saturday, 5 December 2026".
     */
    enum DateType { DateNone = 0, DateShort = 1, DateMedium = 2, DateLong = 3, DateFull = 4 };
    /**
     * The time part, in CLDR's styles (en_GB): TimeNone 0: no time; TimeShort 1:
     * "14:05"; TimeMedium 2: "14:05:09"; TimeLong 3: "14:05:09 CET";
     * TimeFull 4: "14:05:09 Central European Standard Time".
     */
    enum TimeType { TimeNone = 0, TimeShort = 1, TimeMedium = 2, TimeLong = 3, TimeFull = 4 };
    /**
     * GregorianCalendar 0 (also DefaultCalendar): the Gregorian calendar in every
     * locale. LocaleCalendar 1: the locale's own calendar, such as the Buddhist one
     * for th_TH.
     */
    enum CalendarType { GregorianCalendar = 0, DefaultCalendar = GregorianCalendar, LocaleCalendar = 1 };
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
    /** Right to left for scripts such as Arabic and Hebrew. */
    Qt::LayoutDirection textDirection() const;

    /** In the locale's digits, separators and grouping. @p precision -1: as many
     *  decimals as the number needs (at most 15); otherwise exactly that many, rounded. */
    QString formatNumber(double value, int precision = -1) const;
    QString formatNumber(qlonglong value) const;
    QString formatNumber(int value) const;
    /** In the time zone of @p dateTime; "" for an invalid date-time or DateNone with TimeNone. */
    QString formatDateTime(const QDateTime &dateTime, DateType dateType = DateLong,
                           TimeType timeType = TimeShort, CalendarType calendarType = DefaultCalendar) const;

    /**
     * Adds a catalog by name; it is loaded when the locale is made the default.
     * The file is <name>_<locale>.qm, else <name>_<language>.qm, else <name>_en.qm,
     * in $LOTOOLKIT_TRANSLATIONS_DIR or else the installed translations folder.
     * A catalog that is not found is not an error: qtTrId() then returns the ids.
     */
    void installTrCatalog(const QString &name);
    void removeTrCatalog(const QString &name);
    QStringList trCatalogs() const;

    /**
     * Makes @p locale the default: its catalogs replace those of the previous
     * default on the application (each catalog installed once), QLocale's default
     * follows, and widgets are retranslated when the name or the catalogs changed.
     * Needs a QCoreApplication for the catalogs.
     */
    static void setDefault(const LoLocale &locale);

private:
    QSharedDataPointer<LoLocalePrivate> d;
};

#endif
