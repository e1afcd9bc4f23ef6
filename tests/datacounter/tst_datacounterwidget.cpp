#include "datacounterwidget.h"

#include "calltimerscontainer.h"
#include "countercontainer.h"
#include "dataamountwidget.h"
#include "datacounters.h"
#include "settingsitem.h"
#include "storageif.h"
#include "storagekeys.h"

#include "testscene.h"
#include "teststore.h"
#include "messagecapture.h"

#include "lobutton.h"
#include "logconfitem.h"
#include "loinputmethodstate.h"
#include "lolabel.h"
#include "lolayout.h"
#include "lolinearlayoutpolicy.h"
#include "lolocale.h"
#include "lomessagebox.h"
#include "loscenemanager.h"
#include "lotextedit.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace
{
const int DataKeys[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
const QString Unset = QStringLiteral("<unset>");

QString path(int key)
{
    return StorageKeys::path(key);
}

void seed(int key, const QString &value)
{
    if (value == Unset)
        QVERIFY(ExternalStore::unset(path(key)));
    else
        QVERIFY(ExternalStore::setString(path(key), value));
}

// What another process reads from the key.
QString stored(int key)
{
    bool isSet = false;
    const QString value = ExternalStore::get(path(key), &isSet);
    return isSet ? value : Unset;
}

QString storedType(int key)
{
    return ExternalStore::type(path(key));
}

QString enGbDate(int year, int month, int day)
{
    return LoLocale(QStringLiteral("en_GB"))
        .formatDateTime(QDate(year, month, day).startOfDay(), LoLocale::DateMedium, LoLocale::TimeNone);
}

QString today()
{
    return LoLocale().formatDateTime(QDateTime::currentDateTime(), LoLocale::DateMedium, LoLocale::TimeNone);
}

CounterContainer *sectionOf(DataCounterWidget *page, int type)
{
    return ItemFinder::find<CounterContainer>(page, QStringLiteral("CounterContainer_%1").arg(type));
}

LoTextEdit *fieldOf(DataCounterWidget *page, int type)
{
    return ItemFinder::find<LoTextEdit>(sectionOf(page, type), QStringLiteral("warningPeriodIput_%1").arg(type));
}

LoButton *switchOf(DataCounterWidget *page, int type)
{
    return ItemFinder::find<LoButton>(sectionOf(page, type), QStringLiteral("warningSwitch_%1").arg(type));
}

// What a section shows, by part: "sent", "received", "field", "switch", "date".
QVariantMap shown(DataCounterWidget *page, int type)
{
    CounterContainer *section = sectionOf(page, type);
    if (!section)
        return QVariantMap();
    QVariantMap parts;
    parts[QStringLiteral("sent")] = ItemFinder::find<DataAmountWidget>(section, QStringLiteral("DataAmount_0"))->subtitle();
    parts[QStringLiteral("received")] = ItemFinder::find<DataAmountWidget>(section, QStringLiteral("DataAmount_1"))->subtitle();
    parts[QStringLiteral("field")] = fieldOf(page, type)->text();
    parts[QStringLiteral("switch")] = switchOf(page, type)->isChecked();
    parts[QStringLiteral("date")] = ItemFinder::find<SettingsItem>(section, QStringLiteral("resetItem_%1").arg(type))->subtitle();
    return parts;
}

QVariantMap shownAll(DataCounterWidget *page)
{
    QVariantMap all;
    for (int type : {0, 1}) {
        const QVariantMap parts = shown(page, type);
        for (auto it = parts.cbegin(); it != parts.cend(); ++it)
            all[QStringLiteral("%1.%2").arg(type == 0 ? "home" : "roaming", it.key())] = it.value();
    }
    return all;
}

QString megabytes(const QString &number)
{
    return QStringLiteral("%1 MB").arg(number);
}

QList<LoMessageBox *> shownBoxes()
{
    return LoSceneManager::instance()->windowsOfType<LoMessageBox>();
}

// The keys named in the store's construction lines, in the order it built its items.
QList<int> storeKeysLogged(const MessageCapture &capture)
{
    QList<int> keys;
    const QString prefix = QStringLiteral("StorageIf::StorageIf(const QList<StorageKeys::KeyId>&, QObject*): ");
    for (const QString &line : capture.lines()) {
        if (line.startsWith(prefix))
            keys << line.mid(prefix.size()).toInt();
    }
    return keys;
}
} // namespace

class TestDataCounterWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void metaObject();
    void frame_data();
    void frame();
    void buildOnDisplayEntry();
    void buildOnTimer();
    void storeOverTenKeys();

    void emptyStore();
    void storedLimits_data();
    void storedLimits();
    void storedAmountsAndDates();
    void negativeCountsShowZero_data();
    void negativeCountsShowZero();

    void externalChange_data();
    void externalChange();
    void externalLimitKeepsEnteredInStep();
    void externalUnset_data();
    void externalUnset();

    void typingLimit_data();
    void typingLimit();
    void keyboardCloseCommits();
    void switchTaps_data();
    void switchTaps();
    void switchOnWithoutReadableEnteredLimit_data();
    void switchOnWithoutReadableEnteredLimit();
    void resetConfirmed();
    void resetDeclined();
    void slotsWithoutSection();

    void backCommitsFields();
    void backBeforeBuild();
    void languageChangeRereadsDates();

    void localDateString_data();
    void localDateString();
    void currentGenericDate();
    void nullLimitIsIgnored();

private:
    // A page built from the store as it is now.
    DataCounterWidget *builtPage(bool header = true);

    // Declared first: a page shown in the scene must go before the scene does.
    std::unique_ptr<ActiveScene> m_active;
    std::unique_ptr<DataCounterWidget> m_page;
};

