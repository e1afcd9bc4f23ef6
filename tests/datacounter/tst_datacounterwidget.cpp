// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "datacounterdialog.h"
#include "datacounterwidget.h"

#include "countercontainer.h"
#include "datacountervalue.h"
#include "settingsitem.h"
#include "storageif.h"
#include "storagekeys.h"
#include "testscene.h"
#include "teststore.h"

#include "lobutton.h"
#include "locontainer.h"
#include "logconfitem.h"
#include "lohelpbutton.h"
#include "loinputmethodstate.h"
#include "lolabel.h"
#include "lolayout.h"
#include "lolinearlayoutpolicy.h"
#include "lolocale.h"
#include "lomessagebox.h"
#include "loscenemanager.h"
#include "lotextedit.h"

#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>

#include <memory>

namespace
{
const QString Unset = QStringLiteral("<unset>");
const QString TimersDate = QStringLiteral("/cellui/settings/calltimers/reset_date");

void seed(int key, const QString &value)
{
    if (value == Unset)
        QVERIFY(ExternalStore::unset(StorageKeys::path(key)));
    else
        QVERIFY(ExternalStore::setString(StorageKeys::path(key), value));
}

QString today()
{
    return LoLocale().formatDateTime(QDateTime::currentDateTime(), LoLocale::DateMedium, LoLocale::TimeNone);
}

void ignoreLine(const QString &line)
{
    QTest::ignoreMessage(QtDebugMsg, line.toUtf8().constData());
}

// Every text comes back as its identifier, marked, so that a test sees which one was looked up.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *, const char *id, const char *, int) const override
    {
        return QLatin1String("T:") + QLatin1String(id)
            + (qstrcmp(id, "qtn_comm_megabytes") ? QString() : QStringLiteral(" %1"));
    }
    bool isEmpty() const override { return false; }
};

// The writes made by this process to the ten data counter keys, "key=value", in order.
struct WriteLog : QObject {
    WriteLog()
    {
        for (int key = 3; key <= 12; ++key) {
            auto *item = new LoGConfItem(StorageKeys::path(key), this);
            connect(item, &LoGConfItem::valueChanged, this, [=] { writes << QStringLiteral("%1=%2").arg(key).arg(item->value().toString()); });
        }
    }
    QStringList writes;
};
} // namespace

class TestDataCounterWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
        QStringList paths{TimersDate};
        for (int key = 3; key <= 12; ++key)
            paths << StorageKeys::path(key);
        QVERIFY(ExternalStore::unset(paths));
        QVERIFY(StoreSync::flush());
    }

    void cleanup()
    {
        qDeleteAll(LoSceneManager::instance()->windowsOfType<LoMessageBox>());
        m_page.reset();
        LoInputMethodState::instance()->setInputMethodArea(QRect());
    }

    // Every named part of a built page, its style and the text identifier it shows,
    // after a language change, which also re-reads the reset dates.
    void namesStylesAndTexts()
    {
        for (const char *line : {"DataCounterWidget::DataCounterWidget(bool, QGraphicsWidget*):", "DataCounterWidget::DataCounterWidget(bool, "
                                 "QGraphicsWidget*): backup timer because signal displayEntered() has had random problems: 1500 ms",
                                 "DataCounterWidget::DataCounterWidget(bool, QGraphicsWidget*): -out-", "void DataCounterWidget::initWidget():",
                                 "void DataCounterWidget::initContainer(CounterContainer*):",
                                 "CounterContainer::CounterContainer(Type, int, int, int, int, int, QGraphicsItem*): type of 1",
                                 "virtual void CounterContainer::initLayout():", "virtual void CounterContainer::retranslateUi():",
                                 "QString DataCounterWidget::localDateString(const QString&): \"qtn_cell_counters_never\"",
                                 "CounterContainer::Type CounterContainer::widgetType(): 1"})
            ignoreLine(QLatin1String(line));
        m_page.reset(new DataCounterWidget(true));
        LoLinearLayoutPolicy *policy = static_cast<LoLayout *>(m_page->layout())->policy();
        QCOMPARE(policy->count(), 1); // the frame only, until the page is on the display
        m_page->announceDisplayEntered();
        DataCounterWidget *page = m_page.get();
        QStringList items;
        ignoreLine(QStringLiteral("void DataCounterWidget::initWidget(): Initted already"));
        QVERIFY(QMetaObject::invokeMethod(page, "initWidget"));
        for (int i = 0; i < policy->count(); ++i)
            items << dynamic_cast<QGraphicsWidget *>(policy->itemAt(i))->objectName();
        QCOMPARE(items, (QStringList{"headerLabel", "CallTimersContainer", "CounterContainer_0", "CounterContainer_1", ""}));
        QVERIFY(StoreSync::flush()); // the retranslation that the page's catalog queued runs first
        page->storage()->blockSignals(true);
        seed(7, QStringLiteral("31.1.2026.0"));
        QVERIFY(StoreSync::flush());
        page->storage()->blockSignals(false);
        QCOMPARE(part<SettingsItem>(0, QStringLiteral("resetItem_%1"))->subtitle(), QStringLiteral("Never"));
        MarkingTranslator marking;
        QCoreApplication::installTranslator(&marking);
        LoLocale::setDefault(LoLocale(QStringLiteral("de_DE")));
        ignoreLine(QStringLiteral("virtual void DataCounterWidget::retranslateUi():"));
        QTRY_COMPARE(ItemFinder::find<LoLabel>(page, QStringLiteral("headerLabel"))->text(), QStringLiteral("T:qtn_comm_cellular_counters"));

        struct Row {
            int root; // section type, or -1: the page
            const char *name, *style, *text, *subtitle;
        };
        const Row rows[] = {
            {-1, "headerLabel", "CommonHeaderInverted", "T:qtn_comm_cellular_counters", nullptr},
            {-1, "CallTimersContainer", "CommonContainerInverted", "T:qtn_cell_call_timers", nullptr},
            {-1, "timersDialed", "CommonPanelInverted", "T:qtn_cell_dialled", "00:00:00"},
            {-1, "timersReceived", "CommonPanelInverted", "T:qtn_cell_received", nullptr},
            {-1, "timersAll", "CommonPanelInverted", "T:qtn_cell_all", nullptr},
            {-1, "timersResetDate", "CommonPanelInverted", "T:qtn_cell_last_reset", "T:qtn_cell_counters_never"},
            {-1, "timersResetBtn", "CommonListButtonInverted", "T:qtn_cell_reset_counters", nullptr},
            {-1, "CounterContainer_0", "CommonContainerInverted", "T:qtn_cell_counter_data_title", nullptr},
            {-1, "CounterContainer_1", "CommonContainerInverted", "T:qtn_cell_counter_data_title", nullptr},
            {0, "subTitle_%1", "CommonGroupHeaderInverted", "T:qtn_cell_counter_psd_title", nullptr},
            {1, "subTitle_%1", "CommonGroupHeaderInverted", "T:qtn_cell_counter_roaming_title", nullptr},
            {0, "resetItem_%1", "CommonPanelInverted", "T:qtn_cell_last_reset", "31.01.2026"},
            {1, "resetItem_%1", "CommonPanelInverted", "T:qtn_cell_last_reset", "T:qtn_cell_counters_never"},
        };
        const Row bothSections[] = {
            {0, "warningItem_%1", "CommonPanelInverted", "T:qtn_cell_counter_display_warning", nullptr},
            {0, "warningSwitch_%1", "CommonRightSwitchInverted", "", nullptr},
            {0, "warningPeriodLabel_%1", "CommonFieldLabelInverted", "T:qtn_cell_counter_mb_title", nullptr},
            {0, "warningPeriodIput_%1", "CommonSingleInputFieldInverted", nullptr, nullptr},
            {0, "DataAmount_0", "CommonPanelInverted", "T:qtn_cell_counter_sent", "T:qtn_comm_megabytes 0"},
            {0, "DataAmount_1", "CommonPanelInverted", "T:qtn_cell_counter_received", "T:qtn_comm_megabytes 0"},
            {0, "resetButton_%1", "CommonListButtonInverted", "T:qtn_cell_reset_counters", nullptr},
        };
        QList<Row> all(std::begin(rows), std::end(rows));
        for (const Row &row : bothSections)
            all << row << Row{1, row.name, row.style, row.text, row.subtitle};
        for (const Row &row : qAsConst(all)) {
            QGraphicsWidget *widget = row.root < 0 ? ItemFinder::find<QGraphicsWidget>(page, QLatin1String(row.name))
                                                   : part(row.root, QLatin1String(row.name));
            QVERIFY2(widget, row.name);
            auto *container = qobject_cast<LoContainer *>(widget);
            const QString text = container ? container->title()
                                           : widget->property(widget->property("title").isValid() ? "title" : "text").toString();
            QCOMPARE(widget->property("styleName").toString(), QLatin1String(row.style));
            if (row.text)
                QCOMPARE(text, QString::fromUtf8(row.text));
            if (row.subtitle)
                QCOMPARE(widget->property("subtitle").toString(), QString::fromUtf8(row.subtitle));
        }

        // The unnamed parts: three panels per section and one for the timers, the spacers.
        QMap<QString, int> unnamed;
        for (QGraphicsObject *object : ItemFinder::descendants(page)) {
            const QString style = object->property("styleName").toString();
            if (object->objectName().isEmpty() && !style.isEmpty())
                ++unnamed[style];
        }
        QCOMPARE(unnamed, (QMap<QString, int>{{"CommonLargePanelInverted", 7}, {"CommonSpacer", 2}, {"CommonSmallSpacer", 1}}));

        QCOMPARE(part<LoHelpButton>(1, QStringLiteral("warningInfo_%1"))->pageID(), QStringLiteral("CTX_IDUG_LORVO_DATA_COSTS.html"));
        const int toolbar = part<LoTextEdit>(0, QStringLiteral("warningPeriodIput_%1"))->attachedToolbarId();
        QCOMPARE(LoInputMethodState::instance()->extendedAttribute(toolbar, QStringLiteral("/keys"), QStringLiteral("actionKey"),
                                                                   QStringLiteral("label")),
                 QVariant(QStringLiteral("T:qtn_comm_command_done")));

        QCoreApplication::removeTranslator(&marking);
        ignoreLine(QStringLiteral("virtual DataCounterWidget::~DataCounterWidget():"));
        ignoreLine(QStringLiteral("virtual CounterContainer::~CounterContainer(): 1"));
        m_page.reset();
    }

    void limits_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("built"); // the field as built
        // "*" taps the switch; other keys go into the emptied field, or from a backspace on into the field as built.
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("writes"); // from the build on

        QTest::newRow("home, nothing stored") << 0 << Unset << Unset << false << "1000.0" << "**" << "1000.0" << QStringList{"5=1000000000", "5=0"};
        QTest::newRow("home, off, entered") << 0 << "0" << "5000000" << false << "5.0" << "**" << "5.0" << QStringList{"5=5000000", "5=0"};
        QTest::newRow("home, on, other entered") << 0 << "20000000" << "5000000" << true << "20.0" << "*" << "20.0" << QStringList{"6=20000000", "5=0"};
        QTest::newRow("home, limit unset, entered") << 0 << Unset << "5000000" << false << "5.0" << "*" << "5.0" << QStringList{"5=5000000"};
        QTest::newRow("roaming, nothing stored") << 1 << Unset << Unset << true << "10.0" << "**" << "10.0" << QStringList{"10=0", "10=10000000"};
        QTest::newRow("roaming, on, nothing entered") << 1 << "7500000" << Unset << true << "7.5" << "*" << "7.5" << QStringList{"11=7500000", "10=0"};
        QTest::newRow("home, off, typed") << 0 << "0" << "5000000" << false << "5.0" << "12" << "12" << QStringList{"6=1000000", "6=12000000"};
        QTest::newRow("home, on, typed") << 0 << "20000000" << "20000000" << true << "20.0" << "12" << "12"
                                         << QStringList{"6=1000000", "5=1000000", "6=12000000", "5=12000000"};
        // The switch shows on with nothing stored: what is typed goes in force too.
        QTest::newRow("roaming, nothing stored, typed") << 1 << Unset << Unset << true << "10.0" << "12" << "12"
                                                        << QStringList{"11=1000000", "10=1000000", "11=12000000", "10=12000000"};
        QTest::newRow("roaming, comma") << 1 << "0" << Unset << false << "10.0" << "4,5" << "4,5" << QStringList{"11=4000000", "11=4000000", "11=4500000"};
        QTest::newRow("roaming, backspace") << 1 << "2000000" << "2000000" << true << "2.0" << "\b\b" << "2"
                                            << QStringList{"11=2000000", "10=2000000", "11=2000000", "10=2000000"};
        QTest::newRow("zero writes nothing") << 0 << "20000000" << "20000000" << true << "20.0" << "0" << "0" << QStringList();
    }

    // The switch and field as built from the stored limits, what each tap on the switch
    // puts in force, and each keystroke that leaves a number: it stores the entered limit,
    // and the effective one after it while the warning is on. The echoes change nothing.
    void limits()
    {
        QFETCH(int, type);
        QFETCH(QString, limit);
        QFETCH(QString, entered);
        QFETCH(bool, on);
        QFETCH(QString, built);
        QFETCH(QString, keys);
        QFETCH(QString, field);
        QFETCH(QStringList, writes);
        const int periodKey = type == 0 ? 5 : 10;
        seed(periodKey, limit);
        seed(periodKey + 1, entered);
        QVERIFY(StoreSync::flush());
        const QString line = QStringLiteral("void DataCounterWidget::updateWarningPeriodUi(CounterContainer*, const DataCounterValue*): ");
        ignoreLine(line + QStringLiteral("\"%1\" MB").arg(on ? built : QStringLiteral("0.0")));
        if (on)
            ignoreLine(line + QStringLiteral("limit \"%1\" MB").arg(built));
        ignoreLine(line + QStringLiteral("set value \"%1\" MB").arg(built));
        WriteLog log;
        DataCounterWidget *page = builtPage();
        auto *toggle = part<LoButton>(type, QStringLiteral("warningSwitch_%1"));
        auto *edit = part<LoTextEdit>(type, QStringLiteral("warningPeriodIput_%1"));
        QCOMPARE(QVariantList({toggle->isChecked(), edit->text()}), QVariantList({on, built}));

        const bool taps = keys.startsWith(QLatin1Char('*'));
        if (!taps && !keys.startsWith(QLatin1Char('\b')))
            edit->lineEdit()->clear();
        if (!taps)
            ignoreLine(QStringLiteral("void DataCounterWidget::warningPeriodChanged(const QString&): \"%1\"").arg(field));
        if (!taps && writes.value(writes.size() - 1).startsWith(QString::number(periodKey) + QLatin1Char('=')))
            ignoreLine(QStringLiteral("void DataCounterWidget::warningPeriodChanged(const QString&): set limit \"%1\" MB")
                           .arg(DataCounterValue(writes.last().section(QLatin1Char('='), 1), true).toUiMegas()));
        for (int tap = 0; taps && tap < keys.size(); ++tap) {
            ignoreLine(QStringLiteral("void DataCounterWidget::warningSwitchToggled(bool):"));
            toggle->click();
            QCOMPARE(ExternalStore::type(StorageKeys::path(periodKey)), QStringLiteral("string"));
            QVERIFY(StoreSync::flush());
            QCOMPARE(toggle->isChecked(), on = !on);
        }
        if (!taps)
            KeyTyper::type(edit->lineEdit(), keys);
        QCOMPARE(log.writes, writes);
        QVERIFY(StoreSync::flush());
        QCOMPARE(log.writes, writes);
        QCOMPARE(QVariantList({ShownPage::section(page, type).value("switch"), edit->text()}), QVariantList({on, field}));
    }

    void externalChange_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QVariantMap>("changes");

        QTest::newRow("home sent") << 3 << "string" << "123456789" << QVariantMap{{"home.sent", "123.5 MB"}};
        QTest::newRow("home received, int") << 4 << "int" << "5000000" << QVariantMap{{"home.received", "5 MB"}};
        QTest::newRow("roaming sent") << 8 << "string" << "2500000" << QVariantMap{{"roaming.sent", "2.5 MB"}};
        QTest::newRow("home limit on") << 5 << "string" << "30000000" << QVariantMap{{"home.field", "30.0"}, {"home.switch", true}};
        QTest::newRow("roaming limit off") << 10 << "string" << "0" << QVariantMap{{"roaming.switch", false}};
        QTest::newRow("roaming limit") << 10 << "string" << "2000000" << QVariantMap{{"roaming.field", "2.0"}};
        QTest::newRow("home entered limit") << 6 << "string" << "7000000" << QVariantMap();
        QTest::newRow("home reset date") << 7 << "string" << "31.1.2026.1769817600" << QVariantMap{{"home.date", "31 Jan 2026"}};
        QTest::newRow("reset date, two parts") << 12 << "string" << "5.12" << QVariantMap{{"roaming.date", today()}};
    }

    // Another process writes one key: only the row that shows it changes.
    void externalChange()
    {
        QFETCH(int, key);
        QFETCH(QString, type);
        QFETCH(QString, value);
        QFETCH(QVariantMap, changes);
        DataCounterWidget *page = builtPage();
        QVariantMap expected = ShownPage::all(page);
        expected.insert(changes);

        const QString shape = type == QLatin1String("int") ? QStringLiteral("QVariant(int, %1)") : QStringLiteral("QVariant(QString, \"%1\")");
        ignoreLine(QStringLiteral("void DataCounterWidget::valueChanged(int, QVariant): %1 ").arg(key) + shape.arg(value));
        ignoreLine(QStringLiteral("bool CounterContainer::hasKey(int) const: %1").arg(key));
        QVERIFY(ExternalStore::set(StorageKeys::path(key), type, value));
        QVERIFY(StoreSync::flush());
        QCOMPARE(ShownPage::all(page), expected);
    }

    // A confirmed reset writes the date, then both counters as "0", and shows them at once.
    void resetWrites()
    {
        for (int key : {3, 4, 8, 9})
            seed(key, QStringLiteral("5000000"));
        DataCounterWidget *page = builtPage();
        const QVariantMap roaming = ShownPage::section(page, 1);
        part<LoButton>(0, QStringLiteral("resetButton_%1"))->click();
        LoMessageBox *box = LoSceneManager::instance()->windowsOfType<LoMessageBox>().value(0);
        QVERIFY(box);

        WriteLog log;
        ignoreLine(QStringLiteral("void DataCounterWidget::resetDataAmounts():"));
        ignoreLine(QStringLiteral("QString DataCounterWidget::currentGenericDate():"));
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        box->button(Lo::YesButton)->click();
        const qint64 after = QDateTime::currentSecsSinceEpoch();
        QCOMPARE(log.writes.mid(1), (QStringList{"4=0", "3=0"}));
        QCOMPARE(log.writes.value(0).section(QLatin1Char('.'), 0, 2), QDate::currentDate().toString(QStringLiteral("7=d.M.yyyy")));
        const qint64 stamp = log.writes.value(0).section(QLatin1Char('.'), 3).toLongLong();
        QVERIFY(stamp >= before && stamp <= after);
        QCOMPARE(ExternalStore::type(StorageKeys::path(3)), QStringLiteral("string"));

        const QVariantMap home = ShownPage::section(page, 0);
        QCOMPARE(QStringList({home.value("sent").toString(), home.value("received").toString(), home.value("date").toString()}),
                 QStringList({"0 MB", "0 MB", today()}));
        QVERIFY(StoreSync::flush());
        QCOMPARE(log.writes.size(), 3); // no echo written back
        QCOMPARE(ShownPage::section(page, 1), roaming);
    }

    void leavingCommitsFields_data()
    {
        QTest::addColumn<bool>("dialog");
        QTest::newRow("back") << false;
        QTest::newRow("dialog closed") << true;
    }

    // Leaving the page commits the fields before the host goes on: an empty one
    // gets its limit back and stores it again.
    void leavingCommitsFields()
    {
        QFETCH(bool, dialog);
        seed(5, QStringLiteral("0"));
        seed(6, QStringLiteral("5000000"));
        if (dialog)
            ignoreLine(QStringLiteral("!-------------------------- DataCounterDialog::DataCounterDialog() --------------------------!"));
        QPointer<DataCounterDialog> box = dialog ? new DataCounterDialog : nullptr;
        QPointer<DataCounterWidget> page = box ? qobject_cast<DataCounterWidget *>(box->centralWidget()) : builtPage();
        if (box) {
            QCOMPARE(box->title(), QStringLiteral("Data counters"));
            QVERIFY(!box->isButtonBoxVisible() && !ItemFinder::find<QGraphicsWidget>(page, QStringLiteral("headerLabel")));
            // Never on the display here: the backup timer builds the page.
            QTRY_VERIFY_WITH_TIMEOUT(ItemFinder::find<LoTextEdit>(page, QStringLiteral("warningPeriodIput_0")), 5000);
            box->appear();
        }
        auto *home = ItemFinder::find<LoTextEdit>(page, QStringLiteral("warningPeriodIput_0"));
        QCOMPARE(home->text(), QStringLiteral("5.0"));
        // The entered limit changes behind the page, and the user empties the field.
        seed(6, QStringLiteral("9000000"));
        QVERIFY(StoreSync::flush());
        home->clear();

        QSignalSpy validity(page, &DataCounterWidget::checkValidity);
        if (box)
            box->reject();
        else
            QVERIFY(page->back());
        QCOMPARE(validity.count(), 1);
        QCOMPARE(home->text(), QStringLiteral("5.0"));
        QCOMPARE(QStringList({ExternalStore::get(StorageKeys::path(6)), ExternalStore::get(StorageKeys::path(5))}),
                 QStringList({"5000000", "0"}));
        if (box) {
            QTest::ignoreMessage(QtDebugMsg, "virtual DataCounterDialog::~DataCounterDialog()");
            delete box;
            QVERIFY(!page);
        }
    }

private:
    // A page on the display, as a host shows it.
    DataCounterWidget *builtPage()
    {
        m_page.reset(new DataCounterWidget(true));
        m_page->announceDisplayEntered();
        return StoreSync::flush() ? m_page.get() : nullptr;
    }
    template<typename T = QGraphicsWidget>
    T *part(int type, const QString &name) const
    {
        return ItemFinder::find<T>(ItemFinder::find<CounterContainer>(m_page.get(), QStringLiteral("CounterContainer_%1").arg(type)),
                                   name.contains(QLatin1Char('%')) ? name.arg(type) : name);
    }

    std::unique_ptr<DataCounterWidget> m_page;
};


QTEST_MAIN(TestDataCounterWidget)
#include "tst_datacounterwidget.moc"
