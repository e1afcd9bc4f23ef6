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

namespace {

// Posted to a widget created straight into a shown scene, so that it notices
// that once construction is complete and its users are connected.
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

// A live widget in the tracker's list; kept inside the widget, so that tracking
// allocates nothing.
struct TrackedWidget {
    LoWidget *widget = nullptr;
    TrackedWidget *previous = nullptr;
    TrackedWidget *next = nullptr;
    quint64 number = 0; // 0: not tracked
    quint64 trackerNumber = 0; // of the tracker that holds it
};

/**
 * Knows every live widget, in the order they were made. Watches views being
 * shown and hidden: an item cannot see that, so every live widget in the view's
 * scene re-checks whether it is on the display. Retranslates the widgets after
 * a change of the default locale: one connection for all of them, as a page
 * has dozens.
 */
class DisplayTracker : public QObject
{
public:
    static DisplayTracker *instance()
    {
        if (!tracker && QCoreApplication::instance()) {
            static quint64 trackers = 0;
            tracker = new DisplayTracker;
            tracker->number = ++trackers;
            // Parented to the application so that it goes with it.
            tracker->setParent(QCoreApplication::instance());
            QCoreApplication::instance()->installEventFilter(tracker);
            connect(LoLocaleNotifier::instance(), &LoLocaleNotifier::defaultLocaleChanged, tracker,
                    &DisplayTracker::retranslate);
        }
        return tracker;
    }

    // Without making one.
    static DisplayTracker *existing() { return tracker; }

    void add(TrackedWidget *entry)
    {
        entry->number = ++lastNumber;
        entry->trackerNumber = number;
        entry->previous = last;
        (last ? last->next : first) = entry;
        last = entry;
    }

    void remove(TrackedWidget *entry)
    {
        // A widget that outlived its application is in no list.
        if (entry->trackerNumber != number)
            return;
        if (cursor == entry)
            cursor = entry->next;
        (entry->previous ? entry->previous->next : first) = entry->next;
        (entry->next ? entry->next->previous : last) = entry->previous;
        entry->previous = entry->next = nullptr;
        entry->number = 0;
    }

    // In the order they were made.
    TrackedWidget *first = nullptr;
    TrackedWidget *last = nullptr;

private:
    // As a signal reaches its receivers: those alive when it was emitted, in
    // the order they were made, none that a slot deleted, none made since.
    void retranslate()
    {
        const quint64 newest = lastNumber;
        // A slot may delete any widget; remove() moves the cursor past one
        // that it is on.
        cursor = first;
        while (cursor && cursor->number <= newest) {
            LoWidget *widget = cursor->widget;
            cursor = cursor->next;
            widget->retranslateUi();
        }
        cursor = nullptr;
    }

    static QPointer<DisplayTracker> tracker;
    quint64 number = 0;
    TrackedWidget *cursor = nullptr;
    quint64 lastNumber = 0;

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
        for (TrackedWidget *entry = first; entry; entry = entry->next) {
            if (entry->widget->scene() == scene)
                affected.append(entry->widget);
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

QPointer<DisplayTracker> DisplayTracker::tracker;

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
    TrackedWidget tracked;
};

LoWidget::LoWidget(QGraphicsItem *parent)
    : QGraphicsWidget(parent)
    , d(new Private(this))
{
    if (DisplayTracker *tracker = DisplayTracker::instance()) {
        d->tracked.widget = this;
        tracker->add(&d->tracked);
        // Elsewhere, entering a scene or a view being shown makes the check.
        if (sceneIsShown(scene()))
            QCoreApplication::postEvent(this, new QEvent(CheckDisplayEvent));
    } else {
        // Without an application there is no tracker to retranslate it.
        connect(LoLocaleNotifier::instance(), &LoLocaleNotifier::defaultLocaleChanged, this,
                &LoWidget::retranslateUi);
    }
}

LoWidget::~LoWidget()
{
    if (d->tracked.number) {
        if (DisplayTracker *tracker = DisplayTracker::existing())
            tracker->remove(&d->tracked);
    }
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
