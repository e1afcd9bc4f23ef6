#ifndef SCENESHOT_H
#define SCENESHOT_H

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

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

#endif
