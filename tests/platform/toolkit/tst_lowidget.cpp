#include "lolocale.h"
#include "lolocalenotifier.h"
#include "lowidget.h"
#include "lowidgetcontroller.h"
#include "lowidgetmodel.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

namespace {

class CountingWidget : public LoWidget
{
    Q_OBJECT
public:
    using LoWidget::LoWidget;
    int retranslations = 0;
    void retranslateUi() override { ++retranslations; }
};

// Deletes a sibling from inside its own retranslation, as a page that rebuilds
// its content on a language change does.
class DeletingWidget : public LoWidget
{
    Q_OBJECT
public:
    using LoWidget::LoWidget;
    QPointer<QGraphicsWidget> victim;
    void retranslateUi() override { delete victim.data(); }
};

} // namespace

class TestLoWidget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void retranslateReachesEveryLiveWidget();
    void retranslateSurvivesDeletionDuringPass();
    void retranslateAfterNewDefaultLocale();
    void displayEnteredWhenViewShown();
    void displayEnteredWhenAddedToShownScene();
    void childCreatedUnderShownParent();
    void displayFollowsVisibility();
    void hiddenViewLeavesDisplay();
    void notShownNeverEnters();
    void hostAnnouncement();
    void controllerModel();
    void controllerStyleAndViewType();
};

void TestLoWidget::retranslateReachesEveryLiveWidget()
{
    auto *parent = new CountingWidget;
    auto *child = new CountingWidget(parent);
    CountingWidget standalone;
    auto *doomed = new CountingWidget;
    delete doomed;

    // Two changes in one pass of the event loop retranslate once, and only later.
    LoLocaleNotifier::instance()->scheduleChange();
    LoLocaleNotifier::instance()->scheduleChange();
    QCOMPARE(parent->retranslations, 0);
    QTRY_COMPARE(parent->retranslations, 1);
    QCOMPARE(child->retranslations, 1);
    QCOMPARE(standalone.retranslations, 1);
    QTest::qWait(20);
    QCOMPARE(parent->retranslations, 1);

    LoLocaleNotifier::instance()->scheduleChange();
    QTRY_COMPARE(standalone.retranslations, 2);
    QCOMPARE(child->retranslations, 2);
    delete parent;
}

void TestLoWidget::retranslateSurvivesDeletionDuringPass()
{
    DeletingWidget first;
    auto *second = new CountingWidget;
    first.victim = second;
    CountingWidget third;
    LoLocaleNotifier::instance()->scheduleChange();
    QTRY_COMPARE(third.retranslations, 1);
    QVERIFY(first.victim.isNull());
}

void TestLoWidget::retranslateAfterNewDefaultLocale()
{
    CountingWidget widget;
    LoLocale::setDefault(LoLocale(QStringLiteral("de_DE")));
    QCOMPARE(widget.retranslations, 0);
    QTRY_COMPARE(widget.retranslations, 1);

    // The same default again is no change.
    LoLocale::setDefault(LoLocale(QStringLiteral("de_DE")));
    QTest::qWait(20);
    QCOMPARE(widget.retranslations, 1);

    // A catalog installed into the default is one.
    LoLocale withCatalog;
    withCatalog.installTrCatalog(QStringLiteral("libtessaro"));
    LoLocale::setDefault(withCatalog);
    QTRY_COMPARE(widget.retranslations, 2);

    LoLocale::setDefault(LoLocale(QStringLiteral("ar_EG")));
    QTRY_COMPARE(widget.retranslations, 3);
}

void TestLoWidget::displayEnteredWhenViewShown()
{
    QGraphicsScene scene;
    auto *widget = new LoWidget;
    scene.addItem(widget);
    QSignalSpy entered(widget, &LoWidget::displayEntered);
    QGraphicsView view(&scene);
    QCoreApplication::processEvents();
    QCOMPARE(entered.count(), 0);
    QVERIFY(!widget->isOnDisplay());

    view.show();
    QCOMPARE(entered.count(), 1);
    QVERIFY(widget->isOnDisplay());
    QTest::qWait(20);
    widget->update();
    QCoreApplication::processEvents();
    QCOMPARE(entered.count(), 1);
}

void TestLoWidget::displayEnteredWhenAddedToShownScene()
{
    QGraphicsScene scene;
    QGraphicsView view(&scene);
    view.show();
    auto *widget = new LoWidget;
    QSignalSpy entered(widget, &LoWidget::displayEntered);
    scene.addItem(widget);
    QCOMPARE(entered.count(), 1);
    QCoreApplication::processEvents();
    QCOMPARE(entered.count(), 1);
}

