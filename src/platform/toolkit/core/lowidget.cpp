// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lowidget.h"

#include "lolocalenotifier.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPointer>
#include <QSet>

namespace {

// Posted to a new widget so that a widget created straight into a shown scene
// notices it once construction is complete and its users are connected.
const QEvent::Type CheckDisplayEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

bool sceneIsShown(const QGraphicsScene *scene)
{
    if (!scene)
        return false;
    const QList<QGraphicsView *> views = scene->views();
    for (const QGraphicsView *view : views) {
        if (view->isVisible())
            return true;
    }
    return false;
}

/**
 * Watches views being shown and hidden: an item cannot see that, so every live
 * widget in the view's scene re-checks whether it is on the display.
 */
class DisplayTracker : public QObject
{
public:
    static DisplayTracker *instance()
    {
        static QPointer<DisplayTracker> tracker;
        if (!tracker && QCoreApplication::instance()) {
            tracker = new DisplayTracker;
            // Parented to the application so that it goes with it.
            tracker->setParent(QCoreApplication::instance());
            QCoreApplication::instance()->installEventFilter(tracker);
        }
        return tracker;
    }

    QSet<LoWidget *> widgets;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Show && type != QEvent::Hide)
            return false;
        auto *view = qobject_cast<QGraphicsView *>(watched);
        if (!view || !view->scene())
            return false;
        const QGraphicsScene *scene = view->scene();
        // A slot reached from the check may delete widgets: hold them weakly.
        QList<QPointer<LoWidget>> affected;
        for (LoWidget *widget : qAsConst(widgets)) {
            if (widget->scene() == scene)
                affected.append(widget);
        }
        for (const QPointer<LoWidget> &widget : qAsConst(affected)) {
            if (widget) {
                QEvent check(CheckDisplayEvent);
                QCoreApplication::sendEvent(widget, &check);
            }
        }
        return false;
    }
};

} // namespace

class LoWidget::Private
{
public:
    enum class Appearance { Off, ByView, ByHost };

    explicit Private(LoWidget *q)
        : q(q)
    {
    }

    void update()
    {
        const bool visible = q->isVisible();
        const bool shown = visible && sceneIsShown(q->scene());
        if (shown && appearance == Appearance::Off) {
            appearance = Appearance::ByView;
            Q_EMIT q->displayEntered();
        } else if (appearance == Appearance::ByView && !shown) {
            leave();
        } else if (appearance == Appearance::ByHost && !visible) {
            leave();
        }
    }

    void leave()
    {
        appearance = Appearance::Off;
        Q_EMIT q->displayExited();
    }

    LoWidget *const q;
    Appearance appearance = Appearance::Off;
};

LoWidget::LoWidget(QGraphicsItem *parent)
    : QGraphicsWidget(parent)
    , d(new Private(this))
{
    connect(LoLocaleNotifier::instance(), &LoLocaleNotifier::defaultLocaleChanged, this,
            &LoWidget::retranslateUi);
    if (DisplayTracker *tracker = DisplayTracker::instance()) {
        tracker->widgets.insert(this);
        QCoreApplication::postEvent(this, new QEvent(CheckDisplayEvent));
    }
}

LoWidget::~LoWidget()
{
    if (DisplayTracker *tracker = DisplayTracker::instance())
        tracker->widgets.remove(this);
    delete d;
}

bool LoWidget::isOnDisplay() const
{
    return d->appearance != Private::Appearance::Off;
}

void LoWidget::announceDisplayEntered()
{
    if (d->appearance != Private::Appearance::Off)
        return;
    d->appearance = Private::Appearance::ByHost;
    Q_EMIT displayEntered();
}

void LoWidget::announceDisplayExited()
{
    if (d->appearance == Private::Appearance::Off)
        return;
    d->leave();
}

void LoWidget::retranslateUi()
{
}

QVariant LoWidget::itemChange(GraphicsItemChange change, const QVariant &value)
{
    const QVariant result = QGraphicsWidget::itemChange(change, value);
    if (change == ItemVisibleHasChanged || change == ItemSceneHasChanged)
        d->update();
    return result;
}

bool LoWidget::event(QEvent *event)
{
    if (event->type() == CheckDisplayEvent) {
        d->update();
        return true;
    }
    return QGraphicsWidget::event(event);
}