void TestDataCounterWidget::initTestCase()
{
    LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
}

void TestDataCounterWidget::init()
{
    QStringList paths;
    for (int key : DataKeys)
        paths << path(key);
    QVERIFY(ExternalStore::unset(paths));
    QVERIFY(StoreSync::flush());
}

void TestDataCounterWidget::cleanup()
{
    for (LoMessageBox *box : shownBoxes())
        delete box;
    LoInputMethodState::instance()->setInputMethodArea(QRect());
    m_page.reset();
    m_active.reset();
    LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
    QCoreApplication::processEvents();
}

DataCounterWidget *TestDataCounterWidget::builtPage(bool header)
{
    m_page.reset(new DataCounterWidget(header));
    m_page->announceDisplayEntered();
    return m_page.get();
}

void TestDataCounterWidget::metaObject()
{
    const QMetaObject &mo = DataCounterWidget::staticMetaObject;
    QCOMPARE(mo.className(), "DataCounterWidget");
    QCOMPARE(mo.superClass(), &VcpWidget::staticMetaObject);
    QCOMPARE(mo.propertyCount(), mo.propertyOffset());
    QCOMPARE(mo.enumeratorCount(), mo.enumeratorOffset());

    QStringList methods;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
        const QMetaMethod m = mo.method(i);
        const QString kind = m.methodType() == QMetaMethod::Signal ? QStringLiteral("signal")
                             : m.access() == QMetaMethod::Private ? QStringLiteral("private slot")
                                                                  : QStringLiteral("other");
        QStringList names;
        for (const QByteArray &name : m.parameterNames())
            names << QString::fromLatin1(name);
        methods << QStringLiteral("%1 %2 %3").arg(kind, QString::fromLatin1(m.methodSignature()), names.join(','));
    }
    const QStringList expected{
        QStringLiteral("signal checkValidity() "),
        QStringLiteral("signal startInit() "),
        QStringLiteral("private slot initWidget() "),
        QStringLiteral("private slot resetDataAmounts() "),
        QStringLiteral("private slot warningPeriodChanged(QString) period"),
        QStringLiteral("private slot warningSwitchToggled(bool) state"),
        QStringLiteral("private slot valueChanged(int,QVariant) key,value"),
    };
    QCOMPARE(methods, expected);
}

void TestDataCounterWidget::frame_data()
{
    QTest::addColumn<bool>("header");
    QTest::newRow("control-panel page") << true;
    QTest::newRow("dialog content") << false;
}

