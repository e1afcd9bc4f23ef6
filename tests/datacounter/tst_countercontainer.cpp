#include "countercontainer.h"

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

#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace
{
void setKeyboardArea(const QRect &area)
{
    LoInputMethodState::instance()->setInputMethodArea(area);
}

void expectRefusal(const QString &previous)
{
    QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("virtual bool CounterContainer::checkValidity(): 0 previousPeriod: \"%1\"").arg(previous)));
}

QStringList texts(const QSignalSpy &spy)
{
    QStringList result;
    for (const QList<QVariant> &arguments : spy)
        result << arguments.at(0).toString();
    return result;
}

QList<LoMessageBox *> shownBoxes()
{
    return LoSceneManager::instance()->windowsOfType<LoMessageBox>();
}
}

// The section alone: what it shows of the values it is given, and what it
// reports of the user's typing, commits and reset answers.
class TestCounterContainer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void amounts_data();
    void amounts();
    void typing_data();
    void typing();
    void commit_data();
    void commit();
    void settersAreSilent();
    void resetAnswer_data();
    void resetAnswer();

private:
    CounterContainer *section(int type)
    {
        const int first = type == 0 ? 3 : 8;
        auto *section = new CounterContainer(CounterContainer::Type(type), first, first + 1, first + 2, first + 3,
                                             first + 4);
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

void TestCounterContainer::init()
{
    LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
}

void TestCounterContainer::cleanup()
{
    m_scene.clear();
    qDeleteAll(shownBoxes());
    setKeyboardArea(QRect());
}

void TestCounterContainer::amounts_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<qulonglong>("bytes");
    QTest::addColumn<QString>("shown");

    QTest::newRow("en_GB") << "en_GB" << 123456789ULL << "123.5 MB";
    QTest::newRow("en_GB whole") << "en_GB" << 7000000ULL << "7 MB";
    QTest::newRow("en_GB grouping") << "en_GB" << 4096500000ULL << "4,096.5 MB";
    QTest::newRow("de_DE") << "de_DE" << 12300000ULL << "12,3 MB";
    QTest::newRow("de_DE grouping") << "de_DE" << 4096500000ULL << "4.096,5 MB";
    QTest::newRow("ar_EG") << "ar_EG" << 12300000ULL << QStringLiteral("١٢٫٣ MB");
    QTest::newRow("ar_EG zero") << "ar_EG" << 0ULL << QStringLiteral("٠ MB");
}

// A byte count given to the section shows as megabytes in the locale's format.
void TestCounterContainer::amounts()
{
    QFETCH(QString, locale);
    QFETCH(qulonglong, bytes);
    QFETCH(QString, shown);
    LoLocale::setDefault(LoLocale(locale));
    CounterContainer *roaming = section(1);
    auto *sent = part<DataAmountWidget>(roaming, QStringLiteral("DataAmount_0"));
    auto *received = part<DataAmountWidget>(roaming, QStringLiteral("DataAmount_1"));
    const QString zero = sent->subtitle();

    DataCounterValue value(bytes);
    const QString line = QStringLiteral("virtual void CounterContainer::set%1DataAmount(DataCounterValue&): 1 -> \"%2\" MB");
    QTest::ignoreMessage(QtDebugMsg, qPrintable(line.arg(QStringLiteral("Sent"), value.toUiMegas())));
    roaming->setSentDataAmount(value);
    QCOMPARE(sent->subtitle(), shown);
    QCOMPARE(received->subtitle(), zero);

    QTest::ignoreMessage(QtDebugMsg, qPrintable(line.arg(QStringLiteral("Received"), value.toUiMegas())));
    roaming->setReceivedDataAmount(value);
    QCOMPARE(received->subtitle(), shown);
}

