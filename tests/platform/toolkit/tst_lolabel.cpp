#include "lolabel.h"
#include "lolayout.h"
#include "lolinearlayoutpolicy.h"

#include <QtTest>

class TestLoLabel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaults();
    void settersKeepValues();
    void sizeFollowsText_data();
    void sizeFollowsText();
    void wrappingTradesWidthForHeight();
    void wrapsInsideLayout();
    void elidingShrinksMinimumWidth();
    void styleChangesSize();
    void layoutFollowsNewText_data();
    void layoutFollowsNewText();
};

void TestLoLabel::defaults()
{
    LoLabel label;
    QVERIFY(label.text().isEmpty());
    QCOMPARE(label.alignment(), Qt::AlignLeft | Qt::AlignVCenter);
    QVERIFY(!label.wordWrap());
    QVERIFY(!label.textElide());
    QVERIFY(label.model());

    LoLabel withText(QStringLiteral("Sent"));
    QCOMPARE(withText.text(), QStringLiteral("Sent"));
}

void TestLoLabel::settersKeepValues()
{
    LoLabel label;
    label.setText(QStringLiteral("Last reset"));
    label.setAlignment(Qt::AlignRight);
    label.setWordWrap(true);
    label.setWrapMode(QTextOption::WrapAnywhere);
    label.setTextElide(true);
    QCOMPARE(label.text(), QStringLiteral("Last reset"));
    QCOMPARE(label.alignment(), Qt::Alignment(Qt::AlignRight));
    QVERIFY(label.wordWrap());
    QCOMPARE(label.wrapMode(), QTextOption::WrapAnywhere);
    QVERIFY(label.textElide());
    // A wrapping label's height depends on its width.
    QVERIFY(label.sizePolicy().hasHeightForWidth());
    label.setWordWrap(false);
    QVERIFY(!label.sizePolicy().hasHeightForWidth());
}

void TestLoLabel::sizeFollowsText_data()
{
    QTest::addColumn<QString>("shorter");
    QTest::addColumn<QString>("longer");
    QTest::addColumn<bool>("taller");
    QTest::newRow("latin") << QStringLiteral("Sent") << QStringLiteral("Sent and received") << false;
    QTest::newRow("arabic") << QStringLiteral("مرسل") << QStringLiteral("مرسل ومستلم البيانات") << false;
    QTest::newRow("two lines") << QStringLiteral("Sent") << QStringLiteral("Sent\nReceived") << true;
}

void TestLoLabel::sizeFollowsText()
{
    QFETCH(QString, shorter);
    QFETCH(QString, longer);
    QFETCH(bool, taller);
    LoLabel a(shorter);
    LoLabel b(longer);
    const QSizeF sa = a.effectiveSizeHint(Qt::PreferredSize);
    const QSizeF sb = b.effectiveSizeHint(Qt::PreferredSize);
    QVERIFY(sa.width() > 0);
    QVERIFY(sa.height() > 10);
    if (taller) {
        QVERIFY(sb.height() > sa.height() * 1.5);
    } else {
        QVERIFY(sb.width() > sa.width());
        QCOMPARE(sb.height(), sa.height());
    }
}

void TestLoLabel::wrappingTradesWidthForHeight()
{
    const QString text = QStringLiteral("The warning is shown when the amount of data passes the limit");
    LoLabel label(text);
    const QSizeF oneLine = label.effectiveSizeHint(Qt::PreferredSize);
    label.setWordWrap(true);
    const QSizeF narrow = label.effectiveSizeHint(Qt::PreferredSize, QSizeF(150, -1));
    QVERIFY(narrow.height() >= 3 * oneLine.height());
    QVERIFY(narrow.width() <= 150);
    const QSizeF wide = label.effectiveSizeHint(Qt::PreferredSize, QSizeF(2000, -1));
    QCOMPARE(wide.height(), oneLine.height());
}

void TestLoLabel::wrapsInsideLayout()
{
    // A wrapping title in a narrow column takes the lines it needs, as a wrapped
    // single-title row does.
    QGraphicsWidget panel;
    auto *layout = new LoLayout(&panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *policy = new LoLinearLayoutPolicy(layout, Qt::Vertical);
    auto *label = new LoLabel(QStringLiteral("Warn me when the data sent and received passes the limit"), &panel);
    label->setWordWrap(true);
    policy->addItem(label);
    const qreal oneLine = LoLabel(QStringLiteral("Warn")).effectiveSizeHint(Qt::PreferredSize).height();

    panel.setMinimumSize(0, 0);
    panel.setMaximumSize(160, 2000);
    panel.resize(160, panel.effectiveSizeHint(Qt::PreferredSize, QSizeF(160, -1)).height());
    layout->activate();
    QCOMPARE(label->geometry().width(), 160.0);
    QVERIFY2(label->geometry().height() >= 3 * oneLine, qPrintable(QString::number(label->geometry().height())));
}

void TestLoLabel::elidingShrinksMinimumWidth()
{
    const QString text = QStringLiteral("A title far too long for the row it stands in");
    LoLabel label(text);
    const qreal full = label.effectiveSizeHint(Qt::MinimumSize).width();
    label.setTextElide(true);
    const qreal elided = label.effectiveSizeHint(Qt::MinimumSize).width();
    QVERIFY(elided < full / 4);
    QCOMPARE(label.effectiveSizeHint(Qt::PreferredSize).width(), full);
}

void TestLoLabel::layoutFollowsNewText_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("longer") << QStringLiteral("1.0 MB") << QStringLiteral("1,000.0 MB");
    QTest::newRow("as many letters, wider") << QStringLiteral("iiiiii") << QStringLiteral("MMMMMM");
    QTest::newRow("as many letters, narrower") << QStringLiteral("MMMMMM") << QStringLiteral("iiiiii");
    QTest::newRow("same width") << QStringLiteral("123.4 MB") << QStringLiteral("123.5 MB");
    QTest::newRow("emptied") << QStringLiteral("123.4 MB") << QString();
}

// A label in a layout takes the width of its new text once the layout is done
// again, also when only the letters changed.
void TestLoLabel::layoutFollowsNewText()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QGraphicsWidget panel;
    auto *layout = new LoLayout(&panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *policy = new LoLinearLayoutPolicy(layout, Qt::Horizontal);
    auto *label = new LoLabel(before, &panel);
    policy->addItem(label);
    policy->addItem(new LoLabel(QStringLiteral("right"), &panel));
    panel.resize(panel.effectiveSizeHint(Qt::PreferredSize));
    layout->activate();

    label->setText(after);
    panel.resize(panel.effectiveSizeHint(Qt::PreferredSize));
    layout->activate();
    QCOMPARE(label->geometry().width(), LoLabel(after).effectiveSizeHint(Qt::PreferredSize).width());
    QCOMPARE(label->text(), after);
}

void TestLoLabel::styleChangesSize()
{
    LoLabel label(QStringLiteral("Data counters"));
    label.setStyleName(QStringLiteral("CommonSubTitleInverted"));
    const QSizeF small = label.effectiveSizeHint(Qt::PreferredSize);
    label.setStyleName(QStringLiteral("CommonHeaderInverted"));
    const QSizeF large = label.effectiveSizeHint(Qt::PreferredSize);
    QVERIFY(large.width() > small.width());
    QVERIFY(large.height() > small.height());

    // An empty spacer label takes its style's height.
    LoLabel spacer;
    spacer.setStyleName(QStringLiteral("CommonSpacer"));
    QCOMPARE(spacer.effectiveSizeHint(Qt::PreferredSize).height(), 16.0);
}

QTEST_MAIN(TestLoLabel)
#include "tst_lolabel.moc"
