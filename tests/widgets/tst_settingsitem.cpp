// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

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
QGraphicsGridLayout *gridOf(SettingsItem &item)
{
    return dynamic_cast<QGraphicsGridLayout *>(item.layout());
}

// The grid's first two rows, five cells each: H help slot, W switch-or-spinner slot,
// "." empty, else a part by the letter after "Common" in its name: T title, S subtitle, M icon.
QString cells(SettingsItem &item)
{
    QString text;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 5; ++column) {
            const QGraphicsLayoutItem *cell = gridOf(item)->itemAt(row, column);
            const auto *part = dynamic_cast<const QGraphicsWidget *>(cell);
            text += cell == item.helpPlaceHolder() ? QStringLiteral("H") : cell == item.spinnerPlaceHolder() ? QStringLiteral("W")
                : part ? part->objectName().mid(6, 1) : QStringLiteral(".");
        }
        text += row ? QString() : QStringLiteral("/");
    }
    return text;
}

// "objectName styleName", with " hidden" for a part that is not visible.
QStringList parts(SettingsItem &item)
{
    QStringList result;
    for (QGraphicsObject *object : ItemFinder::descendants(&item))
        result << QStringLiteral("%1 %2%3").arg(object->objectName(), object->property("styleName").toString(),
                                                object->isVisible() ? QString() : QStringLiteral(" hidden"));
    result.sort();
    return result;
}
}

class TestSettingsItem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void styles_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QStringList>("parts");
        QTest::addColumn<bool>("rightToLeft");

        const QString title = QStringLiteral("CommonTitle CommonTitleInverted");
        const QString single = QStringLiteral("CommonTitle CommonSingleTitleInverted");
        const QString subtitle = QStringLiteral("CommonSubTitle CommonSubTitleInverted");
        const QString icon = QStringLiteral("CommonMainIcon CommonRightIconInverted");
        const QString switchIcon = QStringLiteral("CommonMainIcon CommonSwitchIconInverted");
        const QString toggle = QStringLiteral("CommonSwitch CommonRightSwitchInverted hidden");
        QTest::newRow("SingleTitle") << 0 << "THW../.H..." << QStringList{single} << false;
        QTest::newRow("TitleSubtitle") << 1 << "TH.W./SH..." << QStringList{subtitle, title} << false;
        QTest::newRow("SingleTitleIcon") << 2 << "THMW./.HM.." << QStringList{icon, single} << false;
        QTest::newRow("TitleSubtitleIcon") << 3 << "THM.W/SHM.." << QStringList{icon, subtitle, title} << false;
        QTest::newRow("SingleTitleSwitch") << 4 << "THW../.H..." << QStringList{toggle, single} << false;
        QTest::newRow("TitleSubtitleSwitch") << 5 << "TH.W./SH.W." << QStringList{subtitle, toggle, title} << false;
        QTest::newRow("SingleTitleIconSwitch") << 6 << "THMW./.HM.." << QStringList{switchIcon, toggle, single} << false;
        QTest::newRow("TitleSubtitleIconSwitch") << 7 << "THM.W/SHM.." << QStringList{switchIcon, subtitle, toggle, title} << false;
        QTest::newRow("TitleSubtitleSwitch, right-to-left") << 5 << "TH.W./SH.W." << QStringList{subtitle, toggle, title} << true;
        QTest::newRow("out of range") << 9 << "THW../.H..." << QStringList{single} << false;
    }

    // Which cell each part sits in, its names, whether it shows, what is drawn, and the spinner.
    void styles()
    {
        QFETCH(int, style);
        QFETCH(QString, cells);
        QFETCH(QStringList, parts);
        QFETCH(bool, rightToLeft);

        SettingsItem item{SettingsItem::ItemStyle(style)};
        QCOMPARE(::cells(item), cells);
        QCOMPARE(::parts(item), parts);
        QCOMPARE(qMakePair(gridOf(item)->columnStretchFactor(0), gridOf(item)->columnStretchFactor(1)), qMakePair(1, 0));

        // The help button goes into its slot; the switch shows only when asked to.
        QCOMPARE(item.helpPlaceHolder()->itemAt(0), item.infoButton());
        QCOMPARE(item.infoButton()->objectName(), QStringLiteral("helpButton"));
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

        item.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        item.setTitle(rightToLeft ? QStringLiteral("تحذير") : QStringLiteral("Warning limit"));
        if (hasSubtitle)
            item.setSubtitle(rightToLeft ? QStringLiteral("١٢٫٣ ميغابايت") : QStringLiteral("Last reset 5 Dec 2026"));
        const QImage image = SceneShot::render(&item, 480);
        const QRgb background = SceneShot::dominantColor(image);
        const QList<QGraphicsWidget *> drawn{item.titleLabelWidget(), hasSubtitle ? item.subtitleLabelWidget() : nullptr, toggle};
        for (QGraphicsWidget *part : drawn)
            QVERIFY(!part || SceneShot::inkPixels(image, SceneShot::toImage(&item, part), background) > 60);
        if (rightToLeft) {
            // The grid mirrors: the switch on the left, the title's text against the right edge.
            const QRect titleInk = SceneShot::inkBounds(image, SceneShot::toImage(&item, item.titleLabelWidget()), background);
            QVERIFY(SceneShot::toImage(&item, toggle).right() < image.width() / 2);
            QVERIFY(titleInk.left() > image.width() / 2 && titleInk.right() > image.width() - 40);
        }

        // A spinner takes the switch's slot while it turns, once however often asked.
        QTest::ignoreMessage(QtDebugMsg, "bool SettingsItem::isSpinning(): false");
        QVERIFY(!item.isSpinning());
        for (int i = 0; i < 2; ++i) {
            QTest::ignoreMessage(QtDebugMsg, "virtual void SettingsItem::setSpinner(bool): true");
            item.setSpinner(true);
        }
        QCOMPARE(ItemFinder::findAll<LoProgressIndicator>(&item).size(), 1);
        QPointer<LoProgressIndicator> spinner = ItemFinder::findAll<LoProgressIndicator>(&item).first();
        QCOMPARE(spinner->styleName(), QStringLiteral("CommonListItemSpinnerInverted"));
        QGraphicsLinearLayout *slot = item.spinnerPlaceHolder();
        QCOMPARE(slot->itemAt(0), spinner.data());
        QVERIFY(!spinner->isVisible() && (!toggle || !toggle->isVisible()));
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
            QCOMPARE(slot->itemAt(0), toggle);
            QVERIFY(!toggle->isVisible());
            QTRY_VERIFY(toggle->isVisible());
        }
    }

    void replaceIcon()
    {
        SettingsItem item(SettingsItem::SingleTitleIcon);
        QPointer<LoImageWidget> first = item.imageWidget();
        auto *second = new LoImageWidget(QStringLiteral("icon-m-common-data"));
        item.setImageWidget(second);
        QVERIFY(!first);
        QCOMPARE(gridOf(item)->itemAt(1, 2), second);

        item.setImageWidget(nullptr);
        QVERIFY(ItemFinder::findAll<LoImageWidget>(&item).isEmpty());
        QVERIFY(!gridOf(item)->itemAt(0, 2));

        // A row without an icon takes none.
        SettingsItem plain(SettingsItem::SingleTitleSwitch);
        LoImageWidget stranger;
        plain.setImageWidget(&stranger);
        QVERIFY(!stranger.parentItem());
    }
};

QTEST_MAIN(TestSettingsItem)
#include "tst_settingsitem.moc"
