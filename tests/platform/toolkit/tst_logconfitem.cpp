#include "teststore.h"
#include "logconfitem.h"
#include "messagecapture.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace
{
// Each test function gets keys of its own, so that nothing carries over.
QString freshKey(const char *name)
{
    static int counter = 0;
    return QStringLiteral("/cellcounters-tests/item%1/%2").arg(++counter).arg(QLatin1String(name));
}
}

class TestLoGConfItem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unsetKeyIsInvalid()
    {
        LoGConfItem item(freshKey("unset"));
        QVERIFY(!item.value().isValid());
        QCOMPARE(item.value(QVariant(7)), QVariant(7));
    }

    void setStoresGConfType_data()
    {
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QString>("gconfType");
        QTest::addColumn<QString>("externalText");
        QTest::addColumn<QVariant>("readBack");

        QTest::newRow("string") << QVariant(QStringLiteral("12345")) << "string" << "12345" << QVariant(QStringLiteral("12345"));
        QTest::newRow("empty string") << QVariant(QString()) << "string" << "" << QVariant(QStringLiteral(""));
        QTest::newRow("non-latin string") << QVariant(QStringLiteral("\u0661\u0662 \u00e9")) << "string"
                                          << QStringLiteral("\u0661\u0662 \u00e9") << QVariant(QStringLiteral("\u0661\u0662 \u00e9"));
        QTest::newRow("int") << QVariant(42) << "int" << "42" << QVariant(42);
        QTest::newRow("negative int") << QVariant(-5) << "int" << "-5" << QVariant(-5);
        QTest::newRow("small longlong") << QVariant(qlonglong(7)) << "int" << "7" << QVariant(7);
        QTest::newRow("uint") << QVariant(uint(9)) << "int" << "9" << QVariant(9);
        // Wider than GConf's 32-bit integers: kept whole, as text.
        QTest::newRow("2^40 ulonglong") << QVariant(qulonglong(1) << 40) << "string" << "1099511627776"
                                        << QVariant(QStringLiteral("1099511627776"));
        QTest::newRow("-2^31-1 longlong") << QVariant(qlonglong(-2147483649LL)) << "string" << "-2147483649"
                                          << QVariant(QStringLiteral("-2147483649"));
        QTest::newRow("int max") << QVariant(qlonglong(2147483647)) << "int" << "2147483647" << QVariant(2147483647);
        QTest::newRow("bool true") << QVariant(true) << "bool" << "true" << QVariant(true);
        QTest::newRow("bool false") << QVariant(false) << "bool" << "false" << QVariant(false);
        QTest::newRow("double") << QVariant(1.5) << "float" << "1.5" << QVariant(1.5);
        QTest::newRow("string list") << QVariant(QStringList{QStringLiteral("a"), QStringLiteral("b")}) << "list"
                                     << "[a,b]" << QVariant(QVariantList{QStringLiteral("a"), QStringLiteral("b")});
        QTest::newRow("int list") << QVariant(QVariantList{1, 2, 3}) << "list" << "[1,2,3]" << QVariant(QVariantList{1, 2, 3});
        QTest::newRow("empty list") << QVariant(QVariantList()) << "list" << "[]" << QVariant(QVariantList());
        QTest::newRow("date as text") << QVariant(QDate(2026, 12, 5)) << "string" << "2026-12-05"
                                      << QVariant(QStringLiteral("2026-12-05"));
    }

    void setStoresGConfType()
    {
        QFETCH(QVariant, written);
        QFETCH(QString, gconfType);
        QFETCH(QString, externalText);
        QFETCH(QVariant, readBack);

        const QString key = freshKey("typed");
        LoGConfItem item(key);
        item.set(written);

        QCOMPARE(ExternalStore::type(key), gconfType);
        bool isSet = false;
        QCOMPARE(ExternalStore::get(key, &isSet), externalText);
        QVERIFY(isSet);
        const QVariant value = item.value();
        QCOMPARE(value.userType(), readBack.userType());
        QCOMPARE(value, readBack);
        // A second item reads the same from the store, not from the first item.
        LoGConfItem other(key);
        QCOMPARE(other.value(), readBack);
    }

    void externalWriteIsReadAsType_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("string") << "string" << "123" << QVariant(QStringLiteral("123"));
        QTest::newRow("int") << "int" << "123" << QVariant(123);
        QTest::newRow("negative int") << "int" << "-7" << QVariant(-7);
        QTest::newRow("bool") << "bool" << "true" << QVariant(true);
        QTest::newRow("float") << "float" << "2.25" << QVariant(2.25);
    }

    // Another process writes; exactly one notification with the new value
    // arrives through the event loop.
    void externalWriteIsReadAsType()
    {
        QFETCH(QString, type);
        QFETCH(QString, text);
        QFETCH(QVariant, expected);

        const QString key = freshKey("external");
        LoGConfItem item(key);
        QVariantList seen;
        connect(&item, &LoGConfItem::valueChanged, this, [&] { seen.append(item.value()); });

        QVERIFY(ExternalStore::set(key, type, text));
        QTRY_COMPARE_WITH_TIMEOUT(seen.size(), 1, 10000);
        QVERIFY(StoreSync::flush());
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().userType(), expected.userType());
        QCOMPARE(seen.first(), expected);
    }

    void externalListIsReadAsList()
    {
        const QString key = freshKey("list");
        LoGConfItem item(key);
        QSignalSpy spy(&item, &LoGConfItem::valueChanged);
        QVERIFY(ExternalStore::setList(key, QStringLiteral("int"), {QStringLiteral("4"), QStringLiteral("5")}));
        QVERIFY(spy.wait(10000));
        QCOMPARE(item.value(), QVariant(QVariantList{4, 5}));
    }

    void externalUnsetIsReported()
    {
        const QString key = freshKey("unset");
        QVERIFY(ExternalStore::setString(key, QStringLiteral("1")));
        LoGConfItem item(key);
        QCOMPARE(item.value(), QVariant(QStringLiteral("1")));
        QSignalSpy spy(&item, &LoGConfItem::valueChanged);
        QVERIFY(ExternalStore::unset(key));
        QVERIFY(spy.wait(10000));
        QVERIFY(!item.value().isValid());
    }

    // set() tells every item of the key before it returns; the daemon's later
    // notice of the same write is not a second report.
    void setNotifiesAtOnceAndOnce()
    {
        const QString key = freshKey("own");
        LoGConfItem writer(key);
        LoGConfItem reader(key);
        LoGConfItem unrelated(freshKey("unrelated"));
        QSignalSpy writerSpy(&writer, &LoGConfItem::valueChanged);
        QSignalSpy readerSpy(&reader, &LoGConfItem::valueChanged);
        QSignalSpy unrelatedSpy(&unrelated, &LoGConfItem::valueChanged);
        QVariant readInSlot;
        connect(&reader, &LoGConfItem::valueChanged, this, [&] { readInSlot = reader.value(); });

        writer.set(QStringLiteral("100"));
        QCOMPARE(writerSpy.count(), 1);
        QCOMPARE(readerSpy.count(), 1);
        QCOMPARE(readInSlot, QVariant(QStringLiteral("100")));

        QVERIFY(StoreSync::flush());
        QCOMPARE(writerSpy.count(), 1);
        QCOMPARE(readerSpy.count(), 1);
        QCOMPARE(unrelatedSpy.count(), 0);
    }

    // The caller that blocks signals around its own write hears nothing of it,
    // neither now nor when the daemon's notice comes in.
    void blockedWriteStaysSilent()
    {
        const QString key = freshKey("blocked");
        LoGConfItem item(key);
        QSignalSpy spy(&item, &LoGConfItem::valueChanged);
        item.blockSignals(true);
        item.set(QStringLiteral("5"));
        item.blockSignals(false);
        QVERIFY(StoreSync::flush());
        QCOMPARE(spy.count(), 0);
        QCOMPARE(item.value(), QVariant(QStringLiteral("5")));

        // A later write by someone else is reported as usual.
        QVERIFY(ExternalStore::setString(key, QStringLiteral("6")));
        QVERIFY(spy.wait(10000));
        QCOMPARE(item.value(), QVariant(QStringLiteral("6")));
    }

    // Every set() is a write and is reported, even of the value the key holds;
    // the daemon does not notify such a write, and nothing is reported twice.
    void equalWritesReportedOncePerWrite()
    {
        const QString key = freshKey("equal");
        LoGConfItem item(key);
        QSignalSpy spy(&item, &LoGConfItem::valueChanged);
        item.set(QStringLiteral("0"));
        item.set(QStringLiteral("0"));
        QCOMPARE(spy.count(), 2);
        QVERIFY(StoreSync::flush());
        QCOMPARE(spy.count(), 2);

        // Another process writing the value already held changes nothing.
        QVERIFY(ExternalStore::setString(key, QStringLiteral("0")));
        QVERIFY(StoreSync::flush());
        QCOMPARE(spy.count(), 2);
    }

    void quickWritesAreNotReportedAgain()
    {
        const QString key = freshKey("quick");
        LoGConfItem item(key);
        QStringList seen;
        connect(&item, &LoGConfItem::valueChanged, this, [&] { seen.append(item.value().toString()); });
        item.set(QStringLiteral("x"));
        item.set(QStringLiteral("y"));
        item.set(QStringLiteral("x"));
        QCOMPARE(seen, (QStringList{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("x")}));
        QVERIFY(StoreSync::flush());
        QCOMPARE(seen.size(), 3);
        QCOMPARE(ExternalStore::get(key), QStringLiteral("x"));
    }

    // Another process writes right after our write, before the daemon's notice
    // of our write has come in: its value is still reported.
    void foreignWriteAfterOwnIsReported()
    {
        const QString key = freshKey("race");
        LoGConfItem item(key);
        QStringList seen;
        connect(&item, &LoGConfItem::valueChanged, this, [&] { seen.append(item.value().toString()); });
        item.set(QStringLiteral("mine"));
        QVERIFY(ExternalStore::setString(key, QStringLiteral("theirs")));
        QTRY_COMPARE_WITH_TIMEOUT(seen.size(), 2, 10000);
        QVERIFY(StoreSync::flush());
        QCOMPARE(seen, (QStringList{QStringLiteral("mine"), QStringLiteral("theirs")}));
        QCOMPARE(item.value(), QVariant(QStringLiteral("theirs")));

        // And a foreign write of the value we had written before is reported too.
        QVERIFY(ExternalStore::setString(key, QStringLiteral("mine")));
        QTRY_COMPARE_WITH_TIMEOUT(seen.size(), 3, 10000);
        QCOMPARE(seen.last(), QStringLiteral("mine"));
    }

    void changeOfTypeIsReported()
    {
        const QString key = freshKey("type");
        LoGConfItem item(key);
        item.set(QStringLiteral("5"));
        QVERIFY(StoreSync::flush());
        QSignalSpy spy(&item, &LoGConfItem::valueChanged);
        QVERIFY(ExternalStore::setInt(key, 5));
        QVERIFY(spy.wait(10000));
        QCOMPARE(item.value(), QVariant(5));
    }

    void unsetThroughItem()
    {
        const QString key = freshKey("remove");
        LoGConfItem item(key);
        item.set(1);
        QSignalSpy spy(&item, &LoGConfItem::valueChanged);
        item.set(QVariant());
        QCOMPARE(spy.count(), 1);
        QVERIFY(!item.value().isValid());
        bool isSet = true;
        ExternalStore::get(key, &isSet);
        QVERIFY(!isSet);
        item.set(2);
        item.unset();
        QCOMPARE(spy.count(), 3);
        QVERIFY(StoreSync::flush());
        QCOMPARE(spy.count(), 3);
    }

    void unsupportedValueIsNotWritten_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("mixed list") << QVariant(QVariantList{1, QStringLiteral("a")});
        QTest::newRow("nested list") << QVariant(QVariantList{QVariantList{1}});
        QTest::newRow("map") << QVariant(QVariantMap{{QStringLiteral("a"), 1}});
        QTest::newRow("point") << QVariant(QPoint(1, 2));
    }

    void unsupportedValueIsNotWritten()
    {
        QFETCH(QVariant, value);
        const QString key = freshKey("unsupported");
        LoGConfItem item(key);
        item.set(QStringLiteral("kept"));
        QSignalSpy spy(&item, &LoGConfItem::valueChanged);
        MessageCapture capture;
        item.set(value);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(capture.lines(QtDebugMsg).size(), 1);
        QCOMPARE(item.value(), QVariant(QStringLiteral("kept")));
    }

    void invalidKeyIsInert_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("empty") << QString();
        QTest::newRow("relative") << QStringLiteral("cellcounters-tests/relative");
        QTest::newRow("trailing slash") << QStringLiteral("/cellcounters-tests/dir/");
        QTest::newRow("double slash") << QStringLiteral("/cellcounters-tests//x");
    }

    void invalidKeyIsInert()
    {
        QFETCH(QString, key);
        MessageCapture capture;
        LoGConfItem item(key);
        QSignalSpy spy(&item, &LoGConfItem::valueChanged);
        QVERIFY(!item.value().isValid());
        QCOMPARE(item.value(QStringLiteral("def")), QVariant(QStringLiteral("def")));
        item.set(QStringLiteral("x"));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(item.key(), key);
        QVERIFY(!capture.lines(QtDebugMsg).isEmpty());
        QVERIFY(capture.lines(QtWarningMsg).isEmpty());
    }

    // A destroyed item leaves no listener behind: later changes of its key
    // reach the live items only, and nothing calls into freed memory.
    void destroyedItemIsForgotten()
    {
        const QString key = freshKey("lifetime");
        auto survivor = std::make_unique<LoGConfItem>(key);
        QSignalSpy spy(survivor.get(), &LoGConfItem::valueChanged);
        {
            LoGConfItem gone(key);
            LoGConfItem goneToo(key);
        }
        QVERIFY(ExternalStore::setString(key, QStringLiteral("1")));
        QVERIFY(spy.wait(10000));
        survivor.reset();
        QVERIFY(ExternalStore::setString(key, QStringLiteral("2")));
        QVERIFY(StoreSync::flush());

        // Same key again after every item went: listening starts afresh.
        LoGConfItem again(key);
        QSignalSpy againSpy(&again, &LoGConfItem::valueChanged);
        QVERIFY(ExternalStore::setString(key, QStringLiteral("3")));
        QVERIFY(againSpy.wait(10000));
        QCOMPARE(again.value(), QVariant(QStringLiteral("3")));
    }

    // A notice of a change made before an item existed is no news to it.
    void lateNoticeOfEarlierChange()
    {
        const QString key = freshKey("late");
        auto first = std::make_unique<LoGConfItem>(key);
        QVERIFY(ExternalStore::setString(key, QStringLiteral("a")));
        first->set(QStringLiteral("b"));
        first.reset();
        LoGConfItem second(key);
        QSignalSpy spy(&second, &LoGConfItem::valueChanged);
        QVERIFY(StoreSync::flush());
        QCOMPARE(spy.count(), 0);
        QCOMPARE(second.value(), QVariant(QStringLiteral("b")));
    }

    // Another process changed the key while a neighbour kept its directory
    // watched: the notices of those changes, still queued when the item is
    // made, are no news to it; the changes after it are, each one of them.
    void foreignNoticesOlderThanItem()
    {
        const QString key = freshKey("older");
        LoGConfItem neighbour(key.left(key.lastIndexOf(QLatin1Char('/'))) + QStringLiteral("/neighbour"));
        QVERIFY(ExternalStore::setString(key, QStringLiteral("x")));
        QVERIFY(ExternalStore::setString(key, QStringLiteral("y")));
        LoGConfItem item(key);
        QStringList seen;
        connect(&item, &LoGConfItem::valueChanged, this, [&] { seen.append(item.value().toString()); });
        QVERIFY(StoreSync::flush());
        QCOMPARE(seen, QStringList());

        const QStringList later{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
        for (const QString &value : later) {
            QVERIFY(ExternalStore::setString(key, value));
            QTRY_COMPARE_WITH_TIMEOUT(seen.size(), later.indexOf(value) + 1, 10000);
        }
        QVERIFY(StoreSync::flush());
        QCOMPARE(seen, later);
    }

    // A slot reads the value being reported; any other read asks the daemon,
    // also before the notice of a change has come in.
    void readsOutsideReportsAreCurrent()
    {
        const QString key = freshKey("current");
        LoGConfItem item(key);
        QVariant inSlot;
        connect(&item, &LoGConfItem::valueChanged, this, [&] { inSlot = item.value(); });
        QSignalSpy spy(&item, &LoGConfItem::valueChanged);
        QVERIFY(ExternalStore::setString(key, QStringLiteral("first")));
        QVERIFY(spy.wait(10000));
        QCOMPARE(inSlot, QVariant(QStringLiteral("first")));

        QVERIFY(ExternalStore::setString(key, QStringLiteral("second")));
        QCOMPARE(item.value(), QVariant(QStringLiteral("second")));
        item.set(QStringLiteral("third"));
        QCOMPARE(inSlot, QVariant(QStringLiteral("third")));
        QVERIFY(ExternalStore::setString(key, QStringLiteral("fourth")));
        QCOMPARE(item.value(), QVariant(QStringLiteral("fourth")));
    }

    // A receiver that deletes items of the same key while being told.
    void itemDeletedDuringNotification()
    {
        const QString key = freshKey("delete");
        auto *first = new LoGConfItem(key);
        QPointer<LoGConfItem> second = new LoGConfItem(key);
        auto *third = new LoGConfItem(key);
        QSignalSpy thirdSpy(third, &LoGConfItem::valueChanged);
        connect(first, &LoGConfItem::valueChanged, this, [&] { delete second; });
        first->set(QStringLiteral("a"));
        QVERIFY(second.isNull());
        QCOMPARE(thirdSpy.count(), 1);

        connect(third, &LoGConfItem::valueChanged, this, [&] { delete first; first = nullptr; });
        QVERIFY(ExternalStore::setString(key, QStringLiteral("b")));
        QTRY_VERIFY_WITH_TIMEOUT(!first, 10000);
        QCOMPARE(thirdSpy.count(), 2);
        delete third;
    }

    void itemsInOneDirectory()
    {
        // Two keys of one directory share the watch; dropping one keeps the other.
        const QString dir = freshKey("dir");
        auto a = std::make_unique<LoGConfItem>(dir + QStringLiteral("/a"));
        LoGConfItem b(dir + QStringLiteral("/b"));
        QSignalSpy spyB(&b, &LoGConfItem::valueChanged);
        a.reset();
        QVERIFY(ExternalStore::setString(dir + QStringLiteral("/b"), QStringLiteral("x")));
        QVERIFY(spyB.wait(10000));
    }

    void daemonRestart_data()
    {
        QTest::addColumn<QString>("restartedBy");
        QTest::newRow("own write") << QStringLiteral("write");
        QTest::newRow("own read") << QStringLiteral("read");
        QTest::newRow("other process") << QStringLiteral("other");
    }

    // The daemon goes away and the bus starts a new one. Other processes write
    // to it before this process's event loop has turned since: those changes
    // are reported too, once each, to every item of a key beside ours and of a
    // key in another directory; reading, writing and following go on.
    void daemonRestart()
    {
        QFETCH(QString, restartedBy);
        const QString dir = freshKey("restart");
        const QString own = dir + QStringLiteral("/own");
        const QString near = dir + QStringLiteral("/near");
        const QString far = freshKey("elsewhere");
        LoGConfItem ownItem(own);
        LoGConfItem nearItem(near);
        LoGConfItem nearItem2(near);
        LoGConfItem farItem(far);
        ownItem.set(QStringLiteral("before"));
        QVERIFY(StoreSync::flush());
        QSignalSpy ownSpy(&ownItem, &LoGConfItem::valueChanged);
        QSignalSpy nearSpy(&nearItem, &LoGConfItem::valueChanged);
        QSignalSpy nearSpy2(&nearItem2, &LoGConfItem::valueChanged);
        QSignalSpy farSpy(&farItem, &LoGConfItem::valueChanged);

        QVERIFY(ExternalStore::stopDaemon());
        if (restartedBy == QLatin1String("write")) {
            ownItem.set(QStringLiteral("after"));
            QCOMPARE(ownSpy.count(), 1);
            QCOMPARE(ExternalStore::get(own), QStringLiteral("after"));
        } else if (restartedBy == QLatin1String("read")) {
            QCOMPARE(ownItem.value(), QVariant(QStringLiteral("before")));
        }
        QVERIFY(ExternalStore::setString(near, QStringLiteral("theirs")));
        QVERIFY(ExternalStore::setString(far, QStringLiteral("theirs")));

        QTRY_COMPARE(nearSpy.count(), 1);
        QTRY_COMPARE(farSpy.count(), 1);
        QVERIFY(StoreSync::flush());
        const int ownReports = restartedBy == QLatin1String("write") ? 1 : 0;
        QCOMPARE(ownSpy.count(), ownReports);
        QCOMPARE(nearSpy.count(), 1);
        QCOMPARE(nearSpy2.count(), 1);
        QCOMPARE(farSpy.count(), 1);
        QCOMPARE(nearItem.value(), QVariant(QStringLiteral("theirs")));
        QCOMPARE(farItem.value(), QVariant(QStringLiteral("theirs")));

        // Later changes reach every key once, however often the directories
        // were registered with the new daemon.
        for (const QString &key : {own, near, far})
            QVERIFY(ExternalStore::setString(key, QStringLiteral("later")));
        QTRY_COMPARE_WITH_TIMEOUT(farSpy.count(), 2, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(nearSpy.count(), 2, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(ownSpy.count(), ownReports + 1, 10000);
        QVERIFY(StoreSync::flush());
        QCOMPARE(ownSpy.count(), ownReports + 1);
        QCOMPARE(nearSpy.count(), 2);
        QCOMPARE(nearSpy2.count(), 2);
        QCOMPARE(farSpy.count(), 2);
        QCOMPARE(ownItem.value(), QVariant(QStringLiteral("later")));
    }

    // Receivers of the changes found after a restart destroy the items of the
    // other key, whichever is told first, and create a new item; the others
    // are not told, nothing calls into freed memory, and the survivors and the
    // newcomer follow later changes.
    void itemsDestroyedWhileCatchingUp()
    {
        const QString a = freshKey("first");
        const QString b = freshKey("second");
        QPointer<LoGConfItem> a1 = new LoGConfItem(a);
        QPointer<LoGConfItem> a2 = new LoGConfItem(a);
        QPointer<LoGConfItem> b1 = new LoGConfItem(b);
        QPointer<LoGConfItem> b2 = new LoGConfItem(b);
        // Also when a check fails: the receivers refer to this frame.
        const auto cleanup = qScopeGuard([&] {
            for (LoGConfItem *item : {a1.data(), a2.data(), b1.data(), b2.data()})
                delete item;
        });
        std::unique_ptr<LoGConfItem> newcomer;
        int told = 0;
        auto destroyOthers = [&](QPointer<LoGConfItem> &x, QPointer<LoGConfItem> &y) {
            ++told;
            delete x;
            delete y;
            if (!newcomer)
                newcomer = std::make_unique<LoGConfItem>(freshKey("newcomer"));
        };
        connect(a1, &LoGConfItem::valueChanged, this, [&] { destroyOthers(b1, b2); });
        connect(b1, &LoGConfItem::valueChanged, this, [&] { destroyOthers(a1, a2); });
        QVERIFY(StoreSync::flush());

        QVERIFY(ExternalStore::stopDaemon());
        QVERIFY(ExternalStore::setString(a, QStringLiteral("x")));
        QVERIFY(ExternalStore::setString(b, QStringLiteral("x")));
        QTRY_VERIFY(told > 0);
        QVERIFY(StoreSync::flush());
        QCOMPARE(told, 1);
        QVERIFY(newcomer);
        // One key's items survive, both of them.
        QPointer<LoGConfItem> survivor = a1 ? a1 : b1;
        QVERIFY(survivor);
        QVERIFY(a1 ? bool(a2) && !b1 && !b2 : bool(b2) && !a1 && !a2);

        QSignalSpy survivorSpy(survivor, &LoGConfItem::valueChanged);
        QSignalSpy newcomerSpy(newcomer.get(), &LoGConfItem::valueChanged);
        QVERIFY(ExternalStore::setString(survivor->key(), QStringLiteral("y")));
        QVERIFY(ExternalStore::setString(newcomer->key(), QStringLiteral("y")));
        QTRY_COMPARE_WITH_TIMEOUT(survivorSpy.count(), 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(newcomerSpy.count(), 1, 10000);
    }

    // Notification comes from the event loop, not from polling: it arrives
    // promptly once the loop runs.
    void notificationLatency()
    {
        const QString key = freshKey("latency");
        LoGConfItem item(key);
        QSignalSpy spy(&item, &LoGConfItem::valueChanged);
        QVERIFY(ExternalStore::setString(key, QStringLiteral("now")));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(spy.wait(10000));
        qDebug() << "notification arrived" << timer.elapsed() << "ms after the writer finished";
    }
};

QTEST_GUILESS_MAIN(TestLoGConfItem)
#include "tst_logconfitem.moc"
