// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// The demo programs from the command line: each content of cellcounters-demo
// renders to a picture, the simulated phone reaches the store through the
// meter, and the catalogs the library installs fall back to English.
#include "datacounters.h"
#include "lolocale.h"
#include "teststore.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

class TestDemo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void screenshot_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("page") << QString();
        QTest::newRow("dialog") << QStringLiteral("--dialog");
        QTest::newRow("call timers") << QStringLiteral("--call-timers");
        // Its helpers start and end with it.
        QTest::newRow("simulated") << QStringLiteral("--simulate");
    }

    void screenshot()
    {
        QFETCH(QString, mode);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("shot.png"));
        QStringList arguments{QStringLiteral("--screenshot"), file, QStringLiteral("--locale"), QStringLiteral("en_GB")};
        if (!mode.isEmpty())
            arguments << mode;
        QProcess demo;
        demo.start(QStringLiteral(DEMO_PROGRAM), arguments);
        QVERIFY(demo.waitForFinished(60000));
        QVERIFY2(demo.exitStatus() == QProcess::NormalExit && demo.exitCode() == 0, demo.readAllStandardError());
        const QImage image(file);
        QVERIFY(!image.isNull());
        // Text on a background, not one flat colour.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() > 30, qPrintable(QString::number(colours.size())));
    }

    void simulatorRunsAndRemovesItsModem()
    {
        QProcess simulator;
        simulator.start(QStringLiteral(SIMULATE_PROGRAM),
                        {QStringLiteral("--steps"), QStringLiteral("3"), QStringLiteral("--interval"), QStringLiteral("20")});
        QVERIFY(simulator.waitForFinished(60000));
        QCOMPARE(simulator.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(simulator.readAllStandardOutput()).split(QLatin1Char('\n'));
        QVERIFY2(lines.size() >= 2 && lines.at(0).startsWith(QLatin1String("bus unix:"))
                     && lines.at(1).startsWith(QLatin1String("sysfs /")),
                 qPrintable(lines.join(QLatin1Char('|'))));
        QVERIFY(!QFileInfo::exists(lines.at(1).mid(6)));
    }

    // On this test's store, so that what the meter wrote is seen here.
    void simulatedTrafficReachesTheStore()
    {
        const QString key = QStringLiteral("/cellui/settings/datacounter/transfer/gprs_home_rx_bytes");
        QVERIFY(ExternalStore::setString(key, QStringLiteral("5000000000")));
        QVERIFY(ExternalStore::setString(QStringLiteral("/cellui/meter/interval"), QStringLiteral("1")));
        QProcess demo;
        demo.setProcessChannelMode(QProcess::ForwardedChannels);
        demo.start(QStringLiteral(DEMO_PROGRAM), {QStringLiteral("--user-store"), QStringLiteral("--simulate")});
        QTRY_VERIFY_WITH_TIMEOUT(ExternalStore::get(key).toULongLong() > 5000000000ULL, 30000);

        demo.terminate();
        QVERIFY(demo.waitForFinished(30000));
        QCOMPARE(demo.exitCode(), 0);
        QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
        QVERIFY(!bus->isServiceRegistered(QStringLiteral("org.cellcounters.Meter")));
    }

    // A language without a catalog of its own reads English; an unknown identifier comes back as it is.
    void catalogFallback_data()
    {
        QTest::addColumn<QString>("locale");
        for (const char *name : {"en_GB", "fi_FI", "de_DE", "ar_EG"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void catalogFallback()
    {
        QFETCH(QString, locale);
        LoLocale chosen(locale);
        chosen.installTrCatalog(QStringLiteral("cellular-adaptation"));
        chosen.installTrCatalog(QStringLiteral("libtessaro"));
        LoLocale::setDefault(chosen);
        QCOMPARE(qtTrId(DataCounters::DefaultResetDate), QStringLiteral("Never"));
        QCOMPARE(qtTrId(DataCounters::MBText).arg(7), QStringLiteral("7 MB"));
        QCOMPARE(qtTrId("qtn_cell_no_such_text"), QStringLiteral("qtn_cell_no_such_text"));
        using namespace DataCounters;
        for (const char *id : {DataCounters::DataCounters, DataTitle, HomeTitle, RoamingTitle, ResetText, LastResetText,
                               LimitWarningText, LimitText, SentText, ReceivedText, ResetConfirm, Reset, Done,
                               CallTimersTitle, CallTimersDialled, CallTimersReceived, CallTimersAll, CallTimersConfirm})
            QVERIFY2(!qtTrId(id).startsWith(QLatin1String("qtn_")), id);
    }
};

QTEST_GUILESS_MAIN(TestDemo)
#include "tst_demo.moc"
