// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "datacounterdialog.h"

#include "datacounters.h"
#include "datacounterwidget.h"

#include "cellcounters_debug.h"

DataCounterDialog::DataCounterDialog()
    : LoDialog()
{
    qCDebug(CELLCOUNTERS_LOG) << "!--------------------------" << Q_FUNC_INFO << "--------------------------!";

    m_page = new DataCounterWidget(false, nullptr);
    // The page validates its fields on checkValidity(); the close result does not matter.
    connect(this, SIGNAL(finished(int)), m_page, SIGNAL(checkValidity()));
    setButtonBoxVisible(false);
    setCentralWidget(m_page);
    retranslateUi();
}

DataCounterDialog::~DataCounterDialog()
{
    qCDebug(CELLCOUNTERS_LOG) << Q_FUNC_INFO;
}

void DataCounterDialog::retranslateUi()
{
    setTitle(qtTrId(DataCounters::DataCounters));
}
