// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOINPUTMETHODSTATE_H
#define LOINPUTMETHODSTATE_H

#include "lotoolkit_export.h"

#include <QObject>
#include <QRect>
#include <QVariant>

class QGraphicsObject;

/**
 * The application's view of the software keyboard: the area it covers, and the
 * attribute extensions (toolbars) that fields attach to customise its keys.
 *
 * The platform reports the keyboard's area with setInputMethodArea(); a null
 * rectangle means it has closed. inputMethodAreaChanged() is emitted when the
 * area changes. closeSoftwareInputPanel() closes the keyboard, which reports a
 * null area if it was open, and takes the focus from the field that had it.
 *
 * A text field that gains the focus opens the keyboard and makes its attached
 * extension the active one. A field that loses the focus closes the keyboard on
 * the next pass of the event loop unless another field has taken the focus by
 * then, so that moving between fields keeps the keyboard open.
 */
class LOTOOLKIT_EXPORT LoInputMethodState : public QObject
{
    Q_OBJECT
public:
    static LoInputMethodState *instance();

    QRect inputMethodArea() const;
    /** An empty rectangle is stored and reported as the null rectangle (closed). */
    void setInputMethodArea(const QRect &area);

    /** A new attribute extension; ids start at 1 and are never reused. */
    int registerAttributeExtension(const QString &fileName = QString());
    void unregisterAttributeExtension(int id);
    bool hasAttributeExtension(int id) const;
    /** The file name given at registration. */
    QString attributeExtensionFile(int id) const;

    /**
     * Records @p value; extendedAttributeChanged() follows when it differs from
     * the value recorded before. Ids that are not registered are ignored.
     */
    void setExtendedAttribute(int id, const QString &target, const QString &targetItem,
                              const QString &attribute, const QVariant &value);
    /** The value last set, or an invalid variant. */
    QVariant extendedAttribute(int id, const QString &target, const QString &targetItem,
                               const QString &attribute) const;

    /** The extension attached to the field that has the focus, or -1. */
    int activeAttributeExtension() const;
    /** The text field that has the focus, or null. */
    QGraphicsObject *focusedField() const;

    static void closeSoftwareInputPanel();

Q_SIGNALS:
    void inputMethodAreaChanged(const QRect &area);
    void extendedAttributeChanged(int id, const QString &target, const QString &targetItem,
                                  const QString &attribute, const QVariant &value);
    void activeAttributeExtensionChanged(int id);

private:
    friend class LoTextEdit;
    // Text fields report their focus here.
    void fieldFocusIn(QGraphicsObject *field, int attributeExtension, const QRect &keyboardArea);
    void fieldFocusOut(QGraphicsObject *field);
    void fieldAttributeExtensionChanged(QGraphicsObject *field, int attributeExtension);
    void setActiveAttributeExtension(int id);

    LoInputMethodState();
    ~LoInputMethodState() override;
    class Private;
    Private *const d;
};

#endif
