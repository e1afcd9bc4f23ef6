// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOLOCALENOTIFIER_H
#define LOLOCALENOTIFIER_H

#include "lotoolkit_export.h"

#include <QObject>

/**
 * Tells the toolkit that the default locale changed. LoLocale::setDefault() calls
 * scheduleChange() when the locale name or its catalogs differ from the previous
 * default; defaultLocaleChanged() follows once on the next pass of the event loop,
 * however many changes were scheduled before it.
 */
class LOTOOLKIT_EXPORT LoLocaleNotifier : public QObject
{
    Q_OBJECT
public:
    static LoLocaleNotifier *instance();

    void scheduleChange();

Q_SIGNALS:
    void defaultLocaleChanged();

private:
    LoLocaleNotifier();
    bool m_pending = false;
};

#endif
