#ifndef TESTSCENE_H
#define TESTSCENE_H

#include <QColor>
#include <QGraphicsObject>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QVariantMap>

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

/**
 * Finds toolkit widgets in an item tree by object name. Graphics items are not
 * QObject children of their parent item, so QObject::findChild() does not see them.
 */
class ItemFinder
{
public:
    /** All objects below @p root (not @p root itself), depth first. */
    static QList<QGraphicsObject *> descendants(const QGraphicsItem *root);

    /** The first descendant of type T named @p objectName, or null. */
    template<typename T>
    static T *find(const QGraphicsItem *root, const QString &objectName)
    {
        for (QGraphicsObject *object : descendants(root)) {
            if (object->objectName() == objectName) {
                if (T *t = qobject_cast<T *>(object))
                    return t;
            }
        }
        return nullptr;
    }

    /** Every descendant of type T. */
    template<typename T>
    static QList<T *> findAll(const QGraphicsItem *root)
    {
        QList<T *> result;
        for (QGraphicsObject *object : descendants(root)) {
            if (T *t = qobject_cast<T *>(object))
                result.append(t);
        }
        return result;
    }
};

class QWidget;

/**
 * Types text key by key into a widget, as a keyboard does. Unlike
 * QTest::keyClicks() it also types characters outside ASCII (native digits,
 * the Arabic decimal separator), as key events that carry the character.
 */
class KeyTyper
{
public:
    static void type(QWidget *widget, const QString &text);
};

class QGraphicsWidget;

/**
 * Renders widgets the way a view would show them, for tests that check what is
 * actually drawn. Set CELLCOUNTERS_TEST_SHOTS to a directory to keep the images
 * as PNG files for a person to look at.
 */
class SceneShot
{
public:
    /**
     * Lays @p widget out at @p width and its preferred height, then renders it with
     * its children onto an opaque image filled with @p background (the theme's
     * window colour when invalid). A widget without a scene is put into a
     * temporary one for the time of the call.
     */
    static QImage render(QGraphicsWidget *widget, qreal width = 480, const QColor &background = QColor());

    /** Writes @p image as <dir>/<name>.png when the directory is set; returns the path or an empty string. */
    static QString save(const QImage &image, const QString &name);

    /** The most frequent colour in @p area (the whole image when null). */
    static QRgb dominantColor(const QImage &image, const QRect &area = QRect());

    /** Pixels of @p area whose colour differs from @p background by more than @p tolerance in a channel. */
    static int inkPixels(const QImage &image, const QRect &area, QRgb background, int tolerance = 40);

    /** The bounding rectangle of those pixels; null when there are none. */
    static QRect inkBounds(const QImage &image, const QRect &area, QRgb background, int tolerance = 40);

    /** Where @p part lies in an image that render() made of @p rendered. */
    static QRect toImage(const QGraphicsWidget *rendered, const QGraphicsWidget *part);
};

class QGraphicsItem;

/**
 * What the data counters page shows, read off its widgets by object name, for
 * tests that check the display rather than the calls that made it.
 */
class ShownPage
{
public:
    /**
     * One counter section (@p type 0 home, 1 roaming) below @p root: "sent",
     * "received" (the amount rows' subtitles), "field" (the limit field's text),
     * "switch" (the warning switch, bool) and "date" (the last reset subtitle).
     * Empty when the section is not there.
     */
    static QVariantMap section(const QGraphicsItem *root, int type);

    /** The call timers section below @p root: "dialled", "received", "all" and "date". */
    static QVariantMap callTimers(const QGraphicsItem *root);

    /** Both sections and the call timers, as "home.sent", "roaming.switch", "timers.all", ... */
    static QVariantMap all(const QGraphicsItem *root);
};

#endif
