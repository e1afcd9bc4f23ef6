#include "testscene.h"
#include "lobutton.h"
#include "lolabel.h"
#include "lomessagebox.h"
#include "loscenemanager.h"

#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

class TestLoMessageBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();

    void buttonValuesAreQts();
    void buttonsFromFlags_data();
    void buttonsFromFlags();
    void titleAndText();
    void acceptedFromYesOnly_data();
    void acceptedFromYesOnly();
    void shownBoxIsFoundAndAnswered();
    void openBoxClosedWhenOwnerGoes();
    void answeredBoxIgnoresLateClose();
    void rendersPanelWithTexts();
};

void TestLoMessageBox::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(LoSceneManager::instance()->windows().count(), 0);
    LoSceneManager::instance()->setScene(nullptr);
}

void TestLoMessageBox::buttonValuesAreQts()
{
    QCOMPARE(int(Lo::YesButton), int(QMessageBox::Yes));
    QCOMPARE(int(Lo::NoButton), int(QMessageBox::No));
    QCOMPARE(int(Lo::OkButton), int(QMessageBox::Ok));
    QCOMPARE(int(Lo::CancelButton), int(QMessageBox::Cancel));
    QCOMPARE(int(Lo::SaveButton), int(QMessageBox::Save));
    QCOMPARE(int(Lo::YesButton | Lo::NoButton), 81920);
}

void TestLoMessageBox::buttonsFromFlags_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QList<int>>("present");
    QTest::newRow("yes and no (81920)") << 81920 << QList<int>{Lo::YesButton, Lo::NoButton};
    QTest::newRow("ok") << int(Lo::OkButton) << QList<int>{Lo::OkButton};
    QTest::newRow("none") << 0 << QList<int>{};
    QTest::newRow("unknown bits ignored") << int(Lo::OkButton | 0x1) << QList<int>{Lo::OkButton};
}

void TestLoMessageBox::buttonsFromFlags()
{
    QFETCH(int, flags);
    QFETCH(QList<int>, present);
    LoMessageBox box(QStringLiteral("Title"), QStringLiteral("Text"), Lo::StandardButtons(flags));
    Lo::StandardButtons expected;
    for (int which : qAsConst(present))
        expected |= Lo::StandardButton(which);
    QCOMPARE(box.standardButtons(), expected);
    const QList<Lo::StandardButton> all{Lo::OkButton, Lo::SaveButton, Lo::YesButton, Lo::NoButton,
                                        Lo::CancelButton};
    for (Lo::StandardButton which : all)
        QCOMPARE(box.button(which) != nullptr, present.contains(which));
}

void TestLoMessageBox::titleAndText()
{
    LoMessageBox box(QStringLiteral("Reset"), QStringLiteral("Reset the counters?"), Lo::YesButton | Lo::NoButton);
    QCOMPARE(box.title(), QStringLiteral("Reset"));
    QCOMPARE(box.text(), QStringLiteral("Reset the counters?"));
    auto *label = qobject_cast<LoLabel *>(box.centralWidget());
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("Reset the counters?"));
    QVERIFY(label->wordWrap());
    box.setText(QStringLiteral("Clear the timers?"));
    QCOMPARE(label->text(), QStringLiteral("Clear the timers?"));

    // Replacing the content leaves no dangling text.
    box.setCentralWidget(new QGraphicsWidget);
    QCOMPARE(box.text(), QString());
    box.setText(QStringLiteral("ignored"));
}

void TestLoMessageBox::acceptedFromYesOnly_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("pressed");
    QTest::addColumn<int>("accepted");
    QTest::addColumn<int>("result");
    QTest::newRow("yes") << int(Lo::YesButton | Lo::NoButton) << int(Lo::YesButton) << 1 << 1;
    QTest::newRow("no") << int(Lo::YesButton | Lo::NoButton) << int(Lo::NoButton) << 0 << 0;
    QTest::newRow("ok notice") << int(Lo::OkButton) << int(Lo::OkButton) << 1 << 1;
    QTest::newRow("cancel") << int(Lo::OkButton | Lo::CancelButton) << int(Lo::CancelButton) << 0 << 0;
}

void TestLoMessageBox::acceptedFromYesOnly()
{
    QFETCH(int, buttons);
    QFETCH(int, pressed);
    QFETCH(int, accepted);
    QFETCH(int, result);
    LoMessageBox box(QStringLiteral("Reset"), QStringLiteral("Sure?"), Lo::StandardButtons(buttons));
    box.appear();
    QSignalSpy acceptedSpy(&box, &LoDialog::accepted);
    QSignalSpy finished(&box, &LoDialog::finished);
    box.button(Lo::StandardButton(pressed))->click();
    QCOMPARE(acceptedSpy.count(), accepted);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), result);
    QCOMPARE(int(box.clickedButton()), pressed);
}

