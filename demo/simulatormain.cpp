// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// cellcounters-simulate: advances the data counters and the call totals of the
// current session's settings store, as a phone's counter daemon would.
#include "demostore.h"
#include "trafficsimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("cellcounters-simulate"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Advances the packet data counters (home and roaming) and the call totals in the\n"
        "settings store of the current D-Bus session, every half second by default."));
    parser.addHelpOption();
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Write realistic starting values to every key and exit."));
    const QCommandLineOption interval(QStringLiteral("interval"), QStringLiteral("Milliseconds between steps (500)."),
                                      QStringLiteral("ms"), QStringLiteral("500"));
    const QCommandLineOption steps(QStringLiteral("steps"), QStringLiteral("Stop after this many steps (0: run until stopped)."),
                                   QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("Show the library's debug lines."));
    parser.addOptions({seed, interval, steps, verbose});
    parser.process(app);

    bool ok = false;
    const int msec = parser.value(interval).toInt(&ok);
    if (!ok || msec <= 0) {
        std::fprintf(stderr, "cellcounters-simulate: --interval needs a positive number of milliseconds\n");
        return 2;
    }
    const qulonglong limit = parser.value(steps).toULongLong(&ok);
    if (!ok) {
        std::fprintf(stderr, "cellcounters-simulate: --steps needs a number\n");
        return 2;
    }
    if (!parser.isSet(verbose))
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    if (parser.isSet(seed)) {
        DemoStore::seed();
        return 0;
    }

    TrafficSimulator simulator;
    simulator.setInterval(msec);
    QObject::connect(&simulator, &TrafficSimulator::stepped, &app, [&](quint64 done) {
        if (limit > 0 && done >= limit)
            QCoreApplication::quit();
    });
    simulator.start();
    return app.exec();
}
