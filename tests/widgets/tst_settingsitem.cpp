#include "settingsitem.h"

#include "lobutton.h"
#include "lohelpbutton.h"
#include "loimagewidget.h"
#include "lolabel.h"
#include "loprogressindicator.h"
#include "lotheme.h"
#include "testscene.h"

#include <QFontMetricsF>
#include <QGraphicsGridLayout>
#include <QGraphicsLinearLayout>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(SettingsItem::ItemStyle)

namespace
{
const Qt::Alignment TextAlignment = Qt::AlignLeft | Qt::AlignVCenter;

SettingsItem::ItemStyle styleOf(int value)
{
    return static_cast<SettingsItem::ItemStyle>(value);
}

QGraphicsGridLayout *gridOf(SettingsItem *item)
{
    return dynamic_cast<QGraphicsGridLayout *>(item->layout());
}

LoProgressIndicator *spinnerOf(SettingsItem *item)
{
    return ItemFinder::findAll<LoProgressIndicator>(item).value(0);
}

void addStyleRows()
{
    QTest::newRow("SingleTitle") << SettingsItem::SingleTitle;
    QTest::newRow("TitleSubtitle") << SettingsItem::TitleSubtitle;
    QTest::newRow("SingleTitleIcon") << SettingsItem::SingleTitleIcon;
    QTest::newRow("TitleSubtitleIcon") << SettingsItem::TitleSubtitleIcon;
    QTest::newRow("SingleTitleSwitch") << SettingsItem::SingleTitleSwitch;
    QTest::newRow("TitleSubtitleSwitch") << SettingsItem::TitleSubtitleSwitch;
    QTest::newRow("SingleTitleIconSwitch") << SettingsItem::SingleTitleIconSwitch;
    QTest::newRow("TitleSubtitleIconSwitch") << SettingsItem::TitleSubtitleIconSwitch;
}

// A tap by a finger: press and release at a scene position, delivered through the scene.
void tapAt(QGraphicsScene *scene, const QPointF &scenePos)
{
    for (QEvent::Type type : {QEvent::GraphicsSceneMousePress, QEvent::GraphicsSceneMouseRelease}) {
        QGraphicsSceneMouseEvent event(type);
        event.setScenePos(scenePos);
        event.setButton(Qt::LeftButton);
        event.setButtons(type == QEvent::GraphicsSceneMousePress ? Qt::LeftButton : Qt::NoButton);
        QCoreApplication::sendEvent(scene, &event);
    }
}
}

class TestSettingsItem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void styles_data();
    void styles();
    void grid_data();
    void grid();
    void columnsLeftToRight_data();
    void columnsLeftToRight();
    void titleAndSubtitle();
    void wrapSingleTitle_data();
    void wrapSingleTitle();
    void imageWidgetNames();
    void setImageWidget();
    void setImageWidgetOnRowWithoutIcon();
    void switchIsHiddenUntilShown();
    void switchTapReachesItsSignals();
    void showButtonCreatesNoSwitch();
    void infoButton();
    void spinnerLifecycle_data();
    void spinnerLifecycle();
    void spinnerTwice();
    void spinnerOffBeforeItStarts();
    void spinnerOffWithoutSpinner();
    void pendingTimersAfterDestruction();
    void createSpacer();
    void partsGoWithTheRow();
    void metaObject();
    void rendering_data();
    void rendering();
    void renderingRightToLeft();
};

void TestSettingsItem::styles_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("hasSwitch");
    QTest::addColumn<bool>("hasIcon");
    QTest::addColumn<bool>("subtitleLayout");

    for (int style = 0; style < 8; ++style) {
        QTest::addRow("%d", style) << style << (style >= 4) << (style == 2 || style == 3 || style >= 6)
                                   << (style % 2 == 1);
    }
    // Out of range: the plain single-title row.
    QTest::newRow("8") << 8 << false << false << false;
    QTest::newRow("15") << 15 << false << false << false;
    QTest::newRow("-1") << -1 << false << false << false;
}

