// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lotextedit.h"

#include "loinputmethodstate.h"
#include "lotheme.h"

#include <QFocusEvent>
#include <QGraphicsLinearLayout>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QValidator>

#include <algorithm>
#include <functional>

namespace {

// The proxy that holds the editor; it reports focus changes and turns Enter
// into returnPressed() before the editor sees it.
class FieldProxy : public QGraphicsProxyWidget
{
public:
    using QGraphicsProxyWidget::QGraphicsProxyWidget;

    std::function<void(Qt::FocusReason)> focusIn;
    std::function<void(Qt::FocusReason)> focusOut;
    std::function<bool()> returnKey; // true: consumed

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QGraphicsProxyWidget::focusInEvent(event);
        if (focusIn)
            focusIn(event->reason());
    }

    void focusOutEvent(QFocusEvent *event) override
    {
        QGraphicsProxyWidget::focusOutEvent(event);
        if (focusOut)
            focusOut(event->reason());
    }

    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (object != widget() || (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
            return QGraphicsProxyWidget::eventFilter(object, event);
        auto *key = static_cast<QKeyEvent *>(event);
        if (event->type() == QEvent::KeyPress && returnKey && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && returnKey())
            return true;
        auto *line = qobject_cast<QLineEdit *>(object);
        if (line && typesText(line, key)) {
            if (event->type() == QEvent::KeyPress)
                line->insert(key->text());
            event->accept();
            return true;
        }
        return QGraphicsProxyWidget::eventFilter(object, event);
    }

private:
    // A key that types its text into @p line, as the line edit itself would
    // take it. It goes straight in: the line edit first looks every key up in
    // all the standard key bindings (about 80,000 instructions a key), which a
    // key that types text never matches.
    static bool typesText(const QLineEdit *line, const QKeyEvent *key)
    {
        if (line->isReadOnly() || line->echoMode() != QLineEdit::Normal || !line->inputMask().isEmpty() || line->completer())
            return false;
        if (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))
            return false;
        const QString text = key->text();
        return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isPrint(); });
    }
};

// Stands between the line edit and the field's validator and keeps the last
// verdict, so that the field can tell whether its text is accepted without
// asking the validator again for the text that the line edit has just checked.
class VerdictValidator : public QValidator
{
public:
    using QValidator::QValidator;

    void setTarget(const QValidator *validator)
    {
        if (target)
            disconnect(target, nullptr, this, nullptr);
        target = validator;
        known = false;
        if (target)
            connect(target, &QValidator::changed, this, [this] {
                known = false;
                Q_EMIT changed();
            });
    }

    State validate(QString &input, int &pos) const override
    {
        if (!target)
            return Acceptable;
        const QString checked = input;
        verdict = target->validate(input, pos);
        text = checked;
        known = true;
        return verdict;
    }

    void fixup(QString &input) const override
    {
        if (target)
            target->fixup(input);
    }

    bool accepts(const QString &shown) const
    {
        if (!known || shown != text) {
            QString copy = shown;
            int pos = copy.size();
            validate(copy, pos);
        }
        return verdict != Invalid;
    }

private:
    QPointer<const QValidator> target;
    mutable QString text;
    mutable State verdict = Acceptable;
    mutable bool known = false;
};

Qt::InputMethodHints hintsFor(Lo::TextContentType type)
{
    switch (type) {
    case Lo::NumberContentType:
        // Digits with a decimal separator: the limit fields take tenths.
        return Qt::ImhFormattedNumbersOnly;
    case Lo::PhoneNumberContentType:
        return Qt::ImhDialableCharactersOnly;
    case Lo::EmailContentType:
        return Qt::ImhEmailCharactersOnly;
    case Lo::UrlContentType:
        return Qt::ImhUrlCharactersOnly;
    case Lo::FreeTextContentType:
        break;
    }
    return Qt::ImhNone;
}

} // namespace

class LoTextEdit::Private
{
public:
    explicit Private(LoTextEdit *q)
        : q(q)
    {
    }

    QRect keyboardArea() const;
    void applyStyle();
    void onFocusIn(Qt::FocusReason reason);
    void onFocusOut(Qt::FocusReason reason);

    LoTextEdit *const q;
    LineMode mode = SingleLine;
    FieldProxy *proxy = nullptr;
    QLineEdit *line = nullptr;
    QPlainTextEdit *plain = nullptr;
    Lo::TextContentType contentType = Lo::FreeTextContentType;
    QPointer<const QValidator> validator;
    VerdictValidator *verdicts = nullptr;
    int toolbarId = -1;
};

// A phone keyboard: the full width at the bottom of the view, in view coordinates.
QRect LoTextEdit::Private::keyboardArea() const
{
    QSize screen;
    if (QGraphicsScene *scene = q->scene()) {
        const QList<QGraphicsView *> views = scene->views();
        if (!views.isEmpty())
            screen = views.first()->viewport()->size();
    }
    if (screen.isEmpty()) {
        if (QScreen *primary = QGuiApplication::primaryScreen())
            screen = primary->size();
    }
    if (screen.isEmpty())
        screen = QSize(480, 854);
    const bool portrait = screen.height() >= screen.width();
    const int height = portrait ? screen.height() * 2 / 5 : screen.height() * 11 / 20;
    return QRect(0, screen.height() - height, screen.width(), height);
}

