#ifndef STOREBATCH_H
#define STOREBATCH_H

#include <QList>
#include <QString>
#include <QStringList>

/**
 * Writes many configuration keys at once from a separate process: every value
 * set here, of any type the store holds (lists included), goes in with one run
 * of gconftool-2 --load, and every unset with one run of --unset. Values reach
 * the store exactly as given: no trimming, no shell, no escaping to get wrong.
 */
class StoreBatch
{
public:
    /** @p type is a GConf scalar type name: "string", "int", "bool" or "float". */
    void set(const QString &key, const QString &type, const QString &value);
    /** A list of @p listType elements. */
    void setList(const QString &key, const QString &listType, const QStringList &values);
    void unset(const QString &key);

    bool isEmpty() const { return m_entries.isEmpty() && m_unsets.isEmpty(); }
    /** Runs the tool (at most twice) and forgets the batch; false when a run failed. */
    bool commit();

private:
    struct Entry {
        QString key;
        QString type;
        QString listType;
        QStringList values;
    };
    QList<Entry> m_entries;
    QStringList m_unsets;
};

#endif
