#ifndef ACTIVESCENE_H
#define ACTIVESCENE_H

#include <QGraphicsScene>
#include <QGraphicsView>

/**
 * A scene in a shown, active phone-sized view (480 x 854), so that items in it
 * can take the keyboard focus as they do on the device.
 */
class ActiveScene
{
public:
    ActiveScene();

    QGraphicsScene *scene() { return &m_scene; }
    QGraphicsView *view() { return &m_view; }
    /** Waits for the view to be exposed and makes the scene active; false on failure. */
    bool activate();

private:
    QGraphicsScene m_scene;
    QGraphicsView m_view;
};

#endif
