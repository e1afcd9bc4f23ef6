#include "shownpage.h"

#include "itemfinder.h"

#include "calltimerscontainer.h"
#include "countercontainer.h"
#include "dataamountwidget.h"
#include "settingsitem.h"

#include <lobutton.h>
#include <lotextedit.h>

namespace
{
QString subtitleOf(const QGraphicsItem *root, const QString &name)
{
    const SettingsItem *item = ItemFinder::find<SettingsItem>(root, name);
    return item ? item->subtitle() : QStringLiteral("<missing %1>").arg(name);
}

void prefixed(QVariantMap &into, const QString &prefix, const QVariantMap &parts)
{
    for (auto it = parts.cbegin(); it != parts.cend(); ++it)
        into.insert(prefix + it.key(), it.value());
}
} // namespace

QVariantMap ShownPage::section(const QGraphicsItem *root, int type)
{
    const QString suffix = QString::number(type);
    const CounterContainer *section =
        ItemFinder::find<CounterContainer>(root, QStringLiteral("CounterContainer_") + suffix);
    if (!section)
        return QVariantMap();
    QVariantMap parts;
    parts.insert(QStringLiteral("sent"), subtitleOf(section, QStringLiteral("DataAmount_0")));
    parts.insert(QStringLiteral("received"), subtitleOf(section, QStringLiteral("DataAmount_1")));
    const LoTextEdit *field = ItemFinder::find<LoTextEdit>(section, QStringLiteral("warningPeriodIput_") + suffix);
    parts.insert(QStringLiteral("field"), field ? field->text() : QStringLiteral("<missing field>"));
    const LoButton *toggle = ItemFinder::find<LoButton>(section, QStringLiteral("warningSwitch_") + suffix);
    parts.insert(QStringLiteral("switch"), toggle ? QVariant(toggle->isChecked()) : QVariant());
    parts.insert(QStringLiteral("date"), subtitleOf(section, QStringLiteral("resetItem_") + suffix));
    return parts;
}

QVariantMap ShownPage::callTimers(const QGraphicsItem *root)
{
    // The section itself, as in the call timers dialog, or somewhere below.
    const CallTimersContainer *timers = nullptr;
    if (QGraphicsObject *object = root ? const_cast<QGraphicsItem *>(root)->toGraphicsObject() : nullptr)
        timers = qobject_cast<const CallTimersContainer *>(object);
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
    prefixed(result, QStringLiteral("home."), section(root, 0));
    prefixed(result, QStringLiteral("roaming."), section(root, 1));
    prefixed(result, QStringLiteral("timers."), callTimers(root));
    return result;
}
