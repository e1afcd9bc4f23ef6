// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "testscene.h"

#include "calltimerscontainer.h"
#include "countercontainer.h"
#include "lotheme.h"
#include "settingsitem.h"

#include <QGraphicsLayout>
#include <QGraphicsWidget>
#include <QPainter>
#include <QtTest>
#include <lobutton.h>
#include <lotextedit.h>

ActiveScene::ActiveScene()
    : m_view(&m_scene)
{
    m_view.setFrameShape(QFrame::NoFrame);
    m_view.resize(480, 854);
    m_scene.setSceneRect(0, 0, 480, 854);
}

bool ActiveScene::activate()
{
    m_view.show();
    if (!QTest::qWaitForWindowExposed(&m_view))
        return false;
    m_view.activateWindow();
    (void)QTest::qWaitForWindowActive(&m_view, 1000);
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
    for (QGraphicsItem *child : root ? root->childItems() : QList<QGraphicsItem *>()) {
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

QImage SceneShot::render(QGraphicsWidget *widget, qreal width)
{
    QGraphicsScene temporary;
    // A child item goes in with its whole tree, or the scene would detach it from its parent.
    QGraphicsItem *top = widget->topLevelItem();
    const bool borrowed = !widget->scene();
    if (borrowed)
        temporary.addItem(top);
    widget->resize(width, widget->effectiveSizeHint(Qt::PreferredSize, QSizeF(width, -1)).height());
    // Deliver pending layout requests and retranslations, as a shown view would.
    QCoreApplication::sendPostedEvents();
    if (QGraphicsLayout *layout = widget->layout())
        layout->activate();

    const QRectF source = widget->sceneBoundingRect();
    QImage image(source.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(LoTheme::windowColor());
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    widget->scene()->render(&painter, QRectF(QPointF(0, 0), source.size()), source, Qt::IgnoreAspectRatio);
    painter.end();
    if (borrowed)
        temporary.removeItem(top);
    return image;
}

namespace
{
// Calls @p visit for every pixel of @p area (the whole image when null).
template<typename Visit>
void scan(const QImage &image, const QRect &area, Visit visit)
{
    const QRect r = area.isNull() ? image.rect() : area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            visit(x, y, image.pixel(x, y));
}

bool differs(QRgb a, QRgb b, int tolerance)
{
    return qAbs(qRed(a) - qRed(b)) > tolerance || qAbs(qGreen(a) - qGreen(b)) > tolerance
        || qAbs(qBlue(a) - qBlue(b)) > tolerance;
}
} // namespace

QRgb SceneShot::dominantColor(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> counts;
    QRgb best = 0;
    scan(image, area, [&](int, int, QRgb c) {
        if (++counts[c] > counts.value(best))
            best = c;
    });
    return best;
}

int SceneShot::inkPixels(const QImage &image, const QRect &area, QRgb background, int tolerance)
{
    int n = 0;
    scan(image, area, [&](int, int, QRgb c) { n += differs(c, background, tolerance) ? 1 : 0; });
    return n;
}

QRect SceneShot::inkBounds(const QImage &image, const QRect &area, QRgb background, int tolerance)
{
    QRect bounds;
    scan(image, area, [&](int x, int y, QRgb c) {
        if (differs(c, background, tolerance))
            bounds |= QRect(x, y, 1, 1);
    });
    return bounds;
}

QRect SceneShot::toImage(const QGraphicsWidget *rendered, const QGraphicsWidget *part)
{
    return part->sceneBoundingRect().translated(-rendered->sceneBoundingRect().topLeft()).toAlignedRect();
}

namespace
{
QString subtitleOf(const QGraphicsItem *root, const QString &name)
{
    const SettingsItem *item = ItemFinder::find<SettingsItem>(root, name);
    return item ? item->subtitle() : QStringLiteral("<missing %1>").arg(name);
}
} // namespace

QVariantMap ShownPage::section(const QGraphicsItem *root, int type)
{
    const QString n = QString::number(type);
    const auto *section = ItemFinder::find<CounterContainer>(root, QStringLiteral("CounterContainer_") + n);
    if (!section)
        return QVariantMap();
    const auto *field = ItemFinder::find<LoTextEdit>(section, QStringLiteral("warningPeriodIput_") + n);
    const auto *toggle = ItemFinder::find<LoButton>(section, QStringLiteral("warningSwitch_") + n);
    return {{QStringLiteral("sent"), subtitleOf(section, QStringLiteral("DataAmount_0"))},
            {QStringLiteral("received"), subtitleOf(section, QStringLiteral("DataAmount_1"))},
            {QStringLiteral("field"), field ? field->text() : QStringLiteral("<missing field>")},
            {QStringLiteral("switch"), toggle ? QVariant(toggle->isChecked()) : QVariant()},
            {QStringLiteral("date"), subtitleOf(section, QStringLiteral("resetItem_") + n)}};
}

QVariantMap ShownPage::callTimers(const QGraphicsItem *root)
{
    // The section itself, as in the call timers dialog, or somewhere below.
    const auto *timers = qobject_cast<const CallTimersContainer *>(root ? root->toGraphicsObject() : nullptr);
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
    const QList<QPair<QString, QVariantMap>> parts{{QStringLiteral("home."), section(root, 0)},
                                                   {QStringLiteral("roaming."), section(root, 1)},
                                                   {QStringLiteral("timers."), callTimers(root)}};
    for (const auto &part : parts)
        for (auto it = part.second.cbegin(); it != part.second.cend(); ++it)
            result.insert(part.first + it.key(), it.value());
    return result;
}