void TestLoMessageBox::shownBoxIsFoundAndAnswered()
{
    QObject receiver;
    int resets = 0;
    QPointer<LoMessageBox> box = new LoMessageBox(QStringLiteral("Reset"), QStringLiteral("Sure?"),
                                                  Lo::StandardButtons(81920));
    connect(box.data(), &LoDialog::accepted, &receiver, [&] { ++resets; });
    box->appear(LoSceneWindow::DestroyWhenDone);

    // As a test of a page finds it: the last shown box.
    const QList<LoMessageBox *> shown = LoSceneManager::instance()->windowsOfType<LoMessageBox>();
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shown.first(), box.data());
    shown.first()->button(Lo::YesButton)->click();
    QCOMPARE(resets, 1);
    QVERIFY(LoSceneManager::instance()->windowsOfType<LoMessageBox>().isEmpty());
    QTRY_VERIFY(box.isNull());
}

void TestLoMessageBox::openBoxClosedWhenOwnerGoes()
{
    auto *owner = new QObject;
    QPointer<LoMessageBox> box = new LoMessageBox(QStringLiteral("Reset"), QStringLiteral("Sure?"),
                                                  Lo::YesButton | Lo::NoButton);
    QSignalSpy accepted(box.data(), &LoDialog::accepted);
    QSignalSpy finished(box.data(), &LoDialog::finished);
    connect(owner, SIGNAL(destroyed(QObject*)), box.data(), SLOT(close()), Qt::QueuedConnection);
    box->appear(LoSceneWindow::DestroyWhenDone);
    delete owner;
    QVERIFY(box);
    QCOMPARE(finished.count(), 0);
    QTRY_VERIFY(box.isNull());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 0);
    QCOMPARE(accepted.count(), 0);
}

void TestLoMessageBox::answeredBoxIgnoresLateClose()
{
    auto *owner = new QObject;
    QPointer<LoMessageBox> box = new LoMessageBox(QStringLiteral("Reset"), QStringLiteral("Sure?"),
                                                  Lo::YesButton | Lo::NoButton);
    connect(owner, SIGNAL(destroyed(QObject*)), box.data(), SLOT(close()), Qt::QueuedConnection);
    QSignalSpy finished(box.data(), &LoDialog::finished);
    box->appear(LoSceneWindow::DestroyWhenDone);
    box->button(Lo::NoButton)->click();
    // The owner goes while the answered box waits for its deletion.
    delete owner;
    QTRY_VERIFY(box.isNull());
    QCOMPARE(finished.count(), 1);
}

void TestLoMessageBox::rendersPanelWithTexts()
{
    QGraphicsScene scene(0, 0, 480, 854);
    scene.setBackgroundBrush(Qt::white);
    LoSceneManager::instance()->setScene(&scene);
    LoMessageBox box(QStringLiteral("Reset"), QStringLiteral("Reset the data counters?"),
                     Lo::YesButton | Lo::NoButton);
    box.appear();
    box.layout()->activate();

    QImage image(480, 854, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        scene.render(&painter);
    }
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tst_lomessagebox.png"));
    image.save(path);

    // The page behind is dimmed, not hidden.
    const QColor corner = image.pixelColor(2, 2);
    QVERIFY(corner.lightness() > 60 && corner.lightness() < 200);
    // The panel is dark with light text and button faces on it.
    QGraphicsWidget *panel = ItemFinder::find<QGraphicsWidget>(&box, QStringLiteral("dialogPanel"));
    const QRect panelRect = panel->mapRectToScene(panel->rect()).toRect();
    QVERIFY(panelRect.width() > 300);
    int light = 0;
    int dark = 0;
    for (int y = panelRect.top() + 2; y < panelRect.bottom() - 2; ++y) {
        for (int x = panelRect.left() + 2; x < panelRect.right() - 2; ++x) {
            const int gray = qGray(image.pixel(x, y));
            if (gray > 180)
                ++light;
            else if (gray < 80)
                ++dark;
        }
    }
    QVERIFY2(dark > light && light > 200, qPrintable(QStringLiteral("%1 light, %2 dark").arg(light).arg(dark)));
    box.close();
}

QTEST_MAIN(TestLoMessageBox)
#include "tst_lomessagebox.moc"
