// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOLABEL_H
#define LOLABEL_H

#include "lowidgetcontroller.h"

#include <QTextOption>

/**
 * A text label; the style name picks font and colour, long text can elide or wrap.
 * Alignment and wrapping follow the widget's layout direction, so a right-to-left
 * layout draws "left" aligned text at the right.
 */
class LOTOOLKIT_EXPORT LoLabel : public LoWidgetController
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    explicit LoLabel(QGraphicsItem *parent = nullptr, LoWidgetModel *model = nullptr);
    explicit LoLabel(const QString &text, QGraphicsItem *parent = nullptr);
    ~LoLabel() override;

    void setText(const QString &text);
    QString text() const;

    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const;

    void setWordWrap(bool wrap);
    bool wordWrap() const;

    void setWrapMode(QTextOption::WrapMode mode);
    QTextOption::WrapMode wrapMode() const;

    void setTextElide(bool elide);
    bool textElide() const;

protected:
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF &constraint = QSizeF()) const override;

private:
    QSizeF naturalTextSize(const QString &text) const;

    QTextOption textOption() const;

    class Private;
    Private *const d;
};

#endif
