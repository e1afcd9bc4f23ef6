#ifndef LOGCONFITEM_H
#define LOGCONFITEM_H

#include "lotoolkit_export.h"

#include <QObject>
#include <QVariant>

/**
 * One key of the per-user configuration store (GConf).
 *
 * value() is read from the store on every call; an unset key gives an invalid
 * QVariant. GConf strings, ints, bools, floats and lists become QString, int,
 * bool, double and QVariantList. set() writes a QString as a string, integers as
 * int, bools and doubles as such, a QStringList or QVariantList as a list, and an
 * invalid variant unsets the key.
 *
 * valueChanged() is emitted from the event loop after every change of the key,
 * whichever process made it. When the store cannot be reached, value() is
 * invalid, set() writes nothing and a debug line says why.
 */
class LOTOOLKIT_EXPORT LoGConfItem : public QObject
{
    Q_OBJECT
public:
    explicit LoGConfItem(const QString &key, QObject *parent = nullptr);
    ~LoGConfItem() override;

    QString key() const;
    QVariant value() const;
    /** The value, or @p def when the key is unset. */
    QVariant value(const QVariant &def) const;

public Q_SLOTS:
    void set(const QVariant &value);
    void unset();

Q_SIGNALS:
    void valueChanged();

private:
    class Private;
    Private *const d;
};

#endif
