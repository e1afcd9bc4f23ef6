#include "lolocale.h"
#include "lolocalenotifier.h"

#include <QLibraryInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
// Counts the LanguageChange events that installing or removing a translator sends.
class LanguageChangeCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::LanguageChange)
            ++count;
        return false;
    }
};

const char catalogTs[] = R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="%1">
<context><name></name>
<message id="tst_hello"><source>Hello</source><translation>%2</translation></message>
</context>
</TS>
)";
}

class TestLoLocale : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_catalogDir;

    bool makeCatalog(const QString &fileBase, const QString &language, const QString &hello)
    {
        const QString ts = m_catalogDir.filePath(fileBase + QStringLiteral(".ts"));
        QFile file(ts);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(QString::fromLatin1(catalogTs).arg(language, hello).toUtf8());
        file.close();
        const QString lrelease = QLibraryInfo::location(QLibraryInfo::BinariesPath) + QStringLiteral("/lrelease");
        return QProcess::execute(lrelease, {QStringLiteral("-silent"), QStringLiteral("-idbased"), ts, QStringLiteral("-qm"),
                                            m_catalogDir.filePath(fileBase + QStringLiteral(".qm"))})
            == 0;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_catalogDir.isValid());
        QVERIFY(makeCatalog(QStringLiteral("testcat_en"), QStringLiteral("en"), QStringLiteral("Hello")));
        QVERIFY(makeCatalog(QStringLiteral("testcat_de"), QStringLiteral("de"), QStringLiteral("Hallo")));
        QVERIFY(makeCatalog(QStringLiteral("testcat_de_CH"), QStringLiteral("de_CH"), QStringLiteral("Grüezi")));
        QVERIFY(makeCatalog(QStringLiteral("other_fi"), QStringLiteral("fi"), QStringLiteral("Hei")));
        qputenv("LOTOOLKIT_TRANSLATIONS_DIR", QFile::encodeName(m_catalogDir.path()));
    }

    // Run in a child process by defaultFromEnvironment(): prints the first default.
    void printDefaultName()
    {
        printf("DEFAULT=%s\n", qPrintable(LoLocale().name()));
    }

    void defaultFromEnvironment_data()
    {
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<QString>("lcMessages");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("expected");
        QTest::newRow("LANG") << "" << "" << "fi_FI.UTF-8" << "fi_FI";
        QTest::newRow("LC_MESSAGES over LANG") << "" << "de_DE.UTF-8" << "fi_FI.UTF-8" << "de_DE";
        QTest::newRow("LC_ALL over all") << "ar_EG.UTF-8@latn" << "de_DE" << "fi_FI" << "ar_EG";
        QTest::newRow("C is no language") << "" << "" << "C.UTF-8" << "en_GB";
        QTest::newRow("POSIX") << "POSIX" << "" << "" << "en_GB";
        QTest::newRow("nothing set") << "" << "" << "" << "en_GB";
    }

    void defaultFromEnvironment()
    {
        QFETCH(QString, lcAll);
        QFETCH(QString, lcMessages);
        QFETCH(QString, lang);
        QFETCH(QString, expected);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), lcAll);
        env.insert(QStringLiteral("LC_MESSAGES"), lcMessages);
        env.insert(QStringLiteral("LANG"), lang);
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("printDefaultName")});
        QVERIFY(child.waitForFinished(30000));
        const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
        QVERIFY2(output.contains(QStringLiteral("DEFAULT=") + expected + QLatin1Char('\n')), qPrintable(output));
    }

    void decimalPoint_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("point");
        QTest::newRow("en_GB") << "en_GB" << ".";
        QTest::newRow("de_DE") << "de_DE" << ",";
        QTest::newRow("fi_FI") << "fi_FI" << ",";
        QTest::newRow("ar_EG") << "ar_EG" << QStringLiteral("\u066B");
    }

    void decimalPoint()
    {
        QFETCH(QString, locale);
        QFETCH(QString, point);
        QCOMPARE(LoLocale(locale).decimalPoint(), point);
    }

    void toLatinNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("latin");
        QTest::newRow("latin stays") << "12.5" << "12.5";
        QTest::newRow("arabic-indic") << QStringLiteral("\u0661\u0662\u066B\u0663") << QStringLiteral("12\u066B3");
        QTest::newRow("extended arabic-indic") << QStringLiteral("a\u06F4b\u06F9") << "a4b9";
        QTest::newRow("devanagari") << QStringLiteral("\u096A\u0968") << "42";
        QTest::newRow("fullwidth") << QStringLiteral("\uFF11\uFF10") << "10";
        QTest::newRow("outside the BMP") << QString::fromUcs4(U"\U0001D7CE\U0001D7D7") << "09";
        QTest::newRow("superscript is no digit") << QStringLiteral("x\u00B2\u00BD") << QStringLiteral("x\u00B2\u00BD");
        QTest::newRow("empty") << "" << "";
    }

    void toLatinNumbers()
    {
        QFETCH(QString, text);
        QFETCH(QString, latin);
        QCOMPARE(LoLocale(QStringLiteral("en_GB")).toLatinNumbers(text), latin);
        QCOMPARE(LoLocale(QStringLiteral("ar_EG")).toLatinNumbers(text), latin);
    }

    void toLocalizedNumbers_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("localized");
        QTest::newRow("en_GB") << "en_GB" << "12.5" << "12.5";
        QTest::newRow("de_DE") << "de_DE" << "0123456789" << "0123456789";
        QTest::newRow("ar_EG") << "ar_EG" << "0123456789.x"
                               << QStringLiteral("\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669.x");
        QTest::newRow("fa_IR") << "fa_IR" << "12" << QStringLiteral("\u06F1\u06F2");
    }

    void toLocalizedNumbers()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QString, localized);
        const LoLocale l(locale);
        QCOMPARE(l.toLocalizedNumbers(text), localized);
        QCOMPARE(l.toLatinNumbers(l.toLocalizedNumbers(text)), text);
    }

    void scriptsAndDirection_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("direction");
        QTest::newRow("en_GB") << "en_GB" << "Latn" << int(Qt::LeftToRight);
        QTest::newRow("ar_EG") << "ar_EG" << "Arab" << int(Qt::RightToLeft);
        QTest::newRow("he_IL") << "he_IL" << "Hebr" << int(Qt::RightToLeft);
        QTest::newRow("hi_IN") << "hi_IN" << "Deva" << int(Qt::LeftToRight);
        QTest::newRow("ru_RU") << "ru_RU" << "Cyrl" << int(Qt::LeftToRight);
    }

    void scriptsAndDirection()
    {
        QFETCH(QString, locale);
        QFETCH(QString, script);
        QFETCH(int, direction);
        const LoLocale l(locale);
        QCOMPARE(l.localeScripts(), QStringList{script});
        QCOMPARE(int(l.textDirection()), direction);
    }

    void formatNumber_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("text");
        QTest::newRow("en_GB as needed") << "en_GB" << 12.3 << -1 << "12.3";
        QTest::newRow("de_DE as needed") << "de_DE" << 12.3 << -1 << "12,3";
        QTest::newRow("ar_EG as needed") << "ar_EG" << 12.3 << -1 << QStringLiteral("\u0661\u0662\u066B\u0663");
        QTest::newRow("whole number, no decimals") << "en_GB" << 2.0 << -1 << "2";
        QTest::newRow("many decimals kept") << "en_GB" << 0.123456 << -1 << "0.123456";
        QTest::newRow("binary noise dropped") << "en_GB" << (0.1 + 0.2) << -1 << "0.3";
        QTest::newRow("grouping") << "en_GB" << 1234567.5 << 1 << "1,234,567.5";
        QTest::newRow("fixed pads") << "en_GB" << 2.0 << 1 << "2.0";
        QTest::newRow("fixed rounds half up") << "en_GB" << 1.25 << 1 << "1.3";
        QTest::newRow("precision 0") << "en_GB" << 2.5 << 0 << "3";
        QTest::newRow("negative") << "de_DE" << -0.5 << 1 << "-0,5";
        // Formats are kept per locale and precision: the ones used before do not leak in.
        QTest::newRow("as needed after fixed") << "en_GB" << 2.0 << -1 << "2";
        QTest::newRow("de_DE fixed after en_GB") << "de_DE" << 1234567.5 << 1 << "1.234.567,5";
    }

    void formatNumber()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(int, precision);
        QFETCH(QString, text);
        QCOMPARE(LoLocale(locale).formatNumber(value, precision), text);
    }

    void formatInteger()
    {
        QCOMPARE(LoLocale(QStringLiteral("en_GB")).formatNumber(qlonglong(1234567)), QStringLiteral("1,234,567"));
        QCOMPARE(LoLocale(QStringLiteral("de_DE")).formatNumber(1234567), QStringLiteral("1.234.567"));
        QCOMPARE(LoLocale(QStringLiteral("ar_EG")).formatNumber(12), QStringLiteral("\u0661\u0662"));
    }

    void formatDateTime_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("date");
        QTest::addColumn<int>("time");
        QTest::addColumn<int>("calendar");
        QTest::addColumn<QString>("text");
        const int medium = LoLocale::DateMedium;
        const int none = LoLocale::TimeNone;
        const int greg = LoLocale::GregorianCalendar;
        QTest::newRow("en_GB medium") << "en_GB" << medium << none << greg << "5 Dec 2026";
        QTest::newRow("en_US medium") << "en_US" << medium << none << greg << "Dec 5, 2026";
        QTest::newRow("de_DE medium") << "de_DE" << medium << none << greg << "05.12.2026";
        QTest::newRow("fi_FI medium") << "fi_FI" << medium << none << greg << "5.12.2026";
        QTest::newRow("ar_EG medium") << "ar_EG" << medium << none << greg
                                      << QStringLiteral("\u0660\u0665\u200F/\u0661\u0662\u200F/\u0662\u0660\u0662\u0666");
        QTest::newRow("en_GB long") << "en_GB" << int(LoLocale::DateLong) << none << greg << "5 December 2026";
        QTest::newRow("en_GB short time only") << "en_GB" << int(LoLocale::DateNone) << int(LoLocale::TimeShort) << greg
                                               << "14:05";
        QTest::newRow("en_GB medium time only") << "en_GB" << int(LoLocale::DateNone) << int(LoLocale::TimeMedium)
                                                << greg << "14:05:09";
        QTest::newRow("nothing asked") << "en_GB" << int(LoLocale::DateNone) << none << greg << "";
        QTest::newRow("th_TH gregorian") << "th_TH" << int(LoLocale::DateLong) << none << greg << QStringLiteral("5 ธันวาคม ค.ศ. 2026");
        QTest::newRow("th_TH own calendar") << "th_TH" << int(LoLocale::DateLong) << none
                                            << int(LoLocale::LocaleCalendar) << QStringLiteral("5 ธันวาคม 2569");
    }

    void formatDateTime()
    {
        QFETCH(QString, locale);
        QFETCH(int, date);
        QFETCH(int, time);
        QFETCH(int, calendar);
        QFETCH(QString, text);
        const QDateTime when(QDate(2026, 12, 5), QTime(14, 5, 9), Qt::UTC);
        QCOMPARE(LoLocale(locale).formatDateTime(when, LoLocale::DateType(date), LoLocale::TimeType(time),
                                                 LoLocale::CalendarType(calendar)),
                 text);
    }

    // The calendar counts some five million years; beyond them no date at all
    // rather than its last day.
    void formatDateTimeBeyondCalendar()
    {
        const LoLocale locale(QStringLiteral("en_GB"));
        const auto format = [&](int year) {
            return locale.formatDateTime(QDate(year, 11, 1).startOfDay(Qt::UTC), LoLocale::DateMedium,
                                         LoLocale::TimeNone);
        };
        QCOMPARE(format(5000000), QStringLiteral("1 Nov 5000000"));
        QCOMPARE(format(16842879), QString());
        QCOMPARE(format(-16842879), QString());
    }

    void formatDateTimeZones()
    {
        const LoLocale l(QStringLiteral("en_GB"));
        const QDateTime utc(QDate(2026, 12, 5), QTime(23, 30), Qt::UTC);
        // The wall-clock time of the date-time's own zone is shown.
        QCOMPARE(l.formatDateTime(utc.toOffsetFromUtc(3600), LoLocale::DateMedium, LoLocale::TimeShort),
                 QStringLiteral("6 Dec 2026, 00:30"));
        QCOMPARE(l.formatDateTime(utc.toTimeZone(QTimeZone("Europe/Helsinki")), LoLocale::DateMedium, LoLocale::TimeShort),
                 QStringLiteral("6 Dec 2026, 01:30"));
        const QDateTime local = utc.toLocalTime();
        QCOMPARE(l.formatDateTime(local, LoLocale::DateNone, LoLocale::TimeShort), local.toString(QStringLiteral("HH:mm")));
        QCOMPARE(l.formatDateTime(QDateTime(), LoLocale::DateMedium, LoLocale::TimeShort), QString());
    }

    void copies()
    {
        LoLocale::setDefault(LoLocale(QStringLiteral("fi_FI")));
        LoLocale copy;
        QCOMPARE(copy.name(), QStringLiteral("fi_FI"));
        copy.installTrCatalog(QStringLiteral("x"));
        QCOMPARE(copy.trCatalogs(), QStringList{QStringLiteral("x")});
        QVERIFY(LoLocale().trCatalogs().isEmpty());
        LoLocale assigned(QStringLiteral("de_DE"));
        assigned = copy;
        QCOMPARE(assigned.name(), QStringLiteral("fi_FI"));
        QCOMPARE(assigned.trCatalogs(), QStringList{QStringLiteral("x")});
        copy.removeTrCatalog(QStringLiteral("x"));
        QVERIFY(copy.trCatalogs().isEmpty());
        QCOMPARE(assigned.trCatalogs(), QStringList{QStringLiteral("x")});
        QVERIFY(LoLocale(QStringLiteral("de_DE")).isValid());
        QVERIFY(!LoLocale(QString()).isValid());
    }

    void catalogs_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("hello");
        QTest::newRow("language file") << "de_DE" << "Hallo";
        QTest::newRow("exact file") << "de_CH" << QStringLiteral("Grüezi");
        QTest::newRow("english fallback") << "fr_FR" << "Hello";
        QTest::newRow("english") << "en_GB" << "Hello";
    }

    void catalogs()
    {
        QFETCH(QString, locale);
        QFETCH(QString, hello);
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
        QCOMPARE(qtTrId("tst_hello"), QStringLiteral("tst_hello"));

        LoLocale l(locale);
        l.installTrCatalog(QStringLiteral("testcat"));
        // Nothing is found until the locale is the default.
        QCOMPARE(qtTrId("tst_hello"), QStringLiteral("tst_hello"));
        LoLocale::setDefault(l);
        QCOMPARE(qtTrId("tst_hello"), hello);
        QCOMPARE(QLocale().name(), QLocale(locale).name());
        QCOMPARE(qtTrId("tst_unknown_id"), QStringLiteral("tst_unknown_id"));

        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
        QCOMPARE(qtTrId("tst_hello"), QStringLiteral("tst_hello"));
    }

    // The usual way: take the default, add a catalog, make it the default again.
    // Doing that twice with the same catalog installs one translator.
    void sameCatalogTwiceDoesNotStack()
    {
        LoLocale::setDefault(LoLocale(QStringLiteral("de_DE")));
        LanguageChangeCounter counter;
        QCoreApplication::instance()->installEventFilter(&counter);
        for (int i = 0; i < 3; ++i) {
            LoLocale l;
            l.installTrCatalog(QStringLiteral("testcat"));
            l.installTrCatalog(QStringLiteral("testcat"));
            LoLocale::setDefault(l);
        }
        QCoreApplication::processEvents();
        QCOMPARE(LoLocale().trCatalogs(), QStringList{QStringLiteral("testcat")});
        QCOMPARE(counter.count, 1);
        QCOMPARE(qtTrId("tst_hello"), QStringLiteral("Hallo"));

        // One removal takes the texts away: nothing was left stacked below.
        LoLocale without;
        without.removeTrCatalog(QStringLiteral("testcat"));
        LoLocale::setDefault(without);
        QCOMPARE(qtTrId("tst_hello"), QStringLiteral("tst_hello"));
        QCoreApplication::instance()->removeEventFilter(&counter);
    }

    void secondCatalogAndLanguageSwitch()
    {
        LoLocale::setDefault(LoLocale(QStringLiteral("fi_FI")));
        LoLocale first;
        first.installTrCatalog(QStringLiteral("testcat"));
        LoLocale::setDefault(first);
        LoLocale second;
        second.installTrCatalog(QStringLiteral("other"));
        LoLocale::setDefault(second);
        QCOMPARE(LoLocale().trCatalogs(), (QStringList{QStringLiteral("testcat"), QStringLiteral("other")}));
        // Catalogs come and go one by one.
        LoLocale onlyOther;
        onlyOther.removeTrCatalog(QStringLiteral("testcat"));
        LoLocale::setDefault(onlyOther);
        QCOMPARE(qtTrId("tst_hello"), QStringLiteral("Hei"));

        // Same catalogs in another language: the files of that language replace them.
        LoLocale german(QStringLiteral("de_DE"));
        german.installTrCatalog(QStringLiteral("testcat"));
        german.installTrCatalog(QStringLiteral("other"));
        LoLocale::setDefault(german);
        QCOMPARE(qtTrId("tst_hello"), QStringLiteral("Hallo"));
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
    }

    void missingCatalogIsNoError()
    {
        LoLocale l(QStringLiteral("de_DE"));
        l.installTrCatalog(QStringLiteral("no-such-catalog"));
        LoLocale::setDefault(l);
        QCOMPARE(LoLocale().trCatalogs(), QStringList{QStringLiteral("no-such-catalog")});
        QCOMPARE(qtTrId("tst_hello"), QStringLiteral("tst_hello"));
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
    }

    void notifiesWidgetsOnChangeOnly()
    {
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
        QCoreApplication::processEvents();
        QSignalSpy spy(LoLocaleNotifier::instance(), &LoLocaleNotifier::defaultLocaleChanged);

        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 0);

        LoLocale::setDefault(LoLocale(QStringLiteral("de_DE")));
        QCOMPARE(spy.count(), 0); // from the event loop, not from inside setDefault()
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 1);

        LoLocale withCatalog;
        withCatalog.installTrCatalog(QStringLiteral("testcat"));
        LoLocale::setDefault(withCatalog);
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 2);
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
    }
};

QTEST_GUILESS_MAIN(TestLoLocale)
#include "tst_lolocale.moc"
