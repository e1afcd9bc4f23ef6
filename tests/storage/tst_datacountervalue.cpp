#include "datacountervalue.h"
#include "lolocale.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace
{
constexpr unsigned long long maxCount = std::numeric_limits<unsigned long long>::max();

unsigned long long fromMegas(const QString &text)
{
    DataCounterValue value;
    value.fromUiMegas(text);
    return value;
}
}

class TestDataCounterValue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
    }

    void toUiMegas_data()
    {
        QTest::addColumn<unsigned long long>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0ULL << "0.0";
        QTest::newRow("999") << 999ULL << "0.0";
        QTest::newRow("49,999") << 49999ULL << "0.0";
        QTest::newRow("50,000 just above half") << 50000ULL << "0.1";
        QTest::newRow("950,000") << 950000ULL << "1.0";
        QTest::newRow("1,049,999 drops the bytes") << 1049999ULL << "1.0";
        QTest::newRow("1,050,000") << 1050000ULL << "1.1";
        QTest::newRow("1,250,000 tie to even") << 1250000ULL << "1.2";
        QTest::newRow("1,350,000 tie to even") << 1350000ULL << "1.4";
        QTest::newRow("123,456,789") << 123456789ULL << "123.5";
        QTest::newRow("999,999,999,000,000") << 999999999000000ULL << "999999999.0";
        QTest::newRow("2^64-1") << maxCount << "18446744073709.6";
    }

    void toUiMegas()
    {
        QFETCH(unsigned long long, bytes);
        QFETCH(QString, text);
        QCOMPARE(DataCounterValue(bytes).toUiMegas(), text);
    }

    // "." whatever the user's locale.
    void toUiMegasIgnoresLocale()
    {
        LoLocale::setDefault(LoLocale(QStringLiteral("de_DE")));
        QCOMPARE(DataCounterValue(1250000ULL).toUiMegas(), QStringLiteral("1.2"));
        LoLocale::setDefault(LoLocale(QStringLiteral("ar_EG")));
        QCOMPARE(DataCounterValue(123456789ULL).toUiMegas(), QStringLiteral("123.5"));
    }

    void fromUiMegas_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<unsigned long long>("bytes");
        QTest::newRow("12") << "12" << 12000000ULL;
        QTest::newRow("spaces") << " 12 " << 12000000ULL;
        QTest::newRow("tab and newline") << "\t3\n" << 3000000ULL;
        QTest::newRow("1.2") << "1.2" << 1200000ULL;
        QTest::newRow("1,2") << "1,2" << 1200000ULL;
        QTest::newRow("1|2") << "1|2" << 1200000ULL;
        QTest::newRow("1.24 down") << "1.24" << 1200000ULL;
        QTest::newRow("1.25 half up") << "1.25" << 1300000ULL;
        QTest::newRow("1.15 exact 11.5") << "1.15" << 1200000ULL;
        QTest::newRow("0.04") << "0.04" << 0ULL;
        QTest::newRow("0.05") << "0.05" << 100000ULL;
        QTest::newRow("999999999.9") << "999999999.9" << 999999999900000ULL;
        QTest::newRow(".5") << ".5" << 500000ULL;
        QTest::newRow("5.") << "5." << 5000000ULL;
        QTest::newRow("0") << "0" << 0ULL;
        QTest::newRow("empty") << "" << 0ULL;
        QTest::newRow("abc") << "abc" << 0ULL;
        QTest::newRow("-5") << "-5" << 0ULL;
        QTest::newRow("-1.5") << "-1.5" << 0ULL;
        QTest::newRow("1.2.3") << "1.2.3" << 0ULL;
        QTest::newRow("1,2.3") << "1,2.3" << 0ULL;
        QTest::newRow("12a") << "12a" << 0ULL;
        // Whole numbers whose byte count passes 2^64 - 1 stop there.
        QTest::newRow("18,446,744,073,709 fits") << "18446744073709" << 18446744073709000000ULL;
        QTest::newRow("18,446,744,073,710 saturates") << "18446744073710" << maxCount;
        QTest::newRow("beyond 64 bits saturates") << "99999999999999999999" << maxCount;
        QTest::newRow("huge fraction saturates") << "99999999999999999999.5" << maxCount;
        QTest::newRow("largest fraction that fits") << "18446744073709.5" << 18446744073709500000ULL;
        QTest::newRow("fraction just too large") << "18446744073709.6" << maxCount;
    }

    void fromUiMegas()
    {
        QFETCH(QString, text);
        QFETCH(unsigned long long, bytes);
        QCOMPARE(fromMegas(text), bytes);
        QCOMPARE((unsigned long long)DataCounterValue(text, false), bytes);
    }

    void localeSeparators_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<unsigned long long>("bytes");
        QTest::newRow("de_DE comma") << "de_DE" << "1,2" << 1200000ULL;
        QTest::newRow("de_DE point") << "de_DE" << "1.2" << 1200000ULL;
        QTest::newRow("ar_EG own separator") << "ar_EG" << QStringLiteral("1\u066B2") << 1200000ULL;
        QTest::newRow("ar_EG point") << "ar_EG" << "1.2" << 1200000ULL;
        QTest::newRow("ar_EG comma") << "ar_EG" << "1,2" << 1200000ULL;
        QTest::newRow("ar_EG bar") << "ar_EG" << "1|2" << 1200000ULL;
        QTest::newRow("en_GB other locale's separator") << "en_GB" << QStringLiteral("1\u066B2") << 0ULL;
    }

    void localeSeparators()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(unsigned long long, bytes);
        LoLocale::setDefault(LoLocale(locale));
        QCOMPARE(fromMegas(text), bytes);
    }

    void separatorPattern_data()
    {
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("point") << "." << "[\\.|\\,|\\.]";
        QTest::newRow("comma") << "," << "[\\.|\\,|\\,]";
        QTest::newRow("arabic") << QStringLiteral("\u066B") << QStringLiteral("[\\.|\\,|\\\u066B]");
        // Mended: an empty point keeps the three fixed separators.
        QTest::newRow("empty") << "" << "[\\.|\\,]";
        // A letter after a backslash would be a class such as \d, not the letter.
        QTest::newRow("letter") << "d" << "[\\.|\\,|d]";
    }

    void separatorPattern()
    {
        QFETCH(QString, point);
        QFETCH(QString, pattern);
        QCOMPARE(DataCounterValue::separatorPattern(point), pattern);
        QRegExp rx(pattern, Qt::CaseInsensitive);
        QVERIFY(rx.isValid());
        QCOMPARE(rx.indexIn(QStringLiteral("12.3")), 2);
        QCOMPARE(rx.indexIn(QStringLiteral("12|3")), 2);
        QCOMPARE(rx.indexIn(QStringLiteral("12,3")), 2);
        QCOMPARE(rx.indexIn(QStringLiteral("1234")), -1);
    }

    void plainBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<unsigned long long>("bytes");
        QTest::newRow("5000") << "5000" << 5000ULL;
        QTest::newRow("-1") << "-1" << 0ULL;
        QTest::newRow("2^64-1") << "18446744073709551615" << maxCount;
        QTest::newRow("megabyte text is no byte count") << "1.2" << 0ULL;
        QTest::newRow("empty") << "" << 0ULL;
    }

    void plainBytes()
    {
        QFETCH(QString, text);
        QFETCH(unsigned long long, bytes);
        QCOMPARE((unsigned long long)DataCounterValue(text, true), bytes);
    }

    void fromVariant_data()
    {
        QTest::addColumn<QVariant>("variant");
        QTest::addColumn<unsigned long long>("bytes");
        QTest::newRow("invalid") << QVariant() << 0ULL;
        QTest::newRow("null string") << QVariant(QString()) << 0ULL;
        QTest::newRow("text 123") << QVariant(QStringLiteral("123")) << 123ULL;
        QTest::newRow("text -7") << QVariant(QStringLiteral("-7")) << 0ULL;
        QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << 0ULL;
        QTest::newRow("int") << QVariant(42) << 42ULL;
        QTest::newRow("negative int") << QVariant(-5) << 0ULL;
        QTest::newRow("2^40") << QVariant(qulonglong(1) << 40) << (1ULL << 40);
        QTest::newRow("text 2^64-1") << QVariant(QStringLiteral("18446744073709551615")) << maxCount;
        QTest::newRow("unsigned 2^63") << QVariant(qulonglong(1) << 63) << (1ULL << 63);
        QTest::newRow("unsigned 2^64-1") << QVariant(qulonglong(maxCount)) << maxCount;
        QTest::newRow("unsigned int 2^32-1") << QVariant(uint(4294967295U)) << 4294967295ULL;
        QTest::newRow("negative long long") << QVariant(qlonglong(-1)) << 0ULL;
        QTest::newRow("text 2^64") << QVariant(QStringLiteral("18446744073709551616")) << 0ULL;
        // Another process may store a float. From 2^63 up QVariant's own
        // conversion is undefined; beyond 64 bits a float is no count, as that
        // text is none.
        QTest::newRow("double 1500000000") << QVariant(1500000000.0) << 1500000000ULL;
        QTest::newRow("double 2^63") << QVariant(9223372036854775808.0) << (1ULL << 63);
        QTest::newRow("double 1e19") << QVariant(1e19) << 10000000000000000000ULL;
        QTest::newRow("double below 2^64") << QVariant(std::nextafter(18446744073709551616.0, 0.0))
                                           << 18446744073709549568ULL;
        QTest::newRow("float 1e19") << QVariant(1e19f) << 9999999980506447872ULL;
        QTest::newRow("double 2^64") << QVariant(18446744073709551616.0) << 0ULL;
        QTest::newRow("double 1e300") << QVariant(1e300) << 0ULL;
        QTest::newRow("double infinity") << QVariant(std::numeric_limits<double>::infinity()) << 0ULL;
        QTest::newRow("double -infinity") << QVariant(-std::numeric_limits<double>::infinity()) << 0ULL;
        QTest::newRow("double NaN") << QVariant(std::numeric_limits<double>::quiet_NaN()) << 0ULL;
        QTest::newRow("double -1") << QVariant(-1.0) << 0ULL;
        QTest::newRow("double -1e19") << QVariant(-1e19) << 0ULL;
    }

    void fromVariant()
    {
        QFETCH(QVariant, variant);
        QFETCH(unsigned long long, bytes);
        DataCounterValue value(99ULL);
        value = variant;
        QCOMPARE(value.toBytes(), bytes);
    }

    void assignment()
    {
        DataCounterValue value;
        QCOMPARE(value.toBytes(), 0ULL);
        value = 12345ULL;
        QCOMPARE(value.toBytes(), 12345ULL);
        DataCounterValue copy(1ULL);
        copy = value;
        QCOMPARE(copy.toBytes(), 12345ULL);
        DataCounterValue &self = copy;
        copy = self;
        QCOMPARE(copy.toBytes(), 12345ULL);
        QCOMPARE(QString::number(copy), QStringLiteral("12345"));
        QVERIFY(DataCounterValue() == 0);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("1.2") << "1.2";
        QTest::newRow("0.1") << "0.1";
        QTest::newRow("12.0") << "12.0";
        QTest::newRow("999999999.9") << "999999999.9";
    }

    void roundTrip()
    {
        QFETCH(QString, text);
        QCOMPARE(DataCounterValue(text, false).toUiMegas(), text);
    }
};

QTEST_GUILESS_MAIN(TestDataCounterValue)
#include "tst_datacountervalue.moc"
