// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "datacountervalue.h"
#include "lolocale.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace
{
constexpr unsigned long long maxCount = std::numeric_limits<unsigned long long>::max();
constexpr double infinity = std::numeric_limits<double>::infinity();
}

class TestDataCounterValue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A stored counter (any variant) becomes a count, and the count its megabyte
    // text: kilobytes dropped, then "%.1f" with an exact tie to the even digit,
    // "." in every locale.
    void fromVariant_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<unsigned long long>("bytes");
        QTest::addColumn<QString>("megas");
        auto row = [](const char *name, const QVariant &stored, unsigned long long bytes, const char *megas) {
            QTest::newRow(name) << stored << bytes << QString::fromLatin1(megas);
        };
        row("invalid", QVariant(), 0, "0.0");
        row("null text", QVariant(QString()), 0, "0.0");
        row("999", QVariant(999ULL), 999, "0.0");
        row("49,999", QVariant(49999), 49999, "0.0");
        row("50,000 just above half", QVariant(QStringLiteral("50000")), 50000, "0.1");
        row("950,000", QVariant(950000), 950000, "1.0");
        row("1,049,999 drops the bytes", QVariant(1049999), 1049999, "1.0");
        row("1,050,000", QVariant(1050000), 1050000, "1.1");
        row("1,250,000 tie to even", QVariant(1250000), 1250000, "1.2");
        row("1,350,000 tie to even", QVariant(1350000), 1350000, "1.4");
        row("123,456,789", QVariant(QStringLiteral("123456789")), 123456789, "123.5");
        row("999,999,999,000,000", QVariant(999999999000000ULL), 999999999000000ULL, "999999999.0");
        row("text -7", QVariant(QStringLiteral("-7")), 0, "0.0");
        row("not a number", QVariant(QStringLiteral("abc")), 0, "0.0");
        row("negative int", QVariant(-5), 0, "0.0");
        row("negative long long", QVariant(qlonglong(-1)), 0, "0.0");
        row("unsigned 2^40", QVariant(qulonglong(1) << 40), 1ULL << 40, "1099511.6");
        row("unsigned 2^63", QVariant(qulonglong(1) << 63), 1ULL << 63, "9223372036854.8");
        row("unsigned int 2^32-1", QVariant(uint(4294967295U)), 4294967295ULL, "4295.0");
        row("text 2^64-1", QVariant(QStringLiteral("18446744073709551615")), maxCount, "18446744073709.6");
        row("text 2^64", QVariant(QStringLiteral("18446744073709551616")), 0, "0.0");
        row("double 1.5e9", QVariant(1500000000.0), 1500000000ULL, "1500.0");
        row("double 2^63", QVariant(9223372036854775808.0), 1ULL << 63, "9223372036854.8");
        row("double below 2^64", QVariant(std::nextafter(18446744073709551616.0, 0.0)), 18446744073709549568ULL,
            "18446744073709.5");
        row("double 2^64", QVariant(18446744073709551616.0), 0, "0.0");
        row("double infinity", QVariant(infinity), 0, "0.0");
        row("double -infinity", QVariant(-infinity), 0, "0.0");
        row("double NaN", QVariant(std::nan("")), 0, "0.0");
        row("double -1", QVariant(-1.0), 0, "0.0");
    }

    void fromVariant()
    {
        QFETCH(QVariant, stored);
        QFETCH(unsigned long long, bytes);
        QFETCH(QString, megas);
        DataCounterValue value(99ULL);
        value = stored;
        QCOMPARE(value.toBytes(), bytes);
        for (const char *locale : {"en_GB", "de_DE", "ar_EG"}) {
            LoLocale::setDefault(LoLocale(QString::fromLatin1(locale)));
            QCOMPARE(value.toUiMegas(), megas);
        }
    }

    // Typed megabytes (and plain byte counts) become a count: trimmed, the first
    // of ".", ",", "|" or the locale's decimal point as separator, half up to a
    // tenth; no number, negative or empty gives 0, too large saturates.
    void fromText_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("plain");
        QTest::addColumn<unsigned long long>("bytes");
        auto row = [](const char *locale, const QString &text, unsigned long long bytes, bool plain = false) {
            QTest::addRow("%s %s%s", locale, qPrintable(text), plain ? " plain" : "")
                << QString::fromLatin1(locale) << text << plain << bytes;
        };
        const QString arabicPoint = QStringLiteral("1\u066B2");
        const QList<QPair<QString, unsigned long long>> english{
            {"12", 12000000}, {" 12 ", 12000000}, {"1.2", 1200000}, {"1,2", 1200000}, {"1|2", 1200000},
            {"1.24", 1200000}, {"1.25", 1300000}, {"1.15", 1200000}, {"0.04", 0}, {"0.05", 100000},
            {".5", 500000}, {"999999999.9", 999999999900000ULL}, {"", 0}, {"abc", 0}, {"-5", 0}, {"-1.5", 0},
            {"1.2.3", 0}, {"12a", 0}, {arabicPoint, 0},
            // Beyond 2^64 - 1 bytes the count stops there.
            {"18446744073709", 18446744073709000000ULL}, {"18446744073710", maxCount},
            {"99999999999999999999", maxCount}, {"18446744073709.5", 18446744073709500000ULL},
            {"18446744073709.6", maxCount}};
        for (const auto &text : english)
            row("en_GB", text.first, text.second);
        for (const char *locale : {"de_DE", "ar_EG"}) {
            row(locale, QStringLiteral("1,2"), 1200000);
            row(locale, QStringLiteral("1.2"), 1200000);
        }
        row("ar_EG", arabicPoint, 1200000);
        row("en_GB", QStringLiteral("5000"), 5000, true);
        row("en_GB", QStringLiteral("-1"), 0, true);
        row("en_GB", QStringLiteral("18446744073709551615"), maxCount, true);
        row("en_GB", QStringLiteral("1.2"), 0, true);
    }

    void fromText()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, plain);
        QFETCH(unsigned long long, bytes);
        LoLocale::setDefault(LoLocale(locale));
        QCOMPARE(DataCounterValue(text, plain).toBytes(), bytes);
        if (plain)
            return;
        DataCounterValue typed(99ULL);
        typed.fromUiMegas(text);
        QCOMPARE(typed.toBytes(), bytes);
    }

    // The separator class for decimal points that are no plain punctuation.
    void separatorPattern_data()
    {
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("comma") << "," << "[\\.|\\,|\\,]";
        QTest::newRow("empty keeps the fixed ones") << "" << "[\\.|\\,]";
        QTest::newRow("a letter stays a letter") << "d" << "[\\.|\\,|d]";
    }

    void separatorPattern()
    {
        QFETCH(QString, point);
        QFETCH(QString, pattern);
        QCOMPARE(DataCounterValue::separatorPattern(point), pattern);
        QRegExp separator(pattern, Qt::CaseInsensitive);
        QVERIFY(separator.isValid());
        QCOMPARE(separator.indexIn(QStringLiteral("12|3")), 2);
        QCOMPARE(separator.indexIn(QStringLiteral("1234")), -1);
    }
};

QTEST_GUILESS_MAIN(TestDataCounterValue)
#include "tst_datacountervalue.moc"
