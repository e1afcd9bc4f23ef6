#include "countercontainer.h"

#include "dataamountwidget.h"
#include "datacounters.h"
#include "datacountervalue.h"
#include "testscene.h"
#include "messagecapture.h"
#include "settingsitem.h"

#include "lobutton.h"
#include "lohelpbutton.h"
#include "loinputmethodstate.h"
#include "lolabel.h"
#include "lolocale.h"
#include "lomessagebox.h"
#include "loscenemanager.h"
#include "lotextedit.h"

#include <QApplication>
#include <QGraphicsLinearLayout>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>
#include <QValidator>

#include <memory>

namespace
{
// Home and roaming keys as the page passes them.
const int HomeKeys[] = {3, 4, 5, 6, 7};
const int RoamingKeys[] = {8, 9, 10, 11, 12};

const QRect KeyboardArea(0, 500, 480, 354);

// Every identifier comes back marked, so that a test sees which texts were
// looked up again.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *, const char *sourceText, const char *, int) const override
    {
        return QLatin1String("T:") + QLatin1String(sourceText);
    }
    bool isEmpty() const override { return false; }
};

void setLocale(const QString &name)
{
    LoLocale::setDefault(LoLocale(name));
}

CounterContainer *newSection(CounterContainer::Type type, QGraphicsScene *scene = nullptr)
{
    const int *keys = type == CounterContainer::Home ? HomeKeys : RoamingKeys;
    auto *section = new CounterContainer(type, keys[0], keys[1], keys[2], keys[3], keys[4]);
    if (scene)
        scene->addItem(section);
    return section;
}

LoTextEdit *fieldOf(CounterContainer *section)
{
    return ItemFinder::find<LoTextEdit>(section, QStringLiteral("warningPeriodIput_%1").arg(int(section->widgetType())));
}

void typeText(LoTextEdit *field, const QString &text)
{
    KeyTyper::type(field->lineEdit(), text);
}

void pressKey(LoTextEdit *field, Qt::Key key)
{
    QTest::keyClick(field->lineEdit(), key);
}

void openKeyboard()
{
    LoInputMethodState::instance()->setInputMethodArea(KeyboardArea);
}

void closeKeyboard()
{
    LoInputMethodState::instance()->setInputMethodArea(QRect());
}

QVariant actionKey(CounterContainer *section, const char *attribute)
{
    LoTextEdit *field = fieldOf(section);
    return LoInputMethodState::instance()->extendedAttribute(field->attachedToolbarId(), QStringLiteral("/keys"),
                                                            QStringLiteral("actionKey"),
                                                            QString::fromLatin1(attribute));
}

QStringList emittedTexts(const QSignalSpy &spy)
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

class TestCounterContainer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void metaObject();
    void namesAndStyles_data();
    void namesAndStyles();
    void sectionOrder();
    void hasKey_data();
    void hasKey();
    void defaultPeriod_data();
    void defaultPeriod();
    void texts_data();
    void texts();
    void retranslateLooksTextsUpAgain();
    void labelAlignment_data();
    void labelAlignment();

    void typing_data();
    void typing();
    void doneKeyFollowsField();
    void focusGainEmitsParsableText();

    void setters();
    void setWarningPeriodKeepsPrevious();
    void commitOnKeyboardClose_data();
    void commitOnKeyboardClose();
    void refusedCommitAnnouncesLatinPrevious();
    void otherKeyboardAreasDoNotCommit();
    void keyboardCloseCommitsBothSections();
    void returnPressedCommits();

    void resetConfirmation_data();
    void resetConfirmation();
    void onePressOneBox();
    void boxClosedWhenSectionDestroyed();
    void boxAnsweredAfterSectionDestroyed();

    void rendersItsParts();
    void releasesKeyboardExtension();

private:
    std::unique_ptr<QGraphicsScene> m_scene;
};

void TestCounterContainer::init()
{
    setLocale(QStringLiteral("en_GB"));
    m_scene = std::make_unique<QGraphicsScene>();
    closeKeyboard();
}

void TestCounterContainer::cleanup()
{
    m_scene.reset();
    const QList<LoMessageBox *> boxes = shownBoxes();
    for (LoMessageBox *box : boxes)
        box->close();
    QTRY_VERIFY(shownBoxes().isEmpty());
    closeKeyboard();
}