void TestCounterContainer::typing_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("emitted");

    const QString en = QStringLiteral("en_GB");
    QTest::newRow("digits") << en << "12" << "12" << QStringList{"1", "12"};
    QTest::newRow("point") << en << "1.2" << "1.2" << QStringList{"1", "1.", "1.2"};
    QTest::newRow("comma") << en << "1,2" << "1,2" << QStringList{"1", "1,", "1,2"};
    QTest::newRow("bar") << en << "1|2" << "1|2" << QStringList{"1", "1|", "1|2"};
    QTest::newRow("second decimal refused") << en << "1.23" << "1.2" << QStringList{"1", "1.", "1.2"};
    QTest::newRow("tenth digit refused")
        << en << "1234567890" << "123456789"
        << QStringList{"1", "12", "123", "1234", "12345", "123456", "1234567", "12345678", "123456789"};
    QTest::newRow("letter refused") << en << "1a" << "1" << QStringList{"1"};
    QTest::newRow("leading point refused") << en << ".5" << "5" << QStringList{"5"};
    QTest::newRow("backspace to empty") << en << "5\b" << "" << QStringList{"5"};
    const QString de = QStringLiteral("de_DE");
    QTest::newRow("de comma") << de << "1,5" << "1,5" << QStringList{"1", "1,", "1,5"};
    QTest::newRow("de second decimal refused") << de << "1,55" << "1,5" << QStringList{"1", "1,", "1,5"};
    const QString ar = QStringLiteral("ar_EG");
    QTest::newRow("ar decimal point") << ar << QStringLiteral("١٢٫٥") << QStringLiteral("١٢٫٥")
                                      << QStringList{"1", "12", QStringLiteral("12٫"), QStringLiteral("12٫5")};
    QTest::newRow("ar second decimal refused") << ar << QStringLiteral("٣٫٤٥") << QStringLiteral("٣٫٤")
                                               << QStringList{"3", QStringLiteral("3٫"), QStringLiteral("3٫4")};
    QTest::newRow("ar latin digits") << ar << "7" << "7" << QStringList{"7"};
}

// Each keystroke that leaves a number reports it with Latin digits; the field
// keeps what was typed and refuses what can never become a limit.
void TestCounterContainer::typing()
{
    QFETCH(QString, locale);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(QStringList, emitted);
    LoLocale::setDefault(LoLocale(locale));
    CounterContainer *home = section(0);
    QSignalSpy spy(home, &CounterContainer::warningPeriodChanged);

    if (!shown.isEmpty())
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("void CounterContainer::emitWarningPeriodChanged(): 0 \"%1\" emit: \"%2\"")
                                                        .arg(shown, emitted.last())));
    KeyTyper::type(field(home)->lineEdit(), keys);
    QCOMPARE(field(home)->text(), shown);
    QCOMPARE(texts(spy), emitted);
    // Right-to-left scripts put the field's label on the right.
    const Qt::Alignment alignment = part<LoLabel>(home, QStringLiteral("warningPeriodLabel_%1"))->alignment();
    QCOMPARE(alignment == Qt::AlignRight, locale == QLatin1String("ar_EG"));
    // The keyboard's done key works only while there is something to commit.
    const int toolbar = field(home)->attachedToolbarId();
    QCOMPARE(LoInputMethodState::instance()->extendedAttribute(toolbar, QStringLiteral("/keys"),
                                                               QStringLiteral("actionKey"), QStringLiteral("enabled")),
             QVariant(!shown.isEmpty()));
}

void TestCounterContainer::commit_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("byReturnKey");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("committed");

    const QString en = QStringLiteral("en_GB");
    QTest::newRow("whole number") << en << "12.5" << "7" << false << "7.0" << "7.0";
    QTest::newRow("by the return key") << en << "12.5" << "5" << true << "5.0" << "5.0";
    QTest::newRow("smallest") << en << "12.5" << "0.1" << false << "0.1" << "0.1";
    QTest::newRow("trailing point") << en << "12.5" << "8." << false << "8.0" << "8.0";
    QTest::newRow("empty") << en << "12.5" << "" << false << "12.5" << "12.5";
    QTest::newRow("zero") << en << "12.5" << "0" << false << "12.5" << "12.5";
    QTest::newRow("below a tenth") << en << "12.5" << "0.0" << false << "12.5" << "12.5";
    QTest::newRow("no previous") << en << "" << "" << false << "" << "";
    QTest::newRow("de comma") << "de_DE" << "10.0" << "1,5" << false << "1.5" << "1.5";
    QTest::newRow("de zero") << "de_DE" << "10.0" << "0,0" << false << "10.0" << "10.0";
    QTest::newRow("ar digit") << "ar_EG" << "10.0" << QStringLiteral("٧") << false << QStringLiteral("٧.٠") << "7.0";
}

