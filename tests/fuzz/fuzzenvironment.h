// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef FUZZENVIRONMENT_H
#define FUZZENVIRONMENT_H

#include <QString>

// An application on the offscreen platform without debug output (the library
// traces every call), and locales that differ in decimal point, digits and script.
class FuzzEnvironment
{
public:
    static void init(int *argc, char ***argv);
    // en_GB ("."), de_DE (","), ar_EG (Arabic-Indic digits, "٫"), fa_IR, he_IL, hi_IN.
    static QString useLocale(unsigned index);
};

// Aborts with the input's context, so that the fuzzer keeps the input.
#define FUZZ_CHECK(condition, context)                                                                  \
    do {                                                                                                \
        if (!(condition))                                                                               \
            qFatal("%s:%d: invariant failed: %s\n  input: %s", __FILE__, __LINE__, #condition, qPrintable(context)); \
    } while (false)

#endif
