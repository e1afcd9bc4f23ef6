#include "modalshade.h"

#include <QBrush>
#include <QGraphicsSceneMouseEvent>
#include <QPen>

ModalShade::ModalShade(QGraphicsItem *parent)
    : QGraphicsRectItem(parent)
{
    setBrush(QColor(0, 0, 0, 170));
    setPen(Qt::NoPen);
    setAcceptedMouseButtons(Qt::AllButtons);
}

void ModalShade::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    // Swallowed: the page under a modal dialog takes no input. Accepting also
    // moves the focus off a field below, which closes the keyboard.
    event->accept();
}

void ModalShade::wheelEvent(QGraphicsSceneWheelEvent *event)
{
    event->accept();
}
