// The demo's window driven the way a person drives it: clicks on the page's
// buttons and fields through the view, typing, Enter, clicking elsewhere, the
// back key. Dialogs must come up over the visible part of the page and the
// store must see every action.
#include "teststore.h"
#include "hostwindow.h"
#include "testscene.h"

#include "lobutton.h"
#include "loinputmethodstate.h"
#include "lolabel.h"
#include "lomessagebox.h"
#include "loscenemanager.h"
#include "lotextedit.h"

#include <QDate>
#include <QGraphicsView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString Transfer = QStringLiteral("/cellui/settings/datacounter/transfer/");
const QString General = QStringLiteral("/cellui/settings/datacounter/general/");

QList<LoMessageBox *> shownBoxes()
{
    return LoSceneManager::instance()->windowsOfType<LoMessageBox>();
}

} // namespace

Q_DECLARE_METATYPE(HostWindow::Content)

class TestHostWindow : public QObject
{
    Q_OBJECT

private:
    template<typename T>
    T *waitFor(HostWindow &window, const QString &name)
    {
        T *found = nullptr;
        const bool appeared = QTest::qWaitFor([&] {
            found = window.content() ? ItemFinder::find<T>(window.content(), name) : nullptr;
            return found != nullptr;
        }, 5000);
        return appeared ? found : nullptr;
    }

