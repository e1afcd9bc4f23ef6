// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// cellcounters-demo: shows the data counters page, its dialog or the call
// timers dialog the way the phone's control panel would, over a settings store
// of its own unless told to use the session's.
#include "demostore.h"
#include "helperprocess.h"
#include "hostwindow.h"
#include "loconfstore_p.h"
#include "lolocale.h"
#include "privatestore.h"
#include "programlocator.h"
#include "signalquit.h"
#include "simulatedtraffic.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QImage>
#include <QLoggingCategory>
#include <QTimer>

#include <cstdio>

namespace {

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// Run from the build tree, the catalogs are the ones just built next to it.
void useBuildTreeCatalogs()
{
#ifdef CELLCOUNTERS_BUILD_TRANSLATIONS_DIR
    if (!qEnvironmentVariableIsEmpty("LOTOOLKIT_TRANSLATIONS_DIR"))
        return;
    if (ProgramLocator::inBuildTree())
        qputenv("LOTOOLKIT_TRANSLATIONS_DIR", QByteArrayLiteral(CELLCOUNTERS_BUILD_TRANSLATIONS_DIR));
#endif
}

} // namespace

int main(int argc, char **argv)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Shows the data counters page in a phone-sized window. Unless --user-store is given it\n"
        "runs on a private settings store (own D-Bus session, temporary HOME) filled with\n"
        "realistic values. Esc or the Back button is the phone's back key."));
    // Not addHelpOption(): its --help-all would list Qt's own options, which are
    // not read here (the arguments are read before the application exists).
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show these options."));
    const QCommandLineOption dialog(QStringLiteral("dialog"), QStringLiteral("Show the page inside its dialog."));
    const QCommandLineOption callTimers(QStringLiteral("call-timers"), QStringLiteral("Show the call timers dialog."));
    const QCommandLineOption shot(QStringLiteral("screenshot"),
                                  QStringLiteral("Render once (offscreen), save a PNG and exit."), QStringLiteral("file"));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("With --screenshot: milliseconds to wait first (1000)."),
                                   QStringLiteral("ms"), QStringLiteral("1000"));
    const QCommandLineOption scroll(QStringLiteral("scroll"),
                                    QStringLiteral("With --screenshot: scroll the content down this far first (\"end\": to its end)."),
                                    QStringLiteral("pixels"), QStringLiteral("0"));
    const QCommandLineOption locale(QStringLiteral("locale"),
                                    QStringLiteral("Locale such as en_GB, de_DE, ar_EG or he_IL."), QStringLiteral("name"));
    const QCommandLineOption userStore(QStringLiteral("user-store"),
                                       QStringLiteral("Use the settings store of the current session as it is."));
    const QCommandLineOption store(QStringLiteral("store"),
                                   QStringLiteral("The settings store: %1 (the first is the default).")
                                       .arg(LoConfStore::backends().join(QStringLiteral(" or "))),
                                   QStringLiteral("name"));
    const QCommandLineOption simulate(QStringLiteral("simulate"),
                                      QStringLiteral("Run cellcounters-simulate (a simulated modem in use) and cellcounters-meter,\n"
                                                     "which counts its traffic and calls into the store: counters and call timers\n"
                                                     "move. On the private store also cellcounters-notifier: a warning limit\n"
                                                     "passed gives a desktop notification."));
    const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("Show the library's debug lines."));
    // "-platform" is one unknown option, not eight.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({help, dialog, callTimers, shot, delay, scroll, locale, userStore, store, simulate, verbose});

    // Read before a session, a store or a window exists: --help and a mistake
    // need none of them, no display either.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "cellcounters-demo: %s\nTry cellcounters-demo --help.\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help)) {
        // The help text names the program through an application object; one
        // without a window system does.
        const QCoreApplication reader(argc, argv);
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "cellcounters-demo: unexpected argument %s\nTry cellcounters-demo --help.\n",
                     qPrintable(parser.positionalArguments().constFirst()));
        return 2;
    }
    if (parser.isSet(dialog) && parser.isSet(callTimers)) {
        std::fprintf(stderr, "cellcounters-demo: --dialog and --call-timers exclude each other\n");
        return 2;
    }
    bool ok = false;
    const int waitMsec = parser.value(delay).toInt(&ok);
    if (!ok || waitMsec < 0) {
        std::fprintf(stderr, "cellcounters-demo: --delay needs a number of milliseconds\n");
        return 2;
    }
    const bool scrollToEnd = parser.value(scroll) == QLatin1String("end");
    const int scrollPixels = scrollToEnd ? -1 : parser.value(scroll).toInt(&ok);
    if (!scrollToEnd && (!ok || scrollPixels < 0)) {
        std::fprintf(stderr, "cellcounters-demo: --scroll needs a number of pixels or \"end\"\n");
        return 2;
    }

    if (parser.isSet(store)) {
        if (!LoConfStore::backends().contains(parser.value(store))) {
            std::fprintf(stderr, "cellcounters-demo: --store is one of %s\n",
                         qPrintable(LoConfStore::backends().join(QStringLiteral(", "))));
            return 2;
        }
        // Read by the store layer here, in the private session and in the simulator.
        qputenv("LOTOOLKIT_STORE", parser.value(store).toLocal8Bit());
    }

    if (!parser.isSet(userStore) && !PrivateStore::isActive())
        return PrivateStore::run(argc, argv);

    if (parser.isSet(shot) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!hasDisplay()) {
        std::fprintf(stderr, "cellcounters-demo: no display. Use --screenshot FILE to write a PNG, "
                             "or run under xvfb-run.\n");
        return 2;
    }

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("cellcounters-demo"));
    SignalQuit::install();
    if (!parser.isSet(verbose))
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    useBuildTreeCatalogs();
    if (parser.isSet(locale)) {
        if (!HostWindow::applyLocale(parser.value(locale))) {
            std::fprintf(stderr, "cellcounters-demo: unknown locale %s\n", qPrintable(parser.value(locale)));
            return 2;
        }
    } else if (!HostWindow::applyLocale(LoLocale().name())) {
        // A process locale that names nothing known: the toolkit's own default.
        HostWindow::applyLocale(QStringLiteral("en_GB"));
    }

    if (PrivateStore::isActive())
        DemoStore::seed();
    SimulatedTraffic *traffic = nullptr;
    if (parser.isSet(simulate)) {
        traffic = new SimulatedTraffic(&app);
        if (!traffic->start()) {
            delete traffic;
            traffic = nullptr;
        }
        // Only in its own store: a user's session runs a notifier of its own.
        if (PrivateStore::isActive())
            (new HelperProcess(QStringLiteral("cellcounters-notifier"), &app))->launch();
    }

    HostWindow::Content content = HostWindow::Content::Page;
    if (parser.isSet(dialog))
        content = HostWindow::Content::Dialog;
    else if (parser.isSet(callTimers))
        content = HostWindow::Content::CallTimers;
    HostWindow window(content);
    if (traffic) {
        window.showRoamingSwitch();
        QObject::connect(&window, &HostWindow::roamingChosen, traffic, &SimulatedTraffic::setRoaming);
    }
    window.show();

    int status = 0;
    if (parser.isSet(shot)) {
        const QString file = parser.value(shot);
        QTimer::singleShot(waitMsec, &window, [&window, &status, file, scrollPixels] {
            window.scrollContent(scrollPixels);
            const QImage image = window.screenshot();
            if (image.isNull() || !image.save(file, "PNG")) {
                std::fprintf(stderr, "cellcounters-demo: cannot write %s\n", qPrintable(file));
                status = 1;
            } else {
                std::printf("%s: %dx%d\n", qPrintable(file), image.width(), image.height());
            }
            QCoreApplication::exit(status);
        });
    }
    const int result = app.exec();
    return status ? status : result;
}
