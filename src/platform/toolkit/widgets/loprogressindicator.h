// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOPROGRESSINDICATOR_H
#define LOPROGRESSINDICATOR_H

#include "lowidgetcontroller.h"

/**
 * A progress bar or, with spinnerType, a busy spinner. While of unknown duration
 * it animates endlessly, but only while it is visible in a scene: a hidden
 * indicator runs no timer. The value is a percentage, 0 to 100.
 */
class LOTOOLKIT_EXPORT LoProgressIndicator : public LoWidgetController
{
    Q_OBJECT
public:
    static const char *const spinnerType;
    static const char *const barType;

    LoProgressIndicator(QGraphicsItem *parent, const QString &viewType);
    ~LoProgressIndicator() override;

    void setUnknownDuration(bool unknown);
    bool unknownDuration() const;

    void setValue(int value);
    int value() const;

    /** True while the endless animation runs. */
    bool isAnimating() const;
    /** The animation's position, 0 to 359 degrees; it advances while animating. */
    int animationPhase() const;

protected:
    QString defaultStyleName() const override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF &constraint = QSizeF()) const override;

private:
    void updateAnimation();

    class Private;
    Private *const d;
};

#endif
