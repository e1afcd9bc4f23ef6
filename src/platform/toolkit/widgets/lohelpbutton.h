// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOHELPBUTTON_H
#define LOHELPBUTTON_H

#include "lobutton.h"

/**
 * A small "?" button that opens a help page: a tap emits helpPageRequested(pageID()),
 * which the host connects to its help viewer. With no page set a tap requests nothing.
 */
class LOTOOLKIT_EXPORT LoHelpButton : public LoButton
{
    Q_OBJECT
public:
    explicit LoHelpButton(const QString &pageID, QGraphicsItem *parent = nullptr);
    ~LoHelpButton() override;

    void setPageID(const QString &pageID);
    QString pageID() const;

Q_SIGNALS:
    void helpPageRequested(const QString &pageID);

private:
    QString m_pageID;
};

#endif
