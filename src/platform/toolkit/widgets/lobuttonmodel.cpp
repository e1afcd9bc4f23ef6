#include "lobuttonmodel.h"

LoButtonModel::LoButtonModel(QObject *parent)
    : LoWidgetModel(parent)
{
}

LoButtonModel::~LoButtonModel() = default;
