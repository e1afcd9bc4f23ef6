#include "fuzzenvironment.h"

#include "lolocale.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace
{
QString currentLocale;

void dropDebugOutput(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg)
        std::abort();
}
}

void FuzzEnvironment::init(int *argc, char ***argv)
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropDebugOutput);
    // Lives for the whole run: libFuzzer never returns to tear it down.
    new QApplication(*argc, *argv);
    useLocale(0);
}

const QStringList &FuzzEnvironment::locales()
{
    static const QStringList names{
        QStringLiteral("en_GB"), QStringLiteral("de_DE"), QStringLiteral("ar_EG"),
        QStringLiteral("fa_IR"), QStringLiteral("he_IL"), QStringLiteral("hi_IN"),
    };
    return names;
}

QString FuzzEnvironment::useLocale(unsigned index)
{
    const QString &name = locales().at(int(index % unsigned(locales().size())));
    if (name != currentLocale) {
        // With the library's catalogs, as the page installs them.
        LoLocale locale(name);
        locale.installTrCatalog(QStringLiteral("cellular-adaptation"));
        locale.installTrCatalog(QStringLiteral("libtessaro"));
        LoLocale::setDefault(locale);
        currentLocale = name;
    }
    return name;
}

void FuzzEnvironment::fail(const char *expression, const QString &context, const char *file, int line)
{
    std::fprintf(stderr, "\n%s:%d: invariant failed: %s\n  input: %s\n", file, line, expression,
                 context.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}
