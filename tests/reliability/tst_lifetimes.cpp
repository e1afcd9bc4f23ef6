// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// Objects that go away while work for them is still pending: a build timer, a
// confirmation box, a field being edited, store notifications on their way.
// Run under the sanitizer build and under valgrind (scripts/memcheck) as well.
#include "calltimersdialog.h"
#include "datacounterdialog.h"
#include "datacounterwidget.h"
#include "heapusage.h"
#include "storagekeys.h"
#include "testscene.h"
#include "teststore.h"

#include <lobutton.h>
#include <loinputmethodstate.h>
#include <lomessagebox.h>
#include <loscenemanager.h>
#include <lotextedit.h>

#include <QLoggingCategory>
#include <QPointer>
#include <QtTest>

using namespace StorageKeys;

class TestLifetimes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    }

    void cleanup()
    {
        qDeleteAll(LoSceneManager::instance()->windowsOfType<LoMessageBox>());
        LoInputMethodState::instance()->setInputMethodArea(QRect());
        QCoreApplication::processEvents();
    }

    void pageGoneBeforeItsTimer()
    {
        QLoggingCategory::setFilterRules(QString());
        static int builds = 0;
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &line) {
            builds += line.contains(QLatin1String("initWidget")) ? 1 : 0;
        });
        delete new DataCounterWidget(true);
        QTest::qWait(1700);
        qInstallMessageHandler(previous);
        QCOMPARE(builds, 0);
    }

    // Both boxes of a page stay answerable after the page is gone, and answer nobody.
    void sectionGoneWhileBoxShown_data()
    {
        QTest::addColumn<bool>("answerAtOnce");
        QTest::newRow("answered at once") << true;
        QTest::newRow("answered after the loop turned") << false;
    }

    void sectionGoneWhileBoxShown()
    {
        QFETCH(bool, answerAtOnce);
        QVERIFY(ExternalStore::setString(path(GprsHomeTxBytes), QStringLiteral("5000000")));
        auto *page = new DataCounterWidget(true);
        page->announceDisplayEntered();
        ItemFinder::find<LoButton>(page, QStringLiteral("resetButton_0"))->click();
        ItemFinder::find<LoButton>(page, QStringLiteral("timersResetBtn"))->click();
        const QList<LoMessageBox *> shown = LoSceneManager::instance()->windowsOfType<LoMessageBox>();
        QCOMPARE(shown.size(), 2);
        const QPointer<LoMessageBox> boxes[] = {shown.at(0), shown.at(1)};
        delete page;
        if (!answerAtOnce)
            QCoreApplication::processEvents(); // the boxes close once their sections are gone
        for (const QPointer<LoMessageBox> &box : boxes) {
            QVERIFY(answerAtOnce || !box || !box->isAppeared());
            if (box && box->isAppeared())
                box->button(Lo::YesButton)->click();
        }
        QTest::qWait(50);
        QVERIFY(StoreSync::flush());
        QCOMPARE(ExternalStore::get(path(GprsHomeTxBytes)), QStringLiteral("5000000"));
    }

    // Closing the dialog commits the field, even when the keyboard closes after the dialog went.
    void dialogClosedWhileEditing_data()
    {
        QTest::addColumn<bool>("close");
        QTest::newRow("closed, then deleted") << true;
        QTest::newRow("deleted while shown") << false;
    }

    void dialogClosedWhileEditing()
    {
        QFETCH(bool, close);
        auto *dialog = new DataCounterDialog;
        dialog->appear();
        auto *page = static_cast<DataCounterWidget *>(dialog->centralWidget());
        page->announceDisplayEntered();
        LoTextEdit *field = ItemFinder::find<LoTextEdit>(page, QStringLiteral("warningPeriodIput_0"));
        field->setFocus();
        LoInputMethodState::instance()->setInputMethodArea(QRect(0, 500, 480, 354));
        field->setText(QString()); // left empty: committing brings the default limit back
        if (close)
            dialog->close();
        delete dialog;
        LoInputMethodState::instance()->setInputMethodArea(QRect());
        QCoreApplication::processEvents();
        QVERIFY(StoreSync::flush());
        if (close)
            QCOMPARE(ExternalStore::get(path(GprsHomeUiNotificationPeriod)), QStringLiteral("1000000000"));
    }

    void pageGoneWithNotificationsQueued()
    {
        auto *page = new DataCounterWidget(true);
        page->announceDisplayEntered();
        StoreWriterProcess writer;
        QVERIFY(writer.send(QStringLiteral("burst %1 500 1").arg(path(GprsHomeRxBytes))));
        QVERIFY(writer.send(QStringLiteral("set /cellular/calltimers/dialled string 61")));
        QTest::qWait(20);
        delete page;
        QVERIFY(writer.waitForAnswer());
        QVERIFY(writer.waitForAnswer());
        QVERIFY(StoreSync::flush());
    }

    void createDestroyLoop()
    {
        qint64 before = 0;
        for (int round = 0; round < 55; ++round) {
            if (round == 5)
                before = HeapUsage::inUse(); // once the caches are filled
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
        }
        const qint64 growth = HeapUsage::inUse() - before;
        QVERIFY2(growth < 1024 * 1024, qPrintable(QString::number(growth)));
    }
};

QTEST_MAIN(TestLifetimes)
#include "tst_lifetimes.moc"
