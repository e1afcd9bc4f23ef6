#include "mdebugstream.h"

QDebug mDebugStream(const QString &text)
{
    QDebug stream = qDebug();
    stream << QString::fromLatin1("%1:").arg(text).toLocal8Bit().constData();
    return stream;
}
