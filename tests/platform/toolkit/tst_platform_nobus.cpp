// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "calltimers.h"
#include "logconfitem.h"

#include <QSignalSpy>
#include <QtTest>

// The configuration store cannot be reached: there is no session bus. The
// process's GConf client is made once, so every check of that case lives here.
class TestPlatformNoBus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/cellcounters-test-bus");
        qunsetenv("DISPLAY");
    }

    // Reads give their defaults, writes write and report nothing, and a debug
    // line says why.
    void unreachable()
    {
        const QString key = QStringLiteral("/cellcounters-tests/nobus/key");
        LoGConfItem item(key);
        Cellular::CallTimers timers;
        QSignalSpy itemSpy(&item, &LoGConfItem::valueChanged);
        QSignalSpy timersSpy(&timers, &Cellular::CallTimers::timersUpdated);
        const QString why = QStringLiteral(" : .*D-BUS.*$");
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^LoGConfItem: cannot read \"%1\"").arg(key) + why));
        QCOMPARE(item.value(QVariant(3)), QVariant(3));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^LoGConfItem: cannot write \"%1\"").arg(key) + why));
        item.set(QStringLiteral("lost"));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^store unreachable: .*D-BUS")));
        QVERIFY(!timers.isValid());
        timers.clearTimers();
        QCOMPARE(timers.callUpdateTime(), 0u);
        QCoreApplication::processEvents();
        QCOMPARE(itemSpy.count() + timersSpy.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestPlatformNoBus)
#include "tst_platform_nobus.moc"