void TestCounterContainer::metaObject()
{
    // Peers connect by these signatures.
    const QMetaObject &mo = CounterContainer::staticMetaObject;
    QStringList methods;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i)
        methods << QString::fromLatin1(mo.method(i).methodSignature());
    const QStringList expected = {"resetAccepted()", "warningPeriodChanged(QString)", "warningSwitchToggled(bool)",
                                  "checkValidity()", "openResetDialog()", "emitWarningPeriodChanged()",
                                  "closeVKB()", "handleText(bool)", "handleTextAndEmitChange()",
                                  "inputMethodAreaChanged(QRect)"};
    QCOMPARE(methods, expected);
    QCOMPARE(mo.method(mo.indexOfSlot("checkValidity()")).returnType(), int(QMetaType::Bool));
    QCOMPARE(mo.method(mo.indexOfSlot("checkValidity()")).access(), QMetaMethod::Public);
    QCOMPARE(mo.method(mo.indexOfSlot("closeVKB()")).access(), QMetaMethod::Private);
    QCOMPARE(mo.propertyCount(), mo.propertyOffset());
    QCOMPARE(mo.enumeratorCount(), mo.enumeratorOffset());
}

void TestCounterContainer::namesAndStyles_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("home") << int(CounterContainer::Home);
    QTest::newRow("roaming") << int(CounterContainer::Roaming);
}

void TestCounterContainer::namesAndStyles()
{
    QFETCH(int, type);
    CounterContainer *section = newSection(CounterContainer::Type(type), m_scene.get());
    const QString n = QString::number(type);

    QCOMPARE(section->objectName(), QLatin1String("CounterContainer_") + n);
    QCOMPARE(section->styleName(), QStringLiteral("CommonContainerInverted"));
    QCOMPARE(section->metaObject()->className(), "CounterContainer");

    struct Expected {
        QString name;
        QString style;
    };
    const QList<Expected> controllers = {
        {QLatin1String("resetButton_") + n, QStringLiteral("CommonListButtonInverted")},
        {QLatin1String("subTitle_") + n, QStringLiteral("CommonGroupHeaderInverted")},
        {QLatin1String("warningPeriodLabel_") + n, QStringLiteral("CommonFieldLabelInverted")},
        {QLatin1String("warningPeriodIput_") + n, QStringLiteral("CommonSingleInputFieldInverted")},
    };
    for (const Expected &e : controllers) {
        LoWidgetController *item = ItemFinder::find<LoWidgetController>(section, e.name);
        QVERIFY2(item, qPrintable(e.name));
        QCOMPARE(item->styleName(), e.style);
    }
    QVERIFY(ItemFinder::find<SettingsItem>(section, QLatin1String("resetItem_") + n));
    QCOMPARE(ItemFinder::find<SettingsItem>(section, QLatin1String("resetItem_") + n)->itemStyle(), SettingsItem::TitleSubtitle);
    SettingsItem *warningItem = ItemFinder::find<SettingsItem>(section, QLatin1String("warningItem_") + n);
    QVERIFY(warningItem);
    QCOMPARE(warningItem->itemStyle(), SettingsItem::SingleTitleSwitch);
    QCOMPARE(warningItem->infoButton()->objectName(), QLatin1String("warningInfo_") + n);
    QCOMPARE(warningItem->infoButton()->pageID(), QStringLiteral("CTX_IDUG_LORVO_DATA_COSTS.html"));
    QCOMPARE(warningItem->button()->objectName(), QLatin1String("warningSwitch_") + n);
    QVERIFY(warningItem->button()->isVisible());

    // The amount rows carry the same names in both sections.
    QVERIFY(ItemFinder::find<DataAmountWidget>(section, QStringLiteral("DataAmount_0")));
    QVERIFY(ItemFinder::find<DataAmountWidget>(section, QStringLiteral("DataAmount_1")));

    LoTextEdit *field = fieldOf(section);
    QCOMPARE(field->lineMode(), LoTextEdit::SingleLine);
    QCOMPARE(field->contentType(), Lo::NumberContentType);
    QVERIFY(field->text().isEmpty());
    QVERIFY(field->validator());
    QCOMPARE(field->validator()->parent(), static_cast<QObject *>(section));
}

