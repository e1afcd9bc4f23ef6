// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// The warning-limit field of a counter section: what the user types (through the
// field's validator), what the page sets, and the commits when the keyboard
// closes, by the done key or when the page is left.

#include "fuzzinput.h"
#include "testscene.h"

#include "countercontainer.h"
#include "loinputmethodstate.h"
#include "lolocale.h"
#include "lotextedit.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

#include <array>
#include <functional>

namespace
{
struct Run {
    CounterContainer *section;
    LoTextEdit *field;
    QString log;
    QString page; // what the page or the section itself put into the field last
    QString previous;
    QStringList announced;
    const QRegularExpression &form; // a limit in Latin digits: digits (nine at most from the user), maybe a separator and a digit
    const LoLocale locale{}; // the input's, for all of the run

    QString latin() const { return locale.toLatinNumbers(field->text()); }
    bool fits(const QString &text) const { const QRegularExpressionMatch match = form.match(text); return match.hasMatch() && match.capturedLength(1) <= 9; }
    QString context(const QString &step) const { return QStringLiteral("%1; %2; field \"%3\", previous \"%4\", announced [%5]").arg(log, step, field->text(), previous, announced.join(QLatin1Char('/'))); }
    // After every step: the done key works exactly while there is text.
    void stepDone(const QString &step)
    {
        const QVariant enabled = LoInputMethodState::instance()->extendedAttribute(field->attachedToolbarId(), QStringLiteral("/keys"), QStringLiteral("actionKey"), QStringLiteral("enabled"));
        FUZZ_CHECK(enabled.toBool() == !field->text().isEmpty(), context(step));
        log += QStringLiteral("; ") + step;
        announced.clear();
    }
    // An edit leaves what the pattern can still accept, or the page's text untouched, and announces nothing else.
    void edited(const QString &step)
    {
        for (const QString &text : qAsConst(announced))
            FUZZ_CHECK(fits(text), context(step));
        FUZZ_CHECK(latin().isEmpty() || fits(latin()) || latin() == page, context(step));
        stepDone(step);
    }
    void pageSets(const QString &period)
    {
        const QString step = QStringLiteral("page sets \"%1\"").arg(period);
        section->setWarningPeriod(period);
        FUZZ_CHECK(announced.isEmpty() && latin() == period, context(step));
        page = period;
        previous = period.isEmpty() ? previous : period;
        stepDone(step);
    }
    // 0: keyboard closed, 1: done key, 2: page left. A limit of at least 0.1 is rewritten
    // in its megabyte form, announced and kept, but for leaving the page; anything else
    // brings back the previous limit.
    bool acceptable(const QRegularExpressionMatch &match) const
    {
        return match.hasMatch() && match.captured(0).count(QLatin1Char('0')) < match.capturedLength(1) + match.capturedLength(2); // a digit other than 0
    }
    bool commitKeeps(int how) const { return how != 2 && acceptable(form.match(latin())); }
    void commit(int how)
    {
        const QRegularExpressionMatch match = form.match(latin());
        const bool acceptable = this->acceptable(match);
        const QString megas = QStringLiteral("%1.%2").arg(match.captured(1).toULongLong()).arg(match.captured(2).toInt());
        const QString step = QStringLiteral("commit %1 of \"%2\"").arg(how).arg(field->text());
        LoInputMethodState *keyboard = LoInputMethodState::instance();
        if (how == 2) {
            FUZZ_CHECK(section->checkValidity() == acceptable, context(step));
        } else {
            keyboard->setInputMethodArea(QRect(0, 500, 480, 354));
            FUZZ_CHECK(announced.isEmpty(), context(step)); // only closing commits
            for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) { // the done key is Return
                QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
                if (how == 1)
                    QCoreApplication::sendEvent(field->lineEdit(), &event);
            }
            keyboard->setInputMethodArea(QRect());
        }
        FUZZ_CHECK(keyboard->inputMethodArea().isNull(), context(step));
        if (acceptable) {
            FUZZ_CHECK(announced == (how == 2 ? QStringList() : QStringList{megas}) && latin() == megas, context(step));
            previous = how == 2 ? previous : megas;
        } else {
            FUZZ_CHECK(announced == QStringList{previous} && (latin() == previous || latin().isEmpty()), context(step));
        }
        page = latin();
        stepDone(step);
    }
};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString locale = FuzzInput::useLocale(input.byte());
    const uint8_t start = input.byte();
    const int type = start & 1;
    LoInputMethodState *keyboard = LoInputMethodState::instance();
    keyboard->setInputMethodArea(QRect());
    // Both sections, as on the page: the keyboard closing commits both. Built once per decimal point
    // (the pattern takes it); the page sets the default limit, unless the input asks for a new section,
    // which has no previous limit yet: one of each type is kept aside for that, and a run on it ends
    // before a step that would give it one, so that it stays new (building one costs more than a run).
    static QHash<QString, std::array<CounterContainer *, 4>> built; // the page's home and roaming, then new ones
    static QHash<QString, QRegularExpression> forms; // compiled once
    const QString point = LoLocale().decimalPoint();
    std::array<CounterContainer *, 4> &sections = built[point];
    const bool fresh = (start | 1) == 3;
    for (const int i : {1 - type, type + 2 * fresh})
        if (!sections[i])
            sections[i] = new CounterContainer(CounterContainer::Type(i % 2), 3 + 5 * (i % 2), 4 + 5 * (i % 2), 5 + 5 * (i % 2), 6 + 5 * (i % 2), 7 + 5 * (i % 2));
    if (!forms.contains(point))
        forms.insert(point, QRegularExpression(QStringLiteral("\\A([0-9]+)(?:[,.|%1]([0-9])?)?\\z").arg(QRegularExpression::escape(point))));
    const std::array<CounterContainer *, 2> shown{sections[fresh && type == 0 ? 2 : 0], sections[fresh && type == 1 ? 3 : 1]};
    // Only these two hear the keyboard, as only one page is shown at a time.
    QObject::disconnect(keyboard, SIGNAL(inputMethodAreaChanged(QRect)), nullptr, nullptr);
    for (CounterContainer *section : shown)
        QObject::connect(keyboard, SIGNAL(inputMethodAreaChanged(QRect)), section, SLOT(inputMethodAreaChanged(QRect)));
    Run run{shown[type], ItemFinder::find<LoTextEdit>(shown[type], QStringLiteral("warningPeriodIput_%1").arg(type)),
            QStringLiteral("locale %1, start %2").arg(locale).arg(start), {}, {}, {}, forms[point]};
    QObject receiver;
    QObject::connect(run.section, &CounterContainer::warningPeriodChanged, &receiver, [&run](const QString &text) { run.announced.append(text); });
    if (!fresh) {
        shown[1 - type]->setWarningPeriod(shown[1 - type]->defaultPeriod().toUiMegas());
        run.pageSets(run.section->defaultPeriod().toUiMegas());
    }
    const QString alphabet = QStringLiteral("0123456789012345.,|") + point
        + QStringLiteral("\u0660\u0661\u0662\u0665\u0669\u06f0\u06f4\u06f9\u0966\u096f -+eE\u00a0x");
    // The line edit's own editing calls: what keys do, without looking up key bindings for each.
    static const std::function<void(QLineEdit *)> keys[] = {&QLineEdit::backspace, [](QLineEdit *line) { line->cursorBackward(false); },
        [](QLineEdit *line) { line->cursorForward(false); }, [](QLineEdit *line) { line->home(false); }, [](QLineEdit *line) { line->end(false); }, &QLineEdit::del};
    // At most 32 steps: enough to reach every state of the field (a limit beyond
    // the range, edits of it, commits) and short enough for many runs a second.
    for (int step = 0; step < 32 && !input.isEmpty(); ++step) {
        const uint32_t choice = input.below(12);
        QLineEdit *line = run.field->lineEdit();
        if (choice <= 2) {
            const QString text = input.text(alphabet, 6);
            for (const QChar c : text)
                if (c.isPrint()) // as a key with that text does
                    line->insert(c);
            run.edited(QStringLiteral("type \"%1\"").arg(text));
        } else if (choice <= 4) {
            const uint32_t key = choice == 3 ? 0 : 1 + input.below(5);
            keys[key](line);
            run.edited(QStringLiteral("key %1").arg(key));
        } else if (choice == 5) {
            line->selectAll();
            run.edited(QStringLiteral("select all"));
        } else if (choice == 6) {
            Q_EMIT run.field->gainedFocus(Qt::MouseFocusReason);
            run.edited(QStringLiteral("focus"));
        } else if (choice == 7) { // a count from the store: small, in range, or anything
            if (fresh)
                break;
            const uint32_t kind = input.below(3);
            const unsigned long long count = kind == 0 ? input.below(100) * 100000ULL : kind == 1 ? input.uint64() % 10000000000ULL * 100000 : input.uint64();
            run.pageSets(DataCounterValue(count).toUiMegas());
        } else if (choice == 8) {
            run.pageSets(QString());
        } else {
            if (fresh && run.commitKeeps(int(choice) - 9))
                break;
            run.commit(int(choice) - 9);
        }
    }
    if (fresh) // still new, but for what the field shows
        run.section->setWarningPeriod(QString());
    return 0;
}
