#include "lobutton.h"
#include "loinputmethodstate.h"
#include "lolabel.h"
#include "lomessagebox.h"
#include "loprogressindicator.h"
#include "loscenemanager.h"
#include "lotextedit.h"
#include "lotheme.h"
#include "testscene.h"

#include <QLineEdit>
#include <QPointer>
#include <QRegExpValidator>
#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <memory>

// The toolkit widgets as the pages use them.
class TestLoWidgets : public QObject
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

        if (how == QLatin1String("close"))
            LoInputMethodState::closeSoftwareInputPanel();
        else if (how == QLatin1String("clear"))
            field->clearFocus();
        else
            next->setFocus();
        QCoreApplication::processEvents();
        QVERIFY(!field->hasFocus());
        QCOMPARE(lost.count(), 1);
        QCOMPARE(state->activeAttributeExtension(), -1);
        QCOMPARE(area.count(), closes ? 2 : 1);
        QCOMPARE(state->inputMethodArea().isNull(), closes);
        state->unregisterAttributeExtension(toolbar);
    }

    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("yes") << "yes" << 1;
        QTest::newRow("no") << "no" << 0;
        QTest::newRow("accept()") << "accept" << 1;
        QTest::newRow("reject()") << "reject" << 0;
        QTest::newRow("closed as its owner goes") << "close" << 0;
        QTest::newRow("taken away by the host") << "disappear" << 0;
    }

    // A yes/no box shown to delete itself: listed while shown, closed once
    // however often it is closed (finished() once, accepted() from yes only),
    // then deleted.
    void closing()
    {
        QFETCH(QString, how);
        QFETCH(int, result);
        QPointer<LoMessageBox> box = new LoMessageBox(QStringLiteral("Reset"), QStringLiteral("Sure?"),
                                                      Lo::YesButton | Lo::NoButton);
        QSignalSpy finished(box.data(), &LoDialog::finished);
        QSignalSpy accepted(box.data(), &LoDialog::accepted);
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
        QCOMPARE(accepted.count(), result);
        const bool announced = how != QLatin1String("close") && how != QLatin1String("disappear");
        QCOMPARE(rejected.count(), int(announced && !result));
        QVERIFY(box);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(box.isNull());
    }

    void drawsItsState_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("accent"); // the change shows the theme's accent colour
        QTest::newRow("label") << "label" << "CommonTitleInverted" << false;
        QTest::newRow("button") << "button" << "CommonListButtonInverted" << false;
        QTest::newRow("switch") << "switch" << "CommonRightSwitchInverted" << true;
        QTest::newRow("text edit") << "text edit" << "CommonSingleInputFieldInverted" << false;
        QTest::newRow("message box") << "message box" << "" << false;
        QTest::newRow("spinner") << "spinner" << "CommonListItemSpinnerInverted" << true;
    }

    // Each kind of widget the pages show draws itself on the theme's window
    // colour, and what the user must see change (a text, the switch's state,
    // the spinner's activity) changes the picture.
    void drawsItsState()
    {
        QFETCH(QString, kind);
        QFETCH(QString, style);
        QFETCH(bool, accent);
        std::unique_ptr<LoWidgetController> widget;
        std::function<void()> change;
        if (kind == QLatin1String("label")) {
            auto *label = new LoLabel(QStringLiteral("Data counters"));
            change = [label] { label->setText(QString()); };
            widget.reset(label);
        } else if (kind == QLatin1String("button") || kind == QLatin1String("switch")) {
            auto *button = new LoButton(QStringLiteral("Reset"));
            button->setViewType(kind == QLatin1String("switch") ? QString::fromLatin1(LoButton::switchType) : QString());
            button->setCheckable(true);
            change = [button] { button->click(); button->setText(QString()); };
            widget.reset(button);
        } else if (kind == QLatin1String("text edit")) {
            auto *edit = new LoTextEdit(LoTextEdit::SingleLine, QStringLiteral("888"));
            change = [edit] { edit->clear(); };
            widget.reset(edit);
        } else if (kind == QLatin1String("message box")) {
            auto *box = new LoMessageBox(QStringLiteral("Reset"), QStringLiteral("Reset?"), Lo::YesButton | Lo::NoButton);
            box->appear();
            change = [box] { box->setText(QString()); };
            widget.reset(box);
        } else {
            auto *spinner = new LoProgressIndicator(nullptr, QString::fromLatin1(LoProgressIndicator::spinnerType));
            change = [spinner] { spinner->setUnknownDuration(true); };
            widget.reset(spinner);
        }
        if (!style.isEmpty())
            widget->setStyleName(style);
        const QImage before = SceneShot::render(widget.get());
        change();
        const QImage after = SceneShot::render(widget.get());
        const int ink = SceneShot::inkPixels(before, before.rect(), LoTheme::windowColor().rgb());
        QVERIFY2(ink > 100, qPrintable(QString::number(ink)));
        int changed = qAbs(before.width() * before.height() - after.width() * after.height());
        const QRect common = before.rect() & after.rect();
        for (int y = 0; y < common.height(); ++y) {
            for (int x = 0; x < common.width(); ++x)
                changed += before.pixel(x, y) != after.pixel(x, y);
        }
        QVERIFY2(changed > 50, qPrintable(QString::number(changed)));
        if (accent) {
            const auto accentPixels = [](const QImage &image) {
                return image.width() * image.height() - SceneShot::inkPixels(image, image.rect(), LoTheme::accentColor().rgb(), 24);
            };
            QCOMPARE(accentPixels(before), 0);
            QVERIFY(accentPixels(after) > 20);
        }
    }
};

QTEST_MAIN(TestLoWidgets)
#include "tst_lowidgets.moc"