// The keyboard closing commits the fields of both sections: a limit of at
// least 0.1 is rewritten and announced, anything else gives the previous one back.
void TestCounterContainer::commit()
{
    QFETCH(QString, locale);
    QFETCH(QString, previous);
    QFETCH(QString, keys);
    QFETCH(bool, byReturnKey);
    QFETCH(QString, shown);
    QFETCH(QString, committed);
    LoLocale::setDefault(LoLocale(locale));
    CounterContainer *home = section(0);
    CounterContainer *roaming = section(1);
    home->setWarningPeriod(previous);
    roaming->setWarningPeriod(QStringLiteral("10.0"));
    field(home)->lineEdit()->clear();
    KeyTyper::type(field(home)->lineEdit(), keys);
    QSignalSpy spy(home, &CounterContainer::warningPeriodChanged);
    QSignalSpy roamingSpy(roaming, &CounterContainer::warningPeriodChanged);
    if (committed == previous)
        expectRefusal(previous);

    setKeyboardArea(QRect(0, 500, 480, 354));
    QCOMPARE(spy.count(), 0);
    if (byReturnKey)
        QTest::keyClick(field(home)->lineEdit(), Qt::Key_Return);
    else
        setKeyboardArea(QRect());
    QVERIFY(LoInputMethodState::instance()->inputMethodArea().isNull());
    QCOMPARE(field(home)->text(), shown);
    QCOMPARE(texts(spy), QStringList{committed});
    QCOMPARE(texts(roamingSpy), QStringList{"10.0"});

    // What was committed is what a later refusal gives back.
    spy.clear();
    field(home)->lineEdit()->clear();
    expectRefusal(committed);
    QVERIFY(!home->checkValidity());
    QCOMPARE(texts(spy), QStringList{committed});
    QCOMPARE(field(home)->text(), shown);
}

// What the page sets is shown, and none of it comes back as a signal.
void TestCounterContainer::settersAreSilent()
{
    LoLocale::setDefault(LoLocale(QStringLiteral("ar_EG")));
    CounterContainer *home = section(0);
    QSignalSpy periods(home, &CounterContainer::warningPeriodChanged);
    QSignalSpy switches(home, &CounterContainer::warningSwitchToggled);
    auto *toggle = part<LoButton>(home, QStringLiteral("warningSwitch_%1"));

    QTest::ignoreMessage(QtDebugMsg, "virtual void CounterContainer::setResetDate(const QString&): 0 -> \"5 Dec 2026\"");
    home->setResetDate(QStringLiteral("5 Dec 2026"));
    QCOMPARE(part<SettingsItem>(home, QStringLiteral("resetItem_%1"))->subtitle(), QStringLiteral("5 Dec 2026"));
    QTest::ignoreMessage(QtDebugMsg, "virtual void CounterContainer::setWarningSwitch(bool): true");
    home->setWarningSwitch(true);
    QVERIFY(toggle->isChecked());
    QTest::ignoreMessage(QtDebugMsg, "virtual void CounterContainer::setWarningPeriod(const QString&): 0 -> \"12.5\"");
    QTest::ignoreMessage(QtDebugMsg, "void CounterContainer::handleText(bool): true 12.5");
    home->setWarningPeriod(QStringLiteral("12.5"));
    QCOMPARE(field(home)->text(), QStringLiteral("١٢.٥"));
    home->setWarningPeriod(QString());
    QVERIFY(field(home)->text().isEmpty());
    QCOMPARE(periods.count() + switches.count(), 0);

    // The previous limit survives the empty one; a tap is the user's and is reported.
    expectRefusal(QStringLiteral("12.5"));
    QVERIFY(!home->checkValidity());
    QCOMPARE(texts(periods), QStringList{"12.5"});
    toggle->click();
    QCOMPARE(switches.count(), 1);
    QCOMPARE(switches.at(0).at(0), QVariant(false));
}

void TestCounterContainer::resetAnswer_data()
{
    QTest::addColumn<int>("answer"); // 0: none
    QTest::addColumn<bool>("sectionGone");
    QTest::addColumn<int>("resets");
    QTest::newRow("yes") << int(Lo::YesButton) << false << 1;
    QTest::newRow("no") << int(Lo::NoButton) << false << 0;
    // A box still open when its section goes is closed on the next pass of the
    // event loop; an answer given before that reaches no one.
    QTest::newRow("closed with the section") << 0 << true << 0;
    QTest::newRow("answered after the section went") << int(Lo::YesButton) << true << 0;
}

void TestCounterContainer::resetAnswer()
{
    QFETCH(int, answer);
    QFETCH(bool, sectionGone);
    QFETCH(int, resets);
    CounterContainer *roaming = section(1);
    QSignalSpy spy(roaming, &CounterContainer::resetAccepted);
    part<LoButton>(roaming, QStringLiteral("resetButton_%1"))->click();
    QCOMPARE(shownBoxes().size(), 1);
    QPointer<LoMessageBox> box = shownBoxes().first();
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

QTEST_MAIN(TestCounterContainer)
#include "tst_countercontainer.moc"
