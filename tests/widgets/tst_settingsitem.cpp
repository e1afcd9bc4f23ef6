#include "settingsitem.h"

#include "lobutton.h"
#include "lohelpbutton.h"
#include "loimagewidget.h"
#include "lolabel.h"
#include "loprogressindicator.h"
#include "testscene.h"

#include <QGraphicsGridLayout>
#include <QGraphicsLinearLayout>
#include <QPointer>
#include <QTest>

namespace
{
SettingsItem::ItemStyle styleOf(int value)
{
    return static_cast<SettingsItem::ItemStyle>(value);
}

QGraphicsGridLayout *gridOf(SettingsItem &item)
{
    return dynamic_cast<QGraphicsGridLayout *>(item.layout());
}

// The grid's first two rows, five cells each: T title, S subtitle, H help slot,
// I icon, W switch-or-spinner slot, "." empty. Parts are known by object name.
QString cells(SettingsItem &item)
{
    QHash<const QGraphicsLayoutItem *, QChar> parts{{item.helpPlaceHolder(), QLatin1Char('H')},
                                                   {item.spinnerPlaceHolder(), QLatin1Char('W')}};
    const QHash<QString, QChar> byName{{QStringLiteral("CommonTitle"), QLatin1Char('T')},
                                       {QStringLiteral("CommonSubTitle"), QLatin1Char('S')},
                                       {QStringLiteral("CommonMainIcon"), QLatin1Char('I')}};
    for (QGraphicsObject *object : ItemFinder::descendants(&item)) {
        if (auto *widget = qobject_cast<QGraphicsWidget *>(object))
            parts.insert(widget, byName.value(object->objectName(), QLatin1Char('?')));
    }
    QString text;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 5; ++column) {
            const QGraphicsLayoutItem *cell = gridOf(item)->itemAt(row, column);
            text += cell ? parts.value(cell, QLatin1Char('?')) : QLatin1Char('.');
        }
        text += row ? QString() : QStringLiteral("/");
    }
    return text;
}

// "objectName styleName", with " hidden" for a part that is not visible.
QStringList parts(SettingsItem &item)
{
    QStringList result;
    for (QGraphicsObject *object : ItemFinder::descendants(&item)) {
        result << QStringLiteral("%1 %2%3").arg(object->objectName(), object->property("styleName").toString(),
                                                object->isVisible() ? QString() : QStringLiteral(" hidden"));
    }
    result.sort();
    return result;
}
}

class TestSettingsItem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void styles_data();
    void styles();
    void spinner_data();
    void spinner();
    void replaceIcon();
    void rightToLeft();
};

void TestSettingsItem::styles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("cells");
    QTest::addColumn<QStringList>("parts");

    const QString title = QStringLiteral("CommonTitle CommonTitleInverted");
    const QString single = QStringLiteral("CommonTitle CommonSingleTitleInverted");
    const QString subtitle = QStringLiteral("CommonSubTitle CommonSubTitleInverted");
    const QString icon = QStringLiteral("CommonMainIcon CommonRightIconInverted");
    const QString switchIcon = QStringLiteral("CommonMainIcon CommonSwitchIconInverted");
    const QString toggle = QStringLiteral("CommonSwitch CommonRightSwitchInverted hidden");
    QTest::newRow("SingleTitle") << 0 << "THW../.H..." << QStringList{single};
    QTest::newRow("TitleSubtitle") << 1 << "TH.W./SH..." << QStringList{subtitle, title};
    QTest::newRow("SingleTitleIcon") << 2 << "THIW./.HI.." << QStringList{icon, single};
    QTest::newRow("TitleSubtitleIcon") << 3 << "THI.W/SHI.." << QStringList{icon, subtitle, title};
    QTest::newRow("SingleTitleSwitch") << 4 << "THW../.H..." << QStringList{toggle, single};
    QTest::newRow("TitleSubtitleSwitch") << 5 << "TH.W./SH.W." << QStringList{subtitle, toggle, title};
    QTest::newRow("SingleTitleIconSwitch") << 6 << "THIW./.HI.." << QStringList{switchIcon, toggle, single};
    QTest::newRow("TitleSubtitleIconSwitch") << 7 << "THI.W/SHI.." << QStringList{switchIcon, subtitle, toggle, title};
    QTest::newRow("out of range") << 9 << "THW../.H..." << QStringList{single};
}

// Which cell each part sits in, its names, whether it shows, and what is drawn.
void TestSettingsItem::styles()
{
    QFETCH(int, style);
    QFETCH(QString, cells);
    QFETCH(QStringList, parts);

    SettingsItem item(styleOf(style));
    QCOMPARE(item.styleName(), QStringLiteral("CommonPanelInverted"));
    QCOMPARE(::cells(item), cells);
    QCOMPARE(::parts(item), parts);
    QCOMPARE(gridOf(item)->columnStretchFactor(0), 1);
    QCOMPARE(gridOf(item)->columnStretchFactor(1), 0);

    // The help button goes into its slot; the switch shows only when asked to.
    LoHelpButton *help = item.infoButton();
    QCOMPARE(help->objectName(), QStringLiteral("helpButton"));
    QCOMPARE(item.helpPlaceHolder()->itemAt(0), help);
    item.showButton();
    auto *toggle = ItemFinder::find<LoButton>(&item, QStringLiteral("CommonSwitch"));
    QCOMPARE(toggle != nullptr, item.hasSwitch());
    QVERIFY(!toggle || (toggle->isVisible() && item.spinnerPlaceHolder()->itemAt(0) == toggle));

    // Only a single-title row wraps its title.
    item.wrapSingleTitle();
    const bool hasSubtitle = cells.at(6) == QLatin1Char('S');
    const bool wraps = style < 8 && !hasSubtitle;
    QCOMPARE(item.titleLabelWidget()->wordWrap(), wraps);
    QCOMPARE(item.titleLabelWidget()->styleName(),
             wraps || hasSubtitle ? QStringLiteral("CommonTitleInverted") : QStringLiteral("CommonSingleTitleInverted"));

    item.setTitle(QStringLiteral("Warning limit"));
    if (hasSubtitle)
        item.setSubtitle(QStringLiteral("Last reset 5 Dec 2026"));
    const QImage image = SceneShot::render(&item, 480);
    const QRgb background = SceneShot::dominantColor(image);
    QVERIFY2(SceneShot::inkPixels(image, SceneShot::toImage(&item, item.titleLabelWidget()), background) > 60, "title");
    if (hasSubtitle)
        QVERIFY2(SceneShot::inkPixels(image, SceneShot::toImage(&item, item.subtitleLabelWidget()), background) > 60,
                 "subtitle");
    if (toggle)
        QVERIFY2(SceneShot::inkPixels(image, SceneShot::toImage(&item, toggle), background) > 100, "switch");
}