    // A click where a person would click: on the item as the view shows it.
    void click(HostWindow &window, QGraphicsItem *item)
    {
        QGraphicsView *view = window.view();
        view->ensureVisible(item, 0, 0);
        const QPoint at = view->mapFromScene(item->mapToScene(item->boundingRect().center()));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    void showWindow(HostWindow &window)
    {
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    LoButton *boxButton(LoMessageBox *box, const char *name)
    {
        return ItemFinder::find<LoButton>(box, QString::fromLatin1(name));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(HostWindow::applyLocale(QStringLiteral("en_GB")));
    }

    void cleanup()
    {
        QTRY_VERIFY(shownBoxes().isEmpty());
        ExternalStore::run({QStringLiteral("--recursive-unset"), QStringLiteral("/cellui")});
        ExternalStore::run({QStringLiteral("--recursive-unset"), QStringLiteral("/cellular")});
    }

    void resetConfirmed_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
        QTest::newRow("back key") << false;
    }
    void resetConfirmed()
    {
        QFETCH(bool, confirm);
        QVERIFY(ExternalStore::setString(Transfer + QStringLiteral("gprs_home_rx_bytes"), QStringLiteral("5000000")));
        HostWindow window(HostWindow::Content::Page);
        showWindow(window);
        LoButton *reset = waitFor<LoButton>(window, QStringLiteral("resetButton_0"));
        QVERIFY(reset);
        click(window, reset);
        QTRY_COMPARE(shownBoxes().size(), 1);
        LoMessageBox *box = shownBoxes().first();
        // Over the page, covering what is visible of it.
        QCOMPARE(box->scene(), window.view()->scene());
        QVERIFY(box->isVisible());
        QVERIFY(box->zValue() > window.content()->zValue());
        QCOMPARE(box->geometry(), window.view()->mapToScene(window.view()->viewport()->rect()).boundingRect());

        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        if (tag == QLatin1String("back key"))
            QTest::keyClick(&window, Qt::Key_Escape);
        else
            click(window, boxButton(box, confirm ? "dialogButtonYes" : "dialogButtonNo"));
        QTRY_VERIFY(shownBoxes().isEmpty());
        QVERIFY(window.content());

        const QString rx = ExternalStore::get(Transfer + QStringLiteral("gprs_home_rx_bytes"));
        bool resetStored = false;
        ExternalStore::get(General + QStringLiteral("gprs_home_last_reset"), &resetStored);
        QCOMPARE(rx, confirm ? QStringLiteral("0") : QStringLiteral("5000000"));
        QCOMPARE(resetStored, confirm);
    }

    void closedWithDialogShown_data()
    {
        QTest::addColumn<HostWindow::Content>("content");
        QTest::addColumn<QString>("button");
        QTest::newRow("page") << HostWindow::Content::Page << QStringLiteral("resetButton_0");
        QTest::newRow("call timers") << HostWindow::Content::CallTimers << QStringLiteral("timersResetBtn");
    }
    void closedWithDialogShown()
    {
        QFETCH(HostWindow::Content, content);
        QFETCH(QString, button);
        {
            HostWindow window(content);
            showWindow(window);
            LoButton *reset = waitFor<LoButton>(window, button);
            QVERIFY(reset);
            click(window, reset);
            QTRY_COMPARE(shownBoxes().size(), 1);
        }
        // The box went with the window; nothing is left on screen or in the store.
        QTRY_VERIFY(shownBoxes().isEmpty());
        bool isSet = true;
        ExternalStore::get(General + QStringLiteral("gprs_home_last_reset"), &isSet);
        QVERIFY(!isSet);
    }

    void dialogFollowsScrolling()
    {
        HostWindow window(HostWindow::Content::Page);
        showWindow(window);
        LoButton *reset = waitFor<LoButton>(window, QStringLiteral("resetButton_1"));
        QVERIFY(reset);
        window.scrollContent(-1);
        QVERIFY(window.view()->verticalScrollBar()->value() > 0);
        click(window, reset);
        QTRY_COMPARE(shownBoxes().size(), 1);
        const QRectF visible = window.view()->mapToScene(window.view()->viewport()->rect()).boundingRect();
        QCOMPARE(shownBoxes().first()->geometry(), visible);
        window.back();
        QTRY_VERIFY(shownBoxes().isEmpty());
    }

    // The desktop has no keyboard of its own: Enter or leaving the field closes
    // the phone's, and the section commits the field.
    void limitFieldKeyboard_data()
    {
        QTest::addColumn<bool>("enter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        QTest::newRow("enter") << true << QStringLiteral("12") << QStringLiteral("12.0") << QStringLiteral("12000000");
        QTest::newRow("click elsewhere") << false << QStringLiteral("7") << QStringLiteral("7.0") << QStringLiteral("7000000");
        QTest::newRow("enter, decimals") << true << QStringLiteral("2.5") << QStringLiteral("2.5") << QStringLiteral("2500000");
    }
    void limitFieldKeyboard()
    {
        QFETCH(bool, enter);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        HostWindow window(HostWindow::Content::Page);
        showWindow(window);
        LoTextEdit *field = waitFor<LoTextEdit>(window, QStringLiteral("warningPeriodIput_0"));
        QVERIFY(field);
        LoInputMethodState *keyboard = LoInputMethodState::instance();

        click(window, field);
        QTRY_VERIFY(field->hasFocus());
        QVERIFY(!keyboard->inputMethodArea().isNull());
        QTest::keyClick(window.view()->viewport(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(window.view()->viewport(), typed);
        QCOMPARE(field->text(), typed);

        if (enter) {
            QTest::keyClick(window.view()->viewport(), Qt::Key_Return);
        } else {
            LoLabel *header = ItemFinder::find<LoLabel>(window.content(), QStringLiteral("headerLabel"));
            QVERIFY(header);
            click(window, header);
        }
        QTRY_VERIFY(keyboard->inputMethodArea().isNull());
        QTRY_VERIFY(!field->hasFocus());
        QCOMPARE(field->text(), shown);
        QCOMPARE(ExternalStore::get(General + QStringLiteral("gprs_home_notification_period_UI")), stored);
    }

    void warningSwitchClicked()
    {
        HostWindow window(HostWindow::Content::Page);
        showWindow(window);
        LoButton *toggle = waitFor<LoButton>(window, QStringLiteral("warningSwitch_0"));
        QVERIFY(toggle);
        QVERIFY(!toggle->isChecked());
        click(window, toggle);
        QTRY_VERIFY(toggle->isChecked());
        // On with the home network's default limit of 1000 MB, which the page had shown.
        QTRY_COMPARE(ExternalStore::get(General + QStringLiteral("gprs_home_notification_period")),
                     QStringLiteral("1000000000"));
        click(window, toggle);
        QTRY_COMPARE(ExternalStore::get(General + QStringLiteral("gprs_home_notification_period")), QStringLiteral("0"));
    }

    void backLeavesAndReopens_data()
    {
        QTest::addColumn<HostWindow::Content>("content");
        QTest::newRow("page") << HostWindow::Content::Page;
        QTest::newRow("dialog") << HostWindow::Content::Dialog;
        QTest::newRow("call timers") << HostWindow::Content::CallTimers;
    }
    void backLeavesAndReopens()
    {
        QFETCH(HostWindow::Content, content);
        HostWindow window(content);
        showWindow(window);
        QSignalSpy closed(&window, &HostWindow::contentClosed);
        QPushButton *open = window.findChild<QPushButton *>(QStringLiteral("openButton"));
        QVERIFY(open);
        QTRY_VERIFY(window.content());
        QVERIFY(!open->isVisible());

        QTest::keyClick(&window, Qt::Key_Escape);
        QTRY_COMPARE(closed.count(), 1);
        QTRY_VERIFY(!window.content());
        QVERIFY(open->isVisible());
        // Back with nothing shown does nothing.
        window.back();
        QCOMPARE(closed.count(), 1);

        QTest::mouseClick(open, Qt::LeftButton);
        QTRY_VERIFY(window.content());
        QVERIFY(!open->isVisible());
        QVERIFY(window.content()->isVisible());
    }

    void callTimersCleared()
    {
        HostWindow window(HostWindow::Content::CallTimers);
        showWindow(window);
        LoButton *clear = waitFor<LoButton>(window, QStringLiteral("timersResetBtn"));
        QVERIFY(clear);
        click(window, clear);
        QTRY_COMPARE(shownBoxes().size(), 1);
        click(window, boxButton(shownBoxes().first(), "dialogButtonYes"));
        QTRY_VERIFY(shownBoxes().isEmpty());
        QTRY_COMPARE(ExternalStore::get(QStringLiteral("/cellui/settings/calltimers/reset_date")),
                     QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    }

    void localeSwitch()
    {
        HostWindow window(HostWindow::Content::Page);
        showWindow(window);
        LoLabel *header = waitFor<LoLabel>(window, QStringLiteral("headerLabel"));
        QVERIFY(header);
        QVERIFY(!HostWindow::applyLocale(QStringLiteral("xx_NOWHERE")));
        QVERIFY(HostWindow::applyLocale(QStringLiteral("ar_EG")));
        QCOMPARE(QGuiApplication::layoutDirection(), Qt::RightToLeft);
        // The catalogs come along: still English texts, not identifiers.
        QTest::qWait(50);
        QCOMPARE(header->text(), QStringLiteral("Data counters"));
        QVERIFY(HostWindow::applyLocale(QStringLiteral("en_GB")));
        QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    }
};

QTEST_MAIN(TestHostWindow)
#include "tst_hostwindow.moc"
