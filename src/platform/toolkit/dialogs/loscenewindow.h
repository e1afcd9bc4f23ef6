#ifndef LOSCENEWINDOW_H
#define LOSCENEWINDOW_H

#include "lowidgetcontroller.h"

/**
 * A window of the scene: a page, a dialog or a message box. appear() shows it
 * (the LoSceneManager tells the host, which puts it on screen) and disappear()
 * hides it; with DestroyWhenDone the window deletes itself (deleteLater) once it
 * has disappeared.
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
    virtual void appear(LoSceneWindow::DeletionPolicy policy = KeepWhenDone);
    virtual void disappear();

Q_SIGNALS:
    void appeared();
    void disappeared();

private:
    class Private;
    Private *const d;
};

#endif
