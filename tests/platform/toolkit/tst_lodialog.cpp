#include "testscene.h"
#include "lobutton.h"
#include "lodialog.h"
#include "lolabel.h"
#include "lolocalenotifier.h"
#include "loscenemanager.h"

#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

namespace {

// Counts every signal of a dialog's closing.
struct CloseSpies {
    explicit CloseSpies(LoDialog *dialog)
        : finished(dialog, &LoDialog::finished)
        , accepted(dialog, &LoDialog::accepted)
        , rejected(dialog, &LoDialog::rejected)
        , disappeared(dialog, &LoSceneWindow::disappeared)
    {
    }
    QSignalSpy finished;
    QSignalSpy accepted;
    QSignalSpy rejected;
    QSignalSpy disappeared;
};

enum CloseWay { Accept, Reject, Done, Close, Disappear, Dismiss, YesButton, NoButton, CancelButton };

void closeBy(LoDialog *dialog, CloseWay way)
{
    switch (way) {
    case Accept:
        dialog->accept();
        break;
    case Reject:
        dialog->reject();
        break;
    case Done:
        dialog->done(5);
        break;
    case Close:
        dialog->close();
        break;
    case Disappear:
        dialog->disappear();
        break;
    case Dismiss:
        dialog->dismiss();
        break;
    case YesButton:
        dialog->button(Lo::YesButton)->click();
        break;
    case NoButton:
        dialog->button(Lo::NoButton)->click();
        break;
    case CancelButton:
        dialog->button(Lo::CancelButton)->click();
        break;
    }
}

// A catalog that knows one toolkit text.
class YesTranslator : public QTranslator
{
public:
    QString translate(const char *, const char *sourceText, const char *, int) const override
    {
        return qstrcmp(sourceText, "qtn_comm_button_yes") == 0 ? QStringLiteral("Kyll\u00e4") : QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

Q_DECLARE_METATYPE(CloseWay)

class TestLoDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();

    void defaults();
    void titleAndCentralWidget();
    void centralWidgetIsOwned();
    void buttonBoxVisibility();
    void buttonsStandInFixedOrder();
    void buttonsRetranslated();
    void contentDeletedElsewhere();
    void finishedOncePerClose_data();
    void finishedOncePerClose();
    void closingAgainDoesNothing_data();
    void closingAgainDoesNothing();
    void closeFromFinishedHandler();
    void deleteFromFinishedHandler();
    void notShownIgnoresClose();
    void reappearAfterClose();
    void deletionPolicy_data();
    void deletionPolicy();
    void managerTracksShownWindows();
    void managerForgetsDeletedWindow();
    void managerPlacesWindowsInScene();
    void backdropTapDismisses();
};

void TestLoDialog::cleanup()
{
    // Nothing may stay listed once a test's dialogs are gone.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(LoSceneManager::instance()->windows().count(), 0);
    LoSceneManager::instance()->setScene(nullptr);
}

void TestLoDialog::defaults()
{
    LoDialog dialog;
    QCOMPARE(dialog.title(), QString());
    QCOMPARE(dialog.centralWidget(), nullptr);
    QVERIFY(dialog.isButtonBoxVisible());
    QCOMPARE(dialog.standardButtons(), Lo::StandardButtons());
    QCOMPARE(dialog.clickedButton(), Lo::NoStandardButton);
    QVERIFY(!dialog.isAppeared());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.deletionPolicy(), LoSceneWindow::KeepWhenDone);
}

void TestLoDialog::titleAndCentralWidget()
{
    LoDialog dialog(QStringLiteral("Reset"), Lo::YesButton | Lo::NoButton);
    QCOMPARE(dialog.title(), QStringLiteral("Reset"));
    auto *title = ItemFinder::find<LoLabel>(&dialog, QStringLiteral("dialogTitle"));
    QVERIFY(title);
    QCOMPARE(title->text(), QStringLiteral("Reset"));
    dialog.setTitle(QStringLiteral("Clear"));
    QCOMPARE(title->text(), QStringLiteral("Clear"));

    auto *content = new QGraphicsWidget;
    content->setPreferredSize(300, 200);
    dialog.setCentralWidget(content);
    QCOMPARE(dialog.centralWidget(), content);
    QVERIFY(dialog.isAncestorOf(content));
    // The content is laid out inside the dialog's panel.
    dialog.resize(480, 854);
    dialog.layout()->activate();
    QVERIFY(content->size().height() >= 200);
    const QRectF inDialog = content->mapRectToItem(&dialog, content->rect());
    QVERIFY(dialog.rect().contains(inDialog));
    QVERIFY(inDialog.top() > title->mapRectToItem(&dialog, title->rect()).top());
}

void TestLoDialog::centralWidgetIsOwned()
{
    QPointer<QGraphicsWidget> first = new QGraphicsWidget;
    QPointer<QGraphicsWidget> second = new QGraphicsWidget;
    {
        LoDialog dialog;
        dialog.setCentralWidget(first);
        dialog.setCentralWidget(first);
        QVERIFY(first);
        dialog.setCentralWidget(second);
        QVERIFY(!first);
        QCOMPARE(dialog.centralWidget(), second.data());
    }
    QVERIFY(!second);
}

void TestLoDialog::buttonBoxVisibility()
{
    LoDialog dialog(QStringLiteral("Title"), Lo::OkButton);
    auto *content = new QGraphicsWidget;
    content->setPreferredSize(200, 100);
    dialog.setCentralWidget(content);
    auto *box = ItemFinder::find<QGraphicsWidget>(&dialog, QStringLiteral("dialogButtonBox"));
    QVERIFY(box);
    QGraphicsWidget *panel = ItemFinder::find<QGraphicsWidget>(&dialog, QStringLiteral("dialogPanel"));
    QVERIFY(panel);

    const qreal withBox = panel->effectiveSizeHint(Qt::PreferredSize).height();
    dialog.setButtonBoxVisible(false);
    QVERIFY(!dialog.isButtonBoxVisible());
    QVERIFY(!box->isVisible());
    const qreal withoutBox = panel->effectiveSizeHint(Qt::PreferredSize).height();
    QVERIFY2(withoutBox + 40 <= withBox, qPrintable(QStringLiteral("%1 vs %2").arg(withoutBox).arg(withBox)));

    dialog.setButtonBoxVisible(true);
    QCOMPARE(panel->effectiveSizeHint(Qt::PreferredSize).height(), withBox);
    // The button survives hiding and showing and still closes the dialog.
    dialog.appear();
    CloseSpies spies(&dialog);
    dialog.button(Lo::OkButton)->click();
    QCOMPARE(spies.accepted.count(), 1);
}

void TestLoDialog::buttonsStandInFixedOrder()
{
    LoDialog dialog;
    // Added in the opposite order to where they stand.
    LoButton *no = dialog.addButton(Lo::NoButton);
    LoButton *yes = dialog.addButton(Lo::YesButton);
    QVERIFY(no && yes);
    QCOMPARE(dialog.addButton(Lo::YesButton), yes);
    QCOMPARE(dialog.button(Lo::YesButton), yes);
    QCOMPARE(dialog.button(Lo::OkButton), nullptr);
    QCOMPARE(dialog.standardButtons(), Lo::YesButton | Lo::NoButton);
    QCOMPARE(yes->text(), QStringLiteral("Yes"));
    QCOMPARE(no->text(), QStringLiteral("No"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("not a standard button")));
    QCOMPARE(dialog.addButton(Lo::NoStandardButton), nullptr);

    dialog.resize(480, 854);
    dialog.layout()->activate();
    const qreal yesX = yes->mapToItem(&dialog, 0, 0).x();
    const qreal noX = no->mapToItem(&dialog, 0, 0).x();
    QVERIFY2(yesX < noX, qPrintable(QStringLiteral("%1 vs %2").arg(yesX).arg(noX)));
}

void TestLoDialog::buttonsRetranslated()
{
    LoDialog dialog(QStringLiteral("Question"), Lo::YesButton | Lo::NoButton);
    YesTranslator translator;
    QCoreApplication::installTranslator(&translator);
    LoLocaleNotifier::instance()->scheduleChange();
    QTRY_COMPARE(dialog.button(Lo::YesButton)->text(), QStringLiteral("Kyll\u00e4"));
    QCOMPARE(dialog.button(Lo::NoButton)->text(), QStringLiteral("No"));
    QCoreApplication::removeTranslator(&translator);
    LoLocaleNotifier::instance()->scheduleChange();
    QTRY_COMPARE(dialog.button(Lo::YesButton)->text(), QStringLiteral("Yes"));
}

void TestLoDialog::contentDeletedElsewhere()
{
    LoDialog dialog(QStringLiteral("Question"), Lo::OkButton);
    auto *content = new QGraphicsWidget;
    dialog.setCentralWidget(content);
    delete content;
    QCOMPARE(dialog.centralWidget(), nullptr);
    // Laying out again and replacing the content must not touch the deleted one.
    dialog.setTitle(QStringLiteral("Other"));
    dialog.setCentralWidget(new QGraphicsWidget);
    dialog.resize(480, 854);
    dialog.layout()->activate();
}

void TestLoDialog::finishedOncePerClose_data()
{
    QTest::addColumn<CloseWay>("way");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("accepted");
    QTest::addColumn<int>("rejected");
    QTest::addColumn<int>("clicked");

    QTest::newRow("accept") << Accept << 1 << 1 << 0 << int(Lo::NoStandardButton);
    QTest::newRow("reject") << Reject << 0 << 0 << 1 << int(Lo::NoStandardButton);
    QTest::newRow("done") << Done << 5 << 0 << 0 << int(Lo::NoStandardButton);
    QTest::newRow("close") << Close << 0 << 0 << 0 << int(Lo::NoStandardButton);
    QTest::newRow("disappear") << Disappear << 0 << 0 << 0 << int(Lo::NoStandardButton);
    QTest::newRow("dismiss") << Dismiss << 0 << 0 << 1 << int(Lo::NoStandardButton);
    QTest::newRow("yes") << YesButton << 1 << 1 << 0 << int(Lo::YesButton);
    QTest::newRow("no") << NoButton << 0 << 0 << 1 << int(Lo::NoButton);
    QTest::newRow("cancel") << CancelButton << 0 << 0 << 1 << int(Lo::CancelButton);
}

void TestLoDialog::finishedOncePerClose()
{
    QFETCH(CloseWay, way);
    QFETCH(int, result);
    QFETCH(int, accepted);
    QFETCH(int, rejected);
    QFETCH(int, clicked);

    LoDialog dialog(QStringLiteral("Question"), Lo::YesButton | Lo::NoButton | Lo::CancelButton);
    dialog.appear();
    QVERIFY(dialog.isAppeared());
    QVERIFY(dialog.isVisible());
    CloseSpies spies(&dialog);
    // Whoever hears finished() sees the dialog gone already.
    bool goneAtFinished = false;
    connect(&dialog, &LoDialog::finished, this, [&] { goneAtFinished = !dialog.isAppeared(); });

    closeBy(&dialog, way);
    QCOMPARE(spies.finished.count(), 1);
    QCOMPARE(spies.finished.at(0).at(0).toInt(), result);
    QCOMPARE(spies.accepted.count(), accepted);
    QCOMPARE(spies.rejected.count(), rejected);
    QCOMPARE(spies.disappeared.count(), 1);
    QCOMPARE(dialog.result(), result);
    QCOMPARE(int(dialog.clickedButton()), clicked);
    QVERIFY(!dialog.isAppeared());
    QVERIFY(!dialog.isVisible());
    QVERIFY(goneAtFinished);
}

void TestLoDialog::closingAgainDoesNothing_data()
{
    QTest::addColumn<CloseWay>("first");
    QTest::addColumn<CloseWay>("second");
    QTest::newRow("yes, then no") << YesButton << NoButton;
    QTest::newRow("close twice") << Close << Close;
    QTest::newRow("accept, then reject") << Accept << Reject;
    QTest::newRow("no, then disappear") << NoButton << Disappear;
    QTest::newRow("done, then dismiss") << Done << Dismiss;
}

void TestLoDialog::closingAgainDoesNothing()
{
    QFETCH(CloseWay, first);
    QFETCH(CloseWay, second);
    LoDialog dialog(QStringLiteral("Question"), Lo::YesButton | Lo::NoButton);
    dialog.appear();
    CloseSpies spies(&dialog);
    closeBy(&dialog, first);
    const int accepted = spies.accepted.count();
    const int rejected = spies.rejected.count();
    closeBy(&dialog, second);
    QCOMPARE(spies.finished.count(), 1);
    QCOMPARE(spies.accepted.count(), accepted);
    QCOMPARE(spies.rejected.count(), rejected);
    QCOMPARE(spies.disappeared.count(), 1);
}

void TestLoDialog::closeFromFinishedHandler()
{
    LoDialog dialog(QStringLiteral("Question"), Lo::YesButton | Lo::NoButton);
    dialog.appear();
    CloseSpies spies(&dialog);
    connect(&dialog, &LoDialog::finished, &dialog, [&] {
        QVERIFY(!dialog.close());
        dialog.reject();
    });
    dialog.button(Lo::YesButton)->click();
    QCOMPARE(spies.finished.count(), 1);
    QCOMPARE(spies.accepted.count(), 1);
    QCOMPARE(spies.rejected.count(), 0);
}

void TestLoDialog::deleteFromFinishedHandler()
{
    QPointer<LoDialog> dialog = new LoDialog(QStringLiteral("Question"), Lo::YesButton);
    dialog->appear();
    QSignalSpy accepted(dialog.data(), &LoDialog::accepted);
    connect(dialog.data(), &LoDialog::finished, this, [&] { delete dialog.data(); });
    dialog->button(Lo::YesButton)->click();
    QVERIFY(!dialog);
    QCOMPARE(accepted.count(), 0);
}

void TestLoDialog::notShownIgnoresClose()
{
    LoDialog dialog(QStringLiteral("Question"), Lo::YesButton | Lo::NoButton);
    CloseSpies spies(&dialog);
    QVERIFY(!dialog.close());
    dialog.accept();
    dialog.reject();
    dialog.done(3);
    dialog.disappear();
    dialog.button(Lo::YesButton)->click();
    QCOMPARE(spies.finished.count(), 0);
    QCOMPARE(spies.accepted.count(), 0);
    QCOMPARE(spies.rejected.count(), 0);
    QCOMPARE(spies.disappeared.count(), 0);
}

void TestLoDialog::reappearAfterClose()
{
    LoDialog dialog(QStringLiteral("Question"), Lo::YesButton | Lo::NoButton);
    CloseSpies spies(&dialog);
    QSignalSpy appeared(&dialog, &LoSceneWindow::appeared);
    dialog.appear();
    dialog.appear(LoSceneWindow::KeepWhenDone);
    QCOMPARE(appeared.count(), 1);
    dialog.button(Lo::NoButton)->click();
    QCOMPARE(dialog.clickedButton(), Lo::NoButton);
    dialog.appear();
    QCOMPARE(appeared.count(), 2);
    QVERIFY(dialog.isAppeared());
    dialog.button(Lo::YesButton)->click();
    QCOMPARE(spies.finished.count(), 2);
    QCOMPARE(spies.accepted.count(), 1);
    QCOMPARE(spies.rejected.count(), 1);
    QCOMPARE(dialog.clickedButton(), Lo::YesButton);
}

void TestLoDialog::deletionPolicy_data()
{
    QTest::addColumn<int>("policy");
    QTest::addColumn<CloseWay>("way");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("keep, yes") << int(LoSceneWindow::KeepWhenDone) << YesButton << false;
    QTest::newRow("keep, disappear") << int(LoSceneWindow::KeepWhenDone) << Disappear << false;
    QTest::newRow("done, yes") << int(LoSceneWindow::DestroyWhenDone) << YesButton << true;
    QTest::newRow("done, no") << int(LoSceneWindow::DestroyWhenDone) << NoButton << true;
    QTest::newRow("done, close") << int(LoSceneWindow::DestroyWhenDone) << Close << true;
    QTest::newRow("done, disappear") << int(LoSceneWindow::DestroyWhenDone) << Disappear << true;
    QTest::newRow("dismissed, no") << int(LoSceneWindow::DestroyWhenDismissed) << NoButton << true;
    QTest::newRow("dismissed, dismiss") << int(LoSceneWindow::DestroyWhenDismissed) << Dismiss << true;
    QTest::newRow("dismissed, disappear") << int(LoSceneWindow::DestroyWhenDismissed) << Disappear << false;
}

void TestLoDialog::deletionPolicy()
{
    QFETCH(int, policy);
    QFETCH(CloseWay, way);
    QFETCH(bool, deleted);

    QPointer<LoDialog> dialog = new LoDialog(QStringLiteral("Question"), Lo::YesButton | Lo::NoButton);
    QPointer<QGraphicsWidget> content = new QGraphicsWidget;
    dialog->setCentralWidget(content);
    dialog->appear(LoSceneWindow::DeletionPolicy(policy));
    QCOMPARE(int(dialog->deletionPolicy()), policy);
    QSignalSpy finished(dialog.data(), &LoDialog::finished);
    closeBy(dialog, way);
    // Deleted later, never under the caller's feet.
    QVERIFY(dialog);
    QCOMPARE(finished.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(dialog.isNull(), deleted);
    QCOMPARE(content.isNull(), deleted);
    delete dialog.data();
}

void TestLoDialog::managerTracksShownWindows()
{
    LoSceneManager *manager = LoSceneManager::instance();
    QCOMPARE(manager, LoSceneManager::instance());
    QSignalSpy appeared(manager, &LoSceneManager::windowAppeared);
    QSignalSpy disappeared(manager, &LoSceneManager::windowDisappeared);

    LoDialog first(QStringLiteral("First"), Lo::OkButton);
    LoDialog second(QStringLiteral("Second"), Lo::OkButton);
    LoSceneWindow page;
    QCOMPARE(manager->windows().count(), 0);
    first.appear();
    page.appear();
    second.appear();
    QCOMPARE(manager->windows(), (QList<LoSceneWindow *>{&first, &page, &second}));
    QCOMPARE(manager->windowsOfType<LoDialog>(), (QList<LoDialog *>{&first, &second}));
    QCOMPARE(appeared.count(), 3);
    QCOMPARE(appeared.at(1).at(0).value<LoSceneWindow *>(), &page);

    first.button(Lo::OkButton)->click();
    QCOMPARE(manager->windowsOfType<LoDialog>(), QList<LoDialog *>{&second});
    QCOMPARE(disappeared.count(), 1);
    QCOMPARE(disappeared.at(0).at(0).value<LoSceneWindow *>(), &first);
    page.disappear();
    second.close();
    QCOMPARE(manager->windows().count(), 0);
    QCOMPARE(disappeared.count(), 3);
}

void TestLoDialog::managerForgetsDeletedWindow()
{
    LoSceneManager *manager = LoSceneManager::instance();
    QSignalSpy disappeared(manager, &LoSceneManager::windowDisappeared);
    auto *dialog = new LoDialog(QStringLiteral("Gone"), Lo::OkButton);
    QSignalSpy finished(dialog, &LoDialog::finished);
    dialog->appear();
    QCOMPARE(manager->windows().count(), 1);
    delete dialog;
    QCOMPARE(manager->windows().count(), 0);
    QCOMPARE(disappeared.count(), 1);
    // Destruction is not a close.
    QCOMPARE(finished.count(), 0);
}

void TestLoDialog::managerPlacesWindowsInScene()
{
    QGraphicsScene scene(0, 0, 480, 854);
    auto *pageItem = scene.addRect(0, 0, 480, 854);
    LoSceneManager::instance()->setScene(&scene);
    QCOMPARE(LoSceneManager::instance()->scene(), &scene);

    LoDialog dialog(QStringLiteral("Question"), Lo::YesButton | Lo::NoButton);
    dialog.appear();
    QCOMPARE(dialog.scene(), &scene);
    QCOMPARE(dialog.geometry(), scene.sceneRect());
    QVERIFY(dialog.zValue() > pageItem->zValue());
    // The host's view grows: the window follows.
    scene.setSceneRect(0, 0, 854, 480);
    QCOMPARE(dialog.geometry(), QRectF(0, 0, 854, 480));

    dialog.button(Lo::NoButton)->click();
    QCOMPARE(dialog.scene(), nullptr);

    // A window that the host put into a scene itself stays there.
    QGraphicsScene own;
    own.addItem(&dialog);
    dialog.appear();
    QCOMPARE(dialog.scene(), &own);
    dialog.close();
    QCOMPARE(dialog.scene(), &own);
    own.removeItem(&dialog);
}

void TestLoDialog::backdropTapDismisses()
{
    QGraphicsScene scene(0, 0, 480, 854);
    LoSceneManager::instance()->setScene(&scene);
    LoDialog dialog(QStringLiteral("Question"), Lo::YesButton | Lo::NoButton);
    dialog.appear();
    dialog.layout()->activate();
    CloseSpies spies(&dialog);

    auto tap = [&](const QPointF &pos) {
        QGraphicsSceneMouseEvent press(QEvent::GraphicsSceneMousePress);
        press.setButton(Qt::LeftButton);
        press.setScenePos(pos);
        press.setPos(dialog.mapFromScene(pos));
        scene.sendEvent(&dialog, &press);
        QGraphicsSceneMouseEvent release(QEvent::GraphicsSceneMouseRelease);
        release.setButton(Qt::LeftButton);
        release.setScenePos(pos);
        release.setPos(dialog.mapFromScene(pos));
        scene.sendEvent(&dialog, &release);
    };
    QGraphicsWidget *panel = ItemFinder::find<QGraphicsWidget>(&dialog, QStringLiteral("dialogPanel"));
    tap(panel->geometry().center());
    QCOMPARE(spies.finished.count(), 0);
    tap(QPointF(5, 5));
    QCOMPARE(spies.finished.count(), 1);
    QCOMPARE(spies.rejected.count(), 1);
}

QTEST_MAIN(TestLoDialog)
#include "tst_lodialog.moc"