void TestCounterContainer::sectionOrder()
{
    CounterContainer *section = newSection(CounterContainer::Home, m_scene.get());
    QGraphicsLayout *layout = section->centralWidget()->layout();
    QVERIFY(layout);
    QCOMPARE(layout->count(), 5);

    auto widgetAt = [](QGraphicsLayout *l, int i) { return static_cast<QGraphicsWidget *>(l->itemAt(i)->graphicsItem()); };
    QCOMPARE(widgetAt(layout, 0)->objectName(), QStringLiteral("subTitle_0"));
    QCOMPARE(widgetAt(layout, 1)->objectName(), QStringLiteral("warningItem_0"));

    // Limit panel, amounts panel, reset panel.
    const QList<QStringList> panels = {
        {QStringLiteral("warningPeriodLabel_0"), QStringLiteral("warningPeriodIput_0"), QString()},
        {QStringLiteral("DataAmount_0"), QStringLiteral("DataAmount_1")},
        {QStringLiteral("resetItem_0"), QStringLiteral("resetButton_0")},
    };
    for (int p = 0; p < panels.size(); ++p) {
        auto *panel = qobject_cast<LoWidgetController *>(widgetAt(layout, 2 + p));
        QVERIFY(panel);
        QCOMPARE(panel->styleName(), QStringLiteral("CommonLargePanelInverted"));
        QCOMPARE(panel->viewType(), QStringLiteral("background"));
        QGraphicsLayout *inner = panel->layout();
        QVERIFY(inner);
        QCOMPARE(inner->count(), panels.at(p).size());
        for (int i = 0; i < inner->count(); ++i) {
            QGraphicsWidget *w = widgetAt(inner, i);
            QCOMPARE(w->objectName(), panels.at(p).at(i));
            QCOMPARE(w->parentItem(), static_cast<QGraphicsItem *>(panel));
        }
    }
    auto *spacer = qobject_cast<LoLabel *>(widgetAt(widgetAt(layout, 2)->layout(), 2));
    QVERIFY(spacer);
    QCOMPARE(spacer->styleName(), QStringLiteral("CommonSpacer"));
    QVERIFY(spacer->text().isEmpty());

    auto *resetPanel = static_cast<QGraphicsLinearLayout *>(widgetAt(layout, 4)->layout());
    QCOMPARE(resetPanel->orientation(), Qt::Horizontal);
    QCOMPARE(resetPanel->alignment(resetPanel->itemAt(0)), Qt::AlignLeft);
    QCOMPARE(resetPanel->alignment(resetPanel->itemAt(1)), Qt::AlignRight | Qt::AlignVCenter);
}

void TestCounterContainer::hasKey_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("expected");
    for (int key = 0; key <= 13; ++key) {
        QTest::addRow("home %d", key) << int(CounterContainer::Home) << key << (key >= 3 && key <= 7);
        QTest::addRow("roaming %d", key) << int(CounterContainer::Roaming) << key << (key >= 8 && key <= 12);
    }
    QTest::addRow("home -1") << int(CounterContainer::Home) << -1 << false;
}

void TestCounterContainer::hasKey()
{
    QFETCH(int, type);
    QFETCH(int, key);
    QFETCH(bool, expected);
    std::unique_ptr<CounterContainer> section(newSection(CounterContainer::Type(type)));
    QCOMPARE(section->hasKey(key), expected);
}

void TestCounterContainer::defaultPeriod_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<quint64>("bytes");
    QTest::newRow("home") << int(CounterContainer::Home) << Q_UINT64_C(1000000000);
    QTest::newRow("roaming") << int(CounterContainer::Roaming) << Q_UINT64_C(10000000);
}

void TestCounterContainer::defaultPeriod()
{
    QFETCH(int, type);
    QFETCH(quint64, bytes);
    std::unique_ptr<CounterContainer> section(newSection(CounterContainer::Type(type)));
    QCOMPARE(quint64(section->defaultPeriod()), bytes);
    QCOMPARE(int(section->widgetType()), type);
}

void TestCounterContainer::texts_data()
{
    namesAndStyles_data();
}

void TestCounterContainer::texts()
{
    QFETCH(int, type);
    std::unique_ptr<CounterContainer> section(newSection(CounterContainer::Type(type)));
    const QString n = QString::number(type);

    QCOMPARE(section->title(), qtTrId(DataCounters::DataTitle));
    QCOMPARE(ItemFinder::find<LoLabel>(section.get(), QLatin1String("subTitle_") + n)->text(),
             qtTrId(type == 0 ? DataCounters::HomeTitle : DataCounters::RoamingTitle));
    QCOMPARE(ItemFinder::find<LoButton>(section.get(), QLatin1String("resetButton_") + n)->text(), qtTrId(DataCounters::ResetText));
    QCOMPARE(ItemFinder::find<SettingsItem>(section.get(), QLatin1String("resetItem_") + n)->title(), qtTrId(DataCounters::LastResetText));
    QCOMPARE(ItemFinder::find<SettingsItem>(section.get(), QLatin1String("warningItem_") + n)->title(),
             qtTrId(DataCounters::LimitWarningText));
    QCOMPARE(ItemFinder::find<LoLabel>(section.get(), QLatin1String("warningPeriodLabel_") + n)->text(), qtTrId(DataCounters::LimitText));

    QCOMPARE(actionKey(section.get(), "label").toString(), qtTrId(DataCounters::Done));
    QCOMPARE(actionKey(section.get(), "highlighted"), QVariant(true));
    QCOMPARE(actionKey(section.get(), "icon"), QVariant(QString()));
}

