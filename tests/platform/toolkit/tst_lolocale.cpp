// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lolocale.h"
#include "lolocalenotifier.h"

#include <QLibraryInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestLoLocale : public QObject
{
    Q_OBJECT

    QTemporaryDir m_catalogDir;

private Q_SLOTS:
    // Id-based catalogs <name>.qm that translate "tst_hello".
    void initTestCase()
    {
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        const QString binaries = QLibraryInfo::location(QLibraryInfo::BinariesPath);
#else
        const QString binaries = QLibraryInfo::path(QLibraryInfo::BinariesPath);
#endif
        const QString lrelease = binaries + QStringLiteral("/lrelease");
        const QMap<QString, QString> hello{{"testcat_en", "Hello"}, {"testcat_de", "Hallo"}, {"testcat_de_CH", "Grüezi"}};
        for (auto it = hello.cbegin(); it != hello.cend(); ++it) {
            QFile ts(m_catalogDir.filePath(it.key() + QStringLiteral(".ts")));
            QVERIFY(ts.open(QIODevice::WriteOnly));
            ts.write(QStringLiteral("<TS><context><message id=\"tst_hello\"><translation>%1</translation></message></context></TS>")
                         .arg(it.value()).toUtf8());
            ts.close();
            QCOMPARE(QProcess::execute(lrelease, {QStringLiteral("-silent"), QStringLiteral("-idbased"), ts.fileName()}), 0);
        }
        qputenv("LOTOOLKIT_TRANSLATIONS_DIR", QFile::encodeName(m_catalogDir.path()));
    }

    void perLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("number"); // 1234567.25, with Latin digits
        QTest::addColumn<QString>("date"); // 5 December 2026, medium, no time, with Latin digits
        const QString arabic = QStringLiteral("1\u066C234\u066C567\u066B25");
        QTest::newRow("en_GB") << "en_GB" << "." << "Latn" << "1,234,567.25" << "5 Dec 2026";
        QTest::newRow("de_DE") << "de_DE" << "," << "Latn" << "1.234.567,25" << "05.12.2026";
        QTest::newRow("he_IL") << "he_IL" << "." << "Hebr" << "1,234,567.25" << QStringLiteral("5 בדצמ׳ 2026");
        QTest::newRow("ar_EG") << "ar_EG" << QStringLiteral("\u066B") << "Arab" << arabic << QStringLiteral("05\u200F/12\u200F/2026");
        QTest::newRow("fa_IR") << "fa_IR" << QStringLiteral("\u066B") << "Arab" << arabic << QStringLiteral("5 \u062F\u0633\u0627\u0645\u0628\u0631 2026");
    }

    // The calls the pages make, in the locales they must read and show.
    void perLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, point);
        QFETCH(QString, script);
        QFETCH(QString, number);
        QFETCH(QString, date);
        const LoLocale l(locale);
        QCOMPARE(l.decimalPoint(), point);
        QCOMPARE(l.localeScripts().value(0), script);
        // Typed digits of any script are read, whatever the locale.
        const QString latin = QStringLiteral("0123456789") + point;
        QCOMPARE(LoLocale(QStringLiteral("en_GB")).toLatinNumbers(l.toLocalizedNumbers(latin)), latin);
        QCOMPARE(l.formatNumber(1234567.25, -1), l.toLocalizedNumbers(number));
        // As many decimals as the number needs, and no binary noise.
        QCOMPARE(l.formatNumber(2.0, -1), l.toLocalizedNumbers(QStringLiteral("2")));
        QCOMPARE(l.formatNumber(0.1 + 0.2, -1), l.formatNumber(0.3, -1));
        const QDateTime when(QDate(2026, 12, 5), QTime(23, 59), Qt::UTC);
        QCOMPARE(l.formatDateTime(when, LoLocale::DateMedium, LoLocale::TimeNone, LoLocale::DefaultCalendar),
                 l.toLocalizedNumbers(date));
    }

    void catalogs_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("catalog");
        QTest::addColumn<QString>("hello");
        QTest::newRow("locale's own file") << "de_CH" << "testcat" << QStringLiteral("Grüezi");
        QTest::newRow("language file") << "de_DE" << "testcat" << "Hallo";
        QTest::newRow("english fallback") << "fr_FR" << "testcat" << "Hello";
        QTest::newRow("missing catalog") << "de_DE" << "nosuchcat" << "tst_hello"; // the row before's are gone
    }

    // The pages add their catalog to the default locale and make it the default
    // again each time they build: the texts come from the best file, and
    // adding the same catalog again changes nothing.
    void catalogs()
    {
        QFETCH(QString, locale);
        QFETCH(QString, catalog);
        QFETCH(QString, hello);
        LoLocale::setDefault(LoLocale(locale));
        QCoreApplication::processEvents();
        QSignalSpy changed(LoLocaleNotifier::instance(), &LoLocaleNotifier::defaultLocaleChanged);
        for (int build = 0; build < 2; ++build) {
            LoLocale l;
            l.installTrCatalog(catalog);
            LoLocale::setDefault(l);
            QCOMPARE(qtTrId("tst_hello"), hello);
            QCoreApplication::processEvents();
            QCOMPARE(changed.count(), 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestLoLocale)
#include "tst_lolocale.moc"
