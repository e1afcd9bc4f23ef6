#include "mdebugstream.h"

#include <QLoggingCategory>

QDebug mDebugStream(const QString &text)
{
    QDebug stream = qDebug();
    // Qt drops the line when debug output is off; the start of it need not be built.
    const QLoggingCategory *category = QLoggingCategory::defaultCategory();
    if (category && !category->isDebugEnabled())
        return stream;
    stream << QString::fromLatin1("%1:").arg(text).toLocal8Bit().constData();
    return stream;
}
