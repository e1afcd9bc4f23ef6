// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef DATACOUNTERDIALOG_H
#define DATACOUNTERDIALOG_H

#include "cellcounters_export.h"

#include "lodialog.h"

class DataCounterWidget;

/**
 * The data counters page in a dialog, for hosts that show the counters that
 * way. Closing the dialog, however it closes, commits the page's limit fields.
 */
class CELLCOUNTERS_EXPORT DataCounterDialog : public LoDialog
{
    Q_OBJECT
public:
    DataCounterDialog();
    ~DataCounterDialog() override;

    void retranslateUi() override;

private:
    DataCounterWidget *m_page = nullptr;
};

#endif
