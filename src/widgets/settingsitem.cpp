// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "settingsitem.h"

#include "lobutton.h"
#include "lohelpbutton.h"
#include "loimagewidget.h"
#include "lolabel.h"
#include "loprogressindicator.h"
#include "tracing_p.h"

#include <QGraphicsGridLayout>
#include <QGraphicsLinearLayout>
#include <QTimer>

namespace
{
// Delay between hiding one occupant of the switch slot and showing the other,
// so that the slot's layout settles before the new occupant appears.
const int SwapDelayMs = 25;

QGraphicsLinearLayout *createPlaceHolder()
{
    auto *placeHolder = new QGraphicsLinearLayout;
    placeHolder->setContentsMargins(0, 0, 0, 0);
    placeHolder->setSpacing(0);
    // A layout expands by default and would take the width that the title needs;
    // a slot is as wide as what it holds.
    placeHolder->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    return placeHolder;
}

// Makes @p item the only occupant of the first place of @p placeHolder, unless it is already there.
void putFirst(QGraphicsLinearLayout *placeHolder, QGraphicsLayoutItem *item)
{
    if (placeHolder->count() > 0 && placeHolder->itemAt(0) == item)
        return;
    if (placeHolder->count() > 0)
        placeHolder->removeAt(0);
    placeHolder->addItem(item);
}
}

SettingsItem::SettingsItem(ItemStyle style, QGraphicsItem *parent)
    : LoWidgetController(parent)
    , mItemStyle(style)
    , mTitleLabel(nullptr)
    , mSubtitleLabel(nullptr)
    , mImageWidget(nullptr)
    , mButton(nullptr)
    , mSpinner(nullptr)
    , mSpinnerPlaceHolder(nullptr)
    , mInfoButton(nullptr)
    , mHelpPlaceHolder(nullptr)
{
    setStyleName(QStringLiteral("CommonPanelInverted"));
    setLayout(createLayout());
}

SettingsItem::~SettingsItem()
{
    // Each part leaves its layout on deletion; the icon goes with the item tree.
    delete mTitleLabel;
    delete mSubtitleLabel;
    delete mButton;
    delete mSpinner;
    delete mSpinnerPlaceHolder;
    delete mInfoButton;
    delete mHelpPlaceHolder;
}

SettingsItem::ItemStyle SettingsItem::itemStyle() const
{
    return mItemStyle;
}

bool SettingsItem::hasSwitch() const
{
    switch (mItemStyle) {
    case SingleTitleSwitch:
    case TitleSubtitleSwitch:
    case SingleTitleIconSwitch:
    case TitleSubtitleIconSwitch:
        return true;
    default:
        return false;
    }
}

bool SettingsItem::hasIcon() const
{
    switch (mItemStyle) {
    case SingleTitleIcon:
    case TitleSubtitleIcon:
    case SingleTitleIconSwitch:
    case TitleSubtitleIconSwitch:
        return true;
    default:
        return false;
    }
}

bool SettingsItem::hasSubtitleLayout() const
{
    switch (mItemStyle) {
    case TitleSubtitle:
    case TitleSubtitleIcon:
    case TitleSubtitleSwitch:
    case TitleSubtitleIconSwitch:
        return true;
    default:
        return false;
    }
}

QGraphicsGridLayout *SettingsItem::grid() const
{
    return dynamic_cast<QGraphicsGridLayout *>(layout());
}

LoLabel *SettingsItem::titleLabelWidget()
{
    if (!mTitleLabel) {
        mTitleLabel = new LoLabel(this);
        mTitleLabel->setTextElide(true);
        mTitleLabel->setObjectName(QStringLiteral("CommonTitle"));
    }
    return mTitleLabel;
}