void TestDataCounterWidget::frame()
{
    QFETCH(bool, header);
    MessageCapture capture;
    m_page.reset(new DataCounterWidget(header));

    const QStringList expectedLines{
        QStringLiteral("DataCounterWidget::DataCounterWidget(bool, QGraphicsWidget*):"),
        QStringLiteral("DataCounterWidget::DataCounterWidget(bool, QGraphicsWidget*): backup timer because "
                       "signal displayEntered() has had random problems: 1500 ms"),
        QStringLiteral("DataCounterWidget::DataCounterWidget(bool, QGraphicsWidget*): -out-"),
    };
    QCOMPARE(capture.linesContaining(QStringLiteral("DataCounterWidget::DataCounterWidget")), expectedLines);

    // Frame only: nothing read, nothing built.
    QVERIFY(m_page->findChildren<StorageIf *>().isEmpty());
    QVERIFY(ItemFinder::findAll<CounterContainer>(m_page.get()).isEmpty());

    auto *layout = dynamic_cast<LoLayout *>(m_page->layout());
    QVERIFY(layout);
    qreal left, top, right, bottom;
    layout->getContentsMargins(&left, &top, &right, &bottom);
    QCOMPARE(QList<qreal>({left, top, right, bottom}), QList<qreal>({0, 0, 0, 0}));
    LoLinearLayoutPolicy *policy = layout->policy();
    QCOMPARE(policy->orientation(), Qt::Vertical);
    QCOMPARE(policy->spacing(), 0.0);

    auto *label = ItemFinder::find<LoLabel>(m_page.get(), QStringLiteral("headerLabel"));
    if (!header) {
        QVERIFY(!label);
        QCOMPARE(policy->count(), 0);
        return;
    }
    QVERIFY(label);
    QCOMPARE(policy->count(), 1);
    QCOMPARE(policy->itemAt(0), label);
    QCOMPARE(label->styleName(), QStringLiteral("CommonHeaderInverted"));
    QCOMPARE(label->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    // The constructor installed the page's catalog.
    QCOMPARE(label->text(), QStringLiteral("Data counters"));
}

void TestDataCounterWidget::buildOnDisplayEntry()
{
    MessageCapture capture;
    QElapsedTimer clock;
    clock.start();
    m_page.reset(new DataCounterWidget(true));
    QTest::qWait(300);
    QVERIFY(ItemFinder::findAll<CounterContainer>(m_page.get()).isEmpty());
    QVERIFY(m_page->findChildren<StorageIf *>().isEmpty());

    m_page->announceDisplayEntered();
    QCOMPARE(ItemFinder::findAll<CounterContainer>(m_page.get()).size(), 2);

    LoLinearLayoutPolicy *policy = static_cast<LoLayout *>(m_page->layout())->policy();
    QCOMPARE(policy->count(), 5);
    QCOMPARE(policy->itemAt(0), ItemFinder::find<LoLabel>(m_page.get(), QStringLiteral("headerLabel")));
    QVERIFY(dynamic_cast<CallTimersContainer *>(policy->itemAt(1)));
    QCOMPARE(policy->itemAt(2), sectionOf(m_page.get(), 0));
    QCOMPARE(policy->itemAt(3), sectionOf(m_page.get(), 1));
    auto *spacer = dynamic_cast<LoLabel *>(policy->itemAt(4));
    QVERIFY(spacer);
    QCOMPARE(spacer->styleName(), QStringLiteral("CommonSmallSpacer"));
    QVERIFY(spacer->text().isEmpty());

    const QString initted = QStringLiteral("void DataCounterWidget::initWidget(): Initted already");
    QVERIFY(capture.linesContaining(initted).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(capture.linesContaining(initted).size(), 1, 5000);
    QVERIFY(clock.elapsed() >= 1400);
    QCOMPARE(ItemFinder::findAll<CounterContainer>(m_page.get()).size(), 2);
    QCOMPARE(policy->count(), 5);
}

void TestDataCounterWidget::buildOnTimer()
{
    MessageCapture capture;
    QElapsedTimer clock;
    clock.start();
    m_page.reset(new DataCounterWidget(false));
    QTRY_COMPARE_WITH_TIMEOUT(ItemFinder::findAll<CounterContainer>(m_page.get()).size(), 2, 5000);
    QVERIFY(clock.elapsed() >= 1400);

    LoLinearLayoutPolicy *policy = static_cast<LoLayout *>(m_page->layout())->policy();
    QCOMPARE(policy->count(), 4);
    QVERIFY(dynamic_cast<CallTimersContainer *>(policy->itemAt(0)));

    // The display entry that comes late is no longer connected.
    m_page->announceDisplayEntered();
    QCOMPARE(capture.linesContaining(QStringLiteral("void DataCounterWidget::initWidget():")).size(), 1);
    QCOMPARE(ItemFinder::findAll<CounterContainer>(m_page.get()).size(), 2);
}

void TestDataCounterWidget::storeOverTenKeys()
{
    MessageCapture capture;
    DataCounterWidget *page = builtPage();
    QCOMPARE(storeKeysLogged(capture), QList<int>({3, 4, 5, 7, 6, 8, 9, 10, 11, 12}));
    StorageIf *store = page->storage();
    QCOMPARE(store->parent(), page);
    QCOMPARE(page->storage(), store);
    QCOMPARE(page->findChildren<StorageIf *>().size(), 1);
}

void TestDataCounterWidget::emptyStore()
{
    DataCounterWidget *page = builtPage();
    QVERIFY(StoreSync::flush());

    QVariantMap expected{
        {QStringLiteral("home.sent"), megabytes(QStringLiteral("0"))},
        {QStringLiteral("home.received"), megabytes(QStringLiteral("0"))},
        {QStringLiteral("home.field"), QStringLiteral("1000.0")},
        {QStringLiteral("home.switch"), false},
        {QStringLiteral("home.date"), QStringLiteral("Never")},
        {QStringLiteral("roaming.sent"), megabytes(QStringLiteral("0"))},
        {QStringLiteral("roaming.received"), megabytes(QStringLiteral("0"))},
        {QStringLiteral("roaming.field"), QStringLiteral("10.0")},
        {QStringLiteral("roaming.switch"), true},
        {QStringLiteral("roaming.date"), QStringLiteral("Never")},
    };
    QCOMPARE(shownAll(page), expected);
    for (int key : DataKeys)
        QCOMPARE(stored(key), Unset);
}

void TestDataCounterWidget::storedLimits_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<bool>("on");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("enteredAfter");

    QTest::newRow("home, nothing stored") << 0 << Unset << Unset << false << "1000.0" << Unset;
    QTest::newRow("home, off, nothing entered") << 0 << "0" << Unset << false << "1000.0" << Unset;
    QTest::newRow("home, off, entered") << 0 << "0" << "5000000" << false << "5.0" << "5000000";
    QTest::newRow("home, on, nothing entered") << 0 << "20000000" << Unset << true << "20.0" << "20000000";
    QTest::newRow("home, on, other entered") << 0 << "20000000" << "5000000" << true << "20.0" << "20000000";
    QTest::newRow("home, on, same entered") << 0 << "7500000" << "7500000" << true << "7.5" << "7500000";
    QTest::newRow("home, limit unset, entered") << 0 << Unset << "5000000" << false << "5.0" << "5000000";
    QTest::newRow("roaming, nothing stored") << 1 << Unset << Unset << true << "10.0" << Unset;
    QTest::newRow("roaming, limit unset, entered") << 1 << Unset << "3000000" << true << "10.0" << "10000000";
    QTest::newRow("roaming, off, nothing entered") << 1 << "0" << Unset << false << "10.0" << Unset;
    QTest::newRow("roaming, off, entered") << 1 << "0" << "3000000" << false << "3.0" << "3000000";
    QTest::newRow("roaming, on, nothing entered") << 1 << "25000000" << Unset << true << "25.0" << "25000000";
}

void TestDataCounterWidget::storedLimits()
{
    QFETCH(int, type);
    QFETCH(QString, limit);
    QFETCH(QString, entered);
    QFETCH(bool, on);
    QFETCH(QString, field);
    QFETCH(QString, enteredAfter);
    const int periodKey = type == 0 ? 5 : 10;
    seed(periodKey, limit);
    seed(periodKey + 1, entered);

    DataCounterWidget *page = builtPage();
    QVERIFY(StoreSync::flush());
    QCOMPARE(switchOf(page, type)->isChecked(), on);
    QCOMPARE(fieldOf(page, type)->text(), field);
    QCOMPARE(stored(periodKey), limit);
    QCOMPARE(stored(periodKey + 1), enteredAfter);
    if (enteredAfter != Unset)
        QCOMPARE(storedType(periodKey + 1), QStringLiteral("string"));
}

void TestDataCounterWidget::storedAmountsAndDates()
{
    seed(3, QStringLiteral("123456789"));
    QVERIFY(ExternalStore::setInt(path(4), 5000000));
    seed(7, QStringLiteral("31.1.2026.1769817600"));
    seed(8, QStringLiteral("1250000"));
    seed(12, QStringLiteral("5.12.2026"));

    DataCounterWidget *page = builtPage();
    const QVariantMap home = shown(page, 0);
    QCOMPARE(home.value("sent").toString(), megabytes(QStringLiteral("123.5")));
    QCOMPARE(home.value("received").toString(), megabytes(QStringLiteral("5")));
    QCOMPARE(home.value("date").toString(), enGbDate(2026, 1, 31));
    QCOMPARE(home.value("date").toString(), QStringLiteral("31 Jan 2026"));
    const QVariantMap roaming = shown(page, 1);
    QCOMPARE(roaming.value("sent").toString(), megabytes(QStringLiteral("1.2")));
    QCOMPARE(roaming.value("received").toString(), megabytes(QStringLiteral("0")));
    QCOMPARE(roaming.value("date").toString(), QStringLiteral("5 Dec 2026"));
}

void TestDataCounterWidget::negativeCountsShowZero_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("part");
    QTest::newRow("home sent") << 3 << "home.sent";
    QTest::newRow("home received") << 4 << "home.received";
    QTest::newRow("roaming sent") << 8 << "roaming.sent";
    QTest::newRow("roaming received") << 9 << "roaming.received";
}

