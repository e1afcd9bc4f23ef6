// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lohelpbutton.h"

LoHelpButton::LoHelpButton(const QString &pageID, QGraphicsItem *parent)
    : LoButton(parent)
    , m_pageID(pageID)
{
    setViewType(QString::fromLatin1(iconType));
    setIconID(QStringLiteral("icon-s-description-inverse"));
    connect(this, &LoButton::clicked, this, [this] {
        // Without a page there is nothing to open.
        if (!m_pageID.isEmpty())
            Q_EMIT helpPageRequested(m_pageID);
    });
}

LoHelpButton::~LoHelpButton() = default;

void LoHelpButton::setPageID(const QString &pageID)
{
    m_pageID = pageID;
}

QString LoHelpButton::pageID() const
{
    return m_pageID;
}
