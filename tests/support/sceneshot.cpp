#include "sceneshot.h"

#include "lotheme.h"

#include <QCoreApplication>
#include <QDir>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsWidget>
#include <QHash>
#include <QPainter>
#include <QtGlobal>

namespace
{
bool differs(QRgb a, QRgb b, int tolerance)
{
    return qAbs(qRed(a) - qRed(b)) > tolerance || qAbs(qGreen(a) - qGreen(b)) > tolerance
        || qAbs(qBlue(a) - qBlue(b)) > tolerance;
}

QRect clipped(const QImage &image, const QRect &area)
{
    return area.isNull() ? image.rect() : area.intersected(image.rect());
}
}

QImage SceneShot::render(QGraphicsWidget *widget, qreal width, const QColor &background)
{
    QGraphicsScene temporary;
    QGraphicsScene *scene = widget->scene();
    const bool borrowed = !scene;
    // A child item is added with its whole tree, or the scene would detach it from its parent.
    QGraphicsItem *top = widget->topLevelItem();
    if (borrowed) {
        scene = &temporary;
        scene->addItem(top);
    }

    const qreal height = widget->effectiveSizeHint(Qt::PreferredSize, QSizeF(width, -1)).height();
    widget->resize(width, height);
    // Deliver pending layout requests and retranslations, as a shown view would.
    QCoreApplication::sendPostedEvents();
    if (QGraphicsLayout *layout = widget->layout())
        layout->activate();

    const QRectF source = widget->sceneBoundingRect();
    QImage image(source.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(background.isValid() ? background : LoTheme::windowColor());
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        scene->render(&painter, QRectF(QPointF(0, 0), source.size()), source, Qt::IgnoreAspectRatio);
    }

    if (borrowed)
        scene->removeItem(top);
    return image;
}

QString SceneShot::save(const QImage &image, const QString &name)
{
    const QString dir = qEnvironmentVariable("CELLCOUNTERS_TEST_SHOTS");
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return QString();
    const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
    return image.save(path, "PNG") ? path : QString();
}

QRgb SceneShot::dominantColor(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> counts;
    const QRect r = clipped(image, area);
    QRgb best = 0;
    int bestCount = -1;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            const int n = ++counts[c];
            if (n > bestCount) {
                best = c;
                bestCount = n;
            }
        }
    }
    return best;
}

int SceneShot::inkPixels(const QImage &image, const QRect &area, QRgb background, int tolerance)
{
    int n = 0;
    const QRect r = clipped(image, area);
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += differs(image.pixel(x, y), background, tolerance) ? 1 : 0;
    return n;
}

QRect SceneShot::inkBounds(const QImage &image, const QRect &area, QRgb background, int tolerance)
{
    QRect bounds;
    const QRect r = clipped(image, area);
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (differs(image.pixel(x, y), background, tolerance))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QRect SceneShot::toImage(const QGraphicsWidget *rendered, const QGraphicsWidget *part)
{
    const QRectF r = part->sceneBoundingRect().translated(-rendered->sceneBoundingRect().topLeft());
    return r.toAlignedRect();
}
