// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef FLOORSTORE_H
#define FLOORSTORE_H

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

/**
 * What the floors do with the configuration store, each through the bare API of
 * the backend that the library runs on (LoConfStore::instance()), without the
 * toolkit: read a key, write strings, follow a key or a directory. One
 * implementation per backend built.
 */
class FloorStore
{
public:
    /** Where the notices of a followed key go. */
    class Follower
    {
    public:
        /** The key changed; @p value is what it holds now if that is a string, otherwise null. */
        virtual void notified(const char *value) = 0;

    protected:
        ~Follower() = default;
    };

    /** The floor store of the backend that LoConfStore::instance() runs on. */
    static FloorStore &instance();

    virtual ~FloorStore() = default;

    /** @p key's value as text: a string as it is, an int in decimal; "" when unset or of another type. */
    virtual QString text(const QByteArray &key) = 0;

    /**
     * Stores @p value as a string in every key of @p keys, in as few requests as
     * the store allows. Where the store takes writes without an answer (dconf),
     * this returns once they are sent: this process reads them at once, others
     * after sync(). Otherwise it returns once the store holds them.
     */
    virtual bool setStrings(const QByteArrayList &keys, const QByteArray &value) = 0;

    /** Returns once the store holds every value set so far. */
    virtual void sync() = 0;

    /**
     * @p follower hears of every change of @p key until unfollow() with the
     * handle returned; 0 (and a warning) when the key cannot be followed.
     */
    virtual unsigned long follow(const QByteArray &key, Follower *follower) = 0;
    virtual void unfollow(const QByteArray &key, unsigned long handle) = 0;

    /**
     * Has the store send this process the notices of every key in @p directory
     * (a path without a trailing "/"), as a page that keeps up with its keys
     * needs, until unwatchDirectory() with the handle returned. The notices go
     * nowhere: what taking one costs is the live update's (follow()).
     */
    virtual unsigned long watchDirectory(const QByteArray &directory) = 0;
    virtual void unwatchDirectory(const QByteArray &directory, unsigned long handle) = 0;

protected:
    FloorStore() = default;

private:
    Q_DISABLE_COPY(FloorStore)
};

#endif
