// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "vcpwidget.h"

VcpWidget::VcpWidget(QGraphicsWidget *parent)
    : LoWidget(parent)
{
}

VcpWidget::~VcpWidget() = default;

int VcpWidget::referer() const
{
    return m_referer;
}

void VcpWidget::setReferer(int id)
{
    m_referer = id;
}

bool VcpWidget::back()
{
    return true;
}

bool VcpWidget::pagePans() const
{
    return true;
}

QString VcpWidget::title() const
{
    return QString();
}