void TestCounterContainer::retranslateLooksTextsUpAgain()
{
    std::unique_ptr<CounterContainer> section(newSection(CounterContainer::Roaming));
    ItemFinder::find<SettingsItem>(section.get(), QStringLiteral("resetItem_1"))->setSubtitle(QStringLiteral("5 Dec 2026"));

    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    section->retranslateUi();
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(section->title(), QStringLiteral("T:qtn_cell_counter_data_title"));
    QCOMPARE(ItemFinder::find<LoLabel>(section.get(), QStringLiteral("subTitle_1"))->text(),
             QStringLiteral("T:qtn_cell_counter_roaming_title"));
    QCOMPARE(ItemFinder::find<LoButton>(section.get(), QStringLiteral("resetButton_1"))->text(),
             QStringLiteral("T:qtn_cell_reset_counters"));
    QCOMPARE(ItemFinder::find<SettingsItem>(section.get(), QStringLiteral("resetItem_1"))->title(),
             QStringLiteral("T:qtn_cell_last_reset"));
    QCOMPARE(ItemFinder::find<SettingsItem>(section.get(), QStringLiteral("warningItem_1"))->title(),
             QStringLiteral("T:qtn_cell_counter_display_warning"));
    QCOMPARE(ItemFinder::find<LoLabel>(section.get(), QStringLiteral("warningPeriodLabel_1"))->text(),
             QStringLiteral("T:qtn_cell_counter_mb_title"));
    QCOMPARE(actionKey(section.get(), "label").toString(), QStringLiteral("T:qtn_comm_command_done"));
    // The date comes from the page only.
    QCOMPARE(ItemFinder::find<SettingsItem>(section.get(), QStringLiteral("resetItem_1"))->subtitle(), QStringLiteral("5 Dec 2026"));
}

void TestCounterContainer::labelAlignment_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("rightAligned");
    QTest::newRow("en_GB") << QStringLiteral("en_GB") << false;
    QTest::newRow("fi_FI") << QStringLiteral("fi_FI") << false;
    QTest::newRow("ar_EG") << QStringLiteral("ar_EG") << true;
    QTest::newRow("he_IL") << QStringLiteral("he_IL") << true;
}

void TestCounterContainer::labelAlignment()
{
    QFETCH(QString, locale);
    QFETCH(bool, rightAligned);
    setLocale(locale);
    std::unique_ptr<CounterContainer> section(newSection(CounterContainer::Home));
    const Qt::Alignment alignment = ItemFinder::find<LoLabel>(section.get(), QStringLiteral("warningPeriodLabel_0"))->alignment();
    QCOMPARE(alignment, rightAligned ? Qt::Alignment(Qt::AlignRight) : LoLabel().alignment());
    // The group header is right-aligned in every locale.
    QCOMPARE(ItemFinder::find<LoLabel>(section.get(), QStringLiteral("subTitle_0"))->alignment(), Qt::Alignment(Qt::AlignRight));
}

void TestCounterContainer::typing_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("emitted");

    const QString en = QStringLiteral("en_GB");
    QTest::newRow("one digit") << en << "1" << "1" << QStringList{"1"};
    QTest::newRow("two digits") << en << "12" << "12" << QStringList{"1", "12"};
    QTest::newRow("point") << en << "1.2" << "1.2" << QStringList{"1", "1.", "1.2"};
    QTest::newRow("comma in a point locale") << en << "1,2" << "1,2" << QStringList{"1", "1,", "1,2"};
    QTest::newRow("bar") << en << "1|2" << "1|2" << QStringList{"1", "1|", "1|2"};
    QTest::newRow("second decimal refused") << en << "1.23" << "1.2" << QStringList{"1", "1.", "1.2"};
    QTest::newRow("tenth digit refused") << en << "1234567890" << "123456789"
                                         << QStringList{"1", "12", "123", "1234", "12345", "123456", "1234567",
                                                        "12345678", "123456789"};
    QTest::newRow("nine digits and a tenth") << en << "123456789.9" << "123456789.9"
                                             << QStringList{"1", "12", "123", "1234", "12345", "123456",
                                                            "1234567", "12345678", "123456789", "123456789.",
                                                            "123456789.9"};
    QTest::newRow("letter refused") << en << "1a" << "1" << QStringList{"1"};
    QTest::newRow("leading letter refused") << en << "x" << "" << QStringList{};
    QTest::newRow("leading point refused") << en << ".5" << "5" << QStringList{"5"};
    QTest::newRow("zero") << en << "0" << "0" << QStringList{"0"};

    const QString de = QStringLiteral("de_DE");
    QTest::newRow("de comma") << de << "1,5" << "1,5" << QStringList{"1", "1,", "1,5"};
    QTest::newRow("de point") << de << "1.5" << "1.5" << QStringList{"1", "1.", "1.5"};
    QTest::newRow("de second decimal refused") << de << "1,55" << "1,5" << QStringList{"1", "1,", "1,5"};

    const QString ar = QStringLiteral("ar_EG");
    QTest::newRow("ar digits") << ar << QStringLiteral("١٢") << QStringLiteral("١٢") << QStringList{"1", "12"};
    QTest::newRow("ar decimal point")
        << ar << QStringLiteral("١٢٫٥") << QStringLiteral("١٢٫٥")
        << QStringList{"1", "12", QStringLiteral("12٫"), QStringLiteral("12٫5")};
    QTest::newRow("ar second decimal refused")
        << ar << QStringLiteral("٣٫٤٥") << QStringLiteral("٣٫٤")
        << QStringList{"3", QStringLiteral("3٫"), QStringLiteral("3٫4")};
    QTest::newRow("ar latin digits") << ar << "7" << "7" << QStringList{"7"};
}

