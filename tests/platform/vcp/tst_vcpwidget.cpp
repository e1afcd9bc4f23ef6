#include "vcpwidget.h"

#include <QMetaMethod>
#include <QTest>

namespace
{
// A page as a host sees it: it may refuse to be left.
class StayingPage : public VcpWidget
{
public:
    bool back() override
    {
        ++backCalls;
        return false;
    }
    QString title() const override { return QStringLiteral("staying"); }

    int backCalls = 0;
};
} // namespace

class TestVcpWidget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void slotsInHostOrder();
    void defaults();
    void refererIsKept();
    void hostReachesOverrides_data();
    void hostReachesOverrides();
};

void TestVcpWidget::slotsInHostOrder()
{
    const QMetaObject &mo = VcpWidget::staticMetaObject;
    QCOMPARE(mo.className(), "VcpWidget");
    QCOMPARE(mo.superClass(), &LoWidget::staticMetaObject);

    QStringList slotSignatures;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
        const QMetaMethod method = mo.method(i);
        if (method.methodType() == QMetaMethod::Slot) {
            QCOMPARE(method.access(), QMetaMethod::Public);
            slotSignatures << QString::fromLatin1(method.methodSignature());
        }
    }
    const QStringList expected{QStringLiteral("setReferer(int)"), QStringLiteral("back()"),
                               QStringLiteral("pagePans()"), QStringLiteral("title()")};
    QCOMPARE(slotSignatures, expected);
    QCOMPARE(mo.method(mo.indexOfMethod("back()")).typeName(), "bool");
    QCOMPARE(mo.method(mo.indexOfMethod("title()")).typeName(), "QString");
}

void TestVcpWidget::defaults()
{
    VcpWidget page;
    QVERIFY(page.back());
    QVERIFY(page.pagePans());
    QVERIFY(page.title().isEmpty());
    QCOMPARE(page.referer(), -1);
}

void TestVcpWidget::refererIsKept()
{
    VcpWidget page;
    QVERIFY(QMetaObject::invokeMethod(&page, "setReferer", Q_ARG(int, 7)));
    QCOMPARE(page.referer(), 7);
}

void TestVcpWidget::hostReachesOverrides_data()
{
    QTest::addColumn<bool>("throughMetaObject");
    QTest::newRow("virtual call") << false;
    QTest::newRow("slot invocation") << true;
}

void TestVcpWidget::hostReachesOverrides()
{
    QFETCH(bool, throughMetaObject);
    StayingPage staying;
    VcpWidget *page = &staying;
    bool left = true;
    QString title;
    if (throughMetaObject) {
        QVERIFY(QMetaObject::invokeMethod(page, "back", Q_RETURN_ARG(bool, left)));
        QVERIFY(QMetaObject::invokeMethod(page, "title", Q_RETURN_ARG(QString, title)));
    } else {
        left = page->back();
        title = page->title();
    }
    QVERIFY(!left);
    QCOMPARE(staying.backCalls, 1);
    QCOMPARE(title, QStringLiteral("staying"));
}

QTEST_MAIN(TestVcpWidget)
#include "tst_vcpwidget.moc"
