#include "loprogressindicator.h"

#include <QGraphicsScene>
#include <QtTest>

class TestLoProgressIndicator : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void animatesOnlyWhileBusyAndVisible();
    void deletedWhileAnimating();
    void value_data();
    void value();
    void sizes();
};

void TestLoProgressIndicator::animatesOnlyWhileBusyAndVisible()
{
    auto *spinner = new LoProgressIndicator(nullptr, QString::fromLatin1(LoProgressIndicator::spinnerType));
    QCOMPARE(spinner->viewType(), QString::fromLatin1(LoProgressIndicator::spinnerType));
    QVERIFY(!spinner->unknownDuration());

    // Busy but in no scene: nothing to draw, no timer.
    spinner->setUnknownDuration(true);
    QVERIFY(spinner->unknownDuration());
    QVERIFY(!spinner->isAnimating());

    QGraphicsScene scene;
    scene.addItem(spinner);
    QVERIFY(spinner->isAnimating());
    const int start = spinner->animationPhase();
    QTRY_VERIFY(spinner->animationPhase() != start);

    spinner->setVisible(false);
    QVERIFY(!spinner->isAnimating());
    const int frozen = spinner->animationPhase();
    QTest::qWait(150);
    QCOMPARE(spinner->animationPhase(), frozen);

    spinner->setVisible(true);
    QVERIFY(spinner->isAnimating());
    QTRY_VERIFY(spinner->animationPhase() != frozen);

    spinner->setUnknownDuration(false);
    QVERIFY(!spinner->isAnimating());

    // Busy while hidden: starts when shown.
    spinner->setVisible(false);
    spinner->setUnknownDuration(true);
    QVERIFY(!spinner->isAnimating());
    spinner->setVisible(true);
    QVERIFY(spinner->isAnimating());

    scene.removeItem(spinner);
    QVERIFY(!spinner->isAnimating());
    delete spinner;
}

void TestLoProgressIndicator::deletedWhileAnimating()
{
    QGraphicsScene scene;
    auto *spinner = new LoProgressIndicator(nullptr, QString::fromLatin1(LoProgressIndicator::spinnerType));
    scene.addItem(spinner);
    spinner->setUnknownDuration(true);
    QTest::qWait(60);
    delete spinner;
    // The timer went with it (the sanitizer build checks the frames that follow).
    QTest::qWait(60);
}

void TestLoProgressIndicator::value_data()
{
    QTest::addColumn<int>("given");
    QTest::addColumn<int>("expected");
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("middle") << 42 << 42;
    QTest::newRow("full") << 100 << 100;
    QTest::newRow("negative") << -5 << 0;
    QTest::newRow("too large") << 250 << 100;
}

void TestLoProgressIndicator::value()
{
    QFETCH(int, given);
    QFETCH(int, expected);
    LoProgressIndicator bar(nullptr, QString::fromLatin1(LoProgressIndicator::barType));
    bar.setValue(given);
    QCOMPARE(bar.value(), expected);
}

void TestLoProgressIndicator::sizes()
{
    LoProgressIndicator spinner(nullptr, QString::fromLatin1(LoProgressIndicator::spinnerType));
    spinner.setStyleName(QStringLiteral("CommonListItemSpinnerInverted"));
    const QSizeF s = spinner.effectiveSizeHint(Qt::PreferredSize);
    QCOMPARE(s.width(), s.height());
    QVERIFY(s.width() >= 32);

    LoProgressIndicator bar(nullptr, QString::fromLatin1(LoProgressIndicator::barType));
    const QSizeF b = bar.effectiveSizeHint(Qt::PreferredSize);
    QVERIFY(b.width() > 4 * b.height());
}

QTEST_MAIN(TestLoProgressIndicator)
#include "tst_loprogressindicator.moc"
