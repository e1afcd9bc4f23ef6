#include "dataamountwidget.h"

#include "datacounters.h"
#include "lolabel.h"
#include "lolocale.h"
#include "testscene.h"

#include <QMetaObject>
#include <QTest>

namespace
{
// The default locale @p name with the library's catalog, as a language change leaves it.
void setDefaultLocale(const QString &name)
{
    LoLocale locale(name);
    locale.installTrCatalog(QStringLiteral("libtessaro"));
    LoLocale::setDefault(locale);
}

// The English catalog's megabyte text around @p number; other languages fall back to it.
QString megabytes(const QString &number)
{
    return number + QStringLiteral(" MB");
}
}

class TestDataAmountWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void construction_data();
    void construction();
    void installsCatalog();
    void catalogTextsAreFound();
    void amount_data();
    void amount();
    void sameNameInTwoSections();
    void languageChange();
    void metaObject();
    void rendering_data();
    void rendering();
};

void TestDataAmountWidget::init()
{
    // Each case starts from English without the catalog, so that rows must install it.
    LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
    QCoreApplication::processEvents();
}

void TestDataAmountWidget::construction_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("title");

    QTest::newRow("Sent") << 0 << QStringLiteral("DataAmount_0") << QStringLiteral("Sent");
    QTest::newRow("Received") << 1 << QStringLiteral("DataAmount_1") << QStringLiteral("Received");
    // Anything but Sent is titled as received.
    QTest::newRow("other") << 7 << QStringLiteral("DataAmount_7") << QStringLiteral("Received");
}

void TestDataAmountWidget::construction()
{
    QFETCH(int, type);
    QFETCH(QString, objectName);
    QFETCH(QString, title);

    DataAmountWidget row(static_cast<DataAmountWidget::DataAmountWidgetType>(type));
    QCOMPARE(row.objectName(), objectName);
    QCOMPARE(row.itemStyle(), SettingsItem::TitleSubtitle);
    QCOMPARE(row.title(), title);
    QCOMPARE(row.subtitle(), megabytes(QStringLiteral("0")));
    QVERIFY(row.titleLabelWidget()->isVisible());
    QVERIFY(!row.hasSwitch());
}

void TestDataAmountWidget::installsCatalog()
{
    QVERIFY(!LoLocale().trCatalogs().contains(QStringLiteral("libtessaro")));
    DataAmountWidget row(DataAmountWidget::Sent);
    QVERIFY(LoLocale().trCatalogs().contains(QStringLiteral("libtessaro")));
    QCOMPARE(LoLocale().name(), QStringLiteral("en_GB"));

    // Every row installs it again; installing twice keeps one entry.
    DataAmountWidget second(DataAmountWidget::Received);
    QCOMPARE(LoLocale().trCatalogs().count(QStringLiteral("libtessaro")), 1);
}

void TestDataAmountWidget::catalogTextsAreFound()
{
    // Without the catalog the identifiers come back unchanged.
    QCOMPARE(qtTrId(DataCounters::SentText), QString::fromLatin1(DataCounters::SentText));
    DataAmountWidget row(DataAmountWidget::Sent);
    // The row's own texts, and those that its section sets afterwards.
    QCOMPARE(qtTrId(DataCounters::SentText), QStringLiteral("Sent"));
    QCOMPARE(qtTrId(DataCounters::MBText), QStringLiteral("%1 MB"));
    QCOMPARE(row.title(), QStringLiteral("Sent"));
}

void TestDataAmountWidget::amount_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("number");

    QTest::newRow("en_GB") << "en_GB" << "12.3" << "12.3";
    QTest::newRow("en_GB whole") << "en_GB" << "7.0" << "7";
    QTest::newRow("en_GB grouping") << "en_GB" << "123456789.9" << "123,456,789.9";
    QTest::newRow("en_GB empty") << "en_GB" << "" << "0";
    QTest::newRow("en_GB unparsable") << "en_GB" << "12,3" << "0";
    QTest::newRow("en_GB not a number") << "en_GB" << "nan" << "0";
    QTest::newRow("en_GB infinite") << "en_GB" << "inf" << "0";
    QTest::newRow("de_DE") << "de_DE" << "12.3" << "12,3";
    QTest::newRow("de_DE grouping") << "de_DE" << "4096.5" << "4.096,5";
    QTest::newRow("ar_EG") << "ar_EG" << "12.3" << QStringLiteral("١٢٫٣");
    QTest::newRow("ar_EG zero") << "ar_EG" << "" << QStringLiteral("٠");
}

