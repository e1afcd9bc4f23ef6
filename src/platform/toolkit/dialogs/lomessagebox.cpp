// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lomessagebox.h"

#include "lolabel.h"

#include <QPointer>

class LoMessageBox::Private
{
public:
    QPointer<LoLabel> label;
};

LoMessageBox::LoMessageBox(const QString &title, const QString &text, Lo::StandardButtons buttons)
    : LoDialog(title, buttons)
    , d(new Private)
{
    d->label = new LoLabel(text);
    d->label->setObjectName(QStringLiteral("messageBoxText"));
    d->label->setStyleName(QStringLiteral("CommonBodyTextInverted"));
    d->label->setAlignment(Qt::AlignCenter);
    d->label->setWordWrap(true);
    setCentralWidget(d->label);
}

LoMessageBox::~LoMessageBox()
{
    delete d;
}

void LoMessageBox::setText(const QString &text)
{
    // Gone when the central widget was replaced.
    if (d->label)
        d->label->setText(text);
}

QString LoMessageBox::text() const
{
    return d->label ? d->label->text() : QString();
}
