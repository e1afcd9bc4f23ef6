#include "testscene.h"
#include "loinputmethodstate.h"
#include "lotextedit.h"

#include <QSignalSpy>
#include <QtTest>

class TestLoInputMethodState : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();

    void oneInstance();
    void extensionIdsAreUniqueAndNeverReused();
    void attributesReadBack_data();
    void attributesReadBack();
    void attributeChangeSignalsOnlyOnChange();
    void attributesAreKeptApart();
    void unknownExtensionIgnored();
    void unregisterForgetsAttributes();
    void areaChanges_data();
    void areaChanges();
    void closePanelReportsNullOnce();
    void closePanelTakesFocusFromField();
    void activeExtensionFollowsFocus();
    void unregisteringActiveExtension();
};

void TestLoInputMethodState::init()
{
    LoInputMethodState::instance()->setInputMethodArea(QRect());
}

void TestLoInputMethodState::oneInstance()
{
    QVERIFY(LoInputMethodState::instance());
    QCOMPARE(LoInputMethodState::instance(), LoInputMethodState::instance());
}

void TestLoInputMethodState::extensionIdsAreUniqueAndNeverReused()
{
    LoInputMethodState *state = LoInputMethodState::instance();
    const int a = state->registerAttributeExtension();
    const int b = state->registerAttributeExtension(QStringLiteral("/usr/share/toolbars/done.xml"));
    QVERIFY(a >= 1);
    QVERIFY(b > a);
    QVERIFY(state->hasAttributeExtension(a));
    QCOMPARE(state->attributeExtensionFile(b), QStringLiteral("/usr/share/toolbars/done.xml"));
    QCOMPARE(state->attributeExtensionFile(a), QString());

    state->unregisterAttributeExtension(b);
    QVERIFY(!state->hasAttributeExtension(b));
    const int c = state->registerAttributeExtension();
    QVERIFY(c > b);
    QVERIFY(state->hasAttributeExtension(a));
}

void TestLoInputMethodState::attributesReadBack_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("label") << QStringLiteral("label") << QVariant(QStringLiteral("Done"));
    QTest::newRow("empty icon") << QStringLiteral("icon") << QVariant(QString(""));
    QTest::newRow("highlighted") << QStringLiteral("highlighted") << QVariant(true);
    QTest::newRow("disabled") << QStringLiteral("enabled") << QVariant(false);
}

void TestLoInputMethodState::attributesReadBack()
{
    QFETCH(QString, attribute);
    QFETCH(QVariant, value);
    LoInputMethodState *state = LoInputMethodState::instance();
    const int id = state->registerAttributeExtension();
    const QString keys = QStringLiteral("/keys");
    const QString action = QStringLiteral("actionKey");

    QVERIFY(!state->extendedAttribute(id, keys, action, attribute).isValid());
    QSignalSpy changed(state, &LoInputMethodState::extendedAttributeChanged);
    state->setExtendedAttribute(id, keys, action, attribute, value);

    const QVariant back = state->extendedAttribute(id, keys, action, attribute);
    QVERIFY(back.isValid());
    QCOMPARE(back.type(), value.type());
    QCOMPARE(back, value);
    QCOMPARE(changed.count(), 1);
    const QList<QVariant> args = changed.takeFirst();
    QCOMPARE(args.at(0).toInt(), id);
    QCOMPARE(args.at(1).toString(), keys);
    QCOMPARE(args.at(2).toString(), action);
    QCOMPARE(args.at(3).toString(), attribute);
    QCOMPARE(args.at(4).value<QVariant>(), value);
}

void TestLoInputMethodState::attributeChangeSignalsOnlyOnChange()
{
    LoInputMethodState *state = LoInputMethodState::instance();
    const int id = state->registerAttributeExtension();
    const QString keys = QStringLiteral("/keys");
    const QString action = QStringLiteral("actionKey");
    QSignalSpy changed(state, &LoInputMethodState::extendedAttributeChanged);

    state->setExtendedAttribute(id, keys, action, QStringLiteral("enabled"), true);
    state->setExtendedAttribute(id, keys, action, QStringLiteral("enabled"), true);
    QCOMPARE(changed.count(), 1);
    state->setExtendedAttribute(id, keys, action, QStringLiteral("enabled"), false);
    QCOMPARE(changed.count(), 2);
    // Same text, other type: a change.
    state->setExtendedAttribute(id, keys, action, QStringLiteral("enabled"), QStringLiteral("false"));
    QCOMPARE(changed.count(), 3);
    QCOMPARE(state->extendedAttribute(id, keys, action, QStringLiteral("enabled")).type(), QVariant::String);
}

