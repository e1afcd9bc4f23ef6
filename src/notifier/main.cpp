// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// cellcounters-notifier: warns on the desktop when a network's data traffic
// since its last reset reaches the warning limit set on the data counters page.
#include "desktopnotifier.h"
#include "limitwatcher.h"

#include "cellcounters_version.h"
#include "lolocale.h"
#include "storageif.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QLoggingCategory>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("cellcounters-notifier"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CELLCOUNTERS_VERSION_STRING));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Follows the packet data counters of the current session's settings store and posts a\n"
        "desktop notification when the home or roaming traffic since its last reset reaches\n"
        "the warning limit in force: once per crossing, until the counters are reset, the\n"
        "limit changes or the warning is switched off and on again."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption once(QStringLiteral("once"), QStringLiteral("Check both networks once, warn if needed, and exit."));
    const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("Show the libraries' debug lines too."));
    parser.addOptions({once, verbose});
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "cellcounters-notifier: unexpected argument %s\nTry cellcounters-notifier --help.\n",
                     qPrintable(parser.positionalArguments().constFirst()));
        return 2;
    }
    // Every store read of the libraries is a debug line; the notifier's own few stay.
    if (!parser.isSet(verbose))
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\ncellcounters.notifier.debug=true"));

    // The store's notices and the notifications both travel on the session bus.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "cellcounters-notifier: no session bus: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    // Two notifiers would both warn of the same crossing.
    if (!bus.registerService(QStringLiteral("org.cellcounters.Notifier"))) {
        std::fprintf(stderr, "cellcounters-notifier: already running in this session\n");
        return 0;
    }

    LimitWatcher::installCatalog(LoLocale());
    DesktopNotifier notifier;
    StorageIf store(NetworkCounters::storeKeys());
    const NetworkCounters homeCounters(NetworkCounters::Home, &store);
    const NetworkCounters roamingCounters(NetworkCounters::Roaming, &store);
    const LimitWatcher home(&homeCounters, &notifier);
    const LimitWatcher roaming(&roamingCounters, &notifier);
    if (parser.isSet(once)) {
        notifier.waitForFinished();
        return 0;
    }
    return app.exec();
}
