// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// A host program outside the source tree, built against the installed library.
#include <cellcounters_version.h>
#include <datacounters.h>
#include <datacountervalue.h>
#include <logconfitem.h>
#include <lolocale.h>
#include <storageif.h>

#include <QCoreApplication>
#include <QTextStream>

static_assert(CELLCOUNTERS_VERSION_MAJOR == 1, "the version header matches the package");

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
