#ifndef LOPROGRESSINDICATOR_H
#define LOPROGRESSINDICATOR_H

#include "lowidgetcontroller.h"

/** A progress bar or, with spinnerType, a busy spinner that animates while of unknown duration. */
class LOTOOLKIT_EXPORT LoProgressIndicator : public LoWidgetController
{
    Q_OBJECT
public:
    static const char *const spinnerType;
    static const char *const barType;

    LoProgressIndicator(QGraphicsItem *parent, const QString &viewType);
    ~LoProgressIndicator() override;

    void setUnknownDuration(bool unknown);
    bool unknownDuration() const;

    void setValue(int value);
    int value() const;

protected:
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF &constraint = QSizeF()) const override;

private:
    class Private;
    Private *const d;
};

#endif
