// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "lodialog.h"

#include "lobutton.h"
#include "lolabel.h"
#include "lolocalenotifier.h"
#include "lotoolkit_debug.h"
#include "lotheme.h"

#include <QCloseEvent>
#include <QGraphicsLinearLayout>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {

struct ButtonInfo {
    Lo::StandardButton which;
    const char *textId;
    const char *fallback;
    const char *objectName;
};

// In the order the buttons stand in the box.
const ButtonInfo Buttons[] = {
    {Lo::OkButton, "qtn_comm_button_ok", "OK", "dialogButtonOk"},
    {Lo::SaveButton, "qtn_comm_button_save", "Save", "dialogButtonSave"},
    {Lo::YesButton, "qtn_comm_button_yes", "Yes", "dialogButtonYes"},
    {Lo::NoButton, "qtn_comm_button_no", "No", "dialogButtonNo"},
    {Lo::CancelButton, "qtn_comm_button_cancel", "Cancel", "dialogButtonCancel"},
};

const ButtonInfo *buttonInfo(Lo::StandardButton which)
{
    for (const ButtonInfo &info : Buttons) {
        if (info.which == which)
            return &info;
    }
    return nullptr;
}

// The toolkit's own texts: a catalog may translate them, English otherwise.
QString buttonText(const ButtonInfo &info)
{
    const QString text = qtTrId(info.textId);
    return text == QLatin1String(info.textId) ? QString::fromLatin1(info.fallback) : text;
}

const qreal PanelMargin = 24;
const qreal PanelSpacing = 16;

} // namespace

class LoDialog::Private
{
public:
    explicit Private(LoDialog *q)
        : q(q)
    {
    }

    void build();
    void relayout();
    void retranslateButtons();
    void closeWith(int code, Lo::StandardButton clicked, bool announce);
    void finish(int code, bool dismissed);

    LoDialog *const q;
    LoWidgetController *panel = nullptr;
    QGraphicsLinearLayout *panelLayout = nullptr;
    LoLabel *titleLabel = nullptr;
    // Whoever deletes the content behind the dialog's back leaves no dangling pointer.
    QPointer<QGraphicsWidget> central;
    QGraphicsWidget *buttonBox = nullptr;
    QGraphicsLinearLayout *buttonLayout = nullptr;
    QList<QPair<Lo::StandardButton, LoButton *>> buttons;
    bool buttonBoxVisible = true;
    bool closing = false;
    // Set by accept(), reject() and the buttons for the done() they call.
    bool pendingAnnounce = false;
    Lo::StandardButton pendingClicked = Lo::NoStandardButton;
    bool pressedOutside = false;
    int result = Rejected;
    Lo::StandardButton clicked = Lo::NoStandardButton;
};

void LoDialog::Private::build()
{
    auto *outer = new QGraphicsLinearLayout(Qt::Vertical, q);
    outer->setContentsMargins(PanelMargin, PanelMargin, PanelMargin, PanelMargin);
    panel = new LoWidgetController(q);
    panel->setObjectName(QStringLiteral("dialogPanel"));
    panel->setStyleName(QStringLiteral("CommonLargePanelInverted"));
    panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    outer->addStretch();
    outer->addItem(panel);
    outer->addStretch();

    panelLayout = new QGraphicsLinearLayout(Qt::Vertical, panel);
    // With the panel style's own padding, 16 all round.
    panelLayout->setContentsMargins(8, 10, 8, 10);
    panelLayout->setSpacing(PanelSpacing);

    titleLabel = new LoLabel(panel);
    titleLabel->setObjectName(QStringLiteral("dialogTitle"));
    titleLabel->setStyleName(QStringLiteral("CommonTitleInverted"));
    titleLabel->setAlignment(Qt::AlignCenter);
    titleLabel->setWordWrap(true);
    titleLabel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);

    buttonBox = new QGraphicsWidget(panel);
    buttonBox->setObjectName(QStringLiteral("dialogButtonBox"));
    buttonBox->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    buttonLayout = new QGraphicsLinearLayout(Qt::Horizontal, buttonBox);
    buttonLayout->setContentsMargins(0, 0, 0, 0);
    buttonLayout->setSpacing(PanelSpacing);

    QObject::connect(LoLocaleNotifier::instance(), &LoLocaleNotifier::defaultLocaleChanged, q,
                     [this] { retranslateButtons(); });
    relayout();
}

// Only what is shown takes part in the layout.
void LoDialog::Private::relayout()
{
    while (panelLayout->count() > 0)
        panelLayout->removeAt(0);
    const bool hasTitle = !titleLabel->text().isEmpty();
    titleLabel->setVisible(hasTitle);
    if (hasTitle)
        panelLayout->addItem(titleLabel);
    if (central)
        panelLayout->addItem(central);
    const bool hasButtons = buttonBoxVisible && !buttons.isEmpty();
    buttonBox->setVisible(hasButtons);
    if (hasButtons)
        panelLayout->addItem(buttonBox);
}

void LoDialog::Private::retranslateButtons()
{
    for (const auto &entry : qAsConst(buttons))
        entry.second->setText(buttonText(*buttonInfo(entry.first)));
}

void LoDialog::Private::closeWith(int code, Lo::StandardButton clickedButton, bool announce)
{
    if (!q->isAppeared() || closing)
        return;
    pendingAnnounce = announce;
    pendingClicked = clickedButton;
    QPointer<LoDialog> self(q);
    q->done(code);
    if (self) {
        pendingAnnounce = false;
        pendingClicked = Lo::NoStandardButton;
    }
}

