// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "fuzzinput.h"

#include "lolocale.h"

#include <QApplication>
#include <QLoggingCategory>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    new QApplication(*argc, *argv); // libFuzzer never returns to tear it down
    FuzzInput::useLocale(0);
    return 0;
}

QString FuzzInput::useLocale(unsigned index)
{
    static const QStringList names{QStringLiteral("en_GB"), QStringLiteral("de_DE"), QStringLiteral("ar_EG"),
                                   QStringLiteral("fa_IR"), QStringLiteral("he_IL"), QStringLiteral("hi_IN")};
    const QString &name = names.at(int(index % 6));
    if (LoLocale().name() != name) {
        LoLocale locale(name); // with the library's catalogs, as the page installs them
        locale.installTrCatalog(QStringLiteral("cellular-adaptation"));
        locale.installTrCatalog(QStringLiteral("libtessaro"));
        LoLocale::setDefault(locale);
    }
    return name;
}
