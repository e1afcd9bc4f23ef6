#include "testscene.h"
#include "loinputmethodstate.h"
#include "lotextedit.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegExpValidator>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The limit field's pattern with "." as the locale's decimal point.
QRegExp limitPattern()
{
    return QRegExp(QStringLiteral("\\b(\\d{1,9}\\b([\\.|\\,|\\.])\\b\\d{1}|\\d{1,9})\\b"),
                   Qt::CaseInsensitive, QRegExp::RegExp);
}

} // namespace

class TestLoTextEdit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();

    void construction_data();
    void construction();
    void textChangedFollowsChanges();
    void blockedSignalsSilenceTextChanged();
    void validatorRefusesInvalidEdits_data();
    void validatorRefusesInvalidEdits();
    void validatorRemoved();
    void setTextReportsValidity_data();
    void setTextReportsValidity();
    void returnPressedWhateverTheText_data();
    void returnPressedWhateverTheText();
    void multiLineEnterIsANewLine();
    void contentTypeSetsInputHints_data();
    void contentTypeSetsInputHints();
    void focusOpensKeyboardAtTheBottom();
    void focusLossClosesKeyboardOnce();
    void movingBetweenFieldsKeepsKeyboardOpen();
    void destroyingFocusedFieldClosesKeyboard();
    void rendersItsText();
};

void TestLoTextEdit::init()
{
    LoInputMethodState::instance()->setInputMethodArea(QRect());
}

void TestLoTextEdit::construction_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::newRow("single line, empty") << int(LoTextEdit::SingleLine) << QString();
    QTest::newRow("single line, text") << int(LoTextEdit::SingleLine) << QStringLiteral("1000");
    QTest::newRow("multi line") << int(LoTextEdit::MultiLine) << QStringLiteral("one\ntwo");
}

void TestLoTextEdit::construction()
{
    QFETCH(int, mode);
    QFETCH(QString, text);
    QGraphicsWidget parent;
    auto *edit = new LoTextEdit(LoTextEdit::LineMode(mode), text, &parent);
    QCOMPARE(edit->parentItem(), &parent);
    QCOMPARE(int(edit->lineMode()), mode);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->lineEdit() != nullptr, mode == LoTextEdit::SingleLine);
    QVERIFY(edit->editor());
    QCOMPARE(edit->attachedToolbarId(), -1);
    QCOMPARE(edit->contentType(), Lo::FreeTextContentType);
    QVERIFY(!edit->hasFocus());
}

void TestLoTextEdit::textChangedFollowsChanges()
{
    LoTextEdit edit(LoTextEdit::SingleLine);
    QSignalSpy changed(&edit, &LoTextEdit::textChanged);

    QTest::keyClicks(edit.lineEdit(), QStringLiteral("ab"));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(edit.text(), QStringLiteral("ab"));
    QTest::keyClick(edit.lineEdit(), Qt::Key_Backspace);
    QCOMPARE(changed.count(), 3);
    QCOMPARE(edit.text(), QStringLiteral("a"));

    edit.setText(QStringLiteral("12"));
    QCOMPARE(changed.count(), 4);
    edit.setText(QStringLiteral("12"));
    QCOMPARE(changed.count(), 4);
    edit.clear();
    QCOMPARE(changed.count(), 5);
    QCOMPARE(edit.text(), QString());
    edit.clear();
    QCOMPARE(changed.count(), 5);
}

void TestLoTextEdit::blockedSignalsSilenceTextChanged()
{
    LoTextEdit edit(LoTextEdit::SingleLine);
    QSignalSpy changed(&edit, &LoTextEdit::textChanged);
    edit.blockSignals(true);
    edit.setText(QStringLiteral("7"));
    edit.clear();
    edit.blockSignals(false);
    QCOMPARE(changed.count(), 0);
    edit.setText(QStringLiteral("7"));
    QCOMPARE(changed.count(), 1);
}

