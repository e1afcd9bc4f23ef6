// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "shownamount.h"

#include "countercontainer.h"
#include "dataamountwidget.h"
#include "datacounters.h"
#include "datacountervalue.h"
#include "datacounterwidget.h"
#include "testscene.h"

#include <lolocale.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

ShownAmount::ShownAmount(DataCounterWidget *page)
{
    if (auto *home = ItemFinder::find<CounterContainer>(page, QStringLiteral("CounterContainer_0")))
        m_row = ItemFinder::find<DataAmountWidget>(home, QStringLiteral("DataAmount_0"));
}

QString ShownAmount::text() const
{
    return m_row ? m_row->subtitle() : QString();
}

QString ShownAmount::textFor(qulonglong bytes)
{
    const DataCounterValue value(bytes);
    return qtTrId(DataCounters::MBText).arg(LoLocale().formatNumber(value.toUiMegas().toDouble(), -1));
}

std::function<bool()> ShownAmount::shows(qulonglong bytes) const
{
    const QString text = textFor(bytes);
    return [this, text] { return ShownAmount::text() == text; };
}

bool ShownAmount::waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    // Wakes the loop now and then, so that a missing event ends in a timeout.
    QTimer wake;
    wake.start(50);
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}
