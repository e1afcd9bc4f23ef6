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

// Another process's write: "list" stores a list of ints ("4,5"), an empty type unsets.
bool writeExternally(const QString &key, const QString &type, const QString &text)
{
    if (type.isEmpty())
        return ExternalStore::unset(key);
    if (type == QLatin1String("list"))
        return ExternalStore::setList(key, QStringLiteral("int"), text.split(QLatin1Char(',')));
    return ExternalStore::set(key, type, text);
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
    void externalWrite_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<int>("reports");
        QTest::newRow("string") << "" << "string" << "123" << QVariant(QStringLiteral("123")) << 1;
        QTest::newRow("int") << "" << "int" << "-7" << QVariant(-7) << 1;
        QTest::newRow("bool") << "" << "bool" << "true" << QVariant(true) << 1;
        QTest::newRow("float") << "" << "float" << "2.25" << QVariant(2.25) << 1;
        QTest::newRow("list") << "" << "list" << "4,5" << QVariant(QVariantList{4, 5}) << 1;
        QTest::newRow("unset") << "1" << "" << "" << QVariant() << 1;
        QTest::newRow("text to int") << "5" << "int" << "5" << QVariant(5) << 1;
        QTest::newRow("same value") << "5" << "string" << "5" << QVariant(QStringLiteral("5")) << 0;
    }

    // Another process writes: one report, from the event loop, of the value as typed.
    void externalWrite()
    {
        QFETCH(QString, before);
        QFETCH(QString, type);
        QFETCH(QString, text);
        QFETCH(QVariant, expected);
        QFETCH(int, reports);
        const QString key = freshKey("external");
        if (!before.isEmpty())
            QVERIFY(ExternalStore::setString(key, before));
        LoGConfItem item(key);
        Reports seen(&item);
        QVERIFY(writeExternally(key, type, text));
        QVERIFY(StoreSync::flush());
        QCOMPARE(seen.size(), reports);
        QCOMPARE(item.value().userType(), expected.userType());
        QCOMPARE(item.value(), expected);
        if (reports)
            QCOMPARE(seen.first(), expected);
    }

    void ownWrite_data()
    {
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QString>("storedType");
        QTest::addColumn<QString>("storedText");
        QTest::addColumn<QVariant>("readBack");
        QTest::newRow("string") << QVariant(QStringLiteral("\u0661\u0662 \u00e9")) << "string"
                                << QStringLiteral("\u0661\u0662 \u00e9") << QVariant(QStringLiteral("\u0661\u0662 \u00e9"));
        QTest::newRow("int") << QVariant(-5) << "int" << "-5" << QVariant(-5);
        QTest::newRow("int max") << QVariant(qlonglong(2147483647)) << "int" << "2147483647" << QVariant(2147483647);
        QTest::newRow("2^40 as text") << QVariant(qulonglong(1) << 40) << "string" << "1099511627776"
                                      << QVariant(QStringLiteral("1099511627776"));
        QTest::newRow("-2^31-1 as text") << QVariant(qlonglong(-2147483649LL)) << "string" << "-2147483649"
                                         << QVariant(QStringLiteral("-2147483649"));
        QTest::newRow("bool") << QVariant(false) << "bool" << "false" << QVariant(false);
        QTest::newRow("double") << QVariant(1.5) << "float" << "1.5" << QVariant(1.5);
        QTest::newRow("string list") << QVariant(QStringList{QStringLiteral("a"), QStringLiteral("b")}) << "list"
                                     << "[a,b]" << QVariant(QVariantList{QStringLiteral("a"), QStringLiteral("b")});
        QTest::newRow("invalid unsets") << QVariant() << "" << "" << QVariant();
        // Nothing GConf can hold: not written, not reported, and a debug line says so.
        QTest::newRow("mixed list") << QVariant(QVariantList{1, QStringLiteral("a")}) << "string" << "old" << QVariant();
    }

    // set() reports to every item of the key before it returns; the daemon's
    // later notice of the same write is not reported again.
    void ownWrite()
    {
        QFETCH(QVariant, written);
        QFETCH(QString, storedType);
        QFETCH(QString, storedText);
        QFETCH(QVariant, readBack);
        const bool refused = written.isValid() && !readBack.isValid();
        const QString key = freshKey("own");
        QVERIFY(ExternalStore::setString(key, QStringLiteral("old")));
        LoGConfItem writer(key);
        LoGConfItem reader(key);
        LoGConfItem unrelated(freshKey("unrelated"));
        QSignalSpy writerSpy(&writer, &LoGConfItem::valueChanged);
        QSignalSpy unrelatedSpy(&unrelated, &LoGConfItem::valueChanged);
        Reports seen(&reader);
        if (refused)
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^LoGConfItem: not written, the store cannot hold .* in \"%1\"$").arg(key)));
        writer.set(written);
        const QVariantList expected = refused ? QVariantList() : QVariantList{readBack};
        QCOMPARE(seen, expected);
        QCOMPARE(writerSpy.count(), expected.size());

        QCOMPARE(ExternalStore::type(key), storedType);
        QCOMPARE(ExternalStore::get(key), storedText);
        const QVariant value = LoGConfItem(key).value();
        QCOMPARE(value.userType(), refused ? int(QMetaType::QString) : readBack.userType());
        QCOMPARE(value, refused ? QVariant(QStringLiteral("old")) : readBack);
        QVERIFY(StoreSync::flush());
        QCOMPARE(seen, expected);
        QCOMPARE(writerSpy.count(), expected.size());
        QCOMPARE(unrelatedSpy.count(), 0);
    }

    void sequence_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("reported");
        // m: set() here, b: set() with signals blocked, t: another process
        // writes, n: a new item replaces the item, w: wait for the notices owed.
        QTest::newRow("quick own writes") << QStringList{"m:x", "m:y", "m:x"} << QStringList{"x", "y", "x"};
        QTest::newRow("equal writes") << QStringList{"m:0", "m:0", "w", "t:0"} << QStringList{"0", "0"};
        QTest::newRow("theirs right after mine") << QStringList{"m:a", "t:b", "w", "t:a"} << QStringList{"a", "b", "a"};
        QTest::newRow("mine right after theirs") << QStringList{"t:a", "m:b", "w", "m:a"} << QStringList{"b", "a"};
        QTest::newRow("blocked own write") << QStringList{"b:5", "w", "t:6"} << QStringList{"6"};
        QTest::newRow("late echo, new item") << QStringList{"t:x", "m:y", "n:y", "w", "t:z"} << QStringList{"y", "z"};
        QTest::newRow("late notices, new item") << QStringList{"t:x", "t:y", "n:y", "w", "t:z"} << QStringList{"z"};
    }

    // Every change is reported once, in order, whoever made it, and only to
    // items that exist when it is made; reads outside a report see what the
    // store holds at once.
    void sequence()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, reported);
        const QString key = freshKey("sequence");
        LoGConfItem neighbour(key + QStringLiteral("-neighbour")); // keeps the directory watched
        auto item = std::make_unique<LoGConfItem>(key);
        QStringList seen;
        const auto follow = [&] { connect(item.get(), &LoGConfItem::valueChanged, this, [&] { seen.append(item->value().toString()); }); };
        follow();
        for (const QString &step : qAsConst(steps)) {
            const QChar what = step.at(0);
            const QString value = step.mid(2);
            if (what == QLatin1Char('w')) {
                QVERIFY(StoreSync::flush());
                continue;
            }
            if (what == QLatin1Char('t'))
                QVERIFY(ExternalStore::setString(key, value));
            item->blockSignals(what == QLatin1Char('b'));
            if (what == QLatin1Char('m') || what == QLatin1Char('b'))
                item->set(value);
            item->blockSignals(false);
            if (what == QLatin1Char('n')) {
                item.reset();
                item = std::make_unique<LoGConfItem>(key);
                follow();
            }
            QCOMPARE(item->value().toString(), value);
        }
        QVERIFY(StoreSync::flush());
        QCOMPARE(seen, reported);
    }

    // A receiver deletes another item of the key while being told: the others
    // are still told, and a key whose items are all gone leaves nothing behind
    // that a later change could call into.
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
        first.reset();
        third.reset();
        QVERIFY(ExternalStore::setString(key, QStringLiteral("b")));
        QVERIFY(StoreSync::flush());
        LoGConfItem again(key);
        QSignalSpy againSpy(&again, &LoGConfItem::valueChanged);
        QVERIFY(ExternalStore::setString(key, QStringLiteral("c")));
        QVERIFY(StoreSync::flush());
        QCOMPARE(againSpy.count(), 1);
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
    // that changed are reported once each, to every item, and following goes on.
    void daemonRestart()
    {
        QFETCH(QString, restartedBy);
        const QString own = freshKey("own");
        const QString near = own + QStringLiteral("-near");
        const QString far = freshKey("far");
        LoGConfItem ownItem(own);
        LoGConfItem nearItem(near);
        LoGConfItem nearItem2(near);
        LoGConfItem farItem(far);
        ownItem.set(QStringLiteral("before"));
        QVERIFY(StoreSync::flush());
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (LoGConfItem *item : {&ownItem, &nearItem, &nearItem2, &farItem})
            spies.emplace_back(new QSignalSpy(item, &LoGConfItem::valueChanged));
        const auto counts = [&] {
            QList<int> result;
            for (const auto &spy : spies)
                result.append(spy->count());
            return result;
        };

        QVERIFY(ExternalStore::stopDaemon());
        const int ownReports = restartedBy == QLatin1String("write") ? 1 : 0;
        if (ownReports)
            ownItem.set(QStringLiteral("after"));
        else if (restartedBy == QLatin1String("read"))
            QCOMPARE(ownItem.value(), QVariant(QStringLiteral("before")));
        QVERIFY(ExternalStore::setString(near, QStringLiteral("theirs")));
        QVERIFY(ExternalStore::setString(far, QStringLiteral("theirs")));
        QTRY_COMPARE(counts(), (QList<int>{ownReports, 1, 1, 1}));
        QVERIFY(StoreSync::flush());
        QCOMPARE(counts(), (QList<int>{ownReports, 1, 1, 1}));
        QCOMPARE(farItem.value(), QVariant(QStringLiteral("theirs")));
        for (const QString &key : {own, near, far})
            QVERIFY(ExternalStore::setString(key, QStringLiteral("later")));
        QVERIFY(StoreSync::flush());
        QCOMPARE(counts(), (QList<int>{ownReports + 1, 2, 2, 2}));
    }

    // Receivers of the changes caught up on after a restart delete the items
    // of the other key, whichever is told first: that key is not told.
    void deletedWhileCatchingUp()
    {
        const QString a = freshKey("a");
        const QString b = freshKey("b");
        QPointer<LoGConfItem> itemA = new LoGConfItem(a);
        QPointer<LoGConfItem> itemB = new LoGConfItem(b);
        const auto cleanup = qScopeGuard([&] {
            delete itemA;
            delete itemB;
        });
        int told = 0;
        connect(itemA, &LoGConfItem::valueChanged, this, [&] { ++told; delete itemB; });
        connect(itemB, &LoGConfItem::valueChanged, this, [&] { ++told; delete itemA; });
        QVERIFY(StoreSync::flush());
        QVERIFY(ExternalStore::stopDaemon());
        QVERIFY(ExternalStore::setString(a, QStringLiteral("x")));
        QVERIFY(ExternalStore::setString(b, QStringLiteral("x")));
        QTRY_VERIFY(told > 0);
        QVERIFY(StoreSync::flush());
        QCOMPARE(told, 1);
        QCOMPARE(itemA.isNull() + itemB.isNull(), 1);
    }
};

QTEST_GUILESS_MAIN(TestLoGConfItem)
#include "tst_logconfitem.moc"
