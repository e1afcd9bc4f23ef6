// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef LOCONFSTORE_P_H
#define LOCONFSTORE_P_H

#include "loconfig_export.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

class LoGConfItem;

/**
 * The per-user configuration store behind LoGConfItem, as one object per
 * process. A store backend (GConf or dconf) implements the reads, writes and
 * change notices; what every backend shares lives here: the choice of backend,
 * the form values are stored in, the items that follow each key and the value
 * they were told last, and that the items of each key are told of a change
 * together, and while they are told, reads of the key give the value being
 * reported (see LoGConfItem). A backend hears of a key only when it gets its
 * first item (follow()) and loses its last (unfollow()).
 *
 * Values are QVariants as LoGConfItem documents them: strings, ints, bools,
 * doubles and lists of them; an invalid variant is an unset key.
 *
 * Errors are the store's own text, as it gave it, in @p error; an empty text
 * means the call went through.
 *
 * Not installed: hosts have LoGConfItem. Exported for this tree's own
 * libraries, tools and tests.
 */
class LOCONFIG_EXPORT LoConfStore
{
public:
    enum WriteResult {
        Written,
        /** The store cannot hold the value (a list of mixed types, for instance). */
        Unsupported,
        /** The store refused or could not be reached; @p error says why. */
        Failed,
    };

    /**
     * The store of this process, made on first use; it lives until exit. With
     * more than one backend built in, the environment variable LOTOOLKIT_STORE
     * ("gconf" or "dconf") chooses one; GConf is the default.
     */
    static LoConfStore &instance();
    /** The backends built in, the default first. */
    static QStringList backends();

    virtual ~LoConfStore();

    /** "gconf" or "dconf". */
    virtual QString backendName() const = 0;

    /** Whether the store accepts @p key as a key path; if not, @p why says why. */
    virtual bool isValidKey(const QString &key, QString *why) const = 0;

    /**
     * The value being reported for @p key, otherwise the newest value this
     * process knows of a key it follows (its own writes and the notifications it
     * has received), otherwise what the store holds now.
     */
    QVariant read(const QString &key, QString *error);

    /**
     * Writes @p value to @p key; an invalid variant unsets it. A write that went
     * through is reported to every item of the key before this returns. A store
     * that stores in the background (dconf) may still refuse it later; the key
     * is then reported again with what the store holds.
     */
    WriteResult write(const QString &key, const QVariant &value, QString *error);

    /**
     * The keys directly in @p dir that hold a value, by full path: as this process
     * knows them when it follows the directory, otherwise as one request.
     */
    virtual QHash<QString, QVariant> readDirectory(const QString &dir, QString *error) = 0;
    /** The directories directly in @p dir, by full path. */
    virtual QStringList directories(const QString &dir, QString *error) = 0;

    /**
     * Waits until this process's writes so far have reached the store, for a
     * program about to tell another one that it wrote. Writes may be stored in
     * the background (dconf); by default they are stored when write() returns.
     */
    virtual void sync();

    /** @p item follows @p key from now on, until detach(). */
    void attach(LoGConfItem *item, const QString &key);
    void detach(LoGConfItem *item, const QString &key);

protected:
    LoConfStore();

    /**
     * The newest value this process knows of @p key, if it follows the key and
     * knows one: by default, what its items were told last.
     */
    virtual std::optional<QVariant> knownValue(const QString &key) const;

    /**
     * @p key got its first item: follow its changes. Returns the value the key
     * is known to hold now, or nullopt when that is unknown.
     */
    virtual std::optional<QVariant> follow(const QString &key) = 0;
    /** @p key lost its last item. */
    virtual void unfollow(const QString &key) = 0;

    /** What the store holds now in @p key, never a value being reported. */
    virtual QVariant readStored(const QString &key, QString *error) = 0;
    /**
     * Stores @p value (valid) or unsets @p key (invalid); on success @p stored is
     * the value as the store now gives it back. Reports nothing.
     */
    virtual WriteResult writeStored(const QString &key, const QVariant &value, QVariant *stored, QString *error) = 0;
    /**
     * A write of this process went through: @p stored is what @p key holds now.
     * Called before the items of the key are told.
     */
    virtual void written(const QString &key, const QVariant &stored);

    /**
     * Tells the items of @p key that it holds @p value, unless that is what they
     * were told last.
     */
    void update(const QString &key, const QVariant &value);

    /**
     * Tells @p items that @p key now holds @p value; reads of the key while they
     * are being told give that value.
     */
    void report(const QString &key, const QVariant &value, const QList<LoGConfItem *> &items);

    /** Whether @p key has items. */
    bool isFollowed(const QString &key) const;
    /** The keys that have items. */
    QStringList followedKeys() const;

    /**
     * @p value in the form every backend stores: a QString, an int, a bool, a
     * double, or a QVariantList of one of them, all of one type. Integers beyond
     * 32 bits become their decimal text rather than a different number. False
     * for what no store can hold (a list of mixed types or of lists, a map).
     */
    static bool toStoredForm(const QVariant &value, QVariant *stored);

    /** Equal in type as well as in value: QVariant's own == takes "5" for 5. */
    static bool sameValue(const QVariant &a, const QVariant &b);

    /** The directory part of a key path. */
    static QString directoryOf(const QString &key);

private:
    struct Key {
        QList<LoGConfItem *> items;
        // What the items were told last; nullopt until known.
        std::optional<QVariant> reported;
    };
    QHash<QString, Key> m_keys;

    struct Reporting {
        QVariant value;
        int depth = 0;
    };
    // The keys whose change is being reported, with the value reported.
    QHash<QString, Reporting> m_reporting;

    Q_DISABLE_COPY(LoConfStore)
};

#endif