LoLabel *SettingsItem::subtitleLabelWidget()
{
    if (!mSubtitleLabel) {
        mSubtitleLabel = new LoLabel(this);
        mSubtitleLabel->setTextElide(true);
        mSubtitleLabel->setObjectName(QStringLiteral("CommonSubTitle"));
        // Outside the grid it would be drawn over the title.
        if (!hasSubtitleLayout())
            mSubtitleLabel->setVisible(false);
    }
    return mSubtitleLabel;
}

void SettingsItem::setTitle(const QString &title)
{
    titleLabelWidget()->setText(title);
}

void SettingsItem::setSubtitle(const QString &subtitle)
{
    subtitleLabelWidget()->setText(subtitle);
}

QString SettingsItem::title() const
{
    return mTitleLabel ? mTitleLabel->text() : QString();
}

QString SettingsItem::subtitle() const
{
    return mSubtitleLabel ? mSubtitleLabel->text() : QString();
}

void SettingsItem::setTitleStretchFactor(int stretch)
{
    if (QGraphicsGridLayout *layout = grid())
        layout->setColumnStretchFactor(0, stretch);
}

void SettingsItem::wrapSingleTitle()
{
    switch (mItemStyle) {
    case SingleTitle:
    case SingleTitleIcon:
    case SingleTitleSwitch:
    case SingleTitleIconSwitch:
        break;
    default:
        return;
    }
    LoLabel *label = titleLabelWidget();
    if (label->wordWrap())
        return;
    label->setStyleName(QStringLiteral("CommonTitleInverted"));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setWordWrap(true);
    label->setWrapMode(QTextOption::WordWrap);
}

LoImageWidget *SettingsItem::imageWidget()
{
    if (!mImageWidget) {
        mImageWidget = new LoImageWidget(this);
        mImageWidget->setObjectName(QStringLiteral("CommonMainIcon"));
        mImageWidget->setStyleName(hasSwitch() ? QStringLiteral("CommonSwitchIconInverted")
                                               : QStringLiteral("CommonRightIconInverted"));
        // Only icon styles place it; elsewhere it would be drawn over the title.
        if (!hasIcon())
            mImageWidget->setVisible(false);
    }
    return mImageWidget;
}

void SettingsItem::setImageWidget(LoImageWidget *widget)
{
    // Replacing the icon by itself must not delete it.
    if (!hasIcon() || (widget && widget == mImageWidget))
        return;

    QGraphicsGridLayout *layout = grid();
    if (mImageWidget) {
        if (layout) {
            for (int i = 0; i < layout->count(); ++i) {
                if (layout->itemAt(i) == mImageWidget) {
                    layout->removeAt(i);
                    break;
                }
            }
        }
        delete mImageWidget;
        mImageWidget = nullptr;
    }

    if (widget) {
        mImageWidget = widget;
        mImageWidget->setParentItem(this);
        if (layout)
            layout->addItem(mImageWidget, 0, 2, 2, 1, Qt::AlignCenter);
    }
}

LoButton *SettingsItem::button()
{
    if (!mButton) {
        mButton = new LoButton(this);
        mButton->setVisible(false);
        mButton->setViewType(QString::fromLatin1(LoButton::switchType));
        mButton->setCheckable(true);
        mButton->setObjectName(QStringLiteral("CommonSwitch"));
        mButton->setStyleName(QStringLiteral("CommonRightSwitchInverted"));
    }
    return mButton;
}

void SettingsItem::showButton()
{
    if (mButton)
        mButton->setVisible(true);
}

LoHelpButton *SettingsItem::infoButton()
{
    if (!mInfoButton) {
        mInfoButton = new LoHelpButton(QString(), this);
        mInfoButton->setObjectName(QStringLiteral("helpButton"));
        mInfoButton->setViewType(QString::fromLatin1(LoButton::iconType));
        mInfoButton->setIconID(QStringLiteral("icon-s-description-inverse"));
        helpPlaceHolder()->addItem(mInfoButton);
        mInfoButton->setVisible(true);
    }
    return mInfoButton;
}

