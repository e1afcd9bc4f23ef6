// cellcounters-demo: shows the data counters page, its dialog or the call
// timers dialog the way the phone's control panel would, over a settings store
// of its own unless told to use the session's.
#include "demostore.h"
#include "hostwindow.h"
#include "lolocale.h"
#include "privatestore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLoggingCategory>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

bool hasArgument(int argc, char **argv, const char *name)
{
    const size_t length = std::strlen(name);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], name, length) == 0 && (argv[i][length] == '\0' || argv[i][length] == '='))
            return true;
    }
    return false;
}

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
    const QFileInfo here(QCoreApplication::applicationDirPath());
    const QFileInfo built(QStringLiteral(CELLCOUNTERS_DEMO_BUILD_DIR));
    if (here.canonicalFilePath() == built.canonicalFilePath())
        qputenv("LOTOOLKIT_TRANSLATIONS_DIR", QByteArrayLiteral(CELLCOUNTERS_BUILD_TRANSLATIONS_DIR));
#endif
}

QProcess *startSimulator(QObject *parent)
{
    QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cellcounters-simulate"));
    if (!QFileInfo(program).isExecutable())
        program = QStringLiteral("cellcounters-simulate");
    auto *process = new QProcess(parent);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(program, QStringList());
    if (!process->waitForStarted(3000)) {
        std::fprintf(stderr, "cellcounters-demo: cannot start %s: %s\n", qPrintable(program),
                     qPrintable(process->errorString()));
        delete process;
        return nullptr;
    }
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, process, [process] {
        process->terminate();
        if (!process->waitForFinished(2000))
            process->kill();
    });
    return process;
}

} // namespace

int main(int argc, char **argv)
{
    const bool help = hasArgument(argc, argv, "--help") || hasArgument(argc, argv, "-h")
        || hasArgument(argc, argv, "--help-all");
    if (!help && !hasArgument(argc, argv, "--user-store") && !PrivateStore::isActive())
        return PrivateStore::run(argc, argv);

    const bool screenshot = hasArgument(argc, argv, "--screenshot");
    if (screenshot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!help && !hasDisplay()) {
        std::fprintf(stderr, "cellcounters-demo: no display. Use --screenshot FILE to write a PNG, "
                             "or run under xvfb-run.\n");
        return 2;
    }

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("cellcounters-demo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Shows the data counters page in a phone-sized window. Unless --user-store is given it\n"
        "runs on a private settings store (own D-Bus session, temporary HOME) filled with\n"
        "realistic values. Esc or the Back button is the phone's back key."));
    parser.addHelpOption();
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
    const QCommandLineOption simulate(QStringLiteral("simulate"),
                                      QStringLiteral("Run cellcounters-simulate: counters and call timers move."));
    const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("Show the library's debug lines."));
    parser.addOptions({dialog, callTimers, shot, delay, scroll, locale, userStore, simulate, verbose});
    parser.process(app);

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
    if (parser.isSet(simulate))
        startSimulator(&app);

    HostWindow::Content content = HostWindow::Content::Page;
    if (parser.isSet(dialog))
        content = HostWindow::Content::Dialog;
    else if (parser.isSet(callTimers))
        content = HostWindow::Content::CallTimers;
    HostWindow window(content);
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
