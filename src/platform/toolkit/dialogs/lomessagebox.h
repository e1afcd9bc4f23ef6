// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOMESSAGEBOX_H
#define LOMESSAGEBOX_H

#include "lodialog.h"

/** A question or notice with standard buttons; accepted() comes from Yes (or Ok) only. */
class LOTOOLKIT_EXPORT LoMessageBox : public LoDialog
{
    Q_OBJECT
public:
    explicit LoMessageBox(const QString &title, const QString &text = QString(),
                          Lo::StandardButtons buttons = Lo::OkButton);
    ~LoMessageBox() override;

    void setText(const QString &text);
    QString text() const;

private:
    class Private;
    Private *const d;
};

#endif