// Another process may store a counter as a signed integer; a negative one is
// no amount at all, not 18 million terabytes.
void TestDataCounterWidget::negativeCountsShowZero()
{
    QFETCH(int, key);
    QFETCH(QString, part);

    QVERIFY(ExternalStore::setInt(path(key), -5));
    DataCounterWidget *page = builtPage();
    QCOMPARE(shownAll(page).value(part).toString(), megabytes(QStringLiteral("0")));

    QVERIFY(ExternalStore::setInt(path(key), 2500000));
    QVERIFY(StoreSync::flush());
    QCOMPARE(shownAll(page).value(part).toString(), megabytes(QStringLiteral("2.5")));

    QVERIFY(ExternalStore::setInt(path(key), -1));
    QVERIFY(StoreSync::flush());
    QCOMPARE(shownAll(page).value(part).toString(), megabytes(QStringLiteral("0")));

    QVERIFY(ExternalStore::setString(path(key), QStringLiteral("-7")));
    QVERIFY(StoreSync::flush());
    QCOMPARE(shownAll(page).value(part).toString(), megabytes(QStringLiteral("0")));
}

void TestDataCounterWidget::externalChange_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QVariantMap>("changes");

    QTest::newRow("home sent") << 3 << "string" << "123456789"
                               << QVariantMap{{"home.sent", megabytes("123.5")}};
    QTest::newRow("home received, integer") << 4 << "int" << "5000000"
                                            << QVariantMap{{"home.received", megabytes("5")}};
    QTest::newRow("roaming sent") << 8 << "string" << "2500000"
                                  << QVariantMap{{"roaming.sent", megabytes("2.5")}};
    QTest::newRow("roaming received") << 9 << "string" << "123456789"
                                      << QVariantMap{{"roaming.received", megabytes("123.5")}};
    QTest::newRow("home limit on") << 5 << "string" << "30000000"
                                   << QVariantMap{{"home.field", "30.0"}, {"home.switch", true}};
    QTest::newRow("roaming limit off") << 10 << "string" << "0" << QVariantMap{{"roaming.switch", false}};
    QTest::newRow("roaming limit") << 10 << "string" << "2000000" << QVariantMap{{"roaming.field", "2.0"}};
    QTest::newRow("home reset date") << 7 << "string" << "31.1.2026.1769817600"
                                     << QVariantMap{{"home.date", "31 Jan 2026"}};
    QTest::newRow("roaming reset date") << 12 << "string" << "5.12.2026.0"
                                        << QVariantMap{{"roaming.date", "5 Dec 2026"}};
    QTest::newRow("home entered limit") << 6 << "string" << "7000000" << QVariantMap();
    QTest::newRow("roaming entered limit") << 11 << "string" << "7000000" << QVariantMap();
}