// The controller paints the field's background and frame; the editor only its text.
void LoTextEdit::Private::applyStyle()
{
    const LoTheme::Style &style = q->style();
    QWidget *editor = q->editor();
    QPalette palette = editor->palette();
    const QColor text = style.textColor.isValid() ? style.textColor : LoTheme::textColor();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base})
        palette.setColor(role, Qt::transparent);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Highlight, LoTheme::accentColor());
    editor->setPalette(palette);
    editor->setFont(style.font());
    editor->setAttribute(Qt::WA_TranslucentBackground);
}

void LoTextEdit::Private::onFocusIn(Qt::FocusReason reason)
{
    LoInputMethodState::instance()->fieldFocusIn(q, toolbarId, keyboardArea());
    Q_EMIT q->gainedFocus(reason);
}

void LoTextEdit::Private::onFocusOut(Qt::FocusReason reason)
{
    LoInputMethodState::instance()->fieldFocusOut(q);
    Q_EMIT q->lostFocus(reason);
}

LoTextEdit::LoTextEdit(LineMode mode, const QString &text, QGraphicsItem *parent)
    : LoWidgetController(parent)
    , d(new Private(this))
{
    qRegisterMetaType<Qt::FocusReason>();
    d->mode = mode;
    d->proxy = new FieldProxy(this);
    QWidget *editor;
    if (mode == SingleLine) {
        d->line = new QLineEdit(text);
        d->line->setFrame(false);
        d->verdicts = new VerdictValidator(d->line);
        connect(d->line, &QLineEdit::textChanged, this, [this] { Q_EMIT textChanged(); });
        editor = d->line;
    } else {
        d->plain = new QPlainTextEdit(text);
        d->plain->setFrameShape(QFrame::NoFrame);
        connect(d->plain, &QPlainTextEdit::textChanged, this, [this] { Q_EMIT textChanged(); });
        editor = d->plain;
    }
    editor->setAttribute(Qt::WA_InputMethodEnabled);
    d->proxy->setWidget(editor);
    d->proxy->focusIn = [this](Qt::FocusReason reason) { d->onFocusIn(reason); };
    d->proxy->focusOut = [this](Qt::FocusReason reason) { d->onFocusOut(reason); };
    if (mode == SingleLine) {
        d->proxy->returnKey = [this] {
            Q_EMIT returnPressed();
            return true;
        };
    }

    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(d->proxy);
    auto *layout = new QGraphicsLinearLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addItem(d->proxy);
    setSizePolicy(QSizePolicy::Expanding, mode == SingleLine ? QSizePolicy::Fixed : QSizePolicy::Preferred);
    d->applyStyle();
    connect(this, &LoWidgetController::styleNameChanged, this, [this] { d->applyStyle(); });
}

LoTextEdit::~LoTextEdit()
{
    // The base destructor clears the focus; nothing may reach this object then.
    d->proxy->focusIn = nullptr;
    d->proxy->focusOut = nullptr;
    d->proxy->returnKey = nullptr;
    LoInputMethodState::instance()->fieldFocusOut(this);
    delete d;
}

LoTextEdit::LineMode LoTextEdit::lineMode() const
{
    return d->mode;
}

QString LoTextEdit::text() const
{
    return d->line ? d->line->text() : d->plain->toPlainText();
}

bool LoTextEdit::setText(const QString &text)
{
    if (!d->line) {
        d->plain->setPlainText(text);
        return true;
    }
    d->line->setText(text);
    return !d->validator || d->verdicts->accepts(text);
}

bool LoTextEdit::textAccepted() const
{
    return !d->line || !d->validator || d->verdicts->accepts(d->line->text());
}

void LoTextEdit::clear()
{
    if (d->line)
        d->line->clear();
    else
        d->plain->clear();
}

void LoTextEdit::setContentType(Lo::TextContentType type)
{
    d->contentType = type;
    editor()->setInputMethodHints(hintsFor(type));
    setInputMethodHints(hintsFor(type));
}

Lo::TextContentType LoTextEdit::contentType() const
{
    return d->contentType;
}

void LoTextEdit::setValidator(const QValidator *validator)
{
    d->validator = validator;
    if (d->line) {
        d->verdicts->setTarget(validator);
        d->line->setValidator(validator ? d->verdicts : nullptr);
    }
}

const QValidator *LoTextEdit::validator() const
{
    return d->validator;
}

void LoTextEdit::attachToolbar(int id)
{
    d->toolbarId = id;
    LoInputMethodState::instance()->fieldAttributeExtensionChanged(this, id);
}

int LoTextEdit::attachedToolbarId() const
{
    return d->toolbarId;
}

bool LoTextEdit::hasFocus() const
{
    return d->proxy->hasFocus();
}

QLineEdit *LoTextEdit::lineEdit() const
{
    return d->line;
}

QWidget *LoTextEdit::editor() const
{
    return d->line ? static_cast<QWidget *>(d->line) : d->plain;
}
