#include "lobutton.h"
#include "lobuttonmodel.h"
#include "lohelpbutton.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Records the signals of a button in the order they come.
struct SignalLog {
    explicit SignalLog(LoButton *button)
    {
        QObject::connect(button, &LoButton::toggled, button, [this](bool on) {
            entries << (on ? QStringLiteral("toggled(true)") : QStringLiteral("toggled(false)"));
        });
        QObject::connect(button, &LoButton::clicked, button, [this] { entries << QStringLiteral("clicked"); });
    }
    QStringList entries;
};

} // namespace

class TestLoButton : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void tap_data();
    void tap();
    void pressReleasedOutsideIsNoTap();
    void disabledIgnoresTaps();
    void setCheckedSignalsOnlyChanges();
    void uncheckableIsNeverChecked();
    void deletedFromToggledSlot();
    void modelAndDefaults();
    void helpButton();

private:
    QPoint viewPoint(const QGraphicsWidget *item, const QPointF &local) const;

    QGraphicsScene *m_scene = nullptr;
    QGraphicsView *m_view = nullptr;
};

void TestLoButton::init()
{
    m_scene = new QGraphicsScene;
    m_view = new QGraphicsView(m_scene);
    m_view->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_view->resize(400, 300);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
}

void TestLoButton::cleanup()
{
    delete m_view;
    delete m_scene;
}

QPoint TestLoButton::viewPoint(const QGraphicsWidget *item, const QPointF &local) const
{
    return m_view->mapFromScene(item->mapToScene(local));
}

void TestLoButton::tap_data()
{
    QTest::addColumn<QString>("viewType");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("checkedBefore");
    QTest::addColumn<bool>("byMouse");
    QTest::addColumn<QStringList>("expected");

    const QString sw = QString::fromLatin1(LoButton::switchType);
    const QString plain = QString::fromLatin1(LoButton::defaultType);
    const QStringList on{QStringLiteral("toggled(true)"), QStringLiteral("clicked")};
    const QStringList off{QStringLiteral("toggled(false)"), QStringLiteral("clicked")};
    const QStringList clickOnly{QStringLiteral("clicked")};
    QTest::newRow("switch off, finger") << sw << true << false << true << on;
    QTest::newRow("switch on, finger") << sw << true << true << true << off;
    QTest::newRow("switch off, click()") << sw << true << false << false << on;
    QTest::newRow("switch on, click()") << sw << true << true << false << off;
    QTest::newRow("push button, finger") << plain << false << false << true << clickOnly;
    QTest::newRow("push button, click()") << plain << false << false << false << clickOnly;
    QTest::newRow("toggle button, finger") << plain << true << false << true << on;
}

void TestLoButton::tap()
{
    QFETCH(QString, viewType);
    QFETCH(bool, checkable);
    QFETCH(bool, checkedBefore);
    QFETCH(bool, byMouse);
    QFETCH(QStringList, expected);

    auto *button = new LoButton(QStringLiteral("Reset"));
    button->setViewType(viewType);
    button->setCheckable(checkable);
    button->setChecked(checkedBefore);
    m_scene->addItem(button);
    button->setGeometry(QRectF(QPointF(20, 20), button->effectiveSizeHint(Qt::PreferredSize)));
    SignalLog log(button);

    if (byMouse)
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, viewPoint(button, button->rect().center()));
    else
        button->click();

    QCOMPARE(log.entries, expected);
    QCOMPARE(button->isChecked(), checkable && !checkedBefore);
    QVERIFY(!button->isDown());
}

void TestLoButton::pressReleasedOutsideIsNoTap()
{
    auto *button = new LoButton(QStringLiteral("Reset"));
    button->setViewType(QString::fromLatin1(LoButton::switchType));
    button->setCheckable(true);
    m_scene->addItem(button);
    button->setGeometry(QRectF(20, 20, 80, 40));
    SignalLog log(button);

    QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, viewPoint(button, QPointF(40, 20)));
    QVERIFY(button->isDown());
    QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, viewPoint(button, QPointF(200, 150)));
    QVERIFY(log.entries.isEmpty());
    QVERIFY(!button->isChecked());
    QVERIFY(!button->isDown());
}

void TestLoButton::disabledIgnoresTaps()
{
    auto *button = new LoButton(QStringLiteral("Reset"));
    button->setCheckable(true);
    button->setEnabled(false);
    m_scene->addItem(button);
    button->setGeometry(QRectF(20, 20, 120, 50));
    SignalLog log(button);
    button->click();
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, viewPoint(button, QPointF(60, 25)));
    QVERIFY(log.entries.isEmpty());
    QVERIFY(!button->isChecked());
}