void LoDialog::Private::finish(int code, bool dismissed)
{
    const bool announce = pendingAnnounce;
    closing = true;
    result = code;
    clicked = pendingClicked;
    pendingAnnounce = false;
    pendingClicked = Lo::NoStandardButton;

    QPointer<LoDialog> self(q);
    if (dismissed)
        q->LoSceneWindow::dismiss();
    else
        q->LoSceneWindow::disappear();
    // Any of the handlers may delete the dialog.
    if (self)
        Q_EMIT q->finished(code);
    if (self && announce) {
        if (code == Accepted)
            Q_EMIT q->accepted();
        else if (code == Rejected)
            Q_EMIT q->rejected();
    }
    if (self)
        closing = false;
}

LoDialog::LoDialog()
    : d(new Private(this))
{
    d->build();
}

LoDialog::LoDialog(const QString &title, Lo::StandardButtons buttons)
    : d(new Private(this))
{
    d->build();
    setTitle(title);
    for (const ButtonInfo &info : Buttons) {
        if (buttons.testFlag(info.which))
            addButton(info.which);
    }
}

LoDialog::~LoDialog()
{
    disconnect(LoLocaleNotifier::instance(), nullptr, this, nullptr);
    delete d;
}

void LoDialog::setTitle(const QString &title)
{
    d->titleLabel->setText(title);
    d->relayout();
}

QString LoDialog::title() const
{
    return d->titleLabel->text();
}

void LoDialog::setCentralWidget(QGraphicsWidget *widget)
{
    if (widget == d->central)
        return;
    QGraphicsWidget *old = d->central.data();
    d->central = widget;
    if (widget)
        widget->setParentItem(d->panel);
    d->relayout();
    delete old;
}

QGraphicsWidget *LoDialog::centralWidget() const
{
    return d->central;
}

void LoDialog::setButtonBoxVisible(bool visible)
{
    d->buttonBoxVisible = visible;
    d->relayout();
}

bool LoDialog::isButtonBoxVisible() const
{
    return d->buttonBoxVisible;
}

LoButton *LoDialog::addButton(Lo::StandardButton which)
{
    const ButtonInfo *info = buttonInfo(which);
    if (!info) {
        qCWarning(LOTOOLKIT_LOG, "LoDialog::addButton: not a standard button: %d", int(which));
        return nullptr;
    }
    if (LoButton *existing = button(which))
        return existing;

    auto *b = new LoButton(buttonText(*info), d->buttonBox);
    b->setObjectName(QLatin1String(info->objectName));
    b->setStyleName(QStringLiteral("CommonButtonInverted"));
    // Keep the box in the fixed order of the buttons, whatever order they are added in.
    int index = 0;
    while (index < d->buttons.size() && buttonInfo(d->buttons.at(index).first) < info)
        ++index;
    d->buttons.insert(index, qMakePair(which, b));
    d->buttonLayout->insertItem(index, b);
    connect(b, &LoButton::clicked, this, [this, which] {
        const bool accepts = which == Lo::YesButton || which == Lo::OkButton;
        d->closeWith(accepts ? Accepted : Rejected, which, true);
    });
    d->relayout();
    return b;
}

LoButton *LoDialog::button(Lo::StandardButton which) const
{
    for (const auto &entry : qAsConst(d->buttons)) {
        if (entry.first == which)
            return entry.second;
    }
    return nullptr;
}

Lo::StandardButtons LoDialog::standardButtons() const
{
    Lo::StandardButtons result;
    for (const auto &entry : qAsConst(d->buttons))
        result |= entry.first;
    return result;
}

Lo::StandardButton LoDialog::clickedButton() const
{
    return d->clicked;
}

int LoDialog::result() const
{
    return d->result;
}

void LoDialog::accept()
{
    d->closeWith(Accepted, Lo::NoStandardButton, true);
}

void LoDialog::reject()
{
    d->closeWith(Rejected, Lo::NoStandardButton, true);
}

void LoDialog::done(int result)
{
    if (isAppeared() && !d->closing)
        d->finish(result, true);
}

bool LoDialog::close()
{
    if (!isAppeared() || d->closing)
        return false;
    d->closeWith(Rejected, Lo::NoStandardButton, false);
    return true;
}

void LoDialog::disappear()
{
    if (!isAppeared())
        return;
    if (d->closing) {
        LoSceneWindow::disappear();
        return;
    }
    // Taken off the screen by the program: a close, but not a dismissal.
    d->pendingAnnounce = false;
    d->pendingClicked = Lo::NoStandardButton;
    d->finish(Rejected, false);
}

void LoDialog::dismiss()
{
    reject();
}

void LoDialog::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    // The backdrop that keeps the page visible but out of reach.
    QColor backdrop = LoTheme::windowColor();
    backdrop.setAlpha(0xa0);
    painter->fillRect(rect(), backdrop);
}

void LoDialog::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    // Modal: nothing below the dialog gets the press.
    event->accept();
    d->pressedOutside = !d->panel->geometry().contains(event->pos());
}

void LoDialog::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    const bool outside = d->pressedOutside && !d->panel->geometry().contains(event->pos());
    d->pressedOutside = false;
    if (outside)
        dismiss();
}

void LoDialog::closeEvent(QCloseEvent *event)
{
    // QGraphicsWidget::close() through a base pointer: the same close.
    if (isAppeared() && !d->closing)
        close();
    event->accept();
}
