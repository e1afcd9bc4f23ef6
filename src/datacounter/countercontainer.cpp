// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "countercontainer.h"

#include "dataamountwidget.h"
#include "datacounters.h"
#include "datacountervalue.h"
#include "limitvalidator.h"
#include "networkcounters.h"
#include "settingsitem.h"
#include "tracing_p.h"

#include "lo.h"
#include "lobutton.h"
#include "lohelpbutton.h"
#include "loinputmethodstate.h"
#include "lolabel.h"
#include "lolayout.h"
#include "lolinearlayoutpolicy.h"
#include "lolocale.h"
#include "lomessagebox.h"
#include "lotextedit.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace
{
const char *const HelpPageId = "CTX_IDUG_LORVO_DATA_COSTS.html";
}

CounterContainer::CounterContainer(Type type, int sentKey, int receivedKey, int periodKey,
                                   int uiPeriodKey, int resetDateKey, QGraphicsItem *parent)
    : LoContainer(parent)
    , mType(type)
    , mSentKey(sentKey)
    , mReceivedKey(receivedKey)
    , mPeriodKey(periodKey)
    , mUiPeriodKey(uiPeriodKey)
    , mResetDateKey(resetDateKey)
{
    setStyleName(QStringLiteral("CommonContainerInverted"));
    setObjectName(QStringLiteral("CounterContainer_%1").arg(int(mType)));
    CELLCOUNTERS_TRACE() << "type of" << int(mType);

    createContent();
    initLayout();
    retranslateUi();
}

CounterContainer::~CounterContainer()
{
    CELLCOUNTERS_TRACE() << int(mType);
    // The extension belongs to this section's field alone; left registered it
    // would pile up in the application-wide input method state.
    if (mToolbarId != -1)
        LoInputMethodState::instance()->unregisterAttributeExtension(mToolbarId);
}

void CounterContainer::setSentDataAmount(DataCounterValue &value)
{
    const QString megas = value.toUiMegas();
    CELLCOUNTERS_TRACE() << int(mType) << "->" << megas << "MB";
    mSentAmount->setDataAmount(megas);
}

void CounterContainer::setReceivedDataAmount(DataCounterValue &value)
{
    const QString megas = value.toUiMegas();
    CELLCOUNTERS_TRACE() << int(mType) << "->" << megas << "MB";
    mReceivedAmount->setDataAmount(megas);
}

void CounterContainer::setResetDate(const QString &date)
{
    CELLCOUNTERS_TRACE() << int(mType) << "->" << date;
    mResetItem->setSubtitle(date);
}

void CounterContainer::setWarningPeriod(const QString &period)
{
    CELLCOUNTERS_TRACE() << int(mType) << "->" << period;
    {
        const QSignalBlocker blocker(mWarningPeriodInput);
        mWarningPeriodInput->setText(LoLocale().toLocalizedNumbers(period));
    }
    handleText(false);
    if (!period.isEmpty())
        mPreviousPeriod = period;
}

void CounterContainer::setWarningSwitch(bool on)
{
    CELLCOUNTERS_TRACE() << on;
    LoButton *warningSwitch = mWarningItem->button();
    const QSignalBlocker blocker(warningSwitch);
    warningSwitch->setChecked(on);
}

bool CounterContainer::checkValidity()
{
    bool ok = false;
    QString latinText;
    const double number = readField(&ok, &latinText);
    if (ok) {
        const DataCounterValue value(latinText, false);
        const QSignalBlocker blocker(mWarningPeriodInput);
        mWarningPeriodInput->setText(LoLocale().toLocalizedNumbers(value.toUiMegas()));
    }
    if (!mWarningPeriodInput->text().isEmpty() && number >= LimitValidator::Minimum)
        return true;

    CELLCOUNTERS_TRACE() << int(mType) << "previousPeriod:" << mPreviousPeriod;
    Q_EMIT warningPeriodChanged(mPreviousPeriod);
    setWarningPeriod(mPreviousPeriod);
    return false;
}

void CounterContainer::openResetDialog()
{
    auto *box = new LoMessageBox(qtTrId(DataCounters::Reset), qtTrId(DataCounters::ResetConfirm),
                                 Lo::YesButton | Lo::NoButton);
    connect(box, &LoDialog::accepted, this, &CounterContainer::resetAccepted);
    // A box still shown when the section goes away must not outlive it on screen.
    connect(this, &QObject::destroyed, box, &LoDialog::close, Qt::QueuedConnection);
    box->appear(LoSceneWindow::DestroyWhenDone);
}

bool CounterContainer::hasKey(int key) const
{
    CELLCOUNTERS_TRACE() << key;
    return key == mSentKey || key == mReceivedKey || key == mPeriodKey || key == mUiPeriodKey
        || key == mResetDateKey;
}

