#ifndef LOWIDGETCONTROLLER_H
#define LOWIDGETCONTROLLER_H

#include "lowidget.h"

class LoWidgetModel;

/**
 * A widget with a model, a style name and a view type. The style name picks the
 * look from the toolkit's theme; the view type picks one of several views of the
 * same controller (a button drawn as a switch, a panel drawn as a background).
 * Neither changes behaviour.
 */
class LOTOOLKIT_EXPORT LoWidgetController : public LoWidget
{
    Q_OBJECT
public:
    explicit LoWidgetController(QGraphicsItem *parent = nullptr);
    /** Takes ownership of @p model; a null model makes the controller create a default one. */
    LoWidgetController(LoWidgetModel *model, QGraphicsItem *parent);
    ~LoWidgetController() override;

    LoWidgetModel *model() const;

    void setStyleName(const QString &name);
    QString styleName() const;

    void setViewType(const QString &type);
    QString viewType() const;

Q_SIGNALS:
    void styleNameChanged();

private:
    class Private;
    Private *const d;
};

#endif
