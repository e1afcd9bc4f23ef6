#include "lowidgetmodel.h"

LoWidgetModel::LoWidgetModel(QObject *parent)
    : QObject(parent)
{
}

LoWidgetModel::~LoWidgetModel() = default;
