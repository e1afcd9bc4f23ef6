// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOIMAGEWIDGET_H
#define LOIMAGEWIDGET_H

#include "lowidgetcontroller.h"

/** An icon from the theme, by identifier. */
class LOTOOLKIT_EXPORT LoImageWidget : public LoWidgetController
{
    Q_OBJECT
public:
    explicit LoImageWidget(QGraphicsItem *parent = nullptr);
    explicit LoImageWidget(const QString &id, QGraphicsItem *parent = nullptr);
    ~LoImageWidget() override;

    void setImage(const QString &id);
    QString image() const;

protected:
    QString defaultStyleName() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF &constraint = QSizeF()) const override;

private:
    QString m_id;
};

#endif