void TestLoWidget::childCreatedUnderShownParent()
{
    QGraphicsScene scene;
    QGraphicsView view(&scene);
    view.show();
    auto *parent = new LoWidget;
    scene.addItem(parent);
    // Built straight into the shown tree: its users connect after construction,
    // so the signal comes from the event loop.
    auto *child = new LoWidget(parent);
    QSignalSpy entered(child, &LoWidget::displayEntered);
    QTRY_COMPARE(entered.count(), 1);
    QTest::qWait(20);
    QCOMPARE(entered.count(), 1);
}

void TestLoWidget::displayFollowsVisibility()
{
    QGraphicsScene scene;
    QGraphicsView view(&scene);
    view.show();
    auto *parent = new LoWidget;
    auto *child = new LoWidget(parent);
    QSignalSpy entered(child, &LoWidget::displayEntered);
    QSignalSpy exited(child, &LoWidget::displayExited);
    parent->setVisible(false);
    scene.addItem(parent);
    QCoreApplication::processEvents();
    QCOMPARE(entered.count(), 0);

    parent->setVisible(true);
    QCOMPARE(entered.count(), 1);
    parent->setVisible(false);
    QCOMPARE(exited.count(), 1);
    QVERIFY(!child->isOnDisplay());
    parent->setVisible(true);
    QCOMPARE(entered.count(), 2);

    scene.removeItem(parent);
    QCOMPARE(exited.count(), 2);
    delete parent;
}

void TestLoWidget::hiddenViewLeavesDisplay()
{
    QGraphicsScene scene;
    QGraphicsView view(&scene);
    auto *widget = new LoWidget;
    scene.addItem(widget);
    QSignalSpy entered(widget, &LoWidget::displayEntered);
    QSignalSpy exited(widget, &LoWidget::displayExited);
    view.show();
    QCOMPARE(entered.count(), 1);
    view.hide();
    QCOMPARE(exited.count(), 1);
    view.show();
    QCOMPARE(entered.count(), 2);
}

void TestLoWidget::notShownNeverEnters()
{
    QGraphicsScene scene;
    QGraphicsView hiddenView(&scene);
    auto *widget = new LoWidget;
    scene.addItem(widget);
    LoWidget loose;
    QSignalSpy entered(widget, &LoWidget::displayEntered);
    QSignalSpy looseEntered(&loose, &LoWidget::displayEntered);
    QTest::qWait(20);
    QCOMPARE(entered.count(), 0);
    QCOMPARE(looseEntered.count(), 0);

    // Another scene's view being shown does not count.
    QGraphicsScene other;
    QGraphicsView otherView(&other);
    otherView.show();
    QCOMPARE(entered.count(), 0);
}

void TestLoWidget::hostAnnouncement()
{
    LoWidget widget;
    QSignalSpy entered(&widget, &LoWidget::displayEntered);
    QSignalSpy exited(&widget, &LoWidget::displayExited);
    widget.announceDisplayEntered();
    widget.announceDisplayEntered();
    QCOMPARE(entered.count(), 1);
    QVERIFY(widget.isOnDisplay());
    // The event loop's own checks do not take back what the host announced.
    QTest::qWait(20);
    QCOMPARE(exited.count(), 0);

    widget.announceDisplayExited();
    widget.announceDisplayExited();
    QCOMPARE(exited.count(), 1);
    widget.announceDisplayEntered();
    QCOMPARE(entered.count(), 2);
    widget.setVisible(false);
    QCOMPARE(exited.count(), 2);
}

void TestLoWidget::controllerModel()
{
    LoWidgetController plain;
    QVERIFY(plain.model());
    QCOMPARE(plain.model(), plain.model());

    QPointer<LoWidgetModel> model = new LoWidgetModel;
    {
        LoWidgetController owner(model, nullptr);
        QCOMPARE(owner.model(), model.data());
    }
    QVERIFY(model.isNull());
}

void TestLoWidget::controllerStyleAndViewType()
{
    LoWidgetController controller;
    QSignalSpy styleSpy(&controller, &LoWidgetController::styleNameChanged);
    QVERIFY(controller.styleName().isEmpty());
    controller.setStyleName(QStringLiteral("CommonPanelInverted"));
    controller.setStyleName(QStringLiteral("CommonPanelInverted"));
    QCOMPARE(controller.styleName(), QStringLiteral("CommonPanelInverted"));
    QCOMPARE(styleSpy.count(), 1);
    // The panel look has padding and a minimum height.
    qreal left, top, right, bottom;
    controller.getContentsMargins(&left, &top, &right, &bottom);
    QVERIFY(left > 0);
    QVERIFY(controller.effectiveSizeHint(Qt::MinimumSize).height() >= 48);

    controller.setViewType(QStringLiteral("background"));
    QCOMPARE(controller.viewType(), QStringLiteral("background"));
    controller.setStyleName(QStringLiteral("NoSuchStyle"));
    controller.getContentsMargins(&left, &top, &right, &bottom);
    QCOMPARE(left, 0.0);
}

QTEST_MAIN(TestLoWidget)
#include "tst_lowidget.moc"