void TestDataCounterWidget::externalChange()
{
    QFETCH(int, key);
    QFETCH(QString, type);
    QFETCH(QString, value);
    QFETCH(QVariantMap, changes);

    DataCounterWidget *page = builtPage();
    QVERIFY(StoreSync::flush());
    QVariantMap expected = shownAll(page);
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
        QVERIFY2(expected.contains(it.key()), qPrintable(it.key()));
        QVERIFY2(expected.value(it.key()) != it.value(), "the change would not show");
        expected[it.key()] = it.value();
    }

    QVERIFY(ExternalStore::set(path(key), type, value));
    QVERIFY(StoreSync::flush());
    QCOMPARE(shownAll(page), expected);
}

void TestDataCounterWidget::externalLimitKeepsEnteredInStep()
{
    seed(6, QStringLiteral("5000000"));
    builtPage();
    QVERIFY(ExternalStore::setString(path(5), QStringLiteral("30000000")));
    QVERIFY(StoreSync::flush());
    QCOMPARE(stored(6), QStringLiteral("30000000"));
    QCOMPARE(stored(11), Unset);
}

void TestDataCounterWidget::externalUnset_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("home sent") << 3;
    QTest::newRow("home received") << 4;
    QTest::newRow("home limit") << 5;
    QTest::newRow("home entered limit, warning on") << 6;
    QTest::newRow("home reset date") << 7;
    QTest::newRow("roaming sent") << 8;
    QTest::newRow("roaming received") << 9;
    QTest::newRow("roaming limit") << 10;
    QTest::newRow("roaming entered limit, warning off") << 11;
    QTest::newRow("roaming reset date") << 12;
}

// Another process unsets a key while the page is shown: the page then shows
// what a page built afresh shows, and leaves the key unset.
void TestDataCounterWidget::externalUnset()
{
    QFETCH(int, key);
    // Home warning on, roaming off, every key holding something.
    const QMap<int, QString> seeds{
        {3, "123456789"}, {4, "5000000"}, {5, "20000000"}, {6, "20000000"}, {7, "31.1.2026.0"},
        {8, "2500000"}, {9, "123456789"}, {10, "0"}, {11, "3000000"}, {12, "5.12.2026.0"},
    };
    for (auto it = seeds.cbegin(); it != seeds.cend(); ++it)
        seed(it.key(), it.value());

    DataCounterWidget *page = builtPage();
    QVERIFY(StoreSync::flush());
    QVERIFY(ExternalStore::unset(path(key)));
    QVERIFY(StoreSync::flush());
    const QVariantMap afterUnset = shownAll(page);
    QCOMPARE(stored(key), Unset);

    DataCounterWidget fresh(true);
    fresh.announceDisplayEntered();
    QVERIFY(StoreSync::flush());
    QCOMPARE(afterUnset, shownAll(&fresh));
}

void TestDataCounterWidget::typingLimit_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("enteredAfter");
    QTest::addColumn<QString>("limitAfter");

    QTest::newRow("home, warning off") << 0 << "0" << "12" << "12000000" << "0";
    QTest::newRow("home, warning on") << 0 << "20000000" << "12" << "12000000" << "12000000";
    QTest::newRow("roaming, warning off") << 1 << "0" << "4.5" << "4500000" << "0";
    QTest::newRow("roaming, warning on") << 1 << "20000000" << "4,5" << "4500000" << "4500000";
    QTest::newRow("home, zero") << 0 << "20000000" << "0" << "20000000" << "20000000";
}

void TestDataCounterWidget::typingLimit()
{
    QFETCH(int, type);
    QFETCH(QString, limit);
    QFETCH(QString, typed);
    QFETCH(QString, enteredAfter);
    QFETCH(QString, limitAfter);
    const int periodKey = type == 0 ? 5 : 10;
    const int otherPeriodKey = type == 0 ? 10 : 5;
    seed(periodKey, limit);
    seed(periodKey + 1, QStringLiteral("20000000"));

    m_page.reset(new DataCounterWidget(true));
    m_active.reset(new ActiveScene);
    m_active->scene()->addItem(m_page.get());
    QVERIFY(m_active->activate());
    QTRY_VERIFY(sectionOf(m_page.get(), type));

    LoTextEdit *field = fieldOf(m_page.get(), type);
    field->setFocus(Qt::MouseFocusReason);
    QVERIFY(field->hasFocus());
    field->lineEdit()->clear();
    // Each keystroke that leaves a number is stored at once, and the field
    // keeps what the user types.
    KeyTyper::type(field->lineEdit(), typed);
    QCOMPARE(field->text(), typed);
    QCOMPARE(stored(periodKey + 1), enteredAfter);
    QCOMPARE(stored(periodKey), limitAfter);
    QCOMPARE(stored(otherPeriodKey), Unset);
    QCOMPARE(stored(otherPeriodKey + 1), Unset);
    QCOMPARE(storedType(periodKey + 1), QStringLiteral("string"));

    // The echoes of the writes change nothing on screen.
    QVERIFY(StoreSync::flush());
    QCOMPARE(field->text(), typed);
    QCOMPARE(switchOf(m_page.get(), type)->isChecked(), limit != QLatin1String("0"));
}

