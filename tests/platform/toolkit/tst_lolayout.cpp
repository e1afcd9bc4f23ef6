#include "locontainer.h"
#include "lolabel.h"
#include "lolayout.h"
#include "lolinearlayoutpolicy.h"

#include <QGraphicsWidget>
#include <QPointer>
#include <QtTest>

namespace {

QGraphicsWidget *fixedWidget(qreal width, qreal height, QGraphicsItem *parent)
{
    auto *w = new QGraphicsWidget(parent);
    w->setMinimumSize(width, height);
    w->setPreferredSize(width, height);
    w->setMaximumSize(width, height);
    w->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return w;
}

} // namespace

class TestLoLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layoutBecomesParentsLayout();
    void itemsStandInOrderAdded_data();
    void itemsStandInOrderAdded();
    void alignment_data();
    void alignment();
    void insertMoveRemove();
    void policyOwnership();
    void containerCentralWidget();
    void containerHeader();
};

void TestLoLayout::layoutBecomesParentsLayout()
{
    QGraphicsWidget panel;
    auto *layout = new LoLayout(&panel);
    QCOMPARE(panel.layout(), layout);
    QVERIFY(!layout->policy());
    auto *policy = new LoLinearLayoutPolicy(layout, Qt::Horizontal);
    QCOMPARE(layout->policy(), policy);
    QCOMPARE(policy->layout(), layout);
    QCOMPARE(policy->orientation(), Qt::Horizontal);
    QCOMPARE(layout->orientation(), Qt::Horizontal);

    // A layout made without a parent is installed by the caller.
    QGraphicsWidget other;
    auto *loose = new LoLayout;
    QVERIFY(!other.layout());
    other.setLayout(loose);
    QCOMPARE(other.layout(), loose);
}

void TestLoLayout::itemsStandInOrderAdded_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<qreal>("spacing");
    QTest::newRow("vertical, no spacing") << int(Qt::Vertical) << 0.0;
    QTest::newRow("vertical, spacing 7") << int(Qt::Vertical) << 7.0;
    QTest::newRow("horizontal, no spacing") << int(Qt::Horizontal) << 0.0;
    QTest::newRow("horizontal, spacing 5") << int(Qt::Horizontal) << 5.0;
}

void TestLoLayout::itemsStandInOrderAdded()
{
    QFETCH(int, orientation);
    QFETCH(qreal, spacing);
    const auto o = Qt::Orientation(orientation);

    QGraphicsWidget panel;
    auto *layout = new LoLayout(&panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *policy = new LoLinearLayoutPolicy(layout, o);
    policy->setContentsMargins(3, 4, 5, 6);
    policy->setSpacing(spacing);
    QCOMPARE(policy->spacing(), spacing);

    const QList<qreal> sizes{30, 10, 20};
    QList<QGraphicsWidget *> items;
    for (qreal size : sizes) {
        items << fixedWidget(size, size, &panel);
        policy->addItem(items.last());
    }
    QCOMPARE(policy->count(), 3);
    for (int i = 0; i < items.size(); ++i)
        QCOMPARE(policy->itemAt(i), items.at(i));

    panel.resize(panel.effectiveSizeHint(Qt::PreferredSize));
    layout->activate();

    // Each item starts where the previous one ended plus the spacing.
    qreal pos = o == Qt::Vertical ? 4 : 3;
    for (int i = 0; i < items.size(); ++i) {
        const QRectF g = items.at(i)->geometry();
        QCOMPARE(o == Qt::Vertical ? g.top() : g.left(), pos);
        QCOMPARE(o == Qt::Vertical ? g.left() : g.top(), o == Qt::Vertical ? 3.0 : 4.0);
        pos += sizes.at(i) + spacing;
    }
    const QSizeF total = panel.size();
    const qreal along = 60 + 2 * spacing;
    QCOMPARE(o == Qt::Vertical ? total.height() : total.width(), along + (o == Qt::Vertical ? 4 + 6 : 3 + 5));
}

void TestLoLayout::alignment_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QPointF>("expected");
    // A 40 x 20 item beside a 200 x 100 one: the alignment places it in its cell.
    QTest::newRow("column, left") << int(Qt::Vertical) << int(Qt::AlignLeft) << QPointF(0, 0);
    QTest::newRow("column, right") << int(Qt::Vertical) << int(Qt::AlignRight) << QPointF(160, 0);
    QTest::newRow("column, right vcenter") << int(Qt::Vertical) << int(Qt::AlignRight | Qt::AlignVCenter) << QPointF(160, 0);
    QTest::newRow("column, center") << int(Qt::Vertical) << int(Qt::AlignCenter) << QPointF(80, 0);
    QTest::newRow("row, top") << int(Qt::Horizontal) << int(Qt::AlignLeft | Qt::AlignTop) << QPointF(0, 0);
    QTest::newRow("row, vcenter") << int(Qt::Horizontal) << int(Qt::AlignRight | Qt::AlignVCenter) << QPointF(0, 40);
    QTest::newRow("row, bottom") << int(Qt::Horizontal) << int(Qt::AlignBottom) << QPointF(0, 80);
}

