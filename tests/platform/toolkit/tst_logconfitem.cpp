// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "loconfstore_p.h"
#include "logconfitem.h"
#include "teststore.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace
{
// Each row gets keys of its own, so that nothing carries over.
QString freshKey(const char *name)
{
    static int counter = 0;
    return QStringLiteral("/cellcounters-platform/item%1/%2").arg(++counter).arg(QLatin1String(name));
}

// The values an item reported, each as read inside the report.
struct Reports : QVariantList {
    explicit Reports(LoGConfItem *item)
    {
        QObject::connect(item, &LoGConfItem::valueChanged, item, [this, item] { append(item->value()); });
    }
};
}

class TestLoGConfItem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ownWrite_data()
    {
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QString>("storedType"); // as another process sees it
        QTest::addColumn<QVariant>("stored"); // as an item reads it back
        const QVariant text(QStringLiteral("\u0661\u0662 \u00e9"));
        QTest::newRow("string") << text << "string" << text;
        QTest::newRow("int") << QVariant(-5) << "int" << QVariant(-5);
        QTest::newRow("int max") << QVariant(qlonglong(INT_MAX)) << "int" << QVariant(INT_MAX);
        QTest::newRow("unsigned int max") << QVariant(qulonglong(INT_MAX)) << "int" << QVariant(INT_MAX);
        QTest::newRow("2^40 as text") << QVariant(qulonglong(1) << 40) << "string" << QVariant("1099511627776");
        QTest::newRow("-2^31-1 as text") << QVariant(qlonglong(INT_MIN) - 1) << "string" << QVariant("-2147483649");
        QTest::newRow("bool") << QVariant(false) << "bool" << QVariant(false);
        QTest::newRow("double") << QVariant(1.5) << "float" << QVariant(1.5);
        QTest::newRow("list") << QVariant(QStringList{"a", "b"}) << "list:string" << QVariant(QVariantList{"a", "b"});
        QTest::newRow("invalid unsets") << QVariant() << "" << QVariant();
        QTest::newRow("mixed list refused") << QVariant(QVariantList{1, "a"}) << "string" << QVariant("old");
    }

    // set() reports to every item of the key before it returns, and the
    // daemon's later notice of the same write is not reported again. What
    // GConf cannot hold is not written, not reported, and a debug line says so.
    void ownWrite()
    {
        QFETCH(QVariant, written);
        QFETCH(QString, storedType);
        QFETCH(QVariant, stored);
        const bool refused = QByteArray(QTest::currentDataTag()).endsWith("refused");
        const QString key = freshKey("own");
        QVERIFY(ExternalStore::setString(key, QStringLiteral("old")));
        LoGConfItem writer(key);
        LoGConfItem reader(key);
        Reports seen(&reader);
        if (refused)
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^LoGConfItem: not written, the store cannot hold .* in \"%1\"$").arg(key)));
        writer.set(written);
        const QVariantList expected = refused ? QVariantList() : QVariantList{stored};
        QCOMPARE(seen, expected);
        QCOMPARE(ExternalStore::type(key), storedType);
        const QVariant value = LoGConfItem(key).value();
        QCOMPARE(value.userType(), stored.userType());
        QCOMPARE(value, stored);
        QVERIFY(StoreSync::flush());
        QCOMPARE(seen, expected);
    }

    void sequence_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("reported");
        // m: set() here, b: set() with signals blocked, t/i/u: another process
        // writes a string/an int/unsets, n: a new item replaces the item, f: so do
        // new items of the whole directory, w: wait for every notice owed so far.
        QTest::newRow("quick own writes") << QStringList{"m:x", "m:y", "m:x"} << QStringList{"x", "y", "x"};
        QTest::newRow("equal writes") << QStringList{"m:0", "m:0", "w", "t:0"} << QStringList{"0", "0"};
        QTest::newRow("theirs right after mine") << QStringList{"m:a", "t:b", "w", "t:a"} << QStringList{"a", "b", "a"};
        QTest::newRow("mine right after theirs") << QStringList{"t:a", "m:b", "w", "m:a"} << QStringList{"b", "a"};
        QTest::newRow("blocked own write") << QStringList{"b:5", "w", "t:6"} << QStringList{"6"};
        QTest::newRow("text to int") << QStringList{"t:5", "w", "i:5"} << QStringList{"5", "5"};
        QTest::newRow("unset") << QStringList{"m:1", "w", "u"} << QStringList{"1", ""};
        QTest::newRow("late echo, new item") << QStringList{"t:x", "m:y", "n", "w", "t:z"} << QStringList{"y", "z"};
        QTest::newRow("directory let go") << QStringList{"m:1", "t:2", "f", "t:3", "w"} << QStringList{"1", "3"};
    }

    // Every change is reported once, in order, whoever made it. Reads give the
    // newest value this process knows, without asking the daemon: its own writes
    // at once, another process's once the notice is in, all of a directory that
    // nobody followed when an item starts following it (on dconf, whose reads
    // are local, a new item reads the database).
    void sequence()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, reported);
        const QString key = freshKey("sequence");
        std::unique_ptr<LoGConfItem> neighbour, item; // the neighbour keeps the directory watched
        QStringList seen;
        const auto follow = [&](bool wholeDirectory) {
            item.reset(); // first, so that the new item is the key's only one
            if (wholeDirectory)
                neighbour = std::make_unique<LoGConfItem>(key + QStringLiteral("-neighbour"));
            item = std::make_unique<LoGConfItem>(key);
            connect(item.get(), &LoGConfItem::valueChanged, this, [&] { seen.append(item->value().toString()); });
        };
        follow(true);
        QString known, written;
        for (const QString &step : qAsConst(steps)) {
            const char what = step.at(0).toLatin1();
            const QString value = step.mid(2);
            if (what == 'w') {
                QVERIFY(StoreSync::flush());
                known = written;
            }
            if (what == 't' || what == 'i' || what == 'u')
                QVERIFY(what == 't' ? ExternalStore::setString(key, value)
                                    : what == 'i' ? ExternalStore::set(key, QStringLiteral("int"), value) : ExternalStore::unset(key));
            if (what == 'm' || what == 'b') {
                const QSignalBlocker blocker(what == 'b' ? item.get() : nullptr);
                item->set(value);
                known = value;
            }
            if (what == 'n' || what == 'f') {
                if (what == 'f' || LoConfStore::instance().backendName() == QLatin1String("dconf"))
                    known = written;
                if (what == 'f')
                    neighbour.reset();
                follow(what == 'f');
            }
            written = what == 'w' || what == 'n' || what == 'f' ? written : value;
            QCOMPARE(item->value().toString(), known);
        }
        QVERIFY(StoreSync::flush());
        QCOMPARE(seen, reported);
    }

    // A receiver deletes another item of the key while being told: the others
    // are still told.
    void deletedDuringReport()
    {
        const QString key = freshKey("delete");
        auto first = std::make_unique<LoGConfItem>(key);
        QPointer<LoGConfItem> second = new LoGConfItem(key);
        auto third = std::make_unique<LoGConfItem>(key);
        QSignalSpy thirdSpy(third.get(), &LoGConfItem::valueChanged);
        connect(first.get(), &LoGConfItem::valueChanged, this, [&] { delete second; });
        first->set(QStringLiteral("a"));
        QVERIFY(second.isNull());
        QCOMPARE(thirdSpy.count(), 1);
    }

    void daemonRestart_data()
    {
        QTest::addColumn<QString>("restartedBy");
        QTest::newRow("own write") << QStringLiteral("write");
        QTest::newRow("own read") << QStringLiteral("read");
        QTest::newRow("other process") << QStringLiteral("other");
    }

    // The daemon goes away and the bus starts a new one. What other processes
    // wrote to it before this process heard of it is caught up on: the keys
    // that changed, in the item's directory or another, are reported once
    // each, and following goes on.
    void daemonRestart()
    {
        QFETCH(QString, restartedBy);
        const QString own = freshKey("own");
        const QString near = own + QStringLiteral("-near");
        const QString far = freshKey("far");
        LoGConfItem ownItem(own);
        LoGConfItem nearItem(near);
        LoGConfItem farItem(far);
        ownItem.set(QStringLiteral("before"));
        QVERIFY(StoreSync::flush());
        Reports ownSeen(&ownItem);
        Reports nearSeen(&nearItem);
        Reports farSeen(&farItem);
        const auto counts = [&] { return QList<int>{int(ownSeen.size()), int(nearSeen.size()), int(farSeen.size())}; };

        QVERIFY(ExternalStore::stopDaemon());
        const int mine = restartedBy == QLatin1String("write") ? 1 : 0;
        if (mine)
            ownItem.set(QStringLiteral("after"));
        else if (restartedBy == QLatin1String("read"))
            QCOMPARE(ownItem.value(), QVariant(QStringLiteral("before")));
        QVERIFY(ExternalStore::setString(near, QStringLiteral("theirs")));
        QVERIFY(ExternalStore::setString(far, QStringLiteral("theirs")));
        QTRY_COMPARE(counts(), (QList<int>{mine, 1, 1}));
        QVERIFY(StoreSync::flush());
        QCOMPARE(counts(), (QList<int>{mine, 1, 1}));
        QCOMPARE(farSeen.last(), QVariant(QStringLiteral("theirs")));
        for (const QString &key : {own, near, far})
            QVERIFY(ExternalStore::setString(key, QStringLiteral("later")));
        QTRY_COMPARE(counts(), (QList<int>{mine + 1, 2, 2}));
        QVERIFY(StoreSync::flush());
        QCOMPARE(counts(), (QList<int>{mine + 1, 2, 2}));
    }
};

QTEST_GUILESS_MAIN(TestLoGConfItem)
#include "tst_logconfitem.moc"