void TestDataCounterWidget::keyboardCloseCommits()
{
    seed(5, QStringLiteral("0"));
    seed(6, QStringLiteral("5000000"));

    m_page.reset(new DataCounterWidget(true));
    m_active.reset(new ActiveScene);
    m_active->scene()->addItem(m_page.get());
    QVERIFY(m_active->activate());
    QTRY_VERIFY(sectionOf(m_page.get(), 1));

    LoTextEdit *home = fieldOf(m_page.get(), 0);
    home->setFocus(Qt::MouseFocusReason);
    home->lineEdit()->clear();
    KeyTyper::type(home->lineEdit(), QStringLiteral("7"));
    QCOMPARE(stored(6), QStringLiteral("7000000"));

    // Another process changes the roaming entered limit meanwhile: closing the
    // keyboard commits roaming's field too, so its shown limit is stored again.
    QVERIFY(ExternalStore::setString(path(11), QStringLiteral("9000000")));
    QVERIFY(StoreSync::flush());

    LoInputMethodState::instance()->setInputMethodArea(QRect());
    QCOMPARE(home->text(), QStringLiteral("7.0"));
    QCOMPARE(stored(6), QStringLiteral("7000000"));
    QCOMPARE(stored(5), QStringLiteral("0"));
    QCOMPARE(stored(11), QStringLiteral("10000000"));
    QVERIFY(!home->hasFocus());
}

void TestDataCounterWidget::switchTaps_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QStringList>("limitsAfterTaps");

    // Without an entered limit the field shows the section's default limit,
    // and that is the limit that the switch turns on.
    QTest::newRow("roaming, nothing stored") << 1 << Unset << Unset << QStringList{"0", "10000000", "0"};
    QTest::newRow("home, nothing stored") << 0 << Unset << Unset << QStringList{"1000000000", "0"};
    QTest::newRow("home, entered") << 0 << "0" << "5000000" << QStringList{"5000000", "0", "5000000"};
    QTest::newRow("roaming, on") << 1 << "25000000" << "25000000" << QStringList{"0", "25000000"};
}

void TestDataCounterWidget::switchTaps()
{
    QFETCH(int, type);
    QFETCH(QString, limit);
    QFETCH(QString, entered);
    QFETCH(QStringList, limitsAfterTaps);
    const int periodKey = type == 0 ? 5 : 10;
    seed(periodKey, limit);
    seed(periodKey + 1, entered);

    DataCounterWidget *page = builtPage();
    QVERIFY(StoreSync::flush());
    const QString field = fieldOf(page, type)->text();
    LoButton *warningSwitch = switchOf(page, type);
    for (const QString &limitAfter : limitsAfterTaps) {
        const bool wasOn = warningSwitch->isChecked();
        warningSwitch->click();
        QCOMPARE(warningSwitch->isChecked(), !wasOn);
        QCOMPARE(stored(periodKey), limitAfter);
        QCOMPARE(storedType(periodKey), QStringLiteral("string"));
        QCOMPARE(stored(periodKey + 1), entered);
        QVERIFY(StoreSync::flush());
        QCOMPARE(warningSwitch->isChecked(), !wasOn);
        QCOMPARE(fieldOf(page, type)->text(), field);
    }
    QCOMPARE(stored(type == 0 ? 10 : 5), Unset);
}

void TestDataCounterWidget::switchOnWithoutReadableEnteredLimit_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("limitOn");
    QTest::addColumn<QString>("fieldOn");

    QTest::newRow("home, not a number") << 0 << "abc" << "1000000000" << "1000.0";
    QTest::newRow("home, zero") << 0 << "0" << "1000000000" << "1000.0";
    QTest::newRow("roaming, negative") << 1 << "-5" << "10000000" << "10.0";
    QTest::newRow("roaming, empty") << 1 << "" << "10000000" << "10.0";
}

// An entered limit that is no byte count must not put the warning "on" at a
// limit of 0, which is off: the section's default limit is put in force and shown.
void TestDataCounterWidget::switchOnWithoutReadableEnteredLimit()
{
    QFETCH(int, type);
    QFETCH(QString, entered);
    QFETCH(QString, limitOn);
    QFETCH(QString, fieldOn);
    const int periodKey = type == 0 ? 5 : 10;
    seed(periodKey, QStringLiteral("0"));
    seed(periodKey + 1, entered);

    DataCounterWidget *page = builtPage();
    QVERIFY(StoreSync::flush());
    LoButton *warningSwitch = switchOf(page, type);
    QVERIFY(!warningSwitch->isChecked());

    warningSwitch->click();
    QVERIFY(warningSwitch->isChecked());
    QCOMPARE(stored(periodKey), limitOn);
    QCOMPARE(fieldOf(page, type)->text(), fieldOn);
    QCOMPARE(stored(periodKey + 1), entered);
    QVERIFY(StoreSync::flush());
    QVERIFY(warningSwitch->isChecked());
    QCOMPARE(fieldOf(page, type)->text(), fieldOn);

    // Off and on again: the same limit, now that the field shows it.
    warningSwitch->click();
    QCOMPARE(stored(periodKey), QStringLiteral("0"));
    warningSwitch->click();
    QCOMPARE(stored(periodKey), limitOn);
    QCOMPARE(stored(type == 0 ? 10 : 5), Unset);
}

