#include "loinputmethodstate.h"
#include "lotextedit.h"
#include "testscene.h"

#include <QLineEdit>
#include <QRegExpValidator>
#include <QSignalSpy>
#include <QtTest>

class TestLoTextEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("accepted") << "12" << "12";
        QTest::newRow("letter refused") << "1a2" << "12";
        QTest::newRow("fourth digit refused") << "1234" << "123";
        QTest::newRow("native digits") << QStringLiteral("\u0661\u0662") << QStringLiteral("\u0661\u0662");
        QTest::newRow("nothing accepted") << "x" << "";
    }

    // The user's edits that the validator refuses are not made; every edit made
    // is a textChanged(); Return is returnPressed() whatever the text; the
    // program's texts are shown as given, and silently with signals blocked.
    void typing()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        LoTextEdit edit(LoTextEdit::SingleLine);
        QRegExpValidator validator(QRegExp(QStringLiteral("\\d{0,3}")));
        edit.setValidator(&validator);
        QSignalSpy changed(&edit, &LoTextEdit::textChanged);
        QSignalSpy pressed(&edit, &LoTextEdit::returnPressed);
        KeyTyper::type(edit.lineEdit(), typed);
        QCOMPARE(edit.text(), shown);
        QCOMPARE(changed.count(), shown.size());
        QTest::keyClick(edit.lineEdit(), Qt::Key_Return);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(changed.count(), shown.size());

        QVERIFY(!edit.setText(QStringLiteral("abcd")));
        QCOMPARE(edit.text(), QStringLiteral("abcd"));
        QCOMPARE(changed.count(), shown.size() + 1);
        const QSignalBlocker blocker(&edit);
        edit.setText(shown);
        edit.clear();
        QCOMPARE(changed.count(), shown.size() + 1);
    }

    void keyboard_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("closes");
        QTest::newRow("keyboard closed") << "close" << true;
        QTest::newRow("focus taken away") << "clear" << true;
        QTest::newRow("next field focused") << "next" << false;
    }

    // A focused field opens the keyboard with its toolbar active; the keyboard
    // area is reported once as opened and once as closed (null), and moving to
    // another field keeps it open.
    void keyboard()
    {
        QFETCH(QString, how);
        QFETCH(bool, closes);
        LoInputMethodState *state = LoInputMethodState::instance();
        state->setInputMethodArea(QRect());
        ActiveScene active;
        auto *field = new LoTextEdit(LoTextEdit::SingleLine);
        auto *next = new LoTextEdit(LoTextEdit::SingleLine);
        next->setPos(0, 100);
        active.scene()->addItem(field);
        active.scene()->addItem(next);
        QVERIFY(active.activate());
        const int toolbar = state->registerAttributeExtension();
        field->attachToolbar(toolbar);
        QSignalSpy area(state, &LoInputMethodState::inputMethodAreaChanged);
        QSignalSpy gained(field, &LoTextEdit::gainedFocus);
        QSignalSpy lost(field, &LoTextEdit::lostFocus);

        field->setFocus(Qt::MouseFocusReason);
        QCOMPARE(gained.count(), 1);
        QCOMPARE(state->activeAttributeExtension(), toolbar);
        QCOMPARE(area.count(), 1);
        QVERIFY(!area.at(0).at(0).toRect().isNull());
        QTest::keyClicks(active.view()->viewport(), QStringLiteral("42"));
        QCOMPARE(field->text(), QStringLiteral("42"));

        if (how == QLatin1String("close"))
            LoInputMethodState::closeSoftwareInputPanel();
        else if (how == QLatin1String("clear"))
            field->clearFocus();
        else
            next->setFocus();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QVERIFY(!field->hasFocus());
        QCOMPARE(lost.count(), 1);
        QCOMPARE(state->activeAttributeExtension(), -1);
        QCOMPARE(area.count(), closes ? 2 : 1);
        QCOMPARE(state->inputMethodArea().isNull(), closes);
        state->unregisterAttributeExtension(toolbar);
    }
};

QTEST_MAIN(TestLoTextEdit)
#include "tst_lotextedit.moc"
