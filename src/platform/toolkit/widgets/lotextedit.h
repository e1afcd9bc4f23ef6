// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOTEXTEDIT_H
#define LOTEXTEDIT_H

#include "lo.h"
#include "lowidgetcontroller.h"

class QLineEdit;
class QWidget;
class QValidator;

/**
 * A text field built on Qt's own editing: a QLineEdit in a proxy for a single
 * line, a QPlainTextEdit for several.
 *
 * With a validator (single line), an edit by the user that would make the text
 * Invalid is refused. textChanged() follows every change of the text, by the
 * user or by setText() and clear(), unless signals are blocked. Enter or Return
 * in a single-line field emits returnPressed() whatever the validator thinks of
 * the text (on a phone it is the keyboard's action key). Gaining the focus
 * opens the software keyboard (LoInputMethodState reports its area) and emits
 * gainedFocus(reason); losing it emits lostFocus(reason) and closes the
 * keyboard unless another field takes the focus.
 */
class LOTOOLKIT_EXPORT LoTextEdit : public LoWidgetController
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
public:
    enum LineMode { SingleLine = 0, MultiLine = 1 };

    explicit LoTextEdit(LineMode mode = MultiLine, const QString &text = QString(),
                        QGraphicsItem *parent = nullptr);
    ~LoTextEdit() override;

    LineMode lineMode() const;

    QString text() const;
    /**
     * Shows @p text as given, also one that the validator would refuse from the
     * user. Returns whether the validator accepts it (Acceptable or Intermediate).
     */
    bool setText(const QString &text);
    /**
     * Whether the validator accepts the text shown (Acceptable or Intermediate);
     * true without a validator. Costs nothing after an edit or setText().
     */
    bool textAccepted() const;

    void setContentType(Lo::TextContentType type);
    Lo::TextContentType contentType() const;

    /** Does not take ownership. Applies to single-line fields. */
    void setValidator(const QValidator *validator);
    const QValidator *validator() const;

    /** Uses the keyboard toolbar (attribute extension) @p id while this field has the focus. */
    void attachToolbar(int id);
    int attachedToolbarId() const;

    bool hasFocus() const;
    /** The line edit that does the editing, for key events in tests and hosts; null for MultiLine. */
    QLineEdit *lineEdit() const;
    /** The editing widget of either mode. */
    QWidget *editor() const;

public Q_SLOTS:
    void clear();

Q_SIGNALS:
    void textChanged();
    void returnPressed();
    void gainedFocus(Qt::FocusReason reason);
    void lostFocus(Qt::FocusReason reason);

private:
    class Private;
    Private *const d;
};

#endif
