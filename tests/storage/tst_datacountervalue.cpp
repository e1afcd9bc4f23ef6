// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "datacountervalue.h"
#include "lolocale.h"

#include <QtTest>

#include <cmath>
#include <limits>

static constexpr unsigned long long maxCount = std::numeric_limits<unsigned long long>::max();

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
        QTest::newRow("invalid") << QVariant() << 0ULL << "0.0";
        QTest::newRow("49,999") << QVariant(49999) << 49999ULL << "0.0";
        QTest::newRow("50,000 just above half") << QVariant(QStringLiteral("50000")) << 50000ULL << "0.1";
        QTest::newRow("950,000") << QVariant(950000) << 950000ULL << "1.0";
        QTest::newRow("1,250,999 drops the bytes, then ties") << QVariant(1250999) << 1250999ULL << "1.2";
        QTest::newRow("1,250,000 tie to even") << QVariant(1250000) << 1250000ULL << "1.2";
        QTest::newRow("1,350,000 just above the tie") << QVariant(1350000) << 1350000ULL << "1.4";
        QTest::newRow("123,456,789") << QVariant(QStringLiteral("123456789")) << 123456789ULL << "123.5";
        QTest::newRow("999,999,999,000,000") << QVariant(999999999000000ULL) << 999999999000000ULL << "999999999.0";
        QTest::newRow("text -7") << QVariant(QStringLiteral("-7")) << 0ULL << "0.0";
        QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << 0ULL << "0.0";
        QTest::newRow("negative int") << QVariant(-5) << 0ULL << "0.0";
        QTest::newRow("unsigned 2^63") << QVariant(qulonglong(1) << 63) << (1ULL << 63) << "9223372036854.8";
        QTest::newRow("text 2^64-1") << QVariant(QStringLiteral("18446744073709551615")) << maxCount << "18446744073709.6";
        QTest::newRow("text 2^64") << QVariant(QStringLiteral("18446744073709551616")) << 0ULL << "0.0";
        QTest::newRow("text 1.2") << QVariant(QStringLiteral("1.2")) << 0ULL << "0.0";
        QTest::newRow("double 1.5e9") << QVariant(1500000000.0) << 1500000000ULL << "1500.0";
        QTest::newRow("double 2^63") << QVariant(9223372036854775808.0) << (1ULL << 63) << "9223372036854.8";
        QTest::newRow("double below 2^64") << QVariant(std::nextafter(18446744073709551616.0, 0.0))
                                           << 18446744073709549568ULL << "18446744073709.5";
        QTest::newRow("double 2^64") << QVariant(18446744073709551616.0) << 0ULL << "0.0";
        QTest::newRow("double NaN") << QVariant(std::nan("")) << 0ULL << "0.0";
        QTest::newRow("double -1") << QVariant(-1.0) << 0ULL << "0.0";
    }

    void fromVariant()
    {
        QFETCH(QVariant, stored);
        QFETCH(unsigned long long, bytes);
        QFETCH(QString, megas);
        DataCounterValue value(99ULL);
        value = stored;
        QCOMPARE(value.toBytes(), bytes);
        if (stored.userType() == QMetaType::QString) // the same text as a plain byte count
            QCOMPARE(DataCounterValue(stored.toString(), true).toBytes(), bytes);
        LoLocale::setDefault(LoLocale(QStringLiteral("ar_EG"))); // its own digits and decimal point
        QCOMPARE(value.toUiMegas(), megas);
    }

    // Typed megabytes become a count: trimmed, the first of ".", ",", "|" or the locale's decimal point
    // as separator, half up to a tenth; no number, negative or empty gives 0, too large saturates.
    void fromText_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<unsigned long long>("bytes");
        auto row = [](const char *locale, const QString &text, unsigned long long bytes) {
            QTest::addRow("%s %s", locale, qPrintable(text)) << QString::fromLatin1(locale) << text << bytes;
        };
        const QString arabicPoint = QStringLiteral("1\u066B2");
        const QList<QPair<QString, unsigned long long>> english{
            {"12", 12000000}, {" 12 ", 12000000}, {"1.2", 1200000}, {"1,2", 1200000}, {"1|2", 1200000},
            {"1.24", 1200000}, {"1.25", 1300000}, {"1.15", 1200000}, {"0.04", 0}, {"0.05", 100000},
            {".5", 500000}, {"999999999.9", 999999999900000ULL}, {"", 0}, {"12a", 0}, {"-5", 0}, {"-1.5", 0},
            {"1.2.3", 0}, {arabicPoint, 0},
            // Beyond 2^64 - 1 bytes the count stops there.
            {"18446744073709", 18446744073709000000ULL}, {"18446744073710", maxCount},
            {"99999999999999999999", maxCount}, {"18446744073709.5", 18446744073709500000ULL},
            {"18446744073709.6", maxCount}};
        for (const auto &text : english)
            row("en_GB", text.first, text.second);
        // The locale's own decimal point joins the fixed ones.
        for (const QString &text : {QStringLiteral("1,2"), QStringLiteral("1.2"), arabicPoint})
            row("ar_EG", text, 1200000);
    }

    void fromText()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(unsigned long long, bytes);
        LoLocale::setDefault(LoLocale(locale));
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
    }
};

QTEST_GUILESS_MAIN(TestDataCounterValue)
#include "tst_datacountervalue.moc"