void TestLoTextEdit::validatorRefusesInvalidEdits_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("changes");

    QTest::newRow("digits") << QString() << QStringLiteral("12") << QStringLiteral("12") << 2;
    QTest::newRow("ninth digit taken") << QString() << QStringLiteral("123456789") << QStringLiteral("123456789")
                                       << 9;
    QTest::newRow("tenth integer digit refused")
        << QStringLiteral("123456789") << QStringLiteral("0") << QStringLiteral("123456789") << 0;
    QTest::newRow("one decimal") << QString() << QStringLiteral("12.5") << QStringLiteral("12.5") << 4;
    QTest::newRow("comma decimal") << QString() << QStringLiteral("1,5") << QStringLiteral("1,5") << 3;
    QTest::newRow("second decimal refused") << QString() << QStringLiteral("1.23") << QStringLiteral("1.2") << 3;
    QTest::newRow("letter refused") << QString() << QStringLiteral("1a") << QStringLiteral("1") << 1;
    QTest::newRow("leading letter refused") << QString() << QStringLiteral("x") << QString() << 0;
    QTest::newRow("second separator refused") << QString() << QStringLiteral("1..") << QStringLiteral("1.") << 2;
    QTest::newRow("native digits") << QString() << QStringLiteral("\u0661\u0662") << QStringLiteral("\u0661\u0662")
                                   << 2;
}

void TestLoTextEdit::validatorRefusesInvalidEdits()
{
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(int, changes);

    LoTextEdit edit(LoTextEdit::SingleLine, start);
    QRegExpValidator validator(limitPattern());
    edit.setValidator(&validator);
    QCOMPARE(edit.validator(), &validator);
    edit.lineEdit()->end(false);
    QSignalSpy changed(&edit, &LoTextEdit::textChanged);

    KeyTyper::type(edit.lineEdit(), typed);
    QCOMPARE(edit.text(), expected);
    QCOMPARE(changed.count(), changes);
}

void TestLoTextEdit::validatorRemoved()
{
    LoTextEdit edit(LoTextEdit::SingleLine);
    {
        QRegExpValidator validator(limitPattern());
        edit.setValidator(&validator);
        QTest::keyClicks(edit.lineEdit(), QStringLiteral("1a"));
        QCOMPARE(edit.text(), QStringLiteral("1"));
    }
    // A validator that is gone no longer refuses anything.
    QCOMPARE(edit.validator(), nullptr);
    QTest::keyClicks(edit.lineEdit(), QStringLiteral("a"));
    QCOMPARE(edit.text(), QStringLiteral("1a"));
}

void TestLoTextEdit::setTextReportsValidity_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("acceptable") << QStringLiteral("1000.0") << true;
    QTest::newRow("intermediate") << QStringLiteral("1.") << true;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("too long") << QStringLiteral("18446744073709.6") << false;
    QTest::newRow("letters") << QStringLiteral("abc") << false;
}

void TestLoTextEdit::setTextReportsValidity()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    LoTextEdit edit(LoTextEdit::SingleLine, QStringLiteral("5"));
    QRegExpValidator validator(limitPattern());
    edit.setValidator(&validator);
    QCOMPARE(edit.setText(text), valid);
    // The program's text is shown as given either way.
    QCOMPARE(edit.text(), text);
}

void TestLoTextEdit::returnPressedWhateverTheText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::newRow("return, acceptable") << QStringLiteral("12") << int(Qt::Key_Return);
    QTest::newRow("enter, acceptable") << QStringLiteral("12") << int(Qt::Key_Enter);
    QTest::newRow("return, intermediate") << QStringLiteral("1.") << int(Qt::Key_Return);
    QTest::newRow("return, empty") << QString() << int(Qt::Key_Return);
}

void TestLoTextEdit::returnPressedWhateverTheText()
{
    QFETCH(QString, text);
    QFETCH(int, key);
    LoTextEdit edit(LoTextEdit::SingleLine, text);
    QRegExpValidator validator(limitPattern());
    edit.setValidator(&validator);
    QSignalSpy pressed(&edit, &LoTextEdit::returnPressed);
    QSignalSpy changed(&edit, &LoTextEdit::textChanged);
    QTest::keyClick(edit.lineEdit(), Qt::Key(key));
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(edit.text(), text);
}

