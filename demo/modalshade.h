#ifndef MODALSHADE_H
#define MODALSHADE_H

#include <QGraphicsRectItem>

/**
 * The dimmed layer under a shown dialog: it darkens what lies beneath and takes
 * every click and wheel turn, so that the page under a modal dialog cannot be
 * used.
 */
class ModalShade : public QGraphicsRectItem
{
public:
    explicit ModalShade(QGraphicsItem *parent = nullptr);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void wheelEvent(QGraphicsSceneWheelEvent *event) override;
};

#endif
