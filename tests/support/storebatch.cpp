#include "storebatch.h"

#include "externalstore.h"

#include <QTemporaryFile>
#include <QXmlStreamWriter>

void StoreBatch::set(const QString &key, const QString &type, const QString &value)
{
    m_entries.append({key, type, QString(), {value}});
}

void StoreBatch::setList(const QString &key, const QString &listType, const QStringList &values)
{
    m_entries.append({key, QStringLiteral("list"), listType, values});
}

void StoreBatch::unset(const QString &key)
{
    m_unsets.append(key);
}

bool StoreBatch::commit()
{
    bool ok = true;
    if (!m_unsets.isEmpty())
        ok = ExternalStore::unset(m_unsets);

    if (!m_entries.isEmpty()) {
        // The format of gconftool-2 --dump, which --load reads back.
        QTemporaryFile file;
        if (!file.open())
            return false;
        QXmlStreamWriter xml(&file);
        xml.writeStartDocument();
        xml.writeStartElement(QStringLiteral("gconfentryfile"));
        xml.writeStartElement(QStringLiteral("entrylist"));
        xml.writeAttribute(QStringLiteral("base"), QStringLiteral("/"));
        for (const Entry &entry : qAsConst(m_entries)) {
            xml.writeStartElement(QStringLiteral("entry"));
            xml.writeTextElement(QStringLiteral("key"), entry.key.mid(1));
            xml.writeStartElement(QStringLiteral("value"));
            if (entry.type == QLatin1String("list")) {
                xml.writeStartElement(QStringLiteral("list"));
                xml.writeAttribute(QStringLiteral("type"), entry.listType);
                for (const QString &value : entry.values) {
                    xml.writeStartElement(QStringLiteral("value"));
                    xml.writeTextElement(entry.listType, value);
                    xml.writeEndElement();
                }
                xml.writeEndElement();
            } else {
                xml.writeTextElement(entry.type, entry.values.value(0));
            }
            xml.writeEndElement(); // value
            xml.writeEndElement(); // entry
        }
        xml.writeEndDocument();
        file.close();
        ok = ExternalStore::run({QStringLiteral("--load"), file.fileName()}) && ok;
    }
    m_entries.clear();
    m_unsets.clear();
    return ok;
}
