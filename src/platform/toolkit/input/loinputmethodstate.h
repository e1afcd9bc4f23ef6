#ifndef LOINPUTMETHODSTATE_H
#define LOINPUTMETHODSTATE_H

#include "lotoolkit_export.h"

#include <QObject>
#include <QRect>
#include <QVariant>

/**
 * The application's view of the software keyboard: the area it covers, and the
 * attribute extensions (toolbars) that fields attach to customise its keys.
 *
 * The platform reports the keyboard's area with setInputMethodArea(); a null
 * rectangle means it has closed. inputMethodAreaChanged() is emitted when the
 * area changes. closeSoftwareInputPanel() closes the keyboard, which reports a
 * null area if it was open.
 */
class LOTOOLKIT_EXPORT LoInputMethodState : public QObject
{
    Q_OBJECT
public:
    static LoInputMethodState *instance();

    QRect inputMethodArea() const;
    void setInputMethodArea(const QRect &area);

    /** A new attribute extension; ids start at 1 and are never reused. */
    int registerAttributeExtension(const QString &fileName = QString());
    void unregisterAttributeExtension(int id);
    bool hasAttributeExtension(int id) const;

    void setExtendedAttribute(int id, const QString &target, const QString &targetItem,
                              const QString &attribute, const QVariant &value);
    /** The value last set, or an invalid variant. */
    QVariant extendedAttribute(int id, const QString &target, const QString &targetItem,
                               const QString &attribute) const;

    static void closeSoftwareInputPanel();

Q_SIGNALS:
    void inputMethodAreaChanged(const QRect &area);
    void extendedAttributeChanged(int id, const QString &target, const QString &targetItem,
                                  const QString &attribute, const QVariant &value);

private:
    LoInputMethodState();
    ~LoInputMethodState() override;
    class Private;
    Private *const d;
};

#endif
