// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LODIALOG_H
#define LODIALOG_H

#include "lo.h"
#include "loscenewindow.h"

class LoButton;

/**
 * A modal window with a title, a central widget and a button box, drawn as a
 * panel over a dimmed backdrop.
 *
 * Every close emits finished(result) exactly once: accept() (result 1) also emits
 * accepted(), reject() (result 0) also emits rejected(), done(r) emits finished(r)
 * only, and close() on a shown dialog is a reject without rejected(). Closing
 * makes the dialog disappear; a dialog that is not shown ignores close(),
 * accept(), reject() and done(). disappear() on a shown dialog closes it like
 * close(); dismiss() (a tap on the backdrop) is reject().
 * The dialog disappears before finished() and accepted()/rejected() are emitted.
 */
class LOTOOLKIT_EXPORT LoDialog : public LoSceneWindow
{
    Q_OBJECT
public:
    enum DialogCode { Rejected = 0, Accepted = 1 };

    LoDialog();
    LoDialog(const QString &title, Lo::StandardButtons buttons);
    ~LoDialog() override;

    void setTitle(const QString &title);
    QString title() const;

    /** The dialog owns the widget from now on; a previous central widget is deleted. */
    void setCentralWidget(QGraphicsWidget *widget);
    QGraphicsWidget *centralWidget() const;

    void setButtonBoxVisible(bool visible);
    bool isButtonBoxVisible() const;

    /** Adds a standard button; a tap on Yes or Ok accepts, on any other rejects. */
    LoButton *addButton(Lo::StandardButton which);
    LoButton *button(Lo::StandardButton which) const;
    Lo::StandardButtons standardButtons() const;
    /** The standard button that closed the dialog, or NoStandardButton. */
    Lo::StandardButton clickedButton() const;

    int result() const;

public Q_SLOTS:
    void accept();
    void reject();
    virtual void done(int result);
    bool close();
    void disappear() override;
    void dismiss() override;

Q_SIGNALS:
    void accepted();
    void rejected();
    void finished(int result);

protected:
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    class Private;
    Private *const d;
};

#endif