void TestSettingsItem::styles()
{
    QFETCH(int, style);
    QFETCH(bool, hasSwitch);
    QFETCH(bool, hasIcon);
    QFETCH(bool, subtitleLayout);

    SettingsItem item(styleOf(style));
    QCOMPARE(int(item.itemStyle()), style);
    QCOMPARE(item.hasSwitch(), hasSwitch);
    QCOMPARE(item.hasIcon(), hasIcon);
    QCOMPARE(item.styleName(), QStringLiteral("CommonPanelInverted"));

    LoLabel *title = ItemFinder::find<LoLabel>(&item, QStringLiteral("CommonTitle"));
    QVERIFY(title);
    QCOMPARE(title->styleName(),
             subtitleLayout ? QStringLiteral("CommonTitleInverted") : QStringLiteral("CommonSingleTitleInverted"));
    QVERIFY(title->textElide());
    QCOMPARE(title->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(title->sizePolicy().verticalPolicy(), QSizePolicy::Preferred);

    LoLabel *subtitle = ItemFinder::find<LoLabel>(&item, QStringLiteral("CommonSubTitle"));
    QCOMPARE(subtitle != nullptr, subtitleLayout);
    if (subtitle) {
        QCOMPARE(subtitle->styleName(), QStringLiteral("CommonSubTitleInverted"));
        QCOMPARE(subtitle->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(subtitle->sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
        QVERIFY(subtitle->textElide());
    }

    // Construction creates exactly the parts of the style.
    QCOMPARE(!ItemFinder::findAll<LoImageWidget>(&item).isEmpty(), hasIcon);
    QCOMPARE(ItemFinder::find<LoButton>(&item, QStringLiteral("CommonSwitch")) != nullptr, hasSwitch);
    QVERIFY(ItemFinder::findAll<LoHelpButton>(&item).isEmpty());
    QVERIFY(!spinnerOf(&item));
}

void TestSettingsItem::grid_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("switchColumn");
    QTest::addColumn<int>("switchRowSpan");

    QTest::newRow("SingleTitle") << 0 << 2 << 1;
    QTest::newRow("TitleSubtitle") << 1 << 3 << 1;
    QTest::newRow("SingleTitleIcon") << 2 << 3 << 1;
    QTest::newRow("TitleSubtitleIcon") << 3 << 4 << 1;
    QTest::newRow("SingleTitleSwitch") << 4 << 2 << 1;
    QTest::newRow("TitleSubtitleSwitch") << 5 << 3 << 2;
    QTest::newRow("SingleTitleIconSwitch") << 6 << 3 << 1;
    QTest::newRow("TitleSubtitleIconSwitch") << 7 << 4 << 1;
    QTest::newRow("out of range") << 9 << 2 << 1;
}

void TestSettingsItem::grid()
{
    QFETCH(int, style);
    QFETCH(int, switchColumn);
    QFETCH(int, switchRowSpan);

    SettingsItem item(styleOf(style));
    QGraphicsGridLayout *grid = gridOf(&item);
    QVERIFY(grid);
    QCOMPARE(grid->horizontalSpacing(), 0.0);
    QCOMPARE(grid->verticalSpacing(), 0.0);
    qreal left, top, right, bottom;
    grid->getContentsMargins(&left, &top, &right, &bottom);
    QCOMPARE(QRectF(left, top, right, bottom), QRectF(0, 0, 0, 0));

    LoLabel *title = item.titleLabelWidget();
    QCOMPARE(grid->itemAt(0, 0), title);
    QCOMPARE(grid->alignment(title), TextAlignment);
    const bool subtitleLayout = style >= 0 && style <= 7 && style % 2 == 1;
    if (subtitleLayout) {
        LoLabel *subtitle = item.subtitleLabelWidget();
        QCOMPARE(grid->itemAt(1, 0), subtitle);
        QCOMPARE(grid->alignment(subtitle), TextAlignment);
    } else {
        QVERIFY(!grid->itemAt(1, 0));
    }

    // The help slot spans both rows of column 1.
    QCOMPARE(grid->itemAt(0, 1), item.helpPlaceHolder());
    QCOMPARE(grid->itemAt(1, 1), item.helpPlaceHolder());
    QCOMPARE(grid->alignment(item.helpPlaceHolder()), Qt::AlignCenter);
    QCOMPARE(item.helpPlaceHolder()->count(), 0);
    QCOMPARE(item.helpPlaceHolder()->orientation(), Qt::Horizontal);
    QCOMPARE(item.helpPlaceHolder()->spacing(), 0.0);

    if (item.hasIcon()) {
        QCOMPARE(grid->itemAt(0, 2), item.imageWidget());
        QCOMPARE(grid->itemAt(1, 2), item.imageWidget());
        QCOMPARE(grid->alignment(item.imageWidget()), Qt::AlignCenter);
    }

    QGraphicsLinearLayout *slot = item.spinnerPlaceHolder();
    QCOMPARE(grid->itemAt(0, switchColumn), slot);
    QCOMPARE(grid->itemAt(1, switchColumn) == slot, switchRowSpan == 2);
    QCOMPARE(grid->alignment(slot), Qt::AlignCenter);
    QCOMPARE(slot->spacing(), 0.0);
    QCOMPARE(grid->columnCount(), switchColumn + 1);
    // Columns 2 of styles 1 and 5 and 3 of styles 3 and 7 stay empty.
    for (int column = 2; column < switchColumn; ++column) {
        if (!item.hasIcon() || column != 2) {
            QVERIFY(!grid->itemAt(0, column));
            QVERIFY(!grid->itemAt(1, column));
        }
    }

    QCOMPARE(slot->count(), item.hasSwitch() ? 1 : 0);
    if (item.hasSwitch())
        QCOMPARE(slot->itemAt(0), item.button());

    QCOMPARE(grid->columnStretchFactor(0), 1);
    for (int column = 1; column < grid->columnCount(); ++column)
        QCOMPARE(grid->columnStretchFactor(column), 0);
}

void TestSettingsItem::columnsLeftToRight_data()
{
    QTest::addColumn<SettingsItem::ItemStyle>("style");
    addStyleRows();
}

void TestSettingsItem::columnsLeftToRight()
{
    QFETCH(SettingsItem::ItemStyle, style);

    SettingsItem item(style);
    item.setTitle(QStringLiteral("Title"));
    item.setSubtitle(QStringLiteral("Subtitle"));
    item.infoButton();
    item.showButton();
    SceneShot::render(&item, 480);

    // The title stretches over what the other columns leave, and they follow it in order.
    const QRectF content = item.contentsRect();
    const QRectF title = item.titleLabelWidget()->geometry();
    QCOMPARE(title.left(), content.left());
    const QRectF help = item.infoButton()->geometry();
    QVERIFY2(help.left() >= title.right() - 0.5, qPrintable(QStringLiteral("help at %1").arg(help.left())));
    qreal right = help.right();
    if (item.hasIcon()) {
        const QRectF icon = item.imageWidget()->geometry();
        QVERIFY(icon.left() >= right - 0.5);
        right = icon.right();
    }
    if (item.hasSwitch()) {
        const QRectF toggle = item.button()->geometry();
        QVERIFY(toggle.left() >= right - 0.5);
        right = toggle.right();
    }
    QVERIFY(right <= content.right() + 0.5);
    // The slots are as wide as their content; the rest is the title's.
    QVERIFY2(title.width() > content.width() / 2, qPrintable(QString::number(title.width())));
    QCOMPARE(item.helpPlaceHolder()->geometry().width(), help.width());
    if (style % 2 == 1) {
        const QRectF subtitle = item.subtitleLabelWidget()->geometry();
        QVERIFY(subtitle.top() >= title.bottom() - 0.5);
        QCOMPARE(subtitle.left(), content.left());
    }
}

void TestSettingsItem::titleAndSubtitle()
{
    SettingsItem single(SettingsItem::SingleTitle);
    QCOMPARE(single.title(), QString());
    QCOMPARE(single.subtitle(), QString());
    QVERIFY2(!ItemFinder::find<LoLabel>(&single, QStringLiteral("CommonSubTitle")), "subtitle() created a label");

    single.setTitle(QStringLiteral("Roaming"));
    QCOMPARE(single.title(), QStringLiteral("Roaming"));
    QCOMPARE(single.titleLabelWidget()->text(), QStringLiteral("Roaming"));

    // A subtitle on a single-title row exists but is not laid out.
    single.setSubtitle(QStringLiteral("hidden"));
    QCOMPARE(single.subtitle(), QStringLiteral("hidden"));
    LoLabel *stray = ItemFinder::find<LoLabel>(&single, QStringLiteral("CommonSubTitle"));
    QVERIFY(stray);
    QVERIFY2(!stray->isVisible(), "an unplaced subtitle would be drawn over the title");
    QCOMPARE(stray, single.subtitleLabelWidget());
    QGraphicsGridLayout *grid = gridOf(&single);
    for (int i = 0; i < grid->count(); ++i)
        QVERIFY(grid->itemAt(i) != stray);

    SettingsItem two(SettingsItem::TitleSubtitle);
    two.setTitle(QStringLiteral("Sent"));
    two.setSubtitle(QStringLiteral("1.5 MB"));
    two.setSubtitle(QStringLiteral("2.5 MB"));
    QCOMPARE(two.title(), QStringLiteral("Sent"));
    QCOMPARE(two.subtitle(), QStringLiteral("2.5 MB"));
    QCOMPARE(two.property("subtitle").toString(), QStringLiteral("2.5 MB"));
    QVERIFY(two.setProperty("title", QStringLiteral("Received")));
    QCOMPARE(two.titleLabelWidget()->text(), QStringLiteral("Received"));
    // One label per part, however often it is asked for.
    QCOMPARE(ItemFinder::findAll<LoLabel>(&two).size(), 2);
}

void TestSettingsItem::wrapSingleTitle_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("wraps");
    for (int style = 0; style < 8; ++style)
        QTest::addRow("%d", style) << style << (style % 2 == 0);
    QTest::newRow("8") << 8 << false;
    QTest::newRow("-2") << -2 << false;
}

void TestSettingsItem::wrapSingleTitle()
{
    QFETCH(int, style);
    QFETCH(bool, wraps);

    SettingsItem item(styleOf(style));
    LoLabel *title = item.titleLabelWidget();
    const QString styleBefore = title->styleName();
    const Qt::Alignment alignmentBefore = title->alignment();
    item.wrapSingleTitle();

    if (!wraps) {
        QCOMPARE(title->styleName(), styleBefore);
        QCOMPARE(title->alignment(), alignmentBefore);
        QVERIFY(!title->wordWrap());
        return;
    }
    QCOMPARE(title->styleName(), QStringLiteral("CommonTitleInverted"));
    QCOMPARE(title->alignment(), TextAlignment);
    QVERIFY(title->wordWrap());
    QCOMPARE(title->wrapMode(), QTextOption::WordWrap);

    // Already wrapping: a second call leaves the label alone.
    title->setStyleName(QStringLiteral("Custom"));
    title->setWrapMode(QTextOption::WrapAnywhere);
    item.wrapSingleTitle();
    QCOMPARE(title->styleName(), QStringLiteral("Custom"));
    QCOMPARE(title->wrapMode(), QTextOption::WrapAnywhere);
}

void TestSettingsItem::imageWidgetNames()
{
    // Asked for, the icon exists on every style, but only icon styles lay it out.
    SettingsItem plain(SettingsItem::TitleSubtitle);
    LoImageWidget *icon = plain.imageWidget();
    QCOMPARE(icon->objectName(), QStringLiteral("CommonMainIcon"));
    QCOMPARE(icon->styleName(), QStringLiteral("CommonRightIconInverted"));
    QCOMPARE(icon->parentItem(), &plain);
    QCOMPARE(plain.imageWidget(), icon);
    for (int i = 0; i < gridOf(&plain)->count(); ++i)
        QVERIFY(gridOf(&plain)->itemAt(i) != icon);
    QVERIFY2(!icon->isVisible(), "an unplaced icon would be drawn over the title");

    SettingsItem withSwitch(SettingsItem::SingleTitleIconSwitch);
    QCOMPARE(withSwitch.imageWidget()->styleName(), QStringLiteral("CommonSwitchIconInverted"));
    QVERIFY(withSwitch.imageWidget()->isVisible());
}

void TestSettingsItem::setImageWidget()
{
    SettingsItem item(SettingsItem::TitleSubtitleIcon);
    QGraphicsGridLayout *grid = gridOf(&item);
    QPointer<LoImageWidget> first = item.imageWidget();
    const int count = grid->count();

    auto *replacement = new LoImageWidget(QStringLiteral("icon-m-replacement"));
    QPointer<LoImageWidget> second = replacement;
    item.setImageWidget(replacement);
    QVERIFY2(!first, "the replaced icon was not deleted");
    QCOMPARE(item.imageWidget(), replacement);
    QCOMPARE(replacement->parentItem(), &item);
    QCOMPARE(grid->itemAt(0, 2), replacement);
    QCOMPARE(grid->itemAt(1, 2), replacement);
    QCOMPARE(grid->alignment(replacement), Qt::AlignCenter);
    QCOMPARE(grid->count(), count);

    // The current icon again: kept, not deleted.
    item.setImageWidget(replacement);
    QVERIFY(second);
    QCOMPARE(grid->itemAt(0, 2), replacement);
    QCOMPARE(grid->count(), count);

    // Null removes the icon and leaves the cell empty.
    item.setImageWidget(nullptr);
    QVERIFY(!second);
    QVERIFY(!grid->itemAt(0, 2));
    QCOMPARE(grid->count(), count - 1);
    QVERIFY(ItemFinder::findAll<LoImageWidget>(&item).isEmpty());
}

void TestSettingsItem::setImageWidgetOnRowWithoutIcon()
{
    SettingsItem item(SettingsItem::SingleTitleSwitch);
    QGraphicsGridLayout *grid = gridOf(&item);
    const int count = grid->count();
    std::unique_ptr<LoImageWidget> stranger(new LoImageWidget);
    item.setImageWidget(stranger.get());
    QCOMPARE(stranger->parentItem(), nullptr);
    QCOMPARE(grid->count(), count);
    QVERIFY(ItemFinder::findAll<LoImageWidget>(&item).isEmpty());
}

void TestSettingsItem::switchIsHiddenUntilShown()
{
    SettingsItem item(SettingsItem::SingleTitleSwitch);
    LoButton *toggle = ItemFinder::find<LoButton>(&item, QStringLiteral("CommonSwitch"));
    QVERIFY(toggle);
    QCOMPARE(item.button(), toggle);
    QCOMPARE(toggle->parentItem(), &item);
    QCOMPARE(toggle->viewType(), QString::fromLatin1(LoButton::switchType));
    QCOMPARE(toggle->styleName(), QStringLiteral("CommonRightSwitchInverted"));
    QVERIFY(toggle->isCheckable());
    QVERIFY(!toggle->isChecked());
    QCOMPARE(item.spinnerPlaceHolder()->itemAt(0), toggle);

    QVERIFY(!toggle->isVisible());
    item.showButton();
    QVERIFY(toggle->isVisible());
}

void TestSettingsItem::switchTapReachesItsSignals()
{
    QGraphicsScene scene;
    auto *item = new SettingsItem(SettingsItem::TitleSubtitleSwitch);
    scene.addItem(item);
    item->setTitle(QStringLiteral("Warning"));
    item->showButton();
    SceneShot::render(item, 480);

    LoButton *toggle = item->button();
    QSignalSpy toggled(toggle, SIGNAL(toggled(bool)));
    QSignalSpy clicked(toggle, SIGNAL(clicked()));

    // A finger on the switch, found by the scene among the row's items.
    tapAt(&scene, toggle->sceneBoundingRect().center());
    QCOMPARE(toggled.count(), 1);
    QCOMPARE(toggled.at(0).at(0).toBool(), true);
    QCOMPARE(clicked.count(), 1);
    QVERIFY(toggle->isChecked());

    // A tap on the title is not a tap on the switch.
    tapAt(&scene, item->titleLabelWidget()->sceneBoundingRect().center());
    QCOMPARE(toggled.count(), 1);
    QCOMPARE(clicked.count(), 1);

    toggle->click();
    QCOMPARE(toggled.count(), 2);
    QCOMPARE(toggled.at(1).at(0).toBool(), false);
    QCOMPARE(clicked.count(), 2);
}

void TestSettingsItem::showButtonCreatesNoSwitch()
{
    SettingsItem item(SettingsItem::TitleSubtitleIcon);
    item.showButton();
    QVERIFY(!ItemFinder::find<LoButton>(&item, QStringLiteral("CommonSwitch")));
    QCOMPARE(item.spinnerPlaceHolder()->count(), 0);
}

void TestSettingsItem::infoButton()
{
    SettingsItem item(SettingsItem::SingleTitleSwitch);
    QVERIFY(ItemFinder::findAll<LoHelpButton>(&item).isEmpty());

    LoHelpButton *help = item.infoButton();
    QVERIFY(help);
    QCOMPARE(item.infoButton(), help);
    QCOMPARE(help->objectName(), QStringLiteral("helpButton"));
    QCOMPARE(help->viewType(), QString::fromLatin1(LoButton::iconType));
    QCOMPARE(help->iconID(), QStringLiteral("icon-s-description-inverse"));
    QCOMPARE(help->pageID(), QString());
    QCOMPARE(help->parentItem(), &item);
    QVERIFY(help->isVisible());
    QCOMPARE(item.helpPlaceHolder()->count(), 1);
    QCOMPARE(item.helpPlaceHolder()->itemAt(0), help);
}

void TestSettingsItem::spinnerLifecycle_data()
{
    QTest::addColumn<SettingsItem::ItemStyle>("style");
    addStyleRows();
}

void TestSettingsItem::spinnerLifecycle()
{
    QFETCH(SettingsItem::ItemStyle, style);

    SettingsItem item(style);
    item.showButton();
    QGraphicsLinearLayout *slot = item.spinnerPlaceHolder();
    QGraphicsGridLayout *grid = gridOf(&item);
    QPointer<LoButton> toggle = ItemFinder::find<LoButton>(&item, QStringLiteral("CommonSwitch"));
    QCOMPARE(bool(toggle), item.hasSwitch());

    QTest::ignoreMessage(QtDebugMsg, "bool SettingsItem::isSpinning(): false");
    QVERIFY(!item.isSpinning());

    QTest::ignoreMessage(QtDebugMsg, "virtual void SettingsItem::setSpinner(bool): true");
    item.setSpinner(true);
    LoProgressIndicator *spinner = spinnerOf(&item);
    QVERIFY(spinner);
    QCOMPARE(spinner->parentItem(), &item);
    QCOMPARE(spinner->viewType(), QString::fromLatin1(LoProgressIndicator::spinnerType));
    QCOMPARE(spinner->styleName(), QStringLiteral("CommonListItemSpinnerInverted"));
    QCOMPARE(slot->count(), 1);
    QCOMPARE(slot->itemAt(0), spinner);
    QCOMPARE(grid->columnStretchFactor(0), 1);
    // Hidden until the first timer fires.
    QVERIFY(!spinner->isVisible());
    QVERIFY(!spinner->unknownDuration());
    if (toggle) {
        // Out of the slot, hidden, but alive.
        QVERIFY(!toggle->isVisible());
        QCOMPARE(item.button(), toggle.data());
    }

    QTRY_VERIFY_WITH_TIMEOUT(spinner->unknownDuration(), 1000);
    QVERIFY(spinner->isVisible());
    QTest::ignoreMessage(QtDebugMsg, "bool SettingsItem::isSpinning(): true");
    QVERIFY(item.isSpinning());

    QPointer<LoProgressIndicator> gone = spinner;
    QTest::ignoreMessage(QtDebugMsg, "virtual void SettingsItem::setSpinner(bool): false");
    item.setSpinner(false);
    QVERIFY2(!gone, "the spinner outlived setSpinner(false)");
    QCOMPARE(grid->columnStretchFactor(0), 1);
    QTest::ignoreMessage(QtDebugMsg, "bool SettingsItem::isSpinning(): false");
    QVERIFY(!item.isSpinning());

    if (item.hasSwitch()) {
        QCOMPARE(slot->count(), 1);
        QCOMPARE(slot->itemAt(0), item.button());
        QVERIFY(!item.button()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(item.button()->isVisible(), 1000);
    } else {
        QCOMPARE(slot->count(), 0);
        QVERIFY(!ItemFinder::find<LoButton>(&item, QStringLiteral("CommonSwitch")));
    }
}

void TestSettingsItem::spinnerTwice()
{
    SettingsItem item(SettingsItem::SingleTitleSwitch);
    QTest::ignoreMessage(QtDebugMsg, "virtual void SettingsItem::setSpinner(bool): true");
    item.setSpinner(true);
    LoProgressIndicator *spinner = spinnerOf(&item);
    QTest::ignoreMessage(QtDebugMsg, "virtual void SettingsItem::setSpinner(bool): true");
    item.setSpinner(true);
    QCOMPARE(spinnerOf(&item), spinner);
    QCOMPARE(ItemFinder::findAll<LoProgressIndicator>(&item).size(), 1);
    QCOMPARE(item.spinnerPlaceHolder()->count(), 1);
    QCOMPARE(item.spinnerPlaceHolder()->itemAt(0), spinner);
    QTRY_VERIFY_WITH_TIMEOUT(spinner->unknownDuration(), 1000);
}

void TestSettingsItem::spinnerOffBeforeItStarts()
{
    SettingsItem item(SettingsItem::TitleSubtitleSwitch);
    QTest::ignoreMessage(QtDebugMsg, "virtual void SettingsItem::setSpinner(bool): true");
    item.setSpinner(true);
    QTest::ignoreMessage(QtDebugMsg, "virtual void SettingsItem::setSpinner(bool): false");
    item.setSpinner(false);
    // The pending start finds no spinner; the switch comes back.
    QTRY_VERIFY_WITH_TIMEOUT(item.button()->isVisible(), 1000);
    QTest::qWait(60);
    QVERIFY(!spinnerOf(&item));
    QCOMPARE(item.spinnerPlaceHolder()->count(), 1);
    QCOMPARE(item.spinnerPlaceHolder()->itemAt(0), item.button());
}

void TestSettingsItem::spinnerOffWithoutSpinner()
{
    SettingsItem item(SettingsItem::SingleTitleIconSwitch);
    // Take the switch out of its slot by hand: turning the spinner off still puts it back.
    item.spinnerPlaceHolder()->removeAt(0);
    QTest::ignoreMessage(QtDebugMsg, "virtual void SettingsItem::setSpinner(bool): false");
    item.setSpinner(false);
    QCOMPARE(item.spinnerPlaceHolder()->count(), 1);
    QCOMPARE(item.spinnerPlaceHolder()->itemAt(0), item.button());
    QVERIFY(!item.button()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(item.button()->isVisible(), 1000);
}

void TestSettingsItem::pendingTimersAfterDestruction()
{
    {
        SettingsItem on(SettingsItem::SingleTitleSwitch);
        QTest::ignoreMessage(QtDebugMsg, "virtual void SettingsItem::setSpinner(bool): true");
        on.setSpinner(true);
        SettingsItem off(SettingsItem::SingleTitleSwitch);
        QTest::ignoreMessage(QtDebugMsg, "virtual void SettingsItem::setSpinner(bool): false");
        off.setSpinner(false);
    }
    // Both 25 ms timers fire after their rows are gone; they must be dropped.
    QTest::qWait(80);
}

void TestSettingsItem::createSpacer()
{
    SettingsItem item(SettingsItem::SingleTitle);
    const int count = gridOf(&item)->count();
    QGraphicsWidget *spacer = item.createSpacer();
    QVERIFY(spacer);
    QCOMPARE(spacer->parentItem(), &item);
    QCOMPARE(spacer->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(spacer->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(spacer->sizePolicy().controlType(), QSizePolicy::DefaultType);
    QCOMPARE(gridOf(&item)->count(), count);
    QVERIFY(item.createSpacer() != spacer);
}

void TestSettingsItem::partsGoWithTheRow()
{
    auto *item = new SettingsItem(SettingsItem::TitleSubtitleIconSwitch);
    QPointer<LoLabel> title = item->titleLabelWidget();
    QPointer<LoLabel> subtitle = item->subtitleLabelWidget();
    QPointer<LoButton> toggle = item->button();
    QPointer<LoHelpButton> help = item->infoButton();
    QPointer<LoImageWidget> icon = new LoImageWidget;
    item->setImageWidget(icon);
    QTest::ignoreMessage(QtDebugMsg, "virtual void SettingsItem::setSpinner(bool): true");
    item->setSpinner(true);
    QPointer<LoProgressIndicator> spinner = spinnerOf(item);
    QVERIFY(spinner);

    delete item;
    QVERIFY(!title);
    QVERIFY(!subtitle);
    QVERIFY(!toggle);
    QVERIFY(!help);
    QVERIFY(!icon);
    QVERIFY(!spinner);
    QTest::qWait(40);
}

void TestSettingsItem::metaObject()
{
    const QMetaObject *mo = &SettingsItem::staticMetaObject;
    QCOMPARE(mo->className(), "SettingsItem");
    QCOMPARE(mo->superClass(), &LoWidgetController::staticMetaObject);

    QCOMPARE(mo->propertyCount() - mo->propertyOffset(), 2);
    const char *names[] = {"title", "subtitle"};
    for (int i = 0; i < 2; ++i) {
        const QMetaProperty property = mo->property(mo->propertyOffset() + i);
        QCOMPARE(property.name(), names[i]);
        QCOMPARE(property.type(), QVariant::String);
        QVERIFY(property.isReadable());
        QVERIFY(property.isWritable());
        QVERIFY(property.isDesignable());
        QVERIFY(property.isScriptable());
        QVERIFY(property.isStored());
    }

    QStringList methods;
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
        const QMetaMethod method = mo->method(i);
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Public);
        methods << QString::fromLatin1(method.methodSignature());
    }
    QCOMPARE(methods, QStringList({QStringLiteral("setSpinner(bool)"), QStringLiteral("showButton()"),
                                   QStringLiteral("startSpinning()")}));
    QCOMPARE(mo->enumeratorCount() - mo->enumeratorOffset(), 0);
}

void TestSettingsItem::rendering_data()
{
    QTest::addColumn<SettingsItem::ItemStyle>("style");
    addStyleRows();
}

void TestSettingsItem::rendering()
{
    QFETCH(SettingsItem::ItemStyle, style);

    SettingsItem item(style);
    item.setTitle(QStringLiteral("Warning limit"));
    item.setSubtitle(QStringLiteral("Last reset 5 Dec 2026"));
    item.infoButton();
    if (item.hasIcon())
        item.imageWidget()->setImage(QStringLiteral("icon-m-common-data"));
    item.showButton();
    if (item.hasSwitch())
        item.button()->setChecked(true);

    const QImage image = SceneShot::render(&item, 480);
    SceneShot::save(image, QStringLiteral("settingsitem-%1").arg(QString::fromLatin1(QTest::currentDataTag())));
    QVERIFY(!image.isNull());
    QVERIFY(image.height() >= 40);
    const QRgb background = SceneShot::dominantColor(image);

    // Glyphs are drawn inside the title label, starting at its left.
    const QRect title = SceneShot::toImage(&item, item.titleLabelWidget());
    const QRect titleInk = SceneShot::inkBounds(image, title, background);
    QVERIFY2(SceneShot::inkPixels(image, title, background) > 60, "no title text drawn");
    QVERIFY(titleInk.left() < title.left() + title.width() / 4);
    QVERIFY(titleInk.width() > 40);
    // One line of the title's font and nothing else: no stray subtitle drawn over it.
    const QFontMetricsF metrics(LoTheme::style(item.titleLabelWidget()->styleName()).font());
    QVERIFY2(titleInk.height() <= metrics.height(),
             qPrintable(QStringLiteral("title ink %1 px high").arg(titleInk.height())));

    if (style % 2 == 1) {
        const QRect subtitle = SceneShot::toImage(&item, item.subtitleLabelWidget());
        QVERIFY2(SceneShot::inkPixels(image, subtitle, background) > 60, "no subtitle text drawn");
        QVERIFY(subtitle.top() >= titleInk.top());
    }
    const QRect help = SceneShot::toImage(&item, item.infoButton());
    QVERIFY2(SceneShot::inkPixels(image, help, background) > 10, "no help button drawn");

    if (item.hasSwitch()) {
        const QRect toggle = SceneShot::toImage(&item, item.button());
        QVERIFY2(SceneShot::inkPixels(image, toggle, background) > 100, "no switch drawn");
        QVERIFY(toggle.left() > image.width() / 2);

        // On and off must look different.
        item.button()->setChecked(false);
        const QImage off = SceneShot::render(&item, 480);
        QVERIFY(off.copy(toggle) != image.copy(toggle));
    }
}

void TestSettingsItem::renderingRightToLeft()
{
    SettingsItem item(SettingsItem::TitleSubtitleSwitch);
    item.setLayoutDirection(Qt::RightToLeft);
    item.setTitle(QStringLiteral("تحذير"));
    item.setSubtitle(QStringLiteral("١٢٫٣ ميغابايت"));
    item.showButton();

    const QImage image = SceneShot::render(&item, 480);
    SceneShot::save(image, QStringLiteral("settingsitem-rtl"));
    const QRgb background = SceneShot::dominantColor(image);

    // The grid mirrors: the switch on the left, the texts aligned to the right edge.
    const QRect toggle = SceneShot::toImage(&item, item.button());
    QVERIFY(toggle.right() < image.width() / 2);
    QVERIFY(SceneShot::inkPixels(image, toggle, background) > 100);

    const QRect title = SceneShot::toImage(&item, item.titleLabelWidget());
    const QRect titleInk = SceneShot::inkBounds(image, title, background);
    QVERIFY2(!titleInk.isNull(), "no title text drawn");
    QVERIFY2(titleInk.right() > image.width() - 40,
             qPrintable(QStringLiteral("title ink ends at %1 of %2").arg(titleInk.right()).arg(image.width())));
    QVERIFY(titleInk.left() > image.width() / 2);
}

QTEST_MAIN(TestSettingsItem)
#include "tst_settingsitem.moc"