void TestLoLayout::alignment()
{
    QFETCH(int, orientation);
    QFETCH(int, alignment);
    QFETCH(QPointF, expected);

    QGraphicsWidget panel;
    auto *layout = new LoLayout(&panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *policy = new LoLinearLayoutPolicy(layout, Qt::Orientation(orientation));
    policy->setSpacing(0);
    QGraphicsWidget *item = fixedWidget(40, 20, &panel);
    policy->addItem(item, Qt::Alignment(alignment));
    policy->addItem(fixedWidget(200, 100, &panel));
    panel.resize(panel.effectiveSizeHint(Qt::PreferredSize));
    layout->activate();
    QCOMPARE(item->geometry().topLeft(), expected);
    QCOMPARE(layout->alignment(item), Qt::Alignment(alignment));
}

void TestLoLayout::insertMoveRemove()
{
    QGraphicsWidget panel;
    auto *layout = new LoLayout(&panel);
    auto *policy = new LoLinearLayoutPolicy(layout, Qt::Vertical);
    QGraphicsWidget *a = fixedWidget(10, 10, &panel);
    QGraphicsWidget *b = fixedWidget(10, 10, &panel);
    QGraphicsWidget *c = fixedWidget(10, 10, &panel);
    policy->addItem(a);
    policy->addItem(c);
    policy->insertItem(1, b);
    QCOMPARE(policy->itemAt(0), a);
    QCOMPARE(policy->itemAt(1), b);
    QCOMPARE(policy->itemAt(2), c);
    QVERIFY(!policy->itemAt(3));
    QVERIFY(!policy->itemAt(-1));

    // Adding an item that is already there moves it to the end; it is not doubled.
    policy->addItem(a);
    QCOMPARE(policy->count(), 3);
    QCOMPARE(policy->itemAt(2), a);

    policy->removeItem(b);
    QCOMPARE(policy->count(), 2);
    QCOMPARE(policy->itemAt(0), c);
    policy->addItem(nullptr);
    policy->removeItem(nullptr);
    QCOMPARE(policy->count(), 2);
    // A removed widget is still the panel's child.
    QCOMPARE(b->parentItem(), &panel);
}

void TestLoLayout::policyOwnership()
{
    auto *panel = new QGraphicsWidget;
    auto *layout = new LoLayout(panel);
    auto *first = new LoLinearLayoutPolicy(layout, Qt::Vertical);
    auto *second = new LoLinearLayoutPolicy(layout, Qt::Horizontal);
    QCOMPARE(layout->policy(), second);
    delete second;
    QCOMPARE(layout->policy(), first);
    new LoLinearLayoutPolicy(layout, Qt::Horizontal);
    // The panel deletes its layout, the layout its policies (checked by the sanitizer build).
    delete panel;

    LoLinearLayoutPolicy orphan(nullptr, Qt::Vertical);
    QGraphicsWidget w;
    orphan.addItem(&w);
    QCOMPARE(orphan.count(), 0);
    QVERIFY(!orphan.itemAt(0));
}

void TestLoLayout::containerCentralWidget()
{
    LoContainer container;
    QGraphicsWidget *central = container.centralWidget();
    QVERIFY(central);
    QCOMPARE(container.centralWidget(), central);
    QCOMPARE(central->parentItem(), &container);
    QPointer<QGraphicsWidget> guard(central);

    // Content goes on the central widget and is laid out inside the container.
    auto *layout = new LoLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *policy = new LoLinearLayoutPolicy(layout, Qt::Vertical);
    auto *label = new LoLabel(QStringLiteral("Content"), central);
    policy->addItem(label);
    container.resize(300, container.effectiveSizeHint(Qt::PreferredSize).height());
    container.layout()->activate();
    layout->activate();
    QVERIFY(central->geometry().height() >= label->effectiveSizeHint(Qt::PreferredSize).height());
    QCOMPARE(container.centralWidget(), central);
}

void TestLoLayout::containerHeader()
{
    LoContainer container;
    QVERIFY(container.title().isEmpty());
    QVERIFY(container.headerVisible());
    container.resize(300, 200);
    container.layout()->activate();
    // No title, no header: the content starts at the top.
    QCOMPARE(container.centralWidget()->geometry().top(), 0.0);

    container.setTitle(QStringLiteral("Data counters"));
    QCOMPARE(container.title(), QStringLiteral("Data counters"));
    container.layout()->activate();
    const qreal below = container.centralWidget()->geometry().top();
    QVERIFY(below > 10);
    container.setTitle(QStringLiteral("Call timers"));
    container.layout()->activate();
    QCOMPARE(container.centralWidget()->geometry().top(), below);

    container.setHeaderVisible(false);
    QVERIFY(!container.headerVisible());
    container.layout()->activate();
    QCOMPARE(container.centralWidget()->geometry().top(), 0.0);
    container.setHeaderVisible(true);
    container.layout()->activate();
    QCOMPARE(container.centralWidget()->geometry().top(), below);

    LoContainer titled(QStringLiteral("Roaming"));
    QCOMPARE(titled.title(), QStringLiteral("Roaming"));
    QCOMPARE(titled.styleName(), QString());
}

QTEST_MAIN(TestLoLayout)
#include "tst_lolayout.moc"