void TestDataCounterWidget::resetConfirmed()
{
    seed(3, QStringLiteral("5000000"));
    seed(4, QStringLiteral("7000000"));
    seed(8, QStringLiteral("1000000"));
    seed(9, QStringLiteral("2000000"));
    seed(12, QStringLiteral("5.12.2026.0"));
    DataCounterWidget *page = builtPage();
    QVERIFY(StoreSync::flush());
    const QVariantMap roamingBefore = shown(page, 1);

    // Writes of this process reach every item of the key as they are made.
    QList<int> written;
    std::vector<std::unique_ptr<LoGConfItem>> watchers;
    for (int key : DataKeys) {
        watchers.emplace_back(new LoGConfItem(path(key)));
        connect(watchers.back().get(), &LoGConfItem::valueChanged, this, [&written, key] { written << key; });
    }

    ItemFinder::find<LoButton>(sectionOf(page, 0), QStringLiteral("resetButton_0"))->click();
    QCOMPARE(shownBoxes().size(), 1);
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    const QDate dayBefore = QDate::currentDate();
    shownBoxes().first()->button(Lo::YesButton)->click();
    const qint64 after = QDateTime::currentSecsSinceEpoch();

    QCOMPARE(written, QList<int>({7, 4, 3}));
    QCOMPARE(stored(3), QStringLiteral("0"));
    QCOMPARE(stored(4), QStringLiteral("0"));
    QCOMPARE(storedType(3), QStringLiteral("string"));
    const QRegularExpressionMatch date =
        QRegularExpression(QStringLiteral("^(\\d+)\\.(\\d+)\\.(\\d+)\\.(\\d+)$")).match(stored(7));
    QVERIFY2(date.hasMatch(), qPrintable(stored(7)));
    const QDate day(date.captured(3).toInt(), date.captured(2).toInt(), date.captured(1).toInt());
    QVERIFY(day == dayBefore || day == QDate::currentDate());
    QVERIFY(date.captured(4).toLongLong() >= before && date.captured(4).toLongLong() <= after);

    QCOMPARE(shown(page, 0).value("sent").toString(), megabytes(QStringLiteral("0")));
    QCOMPARE(shown(page, 0).value("received").toString(), megabytes(QStringLiteral("0")));
    QCOMPARE(shown(page, 0).value("date").toString(), today());

    QVERIFY(StoreSync::flush());
    QCOMPARE(written, QList<int>({7, 4, 3}));
    QCOMPARE(shown(page, 1), roamingBefore);
    QCOMPARE(stored(8), QStringLiteral("1000000"));
    QCOMPARE(stored(9), QStringLiteral("2000000"));
    QCOMPARE(stored(12), QStringLiteral("5.12.2026.0"));
}

void TestDataCounterWidget::resetDeclined()
{
    seed(3, QStringLiteral("5000000"));
    DataCounterWidget *page = builtPage();
    const QVariantMap before = shownAll(page);
    ItemFinder::find<LoButton>(sectionOf(page, 0), QStringLiteral("resetButton_0"))->click();
    QCOMPARE(shownBoxes().size(), 1);
    shownBoxes().first()->button(Lo::NoButton)->click();
    QVERIFY(StoreSync::flush());
    QCOMPARE(stored(3), QStringLiteral("5000000"));
    QCOMPARE(stored(4), Unset);
    QCOMPARE(stored(7), Unset);
    QCOMPARE(shownAll(page), before);
}

// The slots act on the section that sent the signal; called any other way
// they have nothing to act on.
void TestDataCounterWidget::slotsWithoutSection()
{
    seed(5, QStringLiteral("20000000"));
    seed(6, QStringLiteral("20000000"));
    DataCounterWidget *page = builtPage();
    QVERIFY(QMetaObject::invokeMethod(page, "warningPeriodChanged", Q_ARG(QString, QStringLiteral("12"))));
    QVERIFY(QMetaObject::invokeMethod(page, "warningSwitchToggled", Q_ARG(bool, false)));
    QVERIFY(QMetaObject::invokeMethod(page, "warningSwitchToggled", Q_ARG(bool, true)));
    QVERIFY(QMetaObject::invokeMethod(page, "resetDataAmounts"));
    QVERIFY(StoreSync::flush());
    for (int key : DataKeys) {
        if (key != 5 && key != 6)
            QCOMPARE(stored(key), Unset);
    }
    QCOMPARE(stored(5), QStringLiteral("20000000"));
    QCOMPARE(stored(6), QStringLiteral("20000000"));
}

