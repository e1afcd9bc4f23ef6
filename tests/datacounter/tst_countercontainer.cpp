// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "countercontainer.h"

#include "calltimerscontainer.h"
#include "dataamountwidget.h"
#include "settingsitem.h"
#include "testscene.h"

#include "lobutton.h"
#include "loinputmethodstate.h"
#include "lolabel.h"
#include "lolocale.h"
#include "lomessagebox.h"
#include "loscenemanager.h"
#include "lotextedit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace
{
void expectRefusal(const QString &previous)
{
    QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("virtual bool CounterContainer::checkValidity(): 0 previousPeriod: \"%1\"").arg(previous)));
}
}

// The section alone: what it shows of the values it is given, and what it
// reports of the user's typing, commits and reset answers.
class TestCounterContainer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
    }

    void cleanup()
    {
        m_scene.clear();
        qDeleteAll(LoSceneManager::instance()->windowsOfType<LoMessageBox>());
        LoInputMethodState::instance()->setInputMethodArea(QRect());
    }

    void amounts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qulonglong>("bytes");
        QTest::addColumn<QString>("shown");

        QTest::newRow("en_GB") << "en_GB" << 123456789ULL << "123.5 MB";
        QTest::newRow("en_GB whole") << "en_GB" << 7000000ULL << "7 MB";
        QTest::newRow("de_DE grouping") << "de_DE" << 4096500000ULL << "4.096,5 MB";
        QTest::newRow("ar_EG") << "ar_EG" << 12300000ULL << QStringLiteral("١٢٫٣ MB");
    }

    // What the page gives the section shows: byte counts as megabytes in the locale's format, and the reset date.
    void amounts()
    {
        QFETCH(QString, locale);
        QFETCH(qulonglong, bytes);
        QFETCH(QString, shown);
        LoLocale::setDefault(LoLocale(locale));
        CounterContainer *roaming = section(1);
        const auto subtitles = [roaming] {
            return QStringList{part<DataAmountWidget>(roaming, QStringLiteral("DataAmount_0"))->subtitle(),
                               part<DataAmountWidget>(roaming, QStringLiteral("DataAmount_1"))->subtitle()};
        };
        const QString zero = subtitles().at(0);
        DataCounterValue value(bytes);
        const QString line = QStringLiteral("virtual void CounterContainer::set%1DataAmount(DataCounterValue&): 1 -> \"%2\" MB");
        QTest::ignoreMessage(QtDebugMsg, qPrintable(line.arg(QStringLiteral("Sent"), value.toUiMegas())));
        roaming->setSentDataAmount(value);
        QCOMPARE(subtitles(), (QStringList{shown, zero}));
        QTest::ignoreMessage(QtDebugMsg, qPrintable(line.arg(QStringLiteral("Received"), value.toUiMegas())));
        roaming->setReceivedDataAmount(value);
        QCOMPARE(subtitles(), (QStringList{shown, shown}));
        QTest::ignoreMessage(QtDebugMsg, "virtual void CounterContainer::setResetDate(const QString&): 1 -> \"5 Dec 2026\"");
        roaming->setResetDate(QStringLiteral("5 Dec 2026"));
        QCOMPARE(part<SettingsItem>(roaming, QStringLiteral("resetItem_%1"))->subtitle(), QStringLiteral("5 Dec 2026"));
    }

    void typingAndCommit_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("keys"); // a final "\r": committed by the return key
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("emitted");
        QTest::addColumn<QString>("committed");
        QTest::addColumn<QString>("shown"); // after the commit

        const QString en = QStringLiteral("en_GB");
        QTest::newRow("comma") << en << "1,2" << "1,2" << QStringList{"1", "1,", "1,2"} << "1.2" << "1.2";
        QTest::newRow("bar") << en << "1|2" << "1|2" << QStringList{"1", "1|", "1|2"} << "1.2" << "1.2";
        QTest::newRow("second decimal refused") << en << "1.23" << "1.2" << QStringList{"1", "1.", "1.2"} << "1.2" << "1.2";
        QTest::newRow("tenth digit refused") << en << "1234567890" << "123456789"
                                             << QStringList{"1", "12", "123", "1234", "12345", "123456", "1234567", "12345678", "123456789"}
                                             << "123456789.0" << "123456789.0";
        QTest::newRow("letter refused") << en << "1a" << "1" << QStringList{"1"} << "1.0" << "1.0";
        QTest::newRow("leading point refused") << en << ".5" << "5" << QStringList{"5"} << "5.0" << "5.0";
        QTest::newRow("by the return key") << en << "5\r" << "5" << QStringList{"5"} << "5.0" << "5.0";
        QTest::newRow("trailing point") << en << "8." << "8." << QStringList{"8", "8."} << "8.0" << "8.0";
        QTest::newRow("smallest") << en << "0.1" << "0.1" << QStringList{"0", "0.", "0.1"} << "0.1" << "0.1";
        // Refused: the previous limit comes back.
        QTest::newRow("below a tenth") << en << "0.0" << "0.0" << QStringList{"0", "0.", "0.0"} << "12.5" << "12.5";
        QTest::newRow("backspace to empty") << en << "5\b" << "" << QStringList{"5"} << "12.5" << "12.5";
        const QString ar = QStringLiteral("ar_EG");
        QTest::newRow("ar decimal point") << ar << QStringLiteral("١٢٫٣") << QStringLiteral("١٢٫٣")
                                          << QStringList{"1", "12", QStringLiteral("12٫"), QStringLiteral("12٫3")} << "12.3" << QStringLiteral("١٢.٣");
        // A backspace first edits a limit beyond the range, as another process may store it.
        QTest::newRow("edit beyond the range") << en << QStringLiteral("\b\b\b\b6\u00a03") << "63" << QStringList{"6", "63"}
                                               << "63.0" << "63.0";
    }

    // Each keystroke that leaves a number reports it with Latin digits. The keyboard closing commits
    // both sections' fields: a limit of at least 0.1 is rewritten, anything else gives the previous one back.
    void typingAndCommit()
    {
        QFETCH(QString, locale);
        QFETCH(QString, keys);
        QFETCH(QString, typed);
        QFETCH(QStringList, emitted);
        QFETCH(QString, committed);
        QFETCH(QString, shown);
        LoLocale::setDefault(LoLocale(locale));
        CounterContainer *home = section(0);
        CounterContainer *roaming = section(1);
        QStringList periods, roamingPeriods;
        QList<bool> switches;
        QObject listening; // the connections end with the test, before the sections
        connect(home, &CounterContainer::warningPeriodChanged, &listening, [&](const QString &period) { periods << period; });
        connect(roaming, &CounterContainer::warningPeriodChanged, &listening, [&](const QString &period) { roamingPeriods << period; });
        connect(home, &CounterContainer::warningSwitchToggled, &listening, [&](bool on) { switches << on; });
        // What the page sets comes back as no signal, and an empty limit keeps the previous one.
        const QString previous = keys.startsWith(QLatin1Char('\b')) ? QStringLiteral("18374967954648.3") : QStringLiteral("12.5");
        QTest::ignoreMessage(QtDebugMsg, "virtual void CounterContainer::setWarningSwitch(bool): true");
        home->setWarningSwitch(true);
        const QString line = QStringLiteral("virtual void CounterContainer::setWarningPeriod(const QString&): 0 -> \"%1\"");
        QTest::ignoreMessage(QtDebugMsg, qPrintable(line.arg(previous)));
        home->setWarningPeriod(previous);
        if (previous == QLatin1String("12.5"))
            home->setWarningPeriod(QString()); // typing starts in an empty field; a limit beyond the range is edited
        roaming->setWarningPeriod(QStringLiteral("10.0"));
        QLineEdit *edit = field(home)->lineEdit();
        const bool byReturnKey = keys.endsWith(QLatin1Char('\r'));
        if (!typed.isEmpty())
            QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("void CounterContainer::emitWarningPeriodChanged(): 0 \"%1\" emit: \"%2\"")
                                                            .arg(typed, emitted.last())));
        KeyTyper::type(edit, keys.chopped(byReturnKey ? 1 : 0));
        QCOMPARE(field(home)->text(), typed);
        QCOMPARE(periods, emitted);
        const Qt::Alignment alignment = part<LoLabel>(home, QStringLiteral("warningPeriodLabel_%1"))->alignment();
        QCOMPARE(alignment == Qt::AlignRight, locale == QLatin1String("ar_EG"));
        // The keyboard's done key works only while there is something to commit.
        QCOMPARE(LoInputMethodState::instance()->extendedAttribute(field(home)->attachedToolbarId(), QStringLiteral("/keys"),
                                                                   QStringLiteral("actionKey"), QStringLiteral("enabled")),
                 QVariant(!typed.isEmpty()));

        periods.clear();
        if (committed == QLatin1String("12.5"))
            expectRefusal(committed);
        LoInputMethodState::instance()->setInputMethodArea(QRect(0, 500, 480, 354));
        QVERIFY(periods.isEmpty());
        if (byReturnKey)
            QTest::keyClick(edit, Qt::Key_Return);
        else
            LoInputMethodState::instance()->setInputMethodArea(QRect());
        QVERIFY(LoInputMethodState::instance()->inputMethodArea().isNull());
        QCOMPARE(field(home)->text(), shown);
        QCOMPARE(periods, QStringList{committed});
        QCOMPARE(roamingPeriods, QStringList{"10.0"});

        // What was committed is what a later refusal gives back.
        periods.clear();
        edit->clear();
        expectRefusal(committed);
        QVERIFY(!home->checkValidity());
        QCOMPARE(periods, QStringList{committed});
        QCOMPARE(field(home)->text(), shown);
        part<LoButton>(home, QStringLiteral("warningSwitch_%1"))->click(); // the user's tap is reported
        QCOMPARE(switches, QList<bool>{false});
    }

    void resetAnswer_data()
    {
        QTest::addColumn<int>("answer"); // 0: none
        QTest::addColumn<bool>("sectionGone");
        QTest::addColumn<int>("resets");
        QTest::newRow("yes") << int(Lo::YesButton) << false << 1;
        QTest::newRow("no") << int(Lo::NoButton) << false << 0;
        // A box left open by its section closes soon after; an answer before that reaches no one.
        QTest::newRow("closed with the section") << 0 << true << 0;
        QTest::newRow("answered after the section went") << int(Lo::YesButton) << true << 0;
    }

    void resetAnswer()
    {
        QFETCH(int, answer);
        QFETCH(bool, sectionGone);
        QFETCH(int, resets);
        CounterContainer *roaming = section(1);
        QSignalSpy spy(roaming, &CounterContainer::resetAccepted);
        part<LoButton>(roaming, QStringLiteral("resetButton_%1"))->click();
        const QList<LoMessageBox *> boxes = LoSceneManager::instance()->windowsOfType<LoMessageBox>();
        QCOMPARE(boxes.size(), 1);
        QPointer<LoMessageBox> box = boxes.first();
        QCOMPARE(QStringList({box->title(), box->text()}), QStringList({"qtn_cell_reset", "qtn_cell_reset_counters_question"}));
        QCOMPARE(box->standardButtons(), Lo::YesButton | Lo::NoButton);
        if (sectionGone) {
            delete roaming;
            QVERIFY(box && box->isAppeared());
        }
        if (answer)
            box->button(Lo::StandardButton(answer))->click();
        QTRY_VERIFY(box.isNull());
        QCOMPARE(spy.count(), resets);
    }

    void resetRowsFollowDirection_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("direction");
        QTest::newRow("left-to-right") << "en_GB" << int(Qt::LeftToRight);
        QTest::newRow("right-to-left") << "ar_EG" << int(Qt::RightToLeft);
        QTest::newRow("right-to-left window, left-to-right locale") << "en_GB" << int(Qt::RightToLeft);
    }

    // The reset rows (date, then button) of both sections and of the call timers follow their window.
    void resetRowsFollowDirection()
    {
        QFETCH(QString, locale);
        QFETCH(int, direction);
        LoLocale::setDefault(LoLocale(locale));
        QApplication::setLayoutDirection(LoLocale().textDirection()); // as a host does
        auto *window = new QGraphicsWidget;
        m_scene.addItem(window);
        window->setLayoutDirection(Qt::LayoutDirection(direction));
        const QList<QGraphicsWidget *> sections{section(0, window), section(1, window), new CallTimersContainer(window)};
        for (QGraphicsWidget *widget : sections)
            widget->resize(480, widget->effectiveSizeHint(Qt::PreferredSize).height());
        // Installing the sections' catalogs keeps the host's direction.
        QCOMPARE(QApplication::layoutDirection(), LoLocale().textDirection());
        QApplication::processEvents(); // the layouts' pending requests
        for (const char *row : {"resetItem_0 resetButton_0", "resetItem_1 resetButton_1", "timersResetDate timersResetBtn"}) {
            const QStringList names = QString::fromLatin1(row).split(QLatin1Char(' '));
            const QRectF date = ItemFinder::find<QGraphicsWidget>(window, names.at(0))->sceneBoundingRect();
            const QRectF button = ItemFinder::find<QGraphicsWidget>(window, names.at(1))->sceneBoundingRect();
            QVERIFY2(!date.isEmpty() && (direction == Qt::RightToLeft ? button.right() <= date.left() : date.right() <= button.left()), row);
        }
    }

private:
    CounterContainer *section(int type, QGraphicsItem *parent = nullptr)
    {
        const int first = type == 0 ? 3 : 8;
        auto *section = new CounterContainer(CounterContainer::Type(type), first, first + 1, first + 2, first + 3, first + 4, parent);
        if (!parent)
            m_scene.addItem(section);
        return section;
    }
    template<typename T>
    static T *part(CounterContainer *section, const QString &name)
    {
        return ItemFinder::find<T>(section, name.arg(section->objectName().right(1)));
    }
    static LoTextEdit *field(CounterContainer *section)
    {
        return part<LoTextEdit>(section, QStringLiteral("warningPeriodIput_%1"));
    }

    QGraphicsScene m_scene;
};


QTEST_MAIN(TestCounterContainer)
#include "tst_countercontainer.moc"
