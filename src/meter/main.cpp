// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// cellcounters-meter: advances the data counters and the call timers of the
// session's settings store from the phone's modem.
#include "meter.h"

#include "cellcounters_version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QLoggingCategory>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("cellcounters-meter"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CELLCOUNTERS_VERSION_STRING));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Counts the cellular data traffic (home or roaming, from NetworkManager and ModemManager\n"
        "on the system bus and the kernel's interface counters) and the duration of calls, into\n"
        "the data counters and call timers of the current session's settings store."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption once(QStringLiteral("once"), QStringLiteral("Take one sample and exit."));
    const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("Show the libraries' debug lines too."));
    const QCommandLineOption sysfs(QStringLiteral("sysfs"),
                                   QStringLiteral("Where the interfaces' counters are (default /sys/class/net)."),
                                   QStringLiteral("dir"), QStringLiteral("/sys/class/net"));
    parser.addOptions({once, verbose, sysfs});
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "cellcounters-meter: unexpected argument %s\nTry cellcounters-meter --help.\n",
                     qPrintable(parser.positionalArguments().constFirst()));
        return 2;
    }
    if (!parser.isSet(verbose))
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\ncellcounters.meter.debug=true"));

    // The store's writes travel on the session bus.
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected()) {
        std::fprintf(stderr, "cellcounters-meter: no session bus: %s\n", qPrintable(session.lastError().message()));
        return 1;
    }
    QDBusConnection system = QDBusConnection::systemBus();
    if (!system.isConnected()) {
        std::fprintf(stderr, "cellcounters-meter: no system bus: %s\n", qPrintable(system.lastError().message()));
        return 1;
    }
    // Two meters would count the same traffic twice.
    if (!session.registerService(QStringLiteral("org.cellcounters.Meter"))) {
        std::fprintf(stderr, "cellcounters-meter: already running in this session\n");
        return 0;
    }

    Meter meter(system, parser.value(sysfs));
    if (parser.isSet(once)) {
        // Services that do not answer in time count as absent.
        QObject::connect(&meter, &Meter::ready, &app, &QCoreApplication::quit);
        QTimer::singleShot(10000, &app, &QCoreApplication::quit);
        if (!meter.isReady())
            app.exec();
        return 0;
    }
    return app.exec();
}
