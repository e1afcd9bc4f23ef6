#include "storesnapshot.h"

#include "externalstore.h"

#include <QSet>
#include <QStringList>
#include <QXmlStreamReader>

namespace
{
// Long values are cut for the report, not for the comparison.
QString shortened(const QString &value)
{
    return value.size() > 80 ? value.left(60) + QStringLiteral("...(%1 characters)").arg(value.size()) : value;
}

// Reads one <value> element (the reader stands on its start) into "type:text".
QString readValue(QXmlStreamReader &xml)
{
    QString result;
    while (xml.readNextStartElement()) {
        const QString type = xml.name().toString();
        if (type == QLatin1String("list")) {
            const QString listType = xml.attributes().value(QLatin1String("type")).toString();
            QStringList items;
            while (xml.readNextStartElement()) { // <value>
                const QString item = readValue(xml);
                items << item.mid(item.indexOf(QLatin1Char(':')) + 1);
            }
            result = QStringLiteral("list<%1>:[%2]").arg(listType, items.join(QLatin1Char(',')));
        } else {
            result = type + QLatin1Char(':') + xml.readElementText();
        }
    }
    return result;
}
} // namespace

QMap<QString, QString> StoreSnapshot::take(const QString &directory)
{
    QMap<QString, QString> result;
    QString output;
    if (!ExternalStore::run({QStringLiteral("--dump"), directory}, &output))
        return result;

    QXmlStreamReader xml(output);
    QString base;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("entrylist")) {
            base = xml.attributes().value(QLatin1String("base")).toString();
        } else if (xml.name() == QLatin1String("entry")) {
            QString key;
            QString value;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("key"))
                    key = xml.readElementText();
                else if (xml.name() == QLatin1String("value"))
                    value = readValue(xml);
                else
                    xml.skipCurrentElement();
            }
            // Keys without a value (schemas only) are not stored values.
            if (!value.isEmpty())
                result.insert(base.endsWith(QLatin1Char('/')) ? QString(base + key) : QString(base + QLatin1Char('/') + key),
                              value);
        }
    }
    if (xml.hasError())
        qWarning("StoreSnapshot: cannot read the dump of %s: %s", qPrintable(directory),
                 qPrintable(xml.errorString()));
    return result;
}

QStringList StoreSnapshot::differences(const QMap<QString, QString> &before, const QMap<QString, QString> &after)
{
    QStringList keys = before.keys() + after.keys();
    keys.removeDuplicates();
    keys.sort();
    QStringList lines;
    const QString unset = QStringLiteral("<unset>");
    for (const QString &key : qAsConst(keys)) {
        const QString a = before.value(key, unset);
        const QString b = after.value(key, unset);
        if (a != b)
            lines << QStringLiteral("%1: %2 -> %3").arg(key, shortened(a), shortened(b));
    }
    return lines;
}
