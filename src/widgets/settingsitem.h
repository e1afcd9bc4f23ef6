// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef SETTINGSITEM_H
#define SETTINGSITEM_H

#include "cellcounters_export.h"

#include "lowidgetcontroller.h"

class LoButton;
class LoHelpButton;
class LoImageWidget;
class LoLabel;
class LoProgressIndicator;
class QGraphicsGridLayout;
class QGraphicsLinearLayout;

/**
 * The generic row of the settings lists: a title, optionally a subtitle under
 * it, and to their right a help-button slot, an optional icon and a slot that
 * holds an on/off switch or a busy spinner.
 *
 * The style is fixed at construction and decides which parts exist and where
 * they sit in the row's grid. Every part is created on first access and owned
 * by the row.
 */
class CELLCOUNTERS_EXPORT SettingsItem : public LoWidgetController
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
    Q_PROPERTY(QString subtitle READ subtitle WRITE setSubtitle)

public:
    // Bit 0: subtitle, bit 1: icon, bit 2: switch.
    // Fixed underlying type: values outside the list are defined and get the plain row.
    enum ItemStyle : int {
        SingleTitle = 0,
        TitleSubtitle = 1,
        SingleTitleIcon = 2,
        TitleSubtitleIcon = 3,
        SingleTitleSwitch = 4,
        TitleSubtitleSwitch = 5,
        SingleTitleIconSwitch = 6,
        TitleSubtitleIconSwitch = 7,
    };

    explicit SettingsItem(ItemStyle style, QGraphicsItem *parent = nullptr);
    ~SettingsItem() override;

    ItemStyle itemStyle() const;
    bool hasSwitch() const;
    bool hasIcon() const;

    LoLabel *titleLabelWidget();
    LoLabel *subtitleLabelWidget();
    void setTitle(const QString &title);
    void setSubtitle(const QString &subtitle);
    /** Empty while the label does not exist; never creates it. */
    QString title() const;
    QString subtitle() const;
    /** Lets a single-title row's title wrap onto several lines. */
    void wrapSingleTitle();

    /** Created hidden; only showButton() makes it visible. */
    LoButton *button();

    bool isSpinning();
    void deleteSpinner();

    /** The row takes ownership of @p widget; null only removes the current icon. Icon styles only. */
    virtual void setImageWidget(LoImageWidget *widget);
    virtual LoImageWidget *imageWidget();
    virtual LoHelpButton *infoButton();

public Q_SLOTS:
    /** Shows a busy spinner in the switch slot, or takes it away and brings the switch back. */
    virtual void setSpinner(bool on);
    void showButton();
    void startSpinning();

public:
    virtual QGraphicsGridLayout *createLayout();
    virtual QGraphicsLinearLayout *spinnerPlaceHolder();
    virtual QGraphicsLinearLayout *helpPlaceHolder();
    virtual void setTitleStretchFactor(int stretch);
    /** A new expanding, empty widget under the row, for the caller to place. */
    virtual QGraphicsWidget *createSpacer();

private:
    bool hasSubtitleLayout() const;
    QGraphicsGridLayout *grid() const;

    ItemStyle mItemStyle;
    LoLabel *mTitleLabel;
    LoLabel *mSubtitleLabel;
    LoImageWidget *mImageWidget;
    LoButton *mButton;
    LoProgressIndicator *mSpinner;
    QGraphicsLinearLayout *mSpinnerPlaceHolder;
    LoHelpButton *mInfoButton;
    QGraphicsLinearLayout *mHelpPlaceHolder;

    Q_DISABLE_COPY(SettingsItem)
};

#endif
