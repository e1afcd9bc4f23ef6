// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOSCENEWINDOW_H
#define LOSCENEWINDOW_H

#include "lowidgetcontroller.h"

/**
 * A window of the scene: a page, a dialog or a message box. appear() shows it
 * (the LoSceneManager tells the host, which puts it on screen) and disappear()
 * hides it; dismiss() is the user sending it away. With DestroyWhenDone the
 * window deletes itself (deleteLater) once it has disappeared, whatever the
 * cause; with DestroyWhenDismissed only after a dismissal; with KeepWhenDone
 * never.
 */
class LOTOOLKIT_EXPORT LoSceneWindow : public LoWidgetController
{
    Q_OBJECT
public:
    enum DeletionPolicy { KeepWhenDone = 0, DestroyWhenDone = 1, DestroyWhenDismissed = 2 };
    Q_ENUM(DeletionPolicy)

    explicit LoSceneWindow(QGraphicsItem *parent = nullptr);
    ~LoSceneWindow() override;

    DeletionPolicy deletionPolicy() const;
    bool isAppeared() const;

public Q_SLOTS:
    /** Shows the window; on a shown window it only takes the new policy. */
    virtual void appear(LoSceneWindow::DeletionPolicy policy = KeepWhenDone);
    virtual void disappear();
    virtual void dismiss();

Q_SIGNALS:
    void appeared();
    void disappeared();

private:
    class Private;
    Private *const d;
};

#endif
