// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef COUNTERCONTAINER_H
#define COUNTERCONTAINER_H

#include "cellcounters_export.h"
#include "datacountervalue.h"
#include "locontainer.h"

#include <QRect>
#include <QString>

class DataAmountWidget;
class LoButton;
class LoLabel;
class LoLinearLayoutPolicy;
class LoTextEdit;
class SettingsItem;

/**
 * One network's section of the data counters page: the amounts sent and
 * received, the last reset date with a reset button, the warning switch and the
 * warning limit field.
 *
 * The section never touches the configuration store. The page gives it values
 * through the setters, which emit nothing, and listens to its signals, which
 * only user actions produce.
 */
class CELLCOUNTERS_EXPORT CounterContainer : public LoContainer
{
    Q_OBJECT
public:
    // Also the suffix of every object name in the section.
    enum Type { Home = 0, Roaming = 1 };

    CounterContainer(Type type, int sentKey, int receivedKey, int periodKey, int uiPeriodKey,
                     int resetDateKey, QGraphicsItem *parent = nullptr);
    ~CounterContainer() override;

    virtual void setSentDataAmount(DataCounterValue &value);
    virtual void setReceivedDataAmount(DataCounterValue &value);
    /** @p date is shown as it is; the page has formatted it already. */
    virtual void setResetDate(const QString &date);
    /** A limit in megabytes with Latin digits; a non-empty one becomes the value put back after an invalid entry. */
    virtual void setWarningPeriod(const QString &period);
    virtual void setWarningSwitch(bool on);

public Q_SLOTS:
    /**
     * Commits the limit field: a number of at least 0.1 is rewritten in its
     * megabyte form ("7" becomes "7.0"); anything else is replaced by the
     * previous limit, which is announced with warningPeriodChanged().
     */
    virtual bool checkValidity();
    void openResetDialog();

public:
    bool hasKey(int key) const;
    /** The limit offered when none was ever entered: 1000 MB at home, 10 MB roaming. */
    DataCounterValue defaultPeriod();
    Type widgetType();

    void retranslateUi() override;

Q_SIGNALS:
    /** The user confirmed the reset. */
    void resetAccepted();
    /** A limit in megabytes as typed, with Latin digits. */
    void warningPeriodChanged(const QString &period);
    void warningSwitchToggled(bool on);

protected:
    virtual void createContent();
    virtual void initLayout();
    virtual LoWidgetController *counterWidget();
    virtual LoWidgetController *resetWidget();
    virtual LoWidgetController *limitWidget();

private Q_SLOTS:
    void emitWarningPeriodChanged();
    void closeVKB();
    void handleText(bool emitChange);
    void handleTextAndEmitChange();
    void inputMethodAreaChanged(QRect rect);

private:
    LoWidgetController *createPanel(Qt::Orientation orientation, LoLinearLayoutPolicy **policy);
    double readField(bool *ok, QString *latinText = nullptr) const;
    void setActionKeyAttribute(const QString &attribute, const QVariant &value);

    const Type mType;
    DataAmountWidget *mSentAmount = nullptr;
    DataAmountWidget *mReceivedAmount = nullptr;
    LoButton *mResetButton = nullptr;
    SettingsItem *mResetItem = nullptr;
    LoLabel *mSubTitle = nullptr;
    SettingsItem *mWarningItem = nullptr;
    LoTextEdit *mWarningPeriodInput = nullptr;
    LoLabel *mWarningPeriodLabel = nullptr;
    QString mPreviousPeriod;

public:
    // Keys of the configuration store that hold this section's values
    // (StorageKeys::KeyId); the page reads them to route its reads and writes.
    const int mSentKey;
    const int mReceivedKey;
    const int mPeriodKey;
    const int mUiPeriodKey;
    const int mResetDateKey;

private:
    int mToolbarId = -1;
};

#endif