QGraphicsLinearLayout *SettingsItem::helpPlaceHolder()
{
    if (!mHelpPlaceHolder)
        mHelpPlaceHolder = createPlaceHolder();
    return mHelpPlaceHolder;
}

QGraphicsLinearLayout *SettingsItem::spinnerPlaceHolder()
{
    if (!mSpinnerPlaceHolder)
        mSpinnerPlaceHolder = createPlaceHolder();
    return mSpinnerPlaceHolder;
}

void SettingsItem::setSpinner(bool on)
{
    CELLCOUNTERS_TRACE() << on;

    setTitleStretchFactor(0);
    QGraphicsLinearLayout *placeHolder = spinnerPlaceHolder();
    if (on) {
        if (!mSpinner) {
            mSpinner = new LoProgressIndicator(this, QString::fromLatin1(LoProgressIndicator::spinnerType));
            mSpinner->setVisible(false);
            mSpinner->setStyleName(QStringLiteral("CommonListItemSpinnerInverted"));
        }
        // A switch taken out here stays alive, hidden, until the spinner goes.
        putFirst(placeHolder, mSpinner);
        QTimer::singleShot(SwapDelayMs, this, SLOT(startSpinning()));
        if (hasSwitch() && mButton)
            mButton->setVisible(false);
    } else {
        if (mSpinner)
            placeHolder->removeItem(mSpinner);
        if (hasSwitch())
            putFirst(placeHolder, button());
        deleteSpinner();
        if (hasSwitch())
            QTimer::singleShot(SwapDelayMs, this, SLOT(showButton()));
    }
    setTitleStretchFactor(1);
}

void SettingsItem::startSpinning()
{
    if (mSpinner && mSpinner->model()) {
        mSpinner->setVisible(true);
        mSpinner->setUnknownDuration(true);
    }
}

bool SettingsItem::isSpinning()
{
    const bool spinning = mSpinner && mSpinner->unknownDuration();
    CELLCOUNTERS_TRACE() << spinning;
    return spinning;
}

void SettingsItem::deleteSpinner()
{
    delete mSpinner;
    mSpinner = nullptr;
}

QGraphicsGridLayout *SettingsItem::createLayout()
{
    auto *layout = new QGraphicsGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    const Qt::Alignment textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    LoLabel *titleLabel = titleLabelWidget();
    if (hasSubtitleLayout()) {
        LoLabel *subtitleLabel = subtitleLabelWidget();
        titleLabel->setStyleName(QStringLiteral("CommonTitleInverted"));
        subtitleLabel->setStyleName(QStringLiteral("CommonSubTitleInverted"));
        subtitleLabel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred, QSizePolicy::DefaultType);
        layout->addItem(titleLabel, 0, 0, 1, 1, textAlignment);
        layout->addItem(subtitleLabel, 1, 0, 1, 1, textAlignment);
    } else {
        titleLabel->setStyleName(QStringLiteral("CommonSingleTitleInverted"));
        layout->addItem(titleLabel, 0, 0, 1, 1, textAlignment);
    }

    layout->addItem(helpPlaceHolder(), 0, 1, 2, 1, Qt::AlignCenter);

    if (hasIcon())
        layout->addItem(imageWidget(), 0, 2, 2, 1, Qt::AlignCenter);

    titleLabel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    // The switch slot follows whatever the style put before it.
    const int switchColumn = layout->count();
    const int switchRowSpan = mItemStyle == TitleSubtitleSwitch ? 2 : 1;
    layout->addItem(spinnerPlaceHolder(), 0, switchColumn, switchRowSpan, 1, Qt::AlignCenter);

    if (hasSwitch())
        spinnerPlaceHolder()->addItem(button());

    layout->setColumnStretchFactor(0, 1);
    return layout;
}

QGraphicsWidget *SettingsItem::createSpacer()
{
    auto *spacer = new QGraphicsWidget(this);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding, QSizePolicy::DefaultType);
    return spacer;
}
