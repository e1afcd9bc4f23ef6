// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOWIDGET_H
#define LOWIDGET_H

#include "lotoolkit_export.h"

#include <QGraphicsWidget>

/**
 * Base of every toolkit widget: a QGraphicsWidget that is told about language
 * changes and about entering the display.
 *
 * retranslateUi() is called for every live widget after the default locale or
 * its translation catalogs changed (LoLocale::setDefault()); the call comes from
 * the event loop, never from inside setDefault(), so a widget that installs a
 * catalog in its own constructor is complete before it is retranslated.
 *
 * displayEntered() is emitted once per appearance: the first time the widget is
 * visible in a scene that is shown in a visible view, or when the host announces
 * it with announceDisplayEntered().
 */
class LOTOOLKIT_EXPORT LoWidget : public QGraphicsWidget
{
    Q_OBJECT
public:
    explicit LoWidget(QGraphicsItem *parent = nullptr);
    ~LoWidget() override;

    bool isOnDisplay() const;

    /** For hosts that show the widget by other means than a view (and for tests). */
    void announceDisplayEntered();
    /** The widget left the display; the next appearance emits displayEntered() again. */
    void announceDisplayExited();

public Q_SLOTS:
    virtual void retranslateUi();

Q_SIGNALS:
    void displayEntered();
    void displayExited();

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;
    bool event(QEvent *event) override;

private:
    class Private;
    Private *const d;
};

#endif
