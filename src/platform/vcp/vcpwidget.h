// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef VCPWIDGET_H
#define VCPWIDGET_H

#include "vcp_export.h"

#include <lowidget.h>

/**
 * A page of the control-panel host. The host calls back() when the user leaves
 * the page; a page returns false from it to stay.
 */
class VCP_EXPORT VcpWidget : public LoWidget
{
    Q_OBJECT
public:
    explicit VcpWidget(QGraphicsWidget *parent = nullptr);
    ~VcpWidget() override;

    int referer() const;

public Q_SLOTS:
    virtual void setReferer(int id);
    virtual bool back();
    virtual bool pagePans() const;
    virtual QString title() const;

Q_SIGNALS:
    /** Asks the host to open another page. */
    void changeWidget(int widgetId);
    /** Asks the host to close this page. */
    void closePage();

private:
    int m_referer = -1;
};

#endif