void TestCounterContainer::typing()
{
    QFETCH(QString, locale);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(QStringList, emitted);
    setLocale(locale);
    CounterContainer *section = newSection(CounterContainer::Home, m_scene.get());
    QSignalSpy spy(section, &CounterContainer::warningPeriodChanged);

    typeText(fieldOf(section), keys);

    QCOMPARE(fieldOf(section)->text(), shown);
    QCOMPARE(emittedTexts(spy), emitted);
}

void TestCounterContainer::doneKeyFollowsField()
{
    CounterContainer *section = newSection(CounterContainer::Home, m_scene.get());
    LoTextEdit *field = fieldOf(section);
    typeText(field, QStringLiteral("5"));
    QCOMPARE(actionKey(section, "enabled"), QVariant(true));
    pressKey(field, Qt::Key_Backspace);
    QVERIFY(field->text().isEmpty());
    QCOMPARE(actionKey(section, "enabled"), QVariant(false));
}

void TestCounterContainer::focusGainEmitsParsableText()
{
    ActiveScene active;
    QVERIFY(active.activate());
    CounterContainer *section = newSection(CounterContainer::Home, active.scene());
    section->setWarningPeriod(QStringLiteral("3.0"));
    QSignalSpy spy(section, &CounterContainer::warningPeriodChanged);

    LoTextEdit *field = fieldOf(section);
    field->setFocus(Qt::MouseFocusReason);
    QVERIFY(field->hasFocus());
    QCOMPARE(emittedTexts(spy), QStringList{"3.0"});

    field->clearFocus();
    section->setWarningPeriod(QString());
    field->setFocus(Qt::MouseFocusReason);
    QCOMPARE(emittedTexts(spy), QStringList{"3.0"});
}

void TestCounterContainer::setters()
{
    setLocale(QStringLiteral("en_GB"));
    CounterContainer *section = newSection(CounterContainer::Home, m_scene.get());
    QSignalSpy periods(section, &CounterContainer::warningPeriodChanged);
    QSignalSpy switches(section, &CounterContainer::warningSwitchToggled);
    QSignalSpy resets(section, &CounterContainer::resetAccepted);

    DataCounterValue sent(QStringLiteral("12.3"), false);
    DataCounterValue received(QStringLiteral("0.5"), false);
    section->setSentDataAmount(sent);
    section->setReceivedDataAmount(received);
    QVERIFY2(ItemFinder::find<DataAmountWidget>(section, QStringLiteral("DataAmount_0"))->subtitle().contains(QStringLiteral("12.3")),
             qPrintable(ItemFinder::find<DataAmountWidget>(section, QStringLiteral("DataAmount_0"))->subtitle()));
    QVERIFY(ItemFinder::find<DataAmountWidget>(section, QStringLiteral("DataAmount_1"))->subtitle().contains(QStringLiteral("0.5")));

    section->setResetDate(QStringLiteral("5 Dec 2026"));
    QCOMPARE(ItemFinder::find<SettingsItem>(section, QStringLiteral("resetItem_0"))->subtitle(), QStringLiteral("5 Dec 2026"));

    LoButton *warningSwitch = ItemFinder::find<LoButton>(section, QStringLiteral("warningSwitch_0"));
    section->setWarningSwitch(true);
    QVERIFY(warningSwitch->isChecked());
    section->setWarningSwitch(false);
    QVERIFY(!warningSwitch->isChecked());

    section->setWarningPeriod(QStringLiteral("12.5"));
    QCOMPARE(fieldOf(section)->text(), QStringLiteral("12.5"));
    QCOMPARE(actionKey(section, "enabled"), QVariant(true));

    QCOMPARE(periods.count(), 0);
    QCOMPARE(switches.count(), 0);
    QCOMPARE(resets.count(), 0);

    // Only the user's tap reaches the page.
    warningSwitch->click();
    QCOMPARE(switches.count(), 1);
    QCOMPARE(switches.at(0).at(0), QVariant(true));
    warningSwitch->click();
    QCOMPARE(switches.count(), 2);
    QCOMPARE(switches.at(1).at(0), QVariant(false));
}

