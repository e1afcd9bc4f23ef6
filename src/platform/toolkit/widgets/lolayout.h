#ifndef LOLAYOUT_H
#define LOLAYOUT_H

#include "lotoolkit_export.h"

#include <QGraphicsLinearLayout>

class LoLinearLayoutPolicy;

/**
 * A layout whose arrangement is given by a policy. Created with a widget as
 * parent, it becomes that widget's layout. It owns its policy.
 */
class LOTOOLKIT_EXPORT LoLayout : public QGraphicsLinearLayout
{
public:
    explicit LoLayout(QGraphicsLayoutItem *parent = nullptr);
    ~LoLayout() override;

    LoLinearLayoutPolicy *policy() const;

private:
    friend class LoLinearLayoutPolicy;
    LoLinearLayoutPolicy *m_policy = nullptr;
};

#endif
