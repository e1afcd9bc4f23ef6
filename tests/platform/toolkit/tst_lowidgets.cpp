// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

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
#include <QRegularExpressionValidator>
#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <memory>

// The toolkit widgets as the pages use them.
class TestLoWidgets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("leave"); // how the field loses the focus
        QTest::addColumn<bool>("closes"); // the keyboard with it
        QTest::newRow("accepted, keyboard closed") << "12" << "12" << "close" << true;
        QTest::newRow("letter refused, focus taken away") << "1a2" << "12" << "clear" << true;
        QTest::newRow("fourth digit refused, next field") << "1234" << "123" << "next" << false;
        QTest::newRow("native digits") << QStringLiteral("\u0661\u0662") << QStringLiteral("\u0661\u0662") << "close" << true;
    }

    // A focused field opens the keyboard with its toolbar active; the keyboard
    // area is reported once as opened and once as closed (null), and moving to
    // another field keeps it open. The user's edits that the validator refuses
    // are not made, every edit made is a textChanged(), Return is
    // returnPressed(), and the program's texts are shown as given.
    void editing()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, leave);
        QFETCH(bool, closes);
        LoInputMethodState *state = LoInputMethodState::instance();
        state->setInputMethodArea(QRect());
        // Unicode properties, so that \d takes native digits too.
        QRegularExpressionValidator validator(
            QRegularExpression(QStringLiteral("\\d{0,3}"), QRegularExpression::UseUnicodePropertiesOption));
        ActiveScene active;
        auto *field = new LoTextEdit(LoTextEdit::SingleLine);
        auto *next = new LoTextEdit(LoTextEdit::SingleLine);
        next->setPos(0, 100);
        active.scene()->addItem(field);
        active.scene()->addItem(next);
        QVERIFY(active.activate());
        field->setValidator(&validator);
        const int toolbar = state->registerAttributeExtension();
        field->attachToolbar(toolbar);
        QSignalSpy area(state, &LoInputMethodState::inputMethodAreaChanged);
        QSignalSpy gained(field, &LoTextEdit::gainedFocus);
        QSignalSpy changed(field, &LoTextEdit::textChanged);
        QSignalSpy pressed(field, &LoTextEdit::returnPressed);
        field->setFocus(Qt::MouseFocusReason);
        QCOMPARE(gained.count(), 1);
        QCOMPARE(state->activeAttributeExtension(), toolbar);
        QCOMPARE(area.count(), 1);
        QVERIFY(!area.at(0).at(0).toRect().isNull());

        KeyTyper::type(field->lineEdit(), typed);
        QTest::keyClick(field->lineEdit(), Qt::Key_Return);
        QCOMPARE(field->text(), shown);
        QCOMPARE(changed.count(), shown.size());
        QCOMPARE(pressed.count(), 1);
        QVERIFY(!field->setText(QStringLiteral("abcd")));
        QCOMPARE(field->text(), QStringLiteral("abcd"));
        QCOMPARE(changed.count(), shown.size() + 1);

        if (leave == QLatin1String("close"))
            LoInputMethodState::closeSoftwareInputPanel();
        else if (leave == QLatin1String("clear"))
            field->clearFocus();
        else
            next->setFocus();
        QCoreApplication::processEvents();
        QVERIFY(!field->hasFocus());
        QCOMPARE(state->activeAttributeExtension(), -1);
        QCOMPARE(area.count(), closes ? 2 : 1);
        QCOMPARE(state->inputMethodArea().isNull(), closes);
    }

    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("told");
        QTest::newRow("yes") << "yes" << QStringList{"finished 1", "accepted"};
        QTest::newRow("no") << "no" << QStringList{"finished 0", "rejected"};
        QTest::newRow("accept()") << "accept" << QStringList{"finished 1", "accepted"};
        QTest::newRow("reject()") << "reject" << QStringList{"finished 0", "rejected"};
        QTest::newRow("closed as its owner goes") << "close" << QStringList{"finished 0"};
        QTest::newRow("taken away by the host") << "disappear" << QStringList{"finished 0"};
    }

    // A yes/no box shown to delete itself: listed while shown, closed once
    // however often it is closed, then deleted.
    void closing()
    {
        QFETCH(QString, how);
        QFETCH(QStringList, told);
        QPointer<LoMessageBox> box = new LoMessageBox(QStringLiteral("Reset"), QStringLiteral("Sure?"), Lo::YesButton | Lo::NoButton);
        QStringList seen;
        connect(box, &LoDialog::finished, this, [&](int result) { seen.append(QStringLiteral("finished %1").arg(result)); });
        connect(box, &LoDialog::accepted, this, [&] { seen.append(QStringLiteral("accepted")); });
        connect(box, &LoDialog::rejected, this, [&] { seen.append(QStringLiteral("rejected")); });
        box->appear(LoSceneWindow::DestroyWhenDone);
        QCOMPARE(LoSceneManager::instance()->windowsOfType<LoMessageBox>(), QList<LoMessageBox *>{box.data()});

        if (how == QLatin1String("yes") || how == QLatin1String("no"))
            box->button(how == QLatin1String("yes") ? Lo::YesButton : Lo::NoButton)->click();
        else
            QVERIFY(QMetaObject::invokeMethod(box, how.toLatin1().constData()));
        QVERIFY(LoSceneManager::instance()->windows().isEmpty());
        QVERIFY(!box->close());
        box->accept();
        QCOMPARE(seen, told);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(box.isNull());
    }

    void labelSizeFollowsText_data()
    {
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("grows"); // +1 the size the layouts get grows, -1 it shrinks
        const QString sentence = QStringLiteral("Data counters of the home network and of roaming, sent and received");
        QTest::newRow("one line, longer") << false << "12 MB" << "123456 MB" << 1;
        // Same length, digits only: sizes are reused only among digits of one set.
        QTest::newRow("one line, narrower digits") << false << "11 MB" << QStringLiteral("\u0661\u0661 MB") << -1;
        QTest::newRow("wrapping, longer") << true << "Data" << sentence << 1;
        QTest::newRow("wrapping, shorter") << true << sentence << "Data" << -1;
    }

    // Sizes are kept between the layouts' many questions, but never past a new text.
    void labelSizeFollowsText()
    {
        QFETCH(bool, wrap);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(int, grows);
        LoLabel label(before);
        label.setWordWrap(wrap);
        const QSizeF constraint(wrap ? 120 : -1, -1);
        const QSizeF first = label.effectiveSizeHint(Qt::PreferredSize, constraint);
        label.setText(after);
        const QSizeF second = label.effectiveSizeHint(Qt::PreferredSize, constraint);
        const qreal change = wrap ? second.height() - first.height() : second.width() - first.width();
        QVERIFY2(change * grows > 0, qPrintable(QStringLiteral("%1x%2 then %3x%4").arg(first.width()).arg(first.height()).arg(second.width()).arg(second.height())));
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
        const auto own = [&widget](auto *made) { widget.reset(made); return made; };
        std::function<void()> change;
        if (kind == QLatin1String("label")) {
            auto *label = own(new LoLabel(QStringLiteral("Data counters")));
            change = [label] { label->setText(QString()); };
        } else if (kind == QLatin1String("button") || kind == QLatin1String("switch")) {
            auto *button = own(new LoButton(QStringLiteral("Reset")));
            button->setViewType(kind == QLatin1String("switch") ? QString::fromLatin1(LoButton::switchType) : QString());
            button->setCheckable(true);
            change = [button] { button->click(); button->setText(QString()); };
        } else if (kind == QLatin1String("text edit")) {
            auto *edit = own(new LoTextEdit(LoTextEdit::SingleLine, QStringLiteral("888")));
            change = [edit] { edit->clear(); };
        } else if (kind == QLatin1String("message box")) {
            auto *box = own(new LoMessageBox(QStringLiteral("Reset"), QStringLiteral("Reset?"), Lo::YesButton | Lo::NoButton));
            box->appear();
            change = [box] { box->setText(QString()); };
        } else {
            auto *spinner = own(new LoProgressIndicator(nullptr, QString::fromLatin1(LoProgressIndicator::spinnerType)));
            change = [spinner] { spinner->setUnknownDuration(true); };
        }
        if (!style.isEmpty())
            widget->setStyleName(style);
        const QImage before = SceneShot::render(widget.get());
        change();
        const QImage after = SceneShot::render(widget.get());
        QVERIFY(SceneShot::inkPixels(before, before.rect(), LoTheme::windowColor().rgb()) > 100);
        QVERIFY(after != before);
        const auto accentPixels = [](const QImage &image) {
            return image.width() * image.height() - SceneShot::inkPixels(image, image.rect(), LoTheme::accentColor().rgb(), 24);
        };
        QCOMPARE(accentPixels(before), 0);
        if (accent)
            QVERIFY(accentPixels(after) > 20);
    }
};

QTEST_MAIN(TestLoWidgets)
#include "tst_lowidgets.moc"
