// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOCONTAINER_H
#define LOCONTAINER_H

#include "lowidgetcontroller.h"

/**
 * A titled box; its content (children and layout) goes on centralWidget(). The
 * title is drawn above the content while it is not empty and the header is visible.
 */
class LOTOOLKIT_EXPORT LoContainer : public LoWidgetController
{
    Q_OBJECT
public:
    explicit LoContainer(QGraphicsItem *parent = nullptr);
    explicit LoContainer(const QString &title, QGraphicsItem *parent = nullptr);
    ~LoContainer() override;

    void setTitle(const QString &title);
    QString title() const;

    void setHeaderVisible(bool visible);
    bool headerVisible() const;

    /** The same widget on every call. */
    QGraphicsWidget *centralWidget();

protected:
    QString defaultStyleName() const override;

private:
    void updateHeader();

    class Private;
    Private *const d;
};

#endif
