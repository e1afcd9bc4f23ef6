// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// Runs the QML tests of this folder against the page of org.cellcounters, with
// `store` in their context: the configuration store as another process sees it.

#include "teststore.h"

#include "countertexts.h"

#include "lolocale.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QtQuickTest>

class OtherProcess : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE bool set(const QString &key, const QString &value) { return ExternalStore::setString(key, value); }
    Q_INVOKABLE bool setInt(const QString &key, int value)
    {
        return ExternalStore::set(key, QStringLiteral("int"), QString::number(value));
    }
    Q_INVOKABLE bool unset(const QString &key) { return ExternalStore::unset(key); }
    Q_INVOKABLE QString get(const QString &key) { return ExternalStore::get(key); }
    /** Forgets every value the page reads or writes. */
    Q_INVOKABLE bool clear()
    {
        return ExternalStore::clear(QStringLiteral("/cellui")) && ExternalStore::clear(QStringLiteral("/cellular"));
    }
    /** Waits until every notification of an earlier write has reached this process. */
    Q_INVOKABLE bool flush() { return StoreSync::flush(); }
    /** The locale of the page's texts and digits, for the pages made from now on. */
    Q_INVOKABLE void setLocale(const QString &name)
    {
        // A change of locale reloads the catalogs, which makes QML evaluate every binding again.
        if (LoLocale().name() == name)
            return;
        LoLocale::setDefault(LoLocale(name));
        CounterTexts::installCatalogs();
    }
    /** Today as the medium date the page shows. */
    Q_INVOKABLE QString today() const { return CounterTexts::clearingDateText(QDate::currentDate().startOfDay()); }
};

class Setup : public QObject
{
    Q_OBJECT
public Q_SLOTS:
    void applicationAvailable()
    {
        // Headless machines have no OpenGL.
        QQuickWindow::setSceneGraphBackend(QStringLiteral("software"));
    }

    void qmlEngineAvailable(QQmlEngine *engine)
    {
        engine->addImportPath(QStringLiteral(CELLCOUNTERS_QML_BUILD_DIR));
        engine->rootContext()->setContextProperty(QStringLiteral("store"), &m_store);
    }

private:
    OtherProcess m_store;
};

QUICK_TEST_MAIN_WITH_SETUP(quickpage, Setup)

#include "tst_quickpage.moc"
