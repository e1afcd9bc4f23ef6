#include "testscene.h"

#include "calltimerscontainer.h"
#include "countercontainer.h"
#include "dataamountwidget.h"
#include "lotheme.h"
#include "settingsitem.h"

#include <QCoreApplication>
#include <QDir>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsWidget>
#include <QHash>
#include <QPainter>
#include <QtGlobal>
#include <QtTest>
#include <lobutton.h>
#include <lotextedit.h>

ActiveScene::ActiveScene()
    : m_view(&m_scene)
{
    m_view.setFrameShape(QFrame::NoFrame);
    m_view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view.resize(480, 854);
    m_scene.setSceneRect(0, 0, 480, 854);
}

bool ActiveScene::activate()
{
    m_view.show();
    if (!QTest::qWaitForWindowExposed(&m_view))
        return false;
    m_view.activateWindow();
    const bool activated = QTest::qWaitForWindowActive(&m_view, 1000);
    Q_UNUSED(activated)
    if (!m_scene.isActive()) {
        // Platforms without window activation: tell the scene directly.
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&m_scene, &activate);
    }
    return m_scene.isActive();
}

QList<QGraphicsObject *> ItemFinder::descendants(const QGraphicsItem *root)
{
    QList<QGraphicsObject *> result;
    if (!root)
        return result;
    const QList<QGraphicsItem *> children = root->childItems();
    for (QGraphicsItem *child : children) {
        if (QGraphicsObject *object = child->toGraphicsObject())
            result.append(object);
        result.append(descendants(child));
    }
    return result;
}

void KeyTyper::type(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

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

namespace
{
QString subtitleOf(const QGraphicsItem *root, const QString &name)
{
    const SettingsItem *item = ItemFinder::find<SettingsItem>(root, name);
    return item ? item->subtitle() : QStringLiteral("<missing %1>").arg(name);
}

void prefixed(QVariantMap &into, const QString &prefix, const QVariantMap &parts)
{
    for (auto it = parts.cbegin(); it != parts.cend(); ++it)
        into.insert(prefix + it.key(), it.value());
}
} // namespace

QVariantMap ShownPage::section(const QGraphicsItem *root, int type)
{
    const QString suffix = QString::number(type);
    const CounterContainer *section =
        ItemFinder::find<CounterContainer>(root, QStringLiteral("CounterContainer_") + suffix);
    if (!section)
        return QVariantMap();
    QVariantMap parts;
    parts.insert(QStringLiteral("sent"), subtitleOf(section, QStringLiteral("DataAmount_0")));
    parts.insert(QStringLiteral("received"), subtitleOf(section, QStringLiteral("DataAmount_1")));
    const LoTextEdit *field = ItemFinder::find<LoTextEdit>(section, QStringLiteral("warningPeriodIput_") + suffix);
    parts.insert(QStringLiteral("field"), field ? field->text() : QStringLiteral("<missing field>"));
    const LoButton *toggle = ItemFinder::find<LoButton>(section, QStringLiteral("warningSwitch_") + suffix);
    parts.insert(QStringLiteral("switch"), toggle ? QVariant(toggle->isChecked()) : QVariant());
    parts.insert(QStringLiteral("date"), subtitleOf(section, QStringLiteral("resetItem_") + suffix));
    return parts;
}

QVariantMap ShownPage::callTimers(const QGraphicsItem *root)
{
    // The section itself, as in the call timers dialog, or somewhere below.
    const CallTimersContainer *timers = nullptr;
    if (QGraphicsObject *object = root ? const_cast<QGraphicsItem *>(root)->toGraphicsObject() : nullptr)
        timers = qobject_cast<const CallTimersContainer *>(object);
    if (!timers)
        timers = ItemFinder::find<CallTimersContainer>(root, QStringLiteral("CallTimersContainer"));
    if (!timers)
        return QVariantMap();
    return {{QStringLiteral("dialled"), subtitleOf(timers, QStringLiteral("timersDialed"))},
            {QStringLiteral("received"), subtitleOf(timers, QStringLiteral("timersReceived"))},
            {QStringLiteral("all"), subtitleOf(timers, QStringLiteral("timersAll"))},
            {QStringLiteral("date"), subtitleOf(timers, QStringLiteral("timersResetDate"))}};
}

QVariantMap ShownPage::all(const QGraphicsItem *root)
{
    QVariantMap result;
    prefixed(result, QStringLiteral("home."), section(root, 0));
    prefixed(result, QStringLiteral("roaming."), section(root, 1));
    prefixed(result, QStringLiteral("timers."), callTimers(root));
    return result;
}
