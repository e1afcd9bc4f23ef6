// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef CALLTIMERSDIALOG_H
#define CALLTIMERSDIALOG_H

#include "cellcounters_export.h"

#include "lodialog.h"

/**
 * The call timers section alone in a dialog without buttons, for hosts that
 * want the call timers without the data counters page. The host shows and
 * closes it; all behaviour is the section's.
 */
class CELLCOUNTERS_EXPORT CallTimersDialog : public LoDialog
{
    Q_OBJECT
public:
    CallTimersDialog();
    ~CallTimersDialog() override;

    void retranslateUi() override;
};

#endif