void TestDataCounterWidget::backCommitsFields()
{
    seed(5, QStringLiteral("0"));
    seed(6, QStringLiteral("5000000"));
    DataCounterWidget *page = builtPage();
    // The entered limit changes behind the page; the field still shows 5.0.
    QVERIFY(ExternalStore::setString(path(6), QStringLiteral("9000000")));
    QVERIFY(StoreSync::flush());
    LoTextEdit *home = fieldOf(page, 0);
    QCOMPARE(home->text(), QStringLiteral("5.0"));
    home->clear();
    QCOMPARE(stored(6), QStringLiteral("9000000"));

    QSignalSpy validity(page, &DataCounterWidget::checkValidity);
    QVERIFY(page->back());
    QCOMPARE(validity.count(), 1);
    // The empty field got its limit back and stored it, before back() returned.
    QCOMPARE(home->text(), QStringLiteral("5.0"));
    QCOMPARE(stored(6), QStringLiteral("5000000"));
    QCOMPARE(fieldOf(page, 1)->text(), QStringLiteral("10.0"));
}

void TestDataCounterWidget::backBeforeBuild()
{
    m_page.reset(new DataCounterWidget(true));
    QSignalSpy validity(m_page.get(), &DataCounterWidget::checkValidity);
    QVERIFY(m_page->back());
    QCOMPARE(validity.count(), 1);
    QVERIFY(m_page->findChildren<StorageIf *>().isEmpty());
}

void TestDataCounterWidget::languageChangeRereadsDates()
{
    seed(7, QStringLiteral("31.1.2026.0"));
    DataCounterWidget *page = builtPage();
    // Let the retranslation that the page's own catalog installation queued run first.
    QVERIFY(StoreSync::flush());
    QCOMPARE(shown(page, 0).value("date").toString(), QStringLiteral("31 Jan 2026"));
    QCOMPARE(shown(page, 1).value("date").toString(), QStringLiteral("Never"));

    // A date stored while the page did not follow the store.
    page->storage()->blockSignals(true);
    QVERIFY(ExternalStore::setString(path(7), QStringLiteral("5.12.2026.0")));
    QVERIFY(StoreSync::flush());
    page->storage()->blockSignals(false);
    QCOMPARE(shown(page, 0).value("date").toString(), QStringLiteral("31 Jan 2026"));

    LoLocale german(QStringLiteral("de_DE"));
    german.installTrCatalog(QStringLiteral("cellular-adaptation"));
    LoLocale::setDefault(german);
    QTRY_COMPARE(shown(page, 0).value("date").toString(), QStringLiteral("05.12.2026"));
    QCOMPARE(shown(page, 1).value("date").toString(), QStringLiteral("Never"));
}

void TestDataCounterWidget::localDateString_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("shown");

    QTest::newRow("empty") << "" << today();
    QTest::newRow("zero") << "0" << today();
    QTest::newRow("two parts") << "5.12" << today();
    QTest::newRow("generic") << "31.1.2026.1769817600" << "31 Jan 2026";
    QTest::newRow("seconds ignored") << "31.1.2026.0" << "31 Jan 2026";
    QTest::newRow("three parts") << "5.12.2026" << "5 Dec 2026";
    QTest::newRow("never") << "qtn_cell_counters_never" << "Never";
    QTest::newRow("not numbers")
        << "a.b.c" << LoLocale().formatDateTime(QDateTime(), LoLocale::DateMedium, LoLocale::TimeNone);
    QTest::newRow("no such day")
        << "31.2.2026" << LoLocale().formatDateTime(QDateTime(), LoLocale::DateMedium, LoLocale::TimeNone);
}

void TestDataCounterWidget::localDateString()
{
    QFETCH(QString, date);
    QFETCH(QString, shown);
    m_page.reset(new DataCounterWidget(false));
    QCOMPARE(m_page->localDateString(date), shown);
    // Nothing of this needs the store.
    QVERIFY(m_page->findChildren<StorageIf *>().isEmpty());
}

void TestDataCounterWidget::currentGenericDate()
{
    m_page.reset(new DataCounterWidget(false));
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    const QDate dayBefore = QDate::currentDate();
    const QString generic = m_page->currentGenericDate();
    const qint64 after = QDateTime::currentSecsSinceEpoch();

    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^([1-9]\\d?)\\.([1-9]\\d?)\\.(\\d{4})\\.(\\d+)$")).match(generic);
    QVERIFY2(match.hasMatch(), qPrintable(generic));
    const QDate day(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
    QVERIFY(day == dayBefore || day == QDate::currentDate());
    QVERIFY(match.captured(4).toLongLong() >= before && match.captured(4).toLongLong() <= after);
    QCOMPARE(m_page->localDateString(generic),
             LoLocale().formatDateTime(day.startOfDay(), LoLocale::DateMedium, LoLocale::TimeNone));
}

void TestDataCounterWidget::nullLimitIsIgnored()
{
    DataCounterWidget *page = builtPage();
    const QVariantMap before = shownAll(page);
    MessageCapture capture;
    page->updateWarningPeriodUi(sectionOf(page, 0), nullptr);
    QVERIFY(capture.linesContaining(QStringLiteral("updateWarningPeriodUi")).isEmpty());
    QCOMPARE(shownAll(page), before);
}

QTEST_MAIN(TestDataCounterWidget)
#include "tst_datacounterwidget.moc"
