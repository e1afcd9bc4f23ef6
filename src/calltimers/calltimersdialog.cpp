// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "calltimersdialog.h"

#include "calltimerscontainer.h"
#include "datacounters.h"

CallTimersDialog::CallTimersDialog()
{
    setButtonBoxVisible(false);
    setCentralWidget(new CallTimersContainer(this));
    retranslateUi();
}

CallTimersDialog::~CallTimersDialog() = default;

void CallTimersDialog::retranslateUi()
{
    LoDialog::retranslateUi();
    setTitle(qtTrId(DataCounters::CallTimersTitle));
}
