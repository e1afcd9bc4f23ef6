// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOBUTTON_H
#define LOBUTTON_H

#include "lowidgetcontroller.h"

class LoButtonModel;

/**
 * A push button; checkable, it is a toggle, and with the view type switchType an
 * on/off switch. A tap (mouse press and release inside, or click()) toggles a
 * checkable button, emitting toggled(bool), then emits clicked().
 * setChecked() emits toggled(bool) when the state changes, unless signals are blocked;
 * like Qt's buttons, a button that is not checkable is never checked. A disabled
 * button ignores taps.
 */
class LOTOOLKIT_EXPORT LoButton : public LoWidgetController
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(bool checked READ isChecked WRITE setChecked NOTIFY toggled)
public:
    static const char *const defaultType;
    static const char *const switchType;
    static const char *const iconType;

    explicit LoButton(QGraphicsItem *parent = nullptr, LoButtonModel *model = nullptr);
    explicit LoButton(const QString &text, QGraphicsItem *parent = nullptr);
    ~LoButton() override;

    void setText(const QString &text);
    QString text() const;

    void setIconID(const QString &id);
    QString iconID() const;

    void setCheckable(bool checkable);
    bool isCheckable() const;

    bool isChecked() const;
    /** True between a press inside the button and its release. */
    bool isDown() const;

public Q_SLOTS:
    void setChecked(bool checked);
    /** Taps the button programmatically, exactly as a user's tap does. */
    void click();

Q_SIGNALS:
    void clicked();
    void toggled(bool checked);

protected:
    QString defaultStyleName() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF &constraint = QSizeF()) const override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void ungrabMouseEvent(QEvent *event) override;

private:
    class Private;
    Private *const d;
};

#endif