void TestLoButton::setCheckedSignalsOnlyChanges()
{
    LoButton button;
    button.setCheckable(true);
    SignalLog log(&button);
    button.setChecked(false);
    QVERIFY(log.entries.isEmpty());
    button.setChecked(true);
    button.setChecked(true);
    QCOMPARE(log.entries, QStringList{QStringLiteral("toggled(true)")});

    // A program's change with signals blocked is silent but takes effect.
    button.blockSignals(true);
    button.setChecked(false);
    button.blockSignals(false);
    QVERIFY(!button.isChecked());
    QCOMPARE(log.entries.size(), 1);
}

void TestLoButton::uncheckableIsNeverChecked()
{
    LoButton button;
    QSignalSpy toggled(&button, &LoButton::toggled);
    button.setChecked(true);
    QVERIFY(!button.isChecked());
    QCOMPARE(toggled.count(), 0);

    button.setCheckable(true);
    button.setChecked(true);
    QCOMPARE(toggled.count(), 1);
    // Leaving the checkable state unchecks, and says so.
    button.setCheckable(false);
    QVERIFY(!button.isChecked());
    QCOMPARE(toggled.count(), 2);
    QCOMPARE(toggled.last().first().toBool(), false);
}

void TestLoButton::deletedFromToggledSlot()
{
    QPointer<LoButton> button = new LoButton;
    button->setCheckable(true);
    bool clicked = false;
    connect(button.data(), &LoButton::toggled, this, [&button] { delete button.data(); });
    connect(button.data(), &LoButton::clicked, this, [&clicked] { clicked = true; });
    button->click();
    QVERIFY(button.isNull());
    QVERIFY(!clicked);
}

void TestLoButton::modelAndDefaults()
{
    LoButton plain;
    QVERIFY(qobject_cast<LoButtonModel *>(plain.model()));
    QCOMPARE(plain.viewType(), QString::fromLatin1(LoButton::defaultType));
    QVERIFY(!plain.isCheckable());

    auto *model = new LoButtonModel;
    LoButton withModel(nullptr, model);
    QCOMPARE(withModel.model(), model);

    LoButton texts(QStringLiteral("One"));
    QCOMPARE(texts.text(), QStringLiteral("One"));
    const qreal shortWidth = texts.effectiveSizeHint(Qt::PreferredSize).width();
    texts.setText(QStringLiteral("One two three four"));
    QVERIFY(texts.effectiveSizeHint(Qt::PreferredSize).width() > shortWidth);
    texts.setIconID(QStringLiteral("icon-m-reset"));
    QCOMPARE(texts.iconID(), QStringLiteral("icon-m-reset"));

    // The switch's size is the theme's, whatever its text.
    LoButton sw;
    sw.setViewType(QString::fromLatin1(LoButton::switchType));
    sw.setStyleName(QStringLiteral("CommonRightSwitchInverted"));
    const QSizeF switchSize = sw.effectiveSizeHint(Qt::PreferredSize);
    QVERIFY(switchSize.width() > switchSize.height());
    QVERIFY(switchSize.height() >= 30);
}

void TestLoButton::helpButton()
{
    auto *help = new LoHelpButton(QStringLiteral("CTX_PAGE.html"));
    m_scene->addItem(help);
    help->setGeometry(QRectF(QPointF(10, 10), help->effectiveSizeHint(Qt::PreferredSize)));
    QCOMPARE(help->pageID(), QStringLiteral("CTX_PAGE.html"));
    QCOMPARE(help->viewType(), QString::fromLatin1(LoButton::iconType));
    QSignalSpy requested(help, &LoHelpButton::helpPageRequested);

    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, viewPoint(help, help->rect().center()));
    QCOMPARE(requested.count(), 1);
    QCOMPARE(requested.first().first().toString(), QStringLiteral("CTX_PAGE.html"));

    help->setPageID(QStringLiteral("OTHER.html"));
    help->click();
    QCOMPARE(requested.count(), 2);
    QCOMPARE(requested.last().first().toString(), QStringLiteral("OTHER.html"));

    help->setPageID(QString());
    help->click();
    QCOMPARE(requested.count(), 2);
}

QTEST_MAIN(TestLoButton)
#include "tst_lobutton.moc"
