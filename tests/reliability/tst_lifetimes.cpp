// Objects that go away while work for them is still pending: a build timer, a
// confirmation box, a field being edited, store notifications on their way.
// Run under the sanitizer build and under valgrind (scripts/memcheck) as well.
#include "datacounterdialog.h"
#include "datacounterwidget.h"

#include "calltimersdialog.h"
#include "countercontainer.h"
#include "storagekeys.h"

#include "teststore.h"
#include "heapusage.h"
#include "testscene.h"
#include "messagecapture.h"

#include <lobutton.h>
#include <loinputmethodstate.h>
#include <lomessagebox.h>
#include <loscenemanager.h>
#include <lotextedit.h>

#include <QLoggingCategory>
#include <QPointer>
#include <QtTest>

namespace
{
QList<LoMessageBox *> shownBoxes()
{
    return LoSceneManager::instance()->windowsOfType<LoMessageBox>();
}

QString stored(int key)
{
    return ExternalStore::get(StorageKeys::path(key));
}
} // namespace

class TestLifetimes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    }

    void init()
    {
        QStringList paths;
        for (int key = StorageKeys::GprsHomeTxBytes; key <= StorageKeys::GprsRoamingLastReset; ++key)
            paths << StorageKeys::path(key);
        QVERIFY(ExternalStore::unset(paths));
        QVERIFY(StoreSync::flush());
    }

    void cleanup()
    {
        for (LoMessageBox *box : shownBoxes())
            delete box;
        LoInputMethodState::instance()->setInputMethodArea(QRect());
        QCoreApplication::processEvents();
    }

    void pageGoneBeforeItsTimer()
    {
        QLoggingCategory::setFilterRules(QString());
        MessageCapture capture;
        delete new DataCounterWidget(true);
        QTest::qWait(1700);
        QVERIFY(capture.linesContaining(QStringLiteral("initWidget")).isEmpty());
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    }

    void sectionGoneWhileBoxShown_data()
    {
        QTest::addColumn<bool>("answerFirst"); // answer before the event loop turns
        QTest::newRow("answered at once") << true;
        QTest::newRow("answered after the loop turned") << false;
    }

    void sectionGoneWhileBoxShown()
    {
        QFETCH(bool, answerFirst);
        QVERIFY(ExternalStore::setString(StorageKeys::path(StorageKeys::GprsHomeTxBytes), QStringLiteral("5000000")));
        auto *page = new DataCounterWidget(true);
        page->announceDisplayEntered();
        ItemFinder::find<LoButton>(page, QStringLiteral("resetButton_0"))->click();
        ItemFinder::find<LoButton>(page, QStringLiteral("timersResetBtn"))->click();
        QCOMPARE(shownBoxes().size(), 2);
        QList<QPointer<LoMessageBox>> boxes;
        for (LoMessageBox *box : shownBoxes())
            boxes << box;
        delete page;

        if (!answerFirst)
            QCoreApplication::processEvents();
        for (const QPointer<LoMessageBox> &box : qAsConst(boxes)) {
            if (box && box->isAppeared())
                box->button(Lo::YesButton)->click();
        }
        QTest::qWait(50);
        // Nobody was left to reset: the counter is as it was.
        QVERIFY(StoreSync::flush());
        QCOMPARE(stored(StorageKeys::GprsHomeTxBytes), QStringLiteral("5000000"));
    }

    void dialogClosedWhileEditing_data()
    {
        QTest::addColumn<bool>("deleteOnly"); // deleted without being closed first
        QTest::newRow("closed, then deleted") << false;
        QTest::newRow("deleted while shown") << true;
    }

    void dialogClosedWhileEditing()
    {
        QFETCH(bool, deleteOnly);
        auto *dialog = new DataCounterDialog;
        dialog->appear();
        auto *page = qobject_cast<DataCounterWidget *>(dialog->centralWidget());
        QVERIFY(page);
        page->announceDisplayEntered();
        LoTextEdit *field = ItemFinder::find<LoTextEdit>(page, QStringLiteral("warningPeriodIput_0"));
        QVERIFY(field);
        field->setFocus();
        LoInputMethodState::instance()->setInputMethodArea(QRect(0, 500, 480, 354));
        field->setText(QStringLiteral("12"));
        if (!deleteOnly)
            dialog->close();
        delete dialog;
        // The keyboard closes after the dialog is gone.
        LoInputMethodState::instance()->setInputMethodArea(QRect());
        QCoreApplication::processEvents();
        QVERIFY(StoreSync::flush());
        QCOMPARE(stored(StorageKeys::GprsHomeUiNotificationPeriod), QStringLiteral("12000000"));
    }

    void pageGoneWithNotificationsQueued()
    {
        auto *page = new DataCounterWidget(true);
        page->announceDisplayEntered();
        StoreWriterProcess writer(QStringLiteral(CELLCOUNTERS_STOREWRITER));
        QVERIFY(writer.start());
        QVERIFY(writer.send(StoreWriterProcess::burst(StorageKeys::path(StorageKeys::GprsHomeRxBytes), 500, 1)));
        QVERIFY(writer.send(QStringLiteral("set /cellular/calltimers/dialled string 61")));
        QTest::qWait(20);
        delete page;
        QVERIFY(writer.waitForAnswer());
        QVERIFY(writer.waitForAnswer());
        QVERIFY(StoreSync::flush());
        QCoreApplication::processEvents();
    }

    void manyPagesAndDialogs()
    {
        auto round = [] {
            auto *page = new DataCounterWidget(true);
            page->announceDisplayEntered();
            delete page;
            auto *dialog = new DataCounterDialog;
            dialog->appear();
            static_cast<DataCounterWidget *>(dialog->centralWidget())->announceDisplayEntered();
            dialog->close();
            delete dialog;
            auto *timers = new CallTimersDialog;
            timers->appear();
            timers->close();
            delete timers;
            QCoreApplication::processEvents();
        };
        for (int i = 0; i < 5; ++i)
            round();
        const qint64 before = HeapUsage::inUse();
        const int rounds = 50;
        for (int i = 0; i < rounds; ++i)
            round();
        const qint64 after = HeapUsage::inUse();
        qInfo("%d rounds of a page, a data counter dialog and a call timers dialog: heap in use %lld -> %lld bytes",
              rounds, before, after);
        QVERIFY2(after - before < 1024 * 1024, qPrintable(QString::number(after - before)));
    }
};

QTEST_MAIN(TestLifetimes)
#include "tst_lifetimes.moc"