void TestLoTextEdit::multiLineEnterIsANewLine()
{
    LoTextEdit edit(LoTextEdit::MultiLine, QStringLiteral("one"));
    auto *plain = qobject_cast<QPlainTextEdit *>(edit.editor());
    QVERIFY(plain);
    plain->moveCursor(QTextCursor::End);
    QSignalSpy pressed(&edit, &LoTextEdit::returnPressed);
    QSignalSpy changed(&edit, &LoTextEdit::textChanged);
    QTest::keyClick(plain, Qt::Key_Return);
    QTest::keyClicks(plain, QStringLiteral("two"));
    QCOMPARE(pressed.count(), 0);
    QVERIFY(changed.count() >= 4);
    QCOMPARE(edit.text(), QStringLiteral("one\ntwo"));
    QVERIFY(edit.setText(QStringLiteral("x")));
    QCOMPARE(edit.text(), QStringLiteral("x"));
}

void TestLoTextEdit::contentTypeSetsInputHints_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("hint");
    QTest::newRow("free") << int(Lo::FreeTextContentType) << int(Qt::ImhNone);
    QTest::newRow("number") << int(Lo::NumberContentType) << int(Qt::ImhFormattedNumbersOnly);
    QTest::newRow("phone") << int(Lo::PhoneNumberContentType) << int(Qt::ImhDialableCharactersOnly);
    QTest::newRow("email") << int(Lo::EmailContentType) << int(Qt::ImhEmailCharactersOnly);
    QTest::newRow("url") << int(Lo::UrlContentType) << int(Qt::ImhUrlCharactersOnly);
}

void TestLoTextEdit::contentTypeSetsInputHints()
{
    QFETCH(int, type);
    QFETCH(int, hint);
    LoTextEdit edit(LoTextEdit::SingleLine);
    edit.setContentType(Lo::TextContentType(type));
    QCOMPARE(int(edit.contentType()), type);
    QCOMPARE(int(edit.editor()->inputMethodHints()), hint);
    QCOMPARE(int(edit.inputMethodHints()), hint);
}

void TestLoTextEdit::focusOpensKeyboardAtTheBottom()
{
    ActiveScene active;
    auto *edit = new LoTextEdit(LoTextEdit::SingleLine);
    active.scene()->addItem(edit);
    QVERIFY(active.activate());
    LoInputMethodState *state = LoInputMethodState::instance();
    const int toolbar = state->registerAttributeExtension();
    edit->attachToolbar(toolbar);
    QCOMPARE(edit->attachedToolbarId(), toolbar);

    QSignalSpy gained(edit, &LoTextEdit::gainedFocus);
    QSignalSpy area(state, &LoInputMethodState::inputMethodAreaChanged);
    edit->setFocus(Qt::MouseFocusReason);
    QVERIFY(edit->hasFocus());
    QCOMPARE(gained.count(), 1);
    QCOMPARE(gained.at(0).at(0).value<Qt::FocusReason>(), Qt::MouseFocusReason);
    QCOMPARE(area.count(), 1);
    const QRect keyboard = area.at(0).at(0).toRect();
    const QSize viewSize = active.view()->viewport()->size();
    QCOMPARE(keyboard.width(), viewSize.width());
    QCOMPARE(keyboard.bottom(), viewSize.height() - 1);
    QVERIFY(keyboard.height() > 0);
    QVERIFY(keyboard.height() < viewSize.height());
    QCOMPARE(state->inputMethodArea(), keyboard);
    QCOMPARE(state->activeAttributeExtension(), toolbar);

    // Typing reaches the field through the scene while it has the focus.
    QTest::keyClicks(active.view()->viewport(), QStringLiteral("42"));
    QCOMPARE(edit->text(), QStringLiteral("42"));
    edit->clearFocus();
}

