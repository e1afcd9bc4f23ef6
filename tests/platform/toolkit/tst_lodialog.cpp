#include "lobutton.h"
#include "lomessagebox.h"
#include "loscenemanager.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

class TestLoDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("accepted");
        QTest::newRow("yes") << "yes" << 1 << 1;
        QTest::newRow("no") << "no" << 0 << 0;
        QTest::newRow("accept()") << "accept" << 1 << 1;
        QTest::newRow("reject()") << "reject" << 0 << 0;
        QTest::newRow("closed as its owner goes") << "close" << 0 << 0;
        QTest::newRow("taken away by the host") << "disappear" << 0 << 0;
    }

    // A yes/no box shown to delete itself: listed while shown, closed once
    // however often it is closed (finished() once, accepted() from yes only),
    // then deleted.
    void closing()
    {
        QFETCH(QString, how);
        QFETCH(int, result);
        QFETCH(int, accepted);
        QPointer<LoMessageBox> box = new LoMessageBox(QStringLiteral("Reset"), QStringLiteral("Sure?"),
                                                      Lo::YesButton | Lo::NoButton);
        QSignalSpy finished(box.data(), &LoDialog::finished);
        QSignalSpy acceptedSpy(box.data(), &LoDialog::accepted);
        QSignalSpy rejected(box.data(), &LoDialog::rejected);
        box->appear(LoSceneWindow::DestroyWhenDone);
        QCOMPARE(LoSceneManager::instance()->windowsOfType<LoMessageBox>(), QList<LoMessageBox *>{box.data()});
        QVERIFY(box->isVisible());

        if (how == QLatin1String("yes") || how == QLatin1String("no"))
            box->button(how == QLatin1String("yes") ? Lo::YesButton : Lo::NoButton)->click();
        else
            QVERIFY(QMetaObject::invokeMethod(box, how.toLatin1().constData()));
        QVERIFY(!box->isVisible());
        QVERIFY(LoSceneManager::instance()->windows().isEmpty());
        QVERIFY(!box->close());
        box->accept();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), result);
        QCOMPARE(acceptedSpy.count(), accepted);
        const bool announced = how != QLatin1String("close") && how != QLatin1String("disappear");
        QCOMPARE(rejected.count(), int(announced && !accepted));
        QVERIFY(box);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(box.isNull());
    }
};

QTEST_MAIN(TestLoDialog)
#include "tst_lodialog.moc"
