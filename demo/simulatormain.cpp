// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// cellcounters-simulate: a phone in use, as its modem stack shows it. It runs
// the simulated modem and uses it; a meter pointed at the modem's bus and
// interfaces counts what it does.
#include "demostore.h"
#include "modemcontrol.h"
#include "programlocator.h"
#include "signalquit.h"
#include "trafficsimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

// "roaming" and "home" on standard input, one a line, switch the network.
void followInput(TrafficSimulator *simulator)
{
    auto *notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, simulator);
    const auto pending = std::make_shared<QByteArray>();
    QObject::connect(notifier, &QSocketNotifier::activated, simulator, [notifier, pending, simulator] {
        char bytes[256];
        const ssize_t count = ::read(STDIN_FILENO, bytes, sizeof bytes);
        if (count <= 0) {
            // End of input leaves the network as it is.
            notifier->setEnabled(false);
            return;
        }
        pending->append(bytes, int(count));
        int end;
        while ((end = pending->indexOf('\n')) >= 0) {
            const QByteArray line = pending->left(end).trimmed();
            pending->remove(0, end + 1);
            if (line == "roaming" || line == "home")
                simulator->setRoaming(line == "roaming");
            else if (!line.isEmpty())
                std::fprintf(stderr, "cellcounters-simulate: \"roaming\" or \"home\", not \"%s\"\n", line.constData());
        }
    });
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("cellcounters-simulate"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Runs a simulated modem (cellcounters-simulated-modem) and uses it as a phone is used: data\n"
        "traffic on wwan0 and calls, dialled and received. Prints \"bus ADDRESS\" and \"sysfs DIR\"\n"
        "once the modem is up: cellcounters-meter --sysfs DIR with DBUS_SYSTEM_BUS_ADDRESS=ADDRESS\n"
        "counts it into the session's settings store. Reads \"roaming\" or \"home\" lines on\n"
        "standard input to change the network the modem is registered on."));
    parser.addHelpOption();
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Write realistic starting values to every key of the store and exit."));
    const QCommandLineOption interval(QStringLiteral("interval"),
                                      QStringLiteral("Milliseconds between steps of traffic (500)."),
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

    // Quitting, not dying, on a signal: the modem then ends and removes its interfaces.
    SignalQuit::install();
    const QTemporaryDir sysfs(QDir::temp().filePath(QStringLiteral("cellcounters-simulate.XXXXXX")));
    if (!sysfs.isValid()) {
        std::fprintf(stderr, "cellcounters-simulate: no temporary folder: %s\n", qPrintable(sysfs.errorString()));
        return 1;
    }
    ModemControl modem;
    TrafficSimulator simulator(&modem);
    simulator.setInterval(msec);
    QObject::connect(&modem, &ModemControl::ready, &simulator, [&](const QString &address) {
        std::printf("bus %s\nsysfs %s\n", qPrintable(address), qPrintable(sysfs.path()));
        std::fflush(stdout);
        simulator.start();
    });
    QObject::connect(&modem, &ModemControl::failed, &app, [](const QString &reason) {
        std::fprintf(stderr, "cellcounters-simulate: %s\n", qPrintable(reason));
        QCoreApplication::exit(1);
    });
    QObject::connect(&simulator, &TrafficSimulator::stepped, &app, [limit](quint64 done) {
        if (limit > 0 && done >= limit)
            QCoreApplication::quit();
    });
    followInput(&simulator);
    if (!modem.start(ProgramLocator::locate(QStringLiteral("cellcounters-simulated-modem")), sysfs.path()))
        return 1;
    return app.exec();
}