void TestCounterContainer::setWarningPeriodKeepsPrevious()
{
    setLocale(QStringLiteral("ar_EG"));
    CounterContainer *section = newSection(CounterContainer::Home, m_scene.get());
    QSignalSpy spy(section, &CounterContainer::warningPeriodChanged);
    LoTextEdit *field = fieldOf(section);

    section->setWarningPeriod(QStringLiteral("12.5"));
    QCOMPARE(field->text(), LoLocale().toLocalizedNumbers(QStringLiteral("12.5")));
    QVERIFY(field->text().startsWith(QStringLiteral("١٢")));

    section->setWarningPeriod(QString());
    QVERIFY(field->text().isEmpty());
    QCOMPARE(actionKey(section, "enabled"), QVariant(false));

    // Unparsable text from the program is not shown either.
    section->setWarningPeriod(QStringLiteral("abc"));
    QVERIFY(field->text().isEmpty());
    QCOMPARE(spy.count(), 0);

    // The last non-empty text is what a refused commit brings back, as it was given.
    QVERIFY(!section->checkValidity());
    QCOMPARE(emittedTexts(spy), QStringList{"abc"});
    QVERIFY(field->text().isEmpty());
}

void TestCounterContainer::commitOnKeyboardClose_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("committed");

    const QString en = QStringLiteral("en_GB");
    QTest::newRow("whole number") << en << "12.5" << "7" << true << "7.0" << "7.0";
    QTest::newRow("tenth") << en << "12.5" << "7.5" << true << "7.5" << "7.5";
    QTest::newRow("smallest") << en << "12.5" << "0.1" << true << "0.1" << "0.1";
    QTest::newRow("largest") << en << "12.5" << "999999999.9" << true << "999999999.9" << "999999999.9";
    QTest::newRow("trailing point") << en << "12.5" << "8." << true << "8.0" << "8.0";
    QTest::newRow("comma") << en << "12.5" << "1,5" << true << "1.5" << "1.5";
    QTest::newRow("empty") << en << "12.5" << "" << false << "12.5" << "12.5";
    QTest::newRow("zero") << en << "12.5" << "0" << false << "12.5" << "12.5";
    QTest::newRow("zero point zero") << en << "12.5" << "0.0" << false << "12.5" << "12.5";
    QTest::newRow("no previous") << en << "" << "" << false << "" << "";

    const QString de = QStringLiteral("de_DE");
    QTest::newRow("de comma") << de << "10.0" << "1,5" << true << "1.5" << "1.5";
    QTest::newRow("de trailing comma") << de << "10.0" << "3," << true << "3.0" << "3.0";
    QTest::newRow("de below tenth") << de << "10.0" << "0,0" << false << "10.0" << "10.0";
}

void TestCounterContainer::commitOnKeyboardClose()
{
    QFETCH(QString, locale);
    QFETCH(QString, previous);
    QFETCH(QString, keys);
    QFETCH(bool, valid);
    QFETCH(QString, shown);
    QFETCH(QString, committed);
    setLocale(locale);
    CounterContainer *section = newSection(CounterContainer::Home, m_scene.get());
    section->setWarningPeriod(previous);
    LoTextEdit *field = fieldOf(section);
    field->lineEdit()->clear();
    typeText(field, keys);

    QSignalSpy spy(section, &CounterContainer::warningPeriodChanged);
    MessageCapture log;
    openKeyboard();
    closeKeyboard();

    QCOMPARE(field->text(), LoLocale().toLocalizedNumbers(shown));
    QCOMPARE(emittedTexts(spy), QStringList{committed});
    QCOMPARE(log.linesContaining(QStringLiteral("previousPeriod:")).size(), valid ? 0 : 1);
    QVERIFY(!field->hasFocus());

    // A valid commit becomes the value put back after a later refusal.
    spy.clear();
    field->lineEdit()->clear();
    QVERIFY(!section->checkValidity());
    QCOMPARE(emittedTexts(spy), QStringList{valid ? committed : previous});
    QCOMPARE(section->checkValidity(), !(valid ? committed : previous).isEmpty());
}

