// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "loinputmethodstate.h"

#include "lotoolkit_debug.h"

#include <QGraphicsObject>
#include <QHash>
#include <QMetaObject>
#include <QPointer>

namespace {
struct AttributeKey {
    QString target;
    QString targetItem;
    QString attribute;
    bool operator==(const AttributeKey &other) const
    {
        return target == other.target && targetItem == other.targetItem && attribute == other.attribute;
    }
};

uint qHash(const AttributeKey &key, uint seed = 0)
{
    return ::qHash(key.target, seed) ^ ::qHash(key.targetItem, seed + 1) ^ ::qHash(key.attribute, seed + 2);
}

struct Extension {
    QString fileName;
    QHash<AttributeKey, QVariant> attributes;
};
} // namespace

class LoInputMethodState::Private
{
public:
    QRect area;
    QHash<int, Extension> extensions;
    int lastId = 0;
    int activeExtension = -1;
    QPointer<QGraphicsObject> focusedField;
};

LoInputMethodState *LoInputMethodState::instance()
{
    // Lives as long as the process: fields and sections keep connections to it.
    static LoInputMethodState *state = new LoInputMethodState;
    return state;
}

LoInputMethodState::LoInputMethodState()
    : d(new Private)
{
}

LoInputMethodState::~LoInputMethodState()
{
    delete d;
}

QRect LoInputMethodState::inputMethodArea() const
{
    return d->area;
}

void LoInputMethodState::setInputMethodArea(const QRect &area)
{
    const QRect normalized = area.isEmpty() ? QRect() : area;
    if (normalized == d->area)
        return;
    d->area = normalized;
    Q_EMIT inputMethodAreaChanged(normalized);
}

int LoInputMethodState::registerAttributeExtension(const QString &fileName)
{
    const int id = ++d->lastId;
    d->extensions.insert(id, Extension{fileName, {}});
    return id;
}

void LoInputMethodState::unregisterAttributeExtension(int id)
{
    if (!d->extensions.remove(id))
        return;
    if (d->activeExtension == id)
        setActiveAttributeExtension(-1);
}

bool LoInputMethodState::hasAttributeExtension(int id) const
{
    return d->extensions.contains(id);
}

QString LoInputMethodState::attributeExtensionFile(int id) const
{
    return d->extensions.value(id).fileName;
}

void LoInputMethodState::setExtendedAttribute(int id, const QString &target, const QString &targetItem,
                                              const QString &attribute, const QVariant &value)
{
    auto extension = d->extensions.find(id);
    if (extension == d->extensions.end()) {
        qCWarning(LOTOOLKIT_LOG, "LoInputMethodState: attribute for unknown extension %d ignored", id);
        return;
    }
    const AttributeKey key{target, targetItem, attribute};
    auto it = extension->attributes.find(key);
    if (it != extension->attributes.end() && it->userType() == value.userType() && *it == value)
        return;
    extension->attributes.insert(key, value);
    Q_EMIT extendedAttributeChanged(id, target, targetItem, attribute, value);
}

QVariant LoInputMethodState::extendedAttribute(int id, const QString &target, const QString &targetItem,
                                               const QString &attribute) const
{
    return d->extensions.value(id).attributes.value(AttributeKey{target, targetItem, attribute});
}

int LoInputMethodState::activeAttributeExtension() const
{
    return d->activeExtension;
}

QGraphicsObject *LoInputMethodState::focusedField() const
{
    return d->focusedField;
}

void LoInputMethodState::closeSoftwareInputPanel()
{
    LoInputMethodState *state = instance();
    state->setInputMethodArea(QRect());
    // The keyboard is gone, so is the field's focus (listeners of the area may
    // already have taken it).
    if (QGraphicsObject *field = state->d->focusedField) {
        if (field->hasFocus())
            field->clearFocus();
    }
}

void LoInputMethodState::fieldFocusIn(QGraphicsObject *field, int attributeExtension, const QRect &keyboardArea)
{
    d->focusedField = field;
    setActiveAttributeExtension(attributeExtension);
    setInputMethodArea(keyboardArea);
}

void LoInputMethodState::fieldFocusOut(QGraphicsObject *field)
{
    if (d->focusedField != field)
        return;
    d->focusedField = nullptr;
    setActiveAttributeExtension(-1);
    // Another field taking the focus in the same pass keeps the keyboard open.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!d->focusedField)
                setInputMethodArea(QRect());
        },
        Qt::QueuedConnection);
}

void LoInputMethodState::fieldAttributeExtensionChanged(QGraphicsObject *field, int attributeExtension)
{
    if (d->focusedField == field)
        setActiveAttributeExtension(attributeExtension);
}

void LoInputMethodState::setActiveAttributeExtension(int id)
{
    if (id == d->activeExtension)
        return;
    d->activeExtension = id;
    Q_EMIT activeAttributeExtensionChanged(id);
}
