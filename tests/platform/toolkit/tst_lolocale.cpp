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

private:
    QTemporaryDir m_catalogDir;

    // An id-based catalog <fileBase>.qm that translates "tst_hello".
    bool makeCatalog(const QString &fileBase, const QString &hello)
    {
        QFile ts(m_catalogDir.filePath(fileBase + QStringLiteral(".ts")));
        if (!ts.open(QIODevice::WriteOnly))
            return false;
        ts.write(QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?><!DOCTYPE TS><TS version=\"2.1\"><context>"
                                "<name></name><message id=\"tst_hello\"><source>Hello</source><translation>%1"
                                "</translation></message></context></TS>\n").arg(hello).toUtf8());
        ts.close();
        const QString lrelease = QLibraryInfo::location(QLibraryInfo::BinariesPath) + QStringLiteral("/lrelease");
        return QProcess::execute(lrelease, {QStringLiteral("-silent"), QStringLiteral("-idbased"), ts.fileName(),
                                            QStringLiteral("-qm"), m_catalogDir.filePath(fileBase + QStringLiteral(".qm"))})
            == 0;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(makeCatalog(QStringLiteral("testcat_en"), QStringLiteral("Hello")));
        QVERIFY(makeCatalog(QStringLiteral("testcat_de"), QStringLiteral("Hallo")));
        QVERIFY(makeCatalog(QStringLiteral("testcat_de_CH"), QStringLiteral("Grüezi")));
        qputenv("LOTOOLKIT_TRANSLATIONS_DIR", QFile::encodeName(m_catalogDir.path()));
    }

    void perLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("number"); // 1234567.25
        QTest::addColumn<QString>("date"); // 5 December 2026, medium, no time
        const QString latin = QStringLiteral("0123456789");
        QTest::newRow("en_GB") << "en_GB" << "." << "Latn" << latin << "1,234,567.25" << "5 Dec 2026";
        QTest::newRow("de_DE") << "de_DE" << "," << "Latn" << latin << "1.234.567,25" << "05.12.2026";
        QTest::newRow("he_IL") << "he_IL" << "." << "Hebr" << latin << "1,234,567.25" << QStringLiteral("5 בדצמ׳ 2026");
        QTest::newRow("ar_EG") << "ar_EG" << QStringLiteral("\u066B") << "Arab"
                               << QStringLiteral("\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668\u0669")
                               << QStringLiteral("\u0661\u066C\u0662\u0663\u0664\u066C\u0665\u0666\u0667\u066B\u0662\u0665")
                               << QStringLiteral("\u0660\u0665\u200F/\u0661\u0662\u200F/\u0662\u0660\u0662\u0666");
        QTest::newRow("fa_IR") << "fa_IR" << QStringLiteral("\u066B") << "Arab"
                               << QStringLiteral("\u06F0\u06F1\u06F2\u06F3\u06F4\u06F5\u06F6\u06F7\u06F8\u06F9")
                               << QStringLiteral("\u06F1\u066C\u06F2\u06F3\u06F4\u066C\u06F5\u06F6\u06F7\u066B\u06F2\u06F5") << QStringLiteral("\u06F5 \u062F\u0633\u0627\u0645\u0628\u0631 \u06F2\u06F0\u06F2\u06F6");
    }

    // The calls the pages make, in the locales they must read and show.
    void perLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, point);
        QFETCH(QString, script);
        QFETCH(QString, digits);
        QFETCH(QString, number);
        QFETCH(QString, date);
        const LoLocale l(locale);
        QCOMPARE(l.decimalPoint(), point);
        QCOMPARE(l.localeScripts().value(0), script);
        QCOMPARE(l.toLocalizedNumbers(QStringLiteral("0123456789.x")), digits + QStringLiteral(".x"));
        // Typed digits of any script are read, whatever the locale.
        QCOMPARE(LoLocale(QStringLiteral("en_GB")).toLatinNumbers(digits + point), QStringLiteral("0123456789") + point);
        QCOMPARE(l.formatNumber(1234567.25, -1), number);
        // As many decimals as the number needs, and no binary noise.
        QCOMPARE(l.formatNumber(2.0, -1), l.toLocalizedNumbers(QStringLiteral("2")));
        QCOMPARE(l.formatNumber(0.1 + 0.2, -1), l.formatNumber(0.3, -1));
        const QDateTime when(QDate(2026, 12, 5), QTime(23, 59), Qt::UTC);
        QCOMPARE(l.formatDateTime(when, LoLocale::DateMedium, LoLocale::TimeNone, LoLocale::DefaultCalendar), date);
    }

    void catalogs_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("catalog");
        QTest::addColumn<QString>("hello");
        QTest::newRow("locale's own file") << "de_CH" << "testcat" << QStringLiteral("Grüezi");
        QTest::newRow("language file") << "de_DE" << "testcat" << "Hallo";
        QTest::newRow("english fallback") << "fr_FR" << "testcat" << "Hello";
        QTest::newRow("missing catalog") << "de_DE" << "nosuchcat" << "tst_hello";
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
        QCOMPARE(qtTrId("tst_unknown"), QStringLiteral("tst_unknown"));
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
        QCOMPARE(qtTrId("tst_hello"), QStringLiteral("tst_hello"));
    }
};

QTEST_GUILESS_MAIN(TestLoLocale)
#include "tst_lolocale.moc"
