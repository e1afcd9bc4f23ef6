// A host program outside the source tree, built against the installed library.
#include <datacounters.h>
#include <datacountervalue.h>
#include <lolocale.h>
#include <storageif.h>

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
    const DataCounterValue value(QStringLiteral("1.25"), false);
    StorageIf store({}, nullptr);
    QTextStream(stdout) << value.toUiMegas() << ' ' << DataCounters::DefaultResetDate << ' '
                        << store.value(StorageKeys::GprsHomeTxBytes, 7).toInt() << '\n';
    return 0;
}
