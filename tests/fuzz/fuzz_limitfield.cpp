// The warning-limit field of a counter section: what the user types (through the
// field's validator), what the page sets, and the commits when the keyboard
// closes or the page is left.

#include "fuzzenvironment.h"
#include "fuzzinput.h"
#include "testscene.h"

#include "countercontainer.h"
#include "datacountervalue.h"

#include "loinputmethodstate.h"
#include "lolocale.h"
#include "lotextedit.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QValidator>

#include <limits>
#include <memory>

namespace
{
constexpr unsigned long long MaxBytes = std::numeric_limits<unsigned long long>::max();
const QRect KeyboardArea(0, 500, 480, 354);

// What a limit text means, worked out in integers: null when it is not one.
struct Limit {
    bool valid = false;
    unsigned long long bytes = 0;
    unsigned long long tenths = 0;
};

// Latin digits, optionally one of the field's separators and one decimal digit:
// the only form that the page can store unchanged.
Limit readLimit(const QString &text, const QString &decimalPoint)
{
    const QRegularExpression form(QStringLiteral("\\A([0-9]+)(?:[,|.") + QRegularExpression::escape(decimalPoint)
                                  + QStringLiteral("]([0-9]?))?\\z"));
    const QRegularExpressionMatch match = form.match(text);
    Limit limit;
    if (!match.hasMatch())
        return limit;
    limit.valid = true;
    QString whole = match.captured(1);
    while (whole.size() > 1 && whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
    const int tenth = match.captured(2).isEmpty() ? 0 : match.captured(2).toInt();
    bool fits = whole.size() <= 19;
    const unsigned long long megabytes = fits ? whole.toULongLong(&fits) : 0;
    const unsigned __int128 bytes = (unsigned __int128)megabytes * 1000000U + unsigned(tenth) * 100000U;
    if (!fits || bytes > MaxBytes) {
        limit.bytes = MaxBytes;
        limit.tenths = MaxBytes;
    } else {
        limit.bytes = (unsigned long long)bytes;
        limit.tenths = limit.bytes / 100000U;
    }
    return limit;
}

class Harness : public QObject
{
public:
    Harness(CounterContainer::Type type, const QString &locale)
        : m_locale(locale)
        , m_decimalPoint(LoLocale().decimalPoint())
        , m_section(new CounterContainer(type, 3 + 5 * type, 4 + 5 * type, 5 + 5 * type, 6 + 5 * type, 7 + 5 * type))
    {
        m_field = ItemFinder::find<LoTextEdit>(m_section.get(), QStringLiteral("warningPeriodIput_%1").arg(int(type)));
        FUZZ_CHECK(m_field && m_field->lineEdit(), QStringLiteral("the section has its field"));
        QObject::connect(m_section.get(), &CounterContainer::warningPeriodChanged, this,
                         [this](const QString &text) { m_emitted.append(text); });
        m_log = QStringLiteral("locale %1, type %2").arg(locale).arg(int(type));
    }

    void type(const QString &text)
    {
        note(QStringLiteral("type \"%1\"").arg(text));
        for (const QChar c : text) {
            const int key = c.isDigit() && c.unicode() < 0x80 ? Qt::Key_0 + c.digitValue() : Qt::Key_unknown;
            press(key, QString(c));
        }
        checkEditing();
    }

    void key(int key, const char *name)
    {
        note(QString::fromLatin1(name));
        press(key, QString());
        checkEditing();
    }

    void selectAll()
    {
        note(QStringLiteral("select all"));
        m_field->lineEdit()->selectAll();
        checkEditing();
    }

    void focusGained()
    {
        note(QStringLiteral("focus"));
        Q_EMIT m_field->gainedFocus(Qt::MouseFocusReason);
        checkEditing();
    }

    // The page shows a limit: always a megabyte text it made from a count.
    void pageSets(const QString &period)
    {
        note(QStringLiteral("page sets \"%1\"").arg(period));
        m_emitted.clear();
        m_section->setWarningPeriod(period);
        FUZZ_CHECK(m_emitted.isEmpty(), context());
        int position = 0;
        QString copy = m_field->text();
        if (m_field->validator()->validate(copy, position) == QValidator::Invalid)
            m_beyondValidator = true;
        if (!period.isEmpty())
            m_previous = period;
        const QString shown = LoLocale().toLatinNumbers(m_field->text());
        FUZZ_CHECK(shown.isEmpty() || shown == period, context());
        checkDoneKey();
    }

    enum Commit { KeyboardClosed, DoneKey, PageLeft };

    void commit(Commit how)
    {
        const QString latin = LoLocale().toLatinNumbers(m_field->text());
        const Limit before = readLimit(latin, m_decimalPoint);
        const bool acceptable = before.valid && before.tenths >= 1;
        note(QStringLiteral("commit %1 of \"%2\"").arg(int(how)).arg(m_field->text()));
        m_emitted.clear();

        if (m_beyondValidator && !before.valid) {
            // More decimals than the field admits (see checkAnnounced()): either
            // outcome, but only a normalised limit or the previous one is announced.
            commitLoosely(how, latin);
            return;
        }

        bool valid = false;
        switch (how) {
        case KeyboardClosed:
            LoInputMethodState::instance()->setInputMethodArea(KeyboardArea);
            LoInputMethodState::instance()->setInputMethodArea(QRect());
            break;
        case DoneKey:
            LoInputMethodState::instance()->setInputMethodArea(KeyboardArea);
            press(Qt::Key_Return, QStringLiteral("\r"));
            FUZZ_CHECK(LoInputMethodState::instance()->inputMethodArea().isNull(), context());
            break;
        case PageLeft:
            valid = m_section->checkValidity();
            FUZZ_CHECK(valid == acceptable, context());
            break;
        }

        if (acceptable) {
            // Rewritten in its megabyte form, announced once (not by checkValidity()
            // alone), and the new value to fall back on.
            const QString megas = DataCounterValue(latin, false).toUiMegas();
            const Limit after = readLimit(megas, m_decimalPoint);
            FUZZ_CHECK(after.valid && after.bytes == before.bytes && after.tenths >= 1, context());
            FUZZ_CHECK(m_field->text() == LoLocale().toLocalizedNumbers(megas), context());
            if (how == PageLeft) {
                FUZZ_CHECK(m_emitted.isEmpty(), context());
            } else {
                FUZZ_CHECK(m_emitted == QStringList{megas}, context());
                m_previous = megas;
            }
        } else {
            // Refused: the previous value comes back and is announced as it was given.
            FUZZ_CHECK(m_emitted == QStringList{m_previous}, context());
            const QString shown = LoLocale().toLatinNumbers(m_field->text());
            FUZZ_CHECK(shown == m_previous || (shown.isEmpty() && !readLimit(m_previous, m_decimalPoint).valid),
                       context());
        }
        for (const QString &text : qAsConst(m_emitted))
            checkAnnounced(text, true);
        m_emitted.clear();
        checkDoneKey();
    }

private:
    void commitLoosely(Commit how, const QString &latin)
    {
        if (how == PageLeft) {
            m_section->checkValidity();
        } else {
            LoInputMethodState::instance()->setInputMethodArea(KeyboardArea);
            LoInputMethodState::instance()->setInputMethodArea(QRect());
        }
        const QString megas = DataCounterValue(latin, false).toUiMegas();
        FUZZ_CHECK(m_emitted.size() <= 1, context());
        if (!m_emitted.isEmpty() && m_emitted.first() == megas && how != PageLeft)
            m_previous = megas;
        for (const QString &text : qAsConst(m_emitted))
            checkAnnounced(text, true);
        m_emitted.clear();
        checkDoneKey();
    }

    void press(int key, const QString &text)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(m_field->lineEdit(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(m_field->lineEdit(), &release);
    }

    // After an edit by the user: every announcement is a limit the page can read,
    // the field never keeps a text that is not a number, and the done key follows it.
    void checkEditing()
    {
        for (const QString &text : qAsConst(m_emitted))
            checkAnnounced(text, false);
        m_emitted.clear();
        const QString shown = LoLocale().toLatinNumbers(m_field->text());
        FUZZ_CHECK(shown.isEmpty() || readLimit(shown, m_decimalPoint).valid || m_beyondValidator, context());
        checkDoneKey();
    }

    void checkAnnounced(const QString &text, bool committing)
    {
        const QString what = context() + QStringLiteral(", announced \"%1\"").arg(text);
        if (committing && text == m_previous)
            return; // given by the page, handed back unchanged
        const Limit limit = readLimit(text, m_decimalPoint);
        if (!committing && !limit.valid && m_beyondValidator) {
            // Qt's line edit stops refusing edits once it shows a text that its
            // validator refuses (a stored limit above 999999999.9 MB): more
            // decimals or blanks can follow. Still Latin digits and one separator.
            const QRegularExpression loose(QStringLiteral("\\A\\s*[0-9]+(?:[,|.") + QRegularExpression::escape(m_decimalPoint)
                                           + QStringLiteral("][0-9]*)?\\s*\\z"));
            FUZZ_CHECK(loose.match(text).hasMatch(), what);
            return;
        }
        FUZZ_CHECK(limit.valid, what);
        FUZZ_CHECK(DataCounterValue(text, false).toBytes() == limit.bytes, what);
        if (committing)
            FUZZ_CHECK(limit.tenths >= 1, what);
    }

    void checkDoneKey()
    {
        const QVariant enabled = LoInputMethodState::instance()->extendedAttribute(
            m_field->attachedToolbarId(), QStringLiteral("/keys"), QStringLiteral("actionKey"), QStringLiteral("enabled"));
        FUZZ_CHECK(enabled.toBool() == !m_field->text().isEmpty(), context());
    }

    void note(const QString &step)
    {
        m_log += QStringLiteral("; ") + step;
    }

    QString context() const
    {
        return m_log + QStringLiteral("; field \"%1\", previous \"%2\", announced [%3]")
                           .arg(m_field->text(), m_previous, m_emitted.join(QLatin1Char('/')));
    }

    QString m_locale;
    QString m_decimalPoint;
    std::unique_ptr<CounterContainer> m_section;
    LoTextEdit *m_field = nullptr;
    QStringList m_emitted;
    QString m_previous;
    QString m_log;
    bool m_beyondValidator = false;
};

QString keyAlphabet(const QString &decimalPoint)
{
    // Latin and other scripts' digits, every separator, and what a keyboard also has.
    return QStringLiteral("0123456789012345.,|") + decimalPoint
        + QStringLiteral("\u0660\u0661\u0662\u0665\u0669\u06f0\u06f4\u06f9\u0966\u096f -+eE\u00a0x");
}

// A count as the page reads it from the store: small, in range, or anything.
unsigned long long pageCount(FuzzInput &input)
{
    switch (input.below(3)) {
    case 0: return input.below(100) * 100000ULL;
    case 1: return (input.uint64() % 10000000000ULL) * 100000ULL;
    default: return input.uint64();
    }
}
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzEnvironment::init(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString locale = FuzzEnvironment::useLocale(input.byte());
    const auto type = input.flag() ? CounterContainer::Roaming : CounterContainer::Home;
    LoInputMethodState::instance()->setInputMethodArea(QRect());
    Harness harness(type, locale);
    const QString alphabet = keyAlphabet(LoLocale().decimalPoint());

    for (int step = 0; step < 64 && !input.isEmpty(); ++step) {
        switch (input.below(12)) {
        case 0:
        case 1:
        case 2: harness.type(input.textFrom(alphabet, 6)); break;
        case 3: harness.key(Qt::Key_Backspace, "backspace"); break;
        case 4: {
            static const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_Delete};
            static const char *const names[] = {"left", "right", "home", "end", "delete"};
            const int which = int(input.below(5));
            harness.key(keys[which], names[which]);
            break;
        }
        case 5: harness.selectAll(); break;
        case 6: harness.focusGained(); break;
        case 7: harness.pageSets(DataCounterValue(pageCount(input)).toUiMegas()); break;
        case 8: harness.pageSets(QString()); break;
        case 9: harness.commit(Harness::KeyboardClosed); break;
        case 10: harness.commit(Harness::DoneKey); break;
        default: harness.commit(Harness::PageLeft); break;
        }
    }
    return 0;
}