DataCounterValue CounterContainer::defaultPeriod()
{
    CELLCOUNTERS_TRACE() << int(mType);
    return NetworkCounters::defaultLimit(mType == Roaming ? NetworkCounters::Roaming : NetworkCounters::Home);
}

CounterContainer::Type CounterContainer::widgetType()
{
    CELLCOUNTERS_TRACE() << int(mType);
    return mType;
}

void CounterContainer::retranslateUi()
{
    CELLCOUNTERS_TRACE();
    LoContainer::retranslateUi();

    setTitle(qtTrId(DataCounters::DataTitle));
    mSubTitle->setText(qtTrId(mType == Home ? DataCounters::HomeTitle : DataCounters::RoamingTitle));
    mResetButton->setText(qtTrId(DataCounters::ResetText));
    mResetItem->setTitle(qtTrId(DataCounters::LastResetText));
    mWarningItem->setTitle(qtTrId(DataCounters::LimitWarningText));
    mWarningPeriodLabel->setText(qtTrId(DataCounters::LimitText));
    setActionKeyAttribute(QStringLiteral("label"), qtTrId(DataCounters::Done));
}

void CounterContainer::createContent()
{
    QGraphicsWidget *central = centralWidget();
    const QString suffix = QString::number(int(mType));

    mSentAmount = new DataAmountWidget(DataAmountWidget::Sent, central);
    mReceivedAmount = new DataAmountWidget(DataAmountWidget::Received, central);

    mResetButton = new LoButton(central);
    mResetButton->setObjectName(QLatin1String("resetButton_") + suffix);
    mResetButton->setStyleName(QStringLiteral("CommonListButtonInverted"));
    connect(mResetButton, &LoButton::clicked, this, &CounterContainer::openResetDialog);

    mResetItem = new SettingsItem(SettingsItem::TitleSubtitle, central);
    mResetItem->setObjectName(QLatin1String("resetItem_") + suffix);

    mSubTitle = new LoLabel(central);
    mSubTitle->setObjectName(QLatin1String("subTitle_") + suffix);
    mSubTitle->setStyleName(QStringLiteral("CommonGroupHeaderInverted"));
    mSubTitle->setAlignment(Qt::AlignRight);

    mWarningItem = new SettingsItem(SettingsItem::SingleTitleSwitch, central);
    mWarningItem->setObjectName(QLatin1String("warningItem_") + suffix);
    LoHelpButton *info = mWarningItem->infoButton();
    info->setPageID(QString::fromLatin1(HelpPageId));
    info->setObjectName(QLatin1String("warningInfo_") + suffix);
    LoButton *warningSwitch = mWarningItem->button();
    warningSwitch->setObjectName(QLatin1String("warningSwitch_") + suffix);
    connect(warningSwitch, &LoButton::toggled, this, &CounterContainer::warningSwitchToggled);

    mWarningPeriodLabel = new LoLabel(central);
    mWarningPeriodLabel->setObjectName(QLatin1String("warningPeriodLabel_") + suffix);
    mWarningPeriodLabel->setStyleName(QStringLiteral("CommonFieldLabelInverted"));

    // No parent item: the limit panel's layout adopts the field.
    mWarningPeriodInput = new LoTextEdit(LoTextEdit::SingleLine, QString(), nullptr);
    mWarningPeriodInput->setObjectName(QLatin1String("warningPeriodIput_") + suffix);
    mWarningPeriodInput->setStyleName(QStringLiteral("CommonSingleInputFieldInverted"));
    mWarningPeriodInput->setContentType(Lo::NumberContentType);

    auto *validator = new LimitValidator(this);
    mWarningPeriodInput->setValidator(validator);

    connect(mWarningPeriodInput, &LoTextEdit::returnPressed, this, &CounterContainer::closeVKB);
    connect(mWarningPeriodInput, &LoTextEdit::textChanged, this, &CounterContainer::handleTextAndEmitChange);
    connect(mWarningPeriodInput, &LoTextEdit::gainedFocus, this, &CounterContainer::handleTextAndEmitChange);
    connect(LoInputMethodState::instance(), &LoInputMethodState::inputMethodAreaChanged, this,
            &CounterContainer::inputMethodAreaChanged);

    mToolbarId = LoInputMethodState::instance()->registerAttributeExtension(QString());
    setActionKeyAttribute(QStringLiteral("icon"), QString());
    setActionKeyAttribute(QStringLiteral("label"), qtTrId(DataCounters::Done));
    setActionKeyAttribute(QStringLiteral("highlighted"), true);
    mWarningPeriodInput->attachToolbar(mToolbarId);
}

void CounterContainer::initLayout()
{
    CELLCOUNTERS_TRACE();

    auto *layout = new LoLayout(nullptr);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *policy = new LoLinearLayoutPolicy(layout, Qt::Vertical);
    policy->setContentsMargins(0, 0, 0, 0);
    policy->setSpacing(0);

    policy->addItem(mSubTitle);
    policy->addItem(mWarningItem);
    policy->addItem(limitWidget());
    policy->addItem(counterWidget());
    policy->addItem(resetWidget());

    mWarningItem->showButton();
    centralWidget()->setLayout(layout);
}

