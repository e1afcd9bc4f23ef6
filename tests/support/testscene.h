// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef TESTSCENE_H
#define TESTSCENE_H

#include <QGraphicsObject>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QVariantMap>

class QGraphicsWidget;
class QWidget;

/** A scene in a shown, active phone-sized view (480 x 854), where items can take the focus. */
class ActiveScene
{
public:
    ActiveScene();
    QGraphicsScene *scene() { return &m_scene; }
    /** Waits for the view to be exposed and makes the scene active; false on failure. */
    bool activate();

private:
    QGraphicsScene m_scene;
    QGraphicsView m_view;
};

/** Toolkit widgets in an item tree: graphics items are no QObject children of their parent item. */
namespace ItemFinder
{
/** All objects below @p root, depth first. */
QList<QGraphicsObject *> descendants(const QGraphicsItem *root);

template<typename T>
T *find(const QGraphicsItem *root, const QString &objectName)
{
    for (QGraphicsObject *object : descendants(root)) {
        if (T *t = object->objectName() == objectName ? qobject_cast<T *>(object) : nullptr)
            return t;
    }
    return nullptr;
}

template<typename T>
QList<T *> findAll(const QGraphicsItem *root)
{
    QList<T *> result;
    for (QGraphicsObject *object : descendants(root)) {
        if (T *t = qobject_cast<T *>(object))
            result.append(t);
    }
    return result;
}
} // namespace ItemFinder

/** Types text key by key, characters outside ASCII (native digits, separators) included. */
namespace KeyTyper
{
void type(QWidget *widget, const QString &text);
}

/** Widgets rendered as a view shows them, for checks of what is drawn. */
namespace SceneShot
{
/** @p widget laid out at @p width and its preferred height, on the theme's background. */
QImage render(QGraphicsWidget *widget, qreal width = 480);
/** The most frequent colour in @p area (the whole image when null). */
QRgb dominantColor(const QImage &image, const QRect &area = QRect());
/** Pixels of @p area that differ from @p background by more than @p tolerance in a channel. */
int inkPixels(const QImage &image, const QRect &area, QRgb background, int tolerance = 40);
/** Their bounding rectangle; null when there are none. */
QRect inkBounds(const QImage &image, const QRect &area, QRgb background, int tolerance = 40);
/** Where @p part lies in an image that render() made of @p rendered. */
QRect toImage(const QGraphicsWidget *rendered, const QGraphicsWidget *part);
}

/** What the data counters page shows, read off its widgets by object name. */
namespace ShownPage
{
/** Section @p type (0 home, 1 roaming): "sent", "received", "field", "switch" (bool), "date"; empty when absent. */
QVariantMap section(const QGraphicsItem *root, int type);
/** The call timers at or below @p root: "dialled", "received", "all", "date". */
QVariantMap callTimers(const QGraphicsItem *root);
/** All of them, as "home.sent", "roaming.switch", "timers.all", ... */
QVariantMap all(const QGraphicsItem *root);
}

#endif
