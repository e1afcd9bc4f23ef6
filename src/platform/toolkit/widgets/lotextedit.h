#ifndef LOTEXTEDIT_H
#define LOTEXTEDIT_H

#include "lo.h"
#include "lowidgetcontroller.h"

class QLineEdit;
class QValidator;

/**
 * A text field built on Qt's own line editing (a QLineEdit in a proxy).
 *
 * With a validator, an edit that would make the text Invalid is refused.
 * textChanged() follows every change of the text, by the user or by setText()
 * and clear(), unless signals are blocked. Gaining the focus emits
 * gainedFocus(reason) and opens the software keyboard (LoInputMethodState);
 * losing it emits lostFocus(reason) and closes the keyboard.
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
    bool setText(const QString &text);

    void setContentType(Lo::TextContentType type);
    Lo::TextContentType contentType() const;

    /** Does not take ownership. */
    void setValidator(const QValidator *validator);
    const QValidator *validator() const;

    /** Uses the keyboard toolbar (attribute extension) @p id while this field has the focus. */
    void attachToolbar(int id);
    int attachedToolbarId() const;

    bool hasFocus() const;
    /** The line edit that does the editing, for key events in tests and hosts. */
    QLineEdit *lineEdit() const;

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