void TestLoInputMethodState::attributesAreKeptApart()
{
    LoInputMethodState *state = LoInputMethodState::instance();
    const int first = state->registerAttributeExtension();
    const int second = state->registerAttributeExtension();
    const QString keys = QStringLiteral("/keys");
    const QString label = QStringLiteral("label");

    state->setExtendedAttribute(first, keys, QStringLiteral("actionKey"), label, QStringLiteral("Done"));
    state->setExtendedAttribute(second, keys, QStringLiteral("actionKey"), label, QStringLiteral("Send"));
    state->setExtendedAttribute(first, keys, QStringLiteral("spaceKey"), label, QStringLiteral("Space"));
    state->setExtendedAttribute(first, QStringLiteral("/toolbar"), QStringLiteral("actionKey"), label,
                                QStringLiteral("Other"));

    QCOMPARE(state->extendedAttribute(first, keys, QStringLiteral("actionKey"), label).toString(),
             QStringLiteral("Done"));
    QCOMPARE(state->extendedAttribute(second, keys, QStringLiteral("actionKey"), label).toString(),
             QStringLiteral("Send"));
    QCOMPARE(state->extendedAttribute(first, keys, QStringLiteral("spaceKey"), label).toString(),
             QStringLiteral("Space"));
    QCOMPARE(state->extendedAttribute(first, QStringLiteral("/toolbar"), QStringLiteral("actionKey"), label)
                 .toString(),
             QStringLiteral("Other"));
    QVERIFY(!state->extendedAttribute(second, keys, QStringLiteral("spaceKey"), label).isValid());
}

void TestLoInputMethodState::unknownExtensionIgnored()
{
    LoInputMethodState *state = LoInputMethodState::instance();
    QSignalSpy changed(state, &LoInputMethodState::extendedAttributeChanged);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("unknown extension -1")));
    state->setExtendedAttribute(-1, QStringLiteral("/keys"), QStringLiteral("actionKey"),
                                QStringLiteral("label"), QStringLiteral("Done"));
    QCOMPARE(changed.count(), 0);
    QVERIFY(!state->extendedAttribute(-1, QStringLiteral("/keys"), QStringLiteral("actionKey"),
                                      QStringLiteral("label"))
                 .isValid());
}

void TestLoInputMethodState::unregisterForgetsAttributes()
{
    LoInputMethodState *state = LoInputMethodState::instance();
    const int id = state->registerAttributeExtension();
    state->setExtendedAttribute(id, QStringLiteral("/keys"), QStringLiteral("actionKey"),
                                QStringLiteral("label"), QStringLiteral("Done"));
    state->unregisterAttributeExtension(id);
    QVERIFY(!state->extendedAttribute(id, QStringLiteral("/keys"), QStringLiteral("actionKey"),
                                      QStringLiteral("label"))
                 .isValid());
}

void TestLoInputMethodState::areaChanges_data()
{
    QTest::addColumn<QList<QRect>>("reports");
    QTest::addColumn<QList<QRect>>("signalled");
    const QRect keyboard(0, 512, 480, 342);
    const QRect landscape(0, 200, 854, 280);
    QTest::newRow("open, close") << QList<QRect>{keyboard, QRect()} << QList<QRect>{keyboard, QRect()};
    QTest::newRow("repeated reports") << QList<QRect>{keyboard, keyboard, QRect(), QRect()}
                                      << QList<QRect>{keyboard, QRect()};
    QTest::newRow("closed stays closed") << QList<QRect>{QRect(), QRect()} << QList<QRect>{};
    QTest::newRow("resize while open") << QList<QRect>{keyboard, landscape, QRect()}
                                       << QList<QRect>{keyboard, landscape, QRect()};
    QTest::newRow("empty areas are closed")
        << QList<QRect>{keyboard, QRect(0, 854, 480, 0), QRect(10, 10, 0, 0)} << QList<QRect>{keyboard, QRect()};
}

