#ifndef MESSAGECAPTURE_H
#define MESSAGECAPTURE_H

#include <QStringList>
#include <QtGlobal>

/**
 * Collects the lines written through Qt's message output while it lives, with
 * their levels; the previous handler is restored on destruction. Not nestable.
 */
class MessageCapture
{
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture &) = delete;
    MessageCapture &operator=(const MessageCapture &) = delete;

    QStringList lines() const;
    /** Lines of one level only. */
    QStringList lines(QtMsgType type) const;
    /** Lines that contain @p text. */
    QStringList linesContaining(const QString &text) const;
    void clear();

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);

    QList<QPair<QtMsgType, QString>> m_lines;
    QtMessageHandler m_previous;
    static MessageCapture *s_current;
};

#endif
