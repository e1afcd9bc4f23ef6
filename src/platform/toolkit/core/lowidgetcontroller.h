// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOWIDGETCONTROLLER_H
#define LOWIDGETCONTROLLER_H

#include "lotheme.h"
#include "lowidget.h"

class LoWidgetModel;

/**
 * A widget with a model, a style name and a view type. The style name picks the
 * look from the toolkit's theme (LoTheme); the view type picks one of several
 * views of the same controller (a button drawn as a switch, a panel drawn as a
 * background). Neither changes behaviour.
 *
 * A controller paints its style's background and takes the style's padding as
 * its contents margins; its minimum and preferred heights are at least the
 * style's minimum height. A style name that the theme does not know falls back
 * to the controller's defaultStyleName().
 */
class LOTOOLKIT_EXPORT LoWidgetController : public LoWidget
{
    Q_OBJECT
    Q_PROPERTY(QString styleName READ styleName WRITE setStyleName NOTIFY styleNameChanged)
    Q_PROPERTY(QString viewType READ viewType WRITE setViewType NOTIFY viewTypeChanged)
public:
    explicit LoWidgetController(QGraphicsItem *parent = nullptr);
    /** Takes ownership of @p model; a null model makes the controller create a default one. */
    LoWidgetController(LoWidgetModel *model, QGraphicsItem *parent);
    ~LoWidgetController() override;

    /** Never null. */
    LoWidgetModel *model() const;

    void setStyleName(const QString &name);
    QString styleName() const;

    void setViewType(const QString &type);
    QString viewType() const;

Q_SIGNALS:
    void styleNameChanged();
    void viewTypeChanged();

protected:
    /** The look in use: the style name's, or the default style's when the theme lacks it. */
    const LoTheme::Style &style() const;
    /** The style that an unknown or empty style name stands for; none by default. */
    virtual QString defaultStyleName() const;
    /** Re-applies the look; call it when defaultStyleName() has changed. */
    void applyStyle();
    /** @p contentSize plus the contents margins, at least the style's minimum height. */
    QSizeF styledSize(Qt::SizeHint which, const QSizeF &contentSize) const;

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF &constraint = QSizeF()) const override;

private:
    // A button's model is a button model, made as lazily as any other; the
    // look of both follows their view type.
    friend class LoButton;
    friend class LoProgressIndicator;

    class Private;
    Private *const d;
};

#endif