void TestLoInputMethodState::areaChanges()
{
    QFETCH(QList<QRect>, reports);
    QFETCH(QList<QRect>, signalled);
    LoInputMethodState *state = LoInputMethodState::instance();
    QSignalSpy changed(state, &LoInputMethodState::inputMethodAreaChanged);
    for (const QRect &area : qAsConst(reports))
        state->setInputMethodArea(area);
    QList<QRect> seen;
    for (const QList<QVariant> &args : qAsConst(changed))
        seen << args.at(0).toRect();
    QCOMPARE(seen, signalled);
    for (const QRect &rect : qAsConst(seen)) {
        if (rect.isEmpty())
            QVERIFY(rect.isNull());
    }
    QCOMPARE(state->inputMethodArea(), signalled.isEmpty() ? QRect() : signalled.last());
}

void TestLoInputMethodState::closePanelReportsNullOnce()
{
    LoInputMethodState *state = LoInputMethodState::instance();
    state->setInputMethodArea(QRect(0, 512, 480, 342));
    QSignalSpy changed(state, &LoInputMethodState::inputMethodAreaChanged);
    LoInputMethodState::closeSoftwareInputPanel();
    LoInputMethodState::closeSoftwareInputPanel();
    QCoreApplication::processEvents();
    QCOMPARE(changed.count(), 1);
    QVERIFY(changed.at(0).at(0).toRect().isNull());
    QVERIFY(state->inputMethodArea().isNull());
}

void TestLoInputMethodState::closePanelTakesFocusFromField()
{
    ActiveScene active;
    auto *field = new LoTextEdit(LoTextEdit::SingleLine);
    active.scene()->addItem(field);
    QVERIFY(active.activate());
    LoInputMethodState *state = LoInputMethodState::instance();

    field->setFocus();
    QVERIFY(field->hasFocus());
    QVERIFY(!state->inputMethodArea().isNull());
    QCOMPARE(state->focusedField(), field);

    QSignalSpy changed(state, &LoInputMethodState::inputMethodAreaChanged);
    QSignalSpy lost(field, &LoTextEdit::lostFocus);
    LoInputMethodState::closeSoftwareInputPanel();
    QVERIFY(!field->hasFocus());
    QCOMPARE(lost.count(), 1);
    QCOMPARE(state->focusedField(), nullptr);
    // The focus loss must not report the closing a second time.
    QTest::qWait(10);
    QCOMPARE(changed.count(), 1);
    QVERIFY(changed.at(0).at(0).toRect().isNull());
}

void TestLoInputMethodState::activeExtensionFollowsFocus()
{
    ActiveScene active;
    auto *first = new LoTextEdit(LoTextEdit::SingleLine);
    auto *second = new LoTextEdit(LoTextEdit::SingleLine);
    second->setPos(0, 100);
    active.scene()->addItem(first);
    active.scene()->addItem(second);
    QVERIFY(active.activate());
    LoInputMethodState *state = LoInputMethodState::instance();
    const int firstId = state->registerAttributeExtension();
    const int secondId = state->registerAttributeExtension();
    first->attachToolbar(firstId);

    QSignalSpy activeChanged(state, &LoInputMethodState::activeAttributeExtensionChanged);
    first->setFocus();
    QCOMPARE(state->activeAttributeExtension(), firstId);
    second->setFocus();
    QCOMPARE(state->activeAttributeExtension(), -1);
    // Attached while focused: takes effect at once.
    second->attachToolbar(secondId);
    QCOMPARE(state->activeAttributeExtension(), secondId);
    second->clearFocus();
    QCOMPARE(state->activeAttributeExtension(), -1);
    QVERIFY(activeChanged.count() >= 3);
    QCOMPARE(activeChanged.last().at(0).toInt(), -1);
}

void TestLoInputMethodState::unregisteringActiveExtension()
{
    ActiveScene active;
    auto *field = new LoTextEdit(LoTextEdit::SingleLine);
    active.scene()->addItem(field);
    QVERIFY(active.activate());
    LoInputMethodState *state = LoInputMethodState::instance();
    const int id = state->registerAttributeExtension();
    field->attachToolbar(id);
    field->setFocus();
    QCOMPARE(state->activeAttributeExtension(), id);
    state->unregisterAttributeExtension(id);
    QCOMPARE(state->activeAttributeExtension(), -1);
    field->clearFocus();
}

QTEST_MAIN(TestLoInputMethodState)
#include "tst_loinputmethodstate.moc"