void TestLoTextEdit::focusLossClosesKeyboardOnce()
{
    ActiveScene active;
    auto *edit = new LoTextEdit(LoTextEdit::SingleLine);
    active.scene()->addItem(edit);
    QVERIFY(active.activate());
    LoInputMethodState *state = LoInputMethodState::instance();
    edit->setFocus();
    QVERIFY(!state->inputMethodArea().isNull());

    QSignalSpy lost(edit, &LoTextEdit::lostFocus);
    QSignalSpy area(state, &LoInputMethodState::inputMethodAreaChanged);
    edit->clearFocus();
    QCOMPARE(lost.count(), 1);
    QTRY_COMPARE(area.count(), 1);
    QVERIFY(area.at(0).at(0).toRect().isNull());
    QTest::qWait(10);
    QCOMPARE(area.count(), 1);
    QCOMPARE(state->activeAttributeExtension(), -1);
}

void TestLoTextEdit::movingBetweenFieldsKeepsKeyboardOpen()
{
    ActiveScene active;
    auto *home = new LoTextEdit(LoTextEdit::SingleLine);
    auto *roaming = new LoTextEdit(LoTextEdit::SingleLine);
    roaming->setPos(0, 200);
    active.scene()->addItem(home);
    active.scene()->addItem(roaming);
    QVERIFY(active.activate());
    LoInputMethodState *state = LoInputMethodState::instance();
    home->setFocus();

    QSignalSpy area(state, &LoInputMethodState::inputMethodAreaChanged);
    QSignalSpy homeLost(home, &LoTextEdit::lostFocus);
    QSignalSpy roamingGained(roaming, &LoTextEdit::gainedFocus);
    roaming->setFocus(Qt::TabFocusReason);
    QTest::qWait(10);
    QCOMPARE(homeLost.count(), 1);
    QCOMPARE(roamingGained.count(), 1);
    QCOMPARE(area.count(), 0);
    QVERIFY(!state->inputMethodArea().isNull());
    QCOMPARE(state->focusedField(), roaming);
    roaming->clearFocus();
    QTRY_VERIFY(state->inputMethodArea().isNull());
}

void TestLoTextEdit::destroyingFocusedFieldClosesKeyboard()
{
    ActiveScene active;
    QPointer<LoTextEdit> edit = new LoTextEdit(LoTextEdit::SingleLine);
    active.scene()->addItem(edit);
    QVERIFY(active.activate());
    LoInputMethodState *state = LoInputMethodState::instance();
    edit->setFocus();
    QSignalSpy lost(edit.data(), &LoTextEdit::lostFocus);
    delete edit.data();
    QCOMPARE(lost.count(), 0);
    QCOMPARE(state->focusedField(), nullptr);
    QTRY_VERIFY(state->inputMethodArea().isNull());
}

void TestLoTextEdit::rendersItsText()
{
    QGraphicsScene scene;
    auto *edit = new LoTextEdit(LoTextEdit::SingleLine, QStringLiteral("888"));
    edit->setStyleName(QStringLiteral("CommonSingleInputFieldInverted"));
    scene.addItem(edit);
    edit->resize(300, edit->preferredHeight());
    QVERIFY(edit->preferredHeight() >= 30);

    auto render = [&] {
        QImage image(300, int(edit->size().height()), QImage::Format_ARGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        scene.render(&painter, image.rect(), edit->geometry());
        return image;
    };
    // The text is drawn in the theme's light colour over the dark field.
    auto lightPixels = [](const QImage &image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) > 180)
                    ++count;
            }
        }
        return count;
    };
    const QImage shown = render();
    shown.save(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("tst_lotextedit.png")));
    const int withText = lightPixels(shown);
    edit->clear();
    const int empty = lightPixels(render());
    QVERIFY2(withText > empty + 20, qPrintable(QStringLiteral("%1 vs %2").arg(withText).arg(empty)));
}

QTEST_MAIN(TestLoTextEdit)
#include "tst_lotextedit.moc"