void TestSettingsItem::spinner_data()
{
    QTest::addColumn<int>("style");
    QTest::newRow("switch row") << int(SettingsItem::TitleSubtitleSwitch);
    QTest::newRow("plain row") << int(SettingsItem::TitleSubtitle);
}

void TestSettingsItem::spinner()
{
    QFETCH(int, style);
    SettingsItem item(styleOf(style));
    item.showButton();
    QGraphicsLinearLayout *slot = item.spinnerPlaceHolder();
    QPointer<LoButton> toggle = ItemFinder::find<LoButton>(&item, QStringLiteral("CommonSwitch"));

    QTest::ignoreMessage(QtDebugMsg, "bool SettingsItem::isSpinning(): false");
    QVERIFY(!item.isSpinning());
    QTest::ignoreMessage(QtDebugMsg, "virtual void SettingsItem::setSpinner(bool): true");
    QTest::ignoreMessage(QtDebugMsg, "virtual void SettingsItem::setSpinner(bool): true");
    item.setSpinner(true);
    item.setSpinner(true);
    const QList<LoProgressIndicator *> spinners = ItemFinder::findAll<LoProgressIndicator>(&item);
    QCOMPARE(spinners.size(), 1);
    QPointer<LoProgressIndicator> spinner = spinners.first();
    QCOMPARE(spinner->styleName(), QStringLiteral("CommonListItemSpinnerInverted"));
    QCOMPARE(slot->count(), 1);
    QCOMPARE(slot->itemAt(0), spinner.data());
    QVERIFY(!spinner->isVisible());
    QVERIFY(!toggle || !toggle->isVisible());
    QTRY_VERIFY(spinner->isVisible() && spinner->unknownDuration());
    QTest::ignoreMessage(QtDebugMsg, "bool SettingsItem::isSpinning(): true");
    QVERIFY(item.isSpinning());

    QTest::ignoreMessage(QtDebugMsg, "virtual void SettingsItem::setSpinner(bool): false");
    item.setSpinner(false);
    QVERIFY(!spinner);
    QCOMPARE(gridOf(item)->columnStretchFactor(0), 1);
    QCOMPARE(slot->count(), toggle ? 1 : 0);
    if (toggle) {
        // The switch is back in its place at once and shows a moment later.
        QCOMPARE(slot->itemAt(0), toggle.data());
        QVERIFY(!toggle->isVisible());
        QTRY_VERIFY(toggle->isVisible());
    }
}

void TestSettingsItem::replaceIcon()
{
    SettingsItem item(SettingsItem::SingleTitleIcon);
    QPointer<LoImageWidget> first = item.imageWidget();
    auto *second = new LoImageWidget(QStringLiteral("icon-m-common-data"));
    item.setImageWidget(second);
    QVERIFY(!first);
    QCOMPARE(gridOf(item)->itemAt(1, 2), second);
    QCOMPARE(second->parentItem(), &item);

    item.setImageWidget(nullptr);
    QVERIFY(ItemFinder::findAll<LoImageWidget>(&item).isEmpty());
    QVERIFY(!gridOf(item)->itemAt(0, 2));

    // A row without an icon takes none.
    SettingsItem plain(SettingsItem::SingleTitleSwitch);
    LoImageWidget stranger;
    plain.setImageWidget(&stranger);
    QVERIFY(!stranger.parentItem());
}

void TestSettingsItem::rightToLeft()
{
    SettingsItem item(SettingsItem::TitleSubtitleSwitch);
    item.setLayoutDirection(Qt::RightToLeft);
    item.setTitle(QStringLiteral("تحذير"));
    item.setSubtitle(QStringLiteral("١٢٫٣ ميغابايت"));
    item.showButton();
    const QImage image = SceneShot::render(&item, 480);
    const QRgb background = SceneShot::dominantColor(image);

    // The grid mirrors: the switch on the left, the title's text against the right edge.
    const QRect toggle = SceneShot::toImage(&item, item.button());
    QVERIFY(toggle.right() < image.width() / 2);
    QVERIFY(SceneShot::inkPixels(image, toggle, background) > 100);
    const QRect titleInk =
        SceneShot::inkBounds(image, SceneShot::toImage(&item, item.titleLabelWidget()), background);
    QVERIFY(titleInk.left() > image.width() / 2);
    QVERIFY(titleInk.right() > image.width() - 40);
}

QTEST_MAIN(TestSettingsItem)
#include "tst_settingsitem.moc"
