// The English catalogs: every text identifier of the library resolves to a
// readable text, and the amount row's catalog carries the row's own texts.
#include "datacounters.h"
#include "lolocale.h"

#include <QDir>
#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

class TestTranslations : public QObject
{
    Q_OBJECT

private:
    QString catalogFile(const QString &catalog) const
    {
        const QString dir = qEnvironmentVariable("LOTOOLKIT_TRANSLATIONS_DIR");
        return QDir(dir).filePath(catalog + QStringLiteral("_en.qm"));
    }

    void addIdentifierRows(const QList<const char *> &ids)
    {
        for (const char *id : ids)
            QTest::newRow(id) << QByteArray(id);
    }

private Q_SLOTS:
    void catalogsLoad_data()
    {
        QTest::addColumn<QString>("catalog");
        QTest::newRow("cellular-adaptation") << QStringLiteral("cellular-adaptation");
        QTest::newRow("libtessaro") << QStringLiteral("libtessaro");
    }
    void catalogsLoad()
    {
        QFETCH(QString, catalog);
        QTranslator translator;
        QVERIFY2(translator.load(catalogFile(catalog)), qPrintable(catalogFile(catalog)));
        QVERIFY(!translator.isEmpty());
    }

    void everyIdentifierResolves_data()
    {
        QTest::addColumn<QByteArray>("id");
        using namespace DataCounters;
        addIdentifierRows({DataCounters::DataCounters, DataTitle, HomeTitle, RoamingTitle, ResetText,
                           LastResetText, LimitWarningText, LimitText, DefaultResetDate, SentText,
                           ReceivedText, MBText, ResetConfirm, Reset, Done, CallTimersTitle,
                           CallTimersDialled, CallTimersReceived, CallTimersAll, CallTimersConfirm});
    }
    void everyIdentifierResolves()
    {
        QFETCH(QByteArray, id);
        QTranslator page, row;
        QVERIFY(page.load(catalogFile(QStringLiteral("cellular-adaptation"))));
        QVERIFY(row.load(catalogFile(QStringLiteral("libtessaro"))));
        QCoreApplication::installTranslator(&page);
        QCoreApplication::installTranslator(&row);

        const QString text = qtTrId(id.constData());
        QVERIFY2(text != QString::fromLatin1(id), id.constData());
        QVERIFY(!text.trimmed().isEmpty());
        QVERIFY2(!text.contains(QLatin1String("qtn_")), qPrintable(text));
        // Readable English: starts with a capital letter or the place marker.
        QVERIFY2(text.at(0).isUpper() || text.startsWith(QLatin1String("%1")), qPrintable(text));

        // Only the megabyte text takes an argument, and exactly one.
        const int markers = text.count(QRegularExpression(QStringLiteral("%\\d")));
        if (id == DataCounters::MBText) {
            QCOMPARE(markers, 1);
            QCOMPARE(text.arg(QStringLiteral("12.3")), QStringLiteral("12.3 MB"));
        } else {
            QCOMPARE(markers, 0);
        }
    }

    void rowCatalogHoldsRowTexts_data()
    {
        QTest::addColumn<QByteArray>("id");
        addIdentifierRows({DataCounters::SentText, DataCounters::ReceivedText, DataCounters::MBText});
    }
    void rowCatalogHoldsRowTexts()
    {
        QFETCH(QByteArray, id);
        QTranslator row;
        QVERIFY(row.load(catalogFile(QStringLiteral("libtessaro"))));
        QVERIFY(!row.translate(nullptr, id.constData()).isEmpty());
    }

    void sampleTexts_data()
    {
        QTest::addColumn<QByteArray>("id");
        QTest::addColumn<QString>("english");
        QTest::newRow("page") << QByteArray(DataCounters::DataCounters) << QStringLiteral("Data counters");
        QTest::newRow("never") << QByteArray(DataCounters::DefaultResetDate) << QStringLiteral("Never");
        QTest::newRow("question") << QByteArray(DataCounters::ResetConfirm) << QStringLiteral("Reset counters?");
        QTest::newRow("done") << QByteArray(DataCounters::Done) << QStringLiteral("Done");
    }
    void sampleTexts()
    {
        QFETCH(QByteArray, id);
        QFETCH(QString, english);
        QTranslator page;
        QVERIFY(page.load(catalogFile(QStringLiteral("cellular-adaptation"))));
        QCOMPARE(page.translate(nullptr, id.constData()), english);
    }

    // The way the library installs its catalogs: a language that has none of
    // its own reads English, never the identifiers.
    void fallbackToEnglish_data()
    {
        QTest::addColumn<QString>("locale");
        for (const char *name : {"en_GB", "en_US", "fi_FI", "de_DE", "ar_EG", "he_IL"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void fallbackToEnglish()
    {
        QFETCH(QString, locale);
        LoLocale chosen(locale);
        QVERIFY(chosen.isValid());
        chosen.installTrCatalog(QStringLiteral("cellular-adaptation"));
        chosen.installTrCatalog(QStringLiteral("libtessaro"));
        LoLocale::setDefault(chosen);
        QCOMPARE(qtTrId(DataCounters::DefaultResetDate), QStringLiteral("Never"));
        QCOMPARE(qtTrId(DataCounters::CallTimersTitle), QStringLiteral("Call timers"));
        QCOMPARE(qtTrId(DataCounters::MBText).arg(QStringLiteral("7")), QStringLiteral("7 MB"));
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