void TestCounterContainer::refusedCommitAnnouncesLatinPrevious()
{
    setLocale(QStringLiteral("ar_EG"));
    CounterContainer *section = newSection(CounterContainer::Roaming, m_scene.get());
    section->setWarningPeriod(QStringLiteral("10.0"));
    LoTextEdit *field = fieldOf(section);
    field->lineEdit()->clear();
    typeText(field, QStringLiteral("٧"));

    QSignalSpy spy(section, &CounterContainer::warningPeriodChanged);
    openKeyboard();
    closeKeyboard();
    QCOMPARE(emittedTexts(spy), QStringList{"7.0"});
    QVERIFY(field->text().startsWith(QStringLiteral("٧")));

    // The previous value that the commit left behind reaches the page readable.
    spy.clear();
    field->lineEdit()->clear();
    openKeyboard();
    closeKeyboard();
    QCOMPARE(emittedTexts(spy), QStringList{"7.0"});
    QCOMPARE(field->text(), LoLocale().toLocalizedNumbers(QStringLiteral("7.0")));
}

void TestCounterContainer::otherKeyboardAreasDoNotCommit()
{
    CounterContainer *section = newSection(CounterContainer::Home, m_scene.get());
    typeText(fieldOf(section), QStringLiteral("7"));
    QSignalSpy spy(section, &CounterContainer::warningPeriodChanged);
    openKeyboard();
    LoInputMethodState::instance()->setInputMethodArea(QRect(0, 400, 480, 454));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(fieldOf(section)->text(), QStringLiteral("7"));
}

void TestCounterContainer::keyboardCloseCommitsBothSections()
{
    CounterContainer *home = newSection(CounterContainer::Home, m_scene.get());
    CounterContainer *roaming = newSection(CounterContainer::Roaming, m_scene.get());
    home->setWarningPeriod(QStringLiteral("1000.0"));
    roaming->setWarningPeriod(QStringLiteral("10.0"));
    QSignalSpy homeSpy(home, &CounterContainer::warningPeriodChanged);
    QSignalSpy roamingSpy(roaming, &CounterContainer::warningPeriodChanged);

    openKeyboard();
    LoTextEdit *field = fieldOf(home);
    field->lineEdit()->clear();
    typeText(field, QStringLiteral("12"));
    QCOMPARE(emittedTexts(homeSpy), (QStringList{"1", "12"}));
    homeSpy.clear();

    closeKeyboard();
    QCOMPARE(emittedTexts(homeSpy), QStringList{"12.0"});
    QCOMPARE(emittedTexts(roamingSpy), QStringList{"10.0"});
    QCOMPARE(fieldOf(home)->text(), QStringLiteral("12.0"));
    QCOMPARE(fieldOf(roaming)->text(), QStringLiteral("10.0"));

    // Nothing more once the keyboard is closed.
    QTest::qWait(10);
    QCOMPARE(homeSpy.count(), 1);
    QCOMPARE(roamingSpy.count(), 1);
}

void TestCounterContainer::returnPressedCommits()
{
    ActiveScene active;
    QVERIFY(active.activate());
    CounterContainer *section = newSection(CounterContainer::Home, active.scene());
    section->setWarningPeriod(QStringLiteral("10.0"));
    LoTextEdit *field = fieldOf(section);
    field->setFocus(Qt::MouseFocusReason);
    openKeyboard();
    field->lineEdit()->clear();
    typeText(field, QStringLiteral("5"));

    QSignalSpy spy(section, &CounterContainer::warningPeriodChanged);
    pressKey(field, Qt::Key_Return);
    QCOMPARE(emittedTexts(spy), QStringList{"5.0"});
    QCOMPARE(field->text(), QStringLiteral("5.0"));
    QVERIFY(LoInputMethodState::instance()->inputMethodArea().isNull());
    QVERIFY(!field->hasFocus());
}

void TestCounterContainer::resetConfirmation_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("resets");
    QTest::newRow("yes") << int(Lo::YesButton) << 1;
    QTest::newRow("no") << int(Lo::NoButton) << 0;
}

void TestCounterContainer::resetConfirmation()
{
    QFETCH(int, answer);
    QFETCH(int, resets);
    CounterContainer *section = newSection(CounterContainer::Home, m_scene.get());
    QSignalSpy spy(section, &CounterContainer::resetAccepted);

    ItemFinder::find<LoButton>(section, QStringLiteral("resetButton_0"))->click();
    QCOMPARE(shownBoxes().size(), 1);
    QPointer<LoMessageBox> box = shownBoxes().first();
    QCOMPARE(box->title(), qtTrId(DataCounters::Reset));
    QCOMPARE(box->text(), qtTrId(DataCounters::ResetConfirm));
    QCOMPARE(int(box->standardButtons()), 81920);
    QCOMPARE(spy.count(), 0);

    box->button(Lo::StandardButton(answer))->click();
    QCOMPARE(spy.count(), resets);
    QTRY_VERIFY(box.isNull());
    QVERIFY(shownBoxes().isEmpty());
    QCOMPARE(spy.count(), resets);
}

