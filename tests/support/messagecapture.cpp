#include "messagecapture.h"

MessageCapture *MessageCapture::s_current = nullptr;

MessageCapture::MessageCapture()
{
    Q_ASSERT(!s_current);
    s_current = this;
    m_previous = qInstallMessageHandler(&MessageCapture::handler);
}

MessageCapture::~MessageCapture()
{
    qInstallMessageHandler(m_previous);
    s_current = nullptr;
}

void MessageCapture::handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (s_current)
        s_current->m_lines.append({type, message});
    if (s_current && s_current->m_previous)
        s_current->m_previous(type, context, message);
}

QStringList MessageCapture::lines() const
{
    QStringList result;
    for (const auto &line : m_lines)
        result.append(line.second);
    return result;
}

QStringList MessageCapture::lines(QtMsgType type) const
{
    QStringList result;
    for (const auto &line : m_lines) {
        if (line.first == type)
            result.append(line.second);
    }
    return result;
}

QStringList MessageCapture::linesContaining(const QString &text) const
{
    QStringList result;
    for (const auto &line : m_lines) {
        if (line.second.contains(text))
            result.append(line.second);
    }
    return result;
}

void MessageCapture::clear()
{
    m_lines.clear();
}