void TestDataAmountWidget::amount()
{
    QFETCH(QString, locale);
    QFETCH(QString, amount);
    QFETCH(QString, number);

    LoLocale::setDefault(LoLocale(locale));
    DataAmountWidget row(DataAmountWidget::Received);
    const QString title = row.title();
    row.setDataAmount(amount);
    QCOMPARE(row.title(), title);
    QVERIFY2(row.subtitle().contains(number),
             qPrintable(QStringLiteral("%1 not in %2").arg(number, row.subtitle())));
    QCOMPARE(row.subtitle(), megabytes(number));

    // Back to nothing: the number 0 again.
    row.setDataAmount(QString());
    QCOMPARE(row.subtitle(), megabytes(locale == QLatin1String("ar_EG") ? QStringLiteral("٠") : QStringLiteral("0")));
}

void TestDataAmountWidget::sameNameInTwoSections()
{
    QGraphicsWidget home;
    QGraphicsWidget roaming;
    auto *a = new DataAmountWidget(DataAmountWidget::Sent, &home);
    auto *b = new DataAmountWidget(DataAmountWidget::Sent, &roaming);
    QCOMPARE(a->objectName(), b->objectName());
    QCOMPARE(a->parentItem(), &home);
    QCOMPARE(ItemFinder::find<DataAmountWidget>(&home, QStringLiteral("DataAmount_0")), a);
    QCOMPARE(ItemFinder::find<DataAmountWidget>(&roaming, QStringLiteral("DataAmount_0")), b);
}

void TestDataAmountWidget::languageChange()
{
    DataAmountWidget row(DataAmountWidget::Sent);
    row.setDataAmount(QStringLiteral("1234.5"));
    QCOMPARE(row.subtitle(), megabytes(QStringLiteral("1,234.5")));

    // The toolkit retranslates on the next pass of the event loop; the stored amount is formatted anew.
    setDefaultLocale(QStringLiteral("de_DE"));
    QTRY_COMPARE(row.subtitle(), megabytes(QStringLiteral("1.234,5")));
    QCOMPARE(row.title(), QStringLiteral("Sent"));

    setDefaultLocale(QStringLiteral("ar_EG"));
    QTRY_COMPARE(row.subtitle(), megabytes(QStringLiteral("١٬٢٣٤٫٥")));
}

void TestDataAmountWidget::metaObject()
{
    const QMetaObject *mo = &DataAmountWidget::staticMetaObject;
    QCOMPARE(mo->className(), "DataAmountWidget");
    QCOMPARE(mo->superClass(), &SettingsItem::staticMetaObject);
    QCOMPARE(mo->methodCount(), mo->methodOffset());
    QCOMPARE(mo->propertyCount(), mo->propertyOffset());
    QCOMPARE(mo->enumeratorCount(), mo->enumeratorOffset());

    // retranslateUi() reached through the toolkit's slot runs the row's own.
    DataAmountWidget row(DataAmountWidget::Sent);
    row.setDataAmount(QStringLiteral("5.5"));
    setDefaultLocale(QStringLiteral("de_DE"));
    QVERIFY(QMetaObject::invokeMethod(&row, "retranslateUi"));
    QCOMPARE(row.subtitle(), megabytes(QStringLiteral("5,5")));
}

void TestDataAmountWidget::rendering_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("en_GB") << "en_GB";
    QTest::newRow("ar_EG") << "ar_EG";
}

void TestDataAmountWidget::rendering()
{
    QFETCH(QString, locale);

    LoLocale::setDefault(LoLocale(locale));
    DataAmountWidget row(DataAmountWidget::Sent);
    row.setDataAmount(QStringLiteral("123.4"));
    const QImage image = SceneShot::render(&row, 480);
    SceneShot::save(image, QStringLiteral("dataamountwidget-%1").arg(locale));
    const QRgb background = SceneShot::dominantColor(image);

    const QRect title = SceneShot::toImage(&row, row.titleLabelWidget());
    const QRect subtitle = SceneShot::toImage(&row, row.subtitleLabelWidget());
    QVERIFY(subtitle.top() >= title.bottom() - 1);
    QVERIFY2(SceneShot::inkPixels(image, title, background) > 60, "no title text drawn");
    QVERIFY2(SceneShot::inkPixels(image, subtitle, background) > 60, "no amount drawn");
}

QTEST_MAIN(TestDataAmountWidget)
#include "tst_dataamountwidget.moc"