void TestCounterContainer::onePressOneBox()
{
    CounterContainer *section = newSection(CounterContainer::Roaming, m_scene.get());
    QSignalSpy spy(section, &CounterContainer::resetAccepted);
    LoButton *button = ItemFinder::find<LoButton>(section, QStringLiteral("resetButton_1"));
    button->click();
    button->click();
    const QList<LoMessageBox *> boxes = shownBoxes();
    QCOMPARE(boxes.size(), 2);
    boxes.at(1)->button(Lo::YesButton)->click();
    boxes.at(0)->button(Lo::NoButton)->click();
    QCOMPARE(spy.count(), 1);
}

void TestCounterContainer::boxClosedWhenSectionDestroyed()
{
    CounterContainer *section = newSection(CounterContainer::Home, m_scene.get());
    ItemFinder::find<LoButton>(section, QStringLiteral("resetButton_0"))->click();
    QPointer<LoMessageBox> box = shownBoxes().value(0);
    QVERIFY(box);
    QSignalSpy finished(box.data(), &LoDialog::finished);
    QSignalSpy accepted(box.data(), &LoDialog::accepted);

    delete section;
    // Closed on the next pass of the event loop, then deleted.
    QVERIFY(box && box->isAppeared());
    QTRY_VERIFY(box.isNull());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(accepted.count(), 0);
    QVERIFY(shownBoxes().isEmpty());
}

void TestCounterContainer::boxAnsweredAfterSectionDestroyed()
{
    CounterContainer *section = newSection(CounterContainer::Home, m_scene.get());
    ItemFinder::find<LoButton>(section, QStringLiteral("resetButton_0"))->click();
    QPointer<LoMessageBox> box = shownBoxes().value(0);
    QVERIFY(box);
    QSignalSpy finished(box.data(), &LoDialog::finished);
    QSignalSpy accepted(box.data(), &LoDialog::accepted);

    delete section;
    // The user answers before the queued close arrives; the answer reaches no one.
    box->button(Lo::YesButton)->click();
    QCOMPARE(accepted.count(), 1);
    QTRY_VERIFY(box.isNull());
    QCOMPARE(finished.count(), 1);
    QVERIFY(shownBoxes().isEmpty());
}

void TestCounterContainer::rendersItsParts()
{
    // The page installs the section's catalog.
    LoLocale locale;
    locale.installTrCatalog(QStringLiteral("cellular-adaptation"));
    LoLocale::setDefault(locale);
    CounterContainer *section = newSection(CounterContainer::Home, m_scene.get());
    DataCounterValue sent(QStringLiteral("123.4"), false);
    section->setSentDataAmount(sent);
    section->setResetDate(QStringLiteral("5 Dec 2026"));
    section->setWarningSwitch(true);
    typeText(fieldOf(section), QStringLiteral("250"));

    const QImage image = SceneShot::render(section, 480);
    SceneShot::save(image, QStringLiteral("countercontainer"));
    QVERIFY(!image.isNull());
    const QRgb background = SceneShot::dominantColor(image);
    const QStringList parts = {QStringLiteral("subTitle_0"), QStringLiteral("warningItem_0"),
                               QStringLiteral("warningPeriodIput_0"), QStringLiteral("DataAmount_0"),
                               QStringLiteral("DataAmount_1"), QStringLiteral("resetItem_0"),
                               QStringLiteral("resetButton_0")};
    for (const QString &name : parts) {
        auto *part = ItemFinder::find<QGraphicsWidget>(section, name);
        const QRect area = SceneShot::toImage(section, part);
        QVERIFY2(!area.isEmpty(), qPrintable(name));
        QVERIFY2(SceneShot::inkPixels(image, area, background) > 20, qPrintable(name));
    }
}

void TestCounterContainer::releasesKeyboardExtension()
{
    auto *section = newSection(CounterContainer::Home);
    const int id = fieldOf(section)->attachedToolbarId();
    QVERIFY(id > 0);
    QVERIFY(LoInputMethodState::instance()->hasAttributeExtension(id));
    delete section;
    QVERIFY(!LoInputMethodState::instance()->hasAttributeExtension(id));
}

QTEST_MAIN(TestCounterContainer)
#include "tst_countercontainer.moc"