LoWidgetController *CounterContainer::counterWidget()
{
    LoLinearLayoutPolicy *policy = nullptr;
    LoWidgetController *panel = createPanel(Qt::Vertical, &policy);
    policy->setSpacing(0);
    policy->addItem(mSentAmount);
    policy->addItem(mReceivedAmount);
    return panel;
}

LoWidgetController *CounterContainer::resetWidget()
{
    LoLinearLayoutPolicy *policy = nullptr;
    LoWidgetController *panel = createPanel(Qt::Horizontal, &policy);
    policy->addItem(mResetItem, Qt::AlignLeft);
    policy->addItem(mResetButton, Qt::AlignRight | Qt::AlignVCenter);
    return panel;
}

LoWidgetController *CounterContainer::limitWidget()
{
    LoLinearLayoutPolicy *policy = nullptr;
    LoWidgetController *panel = createPanel(Qt::Vertical, &policy);
    policy->setSpacing(0);

    const QStringList scripts = LoLocale().localeScripts();
    if (!scripts.isEmpty()
        && (scripts.first() == QLatin1String("Arab") || scripts.first() == QLatin1String("Hebr")))
        mWarningPeriodLabel->setAlignment(Qt::AlignRight);

    auto *spacer = new LoLabel(centralWidget());
    spacer->setStyleName(QStringLiteral("CommonSpacer"));

    policy->addItem(mWarningPeriodLabel);
    policy->addItem(mWarningPeriodInput);
    policy->addItem(spacer);
    return panel;
}

void CounterContainer::emitWarningPeriodChanged()
{
    const QString text = mWarningPeriodInput->text();
    const QString latinText = LoLocale().toLatinNumbers(text);
    CELLCOUNTERS_TRACE() << int(mType) << text << "emit:" << latinText;
    Q_EMIT warningPeriodChanged(latinText);
}

void CounterContainer::closeVKB()
{
    LoInputMethodState::closeSoftwareInputPanel();
    mWarningPeriodInput->clearFocus();
}

void CounterContainer::handleText(bool emitChange)
{
    bool ok = false;
    const double number = readField(&ok);
    CELLCOUNTERS_TRACE() << ok << number;

    // While the field shows a text that its pattern refuses (a stored limit beyond
    // its range), Qt's line edit no longer refuses edits: an edit of such a text
    // is cleared like an unreadable one, and such a text is never announced.
    const bool edited = mWarningPeriodInput->lineEdit()->isModified();
    const bool refused = (edited || emitChange) && !mWarningPeriodInput->textAccepted();
    if (!ok || (refused && edited)) {
        const QSignalBlocker blocker(mWarningPeriodInput);
        mWarningPeriodInput->clear();
    } else if (emitChange && !refused) {
        emitWarningPeriodChanged();
    }
    // The done key stays usable only while there is something to commit.
    setActionKeyAttribute(QStringLiteral("enabled"), !mWarningPeriodInput->text().isEmpty());
}

void CounterContainer::handleTextAndEmitChange()
{
    handleText(true);
}

void CounterContainer::inputMethodAreaChanged(QRect rect)
{
    // Only a null area, the keyboard having closed, commits the field.
    if (!rect.isNull())
        return;

    if (checkValidity()) {
        emitWarningPeriodChanged();
        // Kept with Latin digits like every other previous value, so that a
        // later refusal announces a text that the page can read.
        setWarningPeriod(LoLocale().toLatinNumbers(mWarningPeriodInput->text()));
    }
    mWarningPeriodInput->clearFocus();
}

LoWidgetController *CounterContainer::createPanel(Qt::Orientation orientation,
                                                  LoLinearLayoutPolicy **policy)
{
    auto *panel = new LoWidgetController(centralWidget());
    panel->setViewType(QStringLiteral("background"));
    panel->setStyleName(QStringLiteral("CommonLargePanelInverted"));
    auto *layout = new LoLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    *policy = new LoLinearLayoutPolicy(layout, orientation);
    return panel;
}

double CounterContainer::readField(bool *ok, QString *latinText) const
{
    const QString text = LoLocale().toLatinNumbers(mWarningPeriodInput->text());
    if (latinText)
        *latinText = text;
    return LimitValidator::toMegabytes(text, ok);
}

void CounterContainer::setActionKeyAttribute(const QString &attribute, const QVariant &value)
{
    // Literals: the keys that the state keeps share their text instead of copying it.
    LoInputMethodState::instance()->setExtendedAttribute(mToolbarId, QStringLiteral("/keys"),
                                                         QStringLiteral("actionKey"), attribute, value);
}
