#ifndef FUZZENVIRONMENT_H
#define FUZZENVIRONMENT_H

#include <QString>
#include <QStringList>

/**
 * What every fuzz target needs before its first input: an application object on
 * the offscreen platform, quiet debug output (the library traces every call,
 * which would otherwise be most of the run time), and a choice of locales that
 * differ where the code under test differs: decimal point, digits and script.
 */
class FuzzEnvironment
{
public:
    /** Call from LLVMFuzzerInitialize(); later calls do nothing. */
    static void init(int *argc, char ***argv);

    /** en_GB ("."), de_DE (","), ar_EG (Arabic-Indic digits, "٫"), fa_IR (Persian digits), he_IL, hi_IN. */
    static const QStringList &locales();
    /** Makes locales()[index % count] the default locale, unless it already is. */
    static QString useLocale(unsigned index);

    /** Prints what failed with the input's context and aborts, so that the fuzzer keeps the input. */
    [[noreturn]] static void fail(const char *expression, const QString &context, const char *file, int line);
};

// An invariant of the code under test; @p context says what the input was.
#define FUZZ_CHECK(condition, context)                                                                  \
    do {                                                                                                \
        if (!(condition))                                                                               \
            FuzzEnvironment::fail(#condition, (context), __FILE__, __LINE__);                           \
    } while (false)

#endif
