// cellcounters-demo rendering headless: each of its three contents comes out
// as a phone-sized PNG with something drawn on it, locales change what is
// drawn, and the store of the session it was started in is left alone.
#include "teststore.h"

#include <QColor>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QSize PhoneSize(480, 854);
const QString HomeRx = QStringLiteral("/cellui/settings/datacounter/transfer/gprs_home_rx_bytes");

struct Run {
    int status = -1;
    QString output;
    QString errors;
};

Run runDemo(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(DEMO_PROGRAM), arguments);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    if (process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    return run;
}

// Share of pixels that differ from the most common colour (the background),
// and the number of distinct colours: text and frames give many of both.
void measure(const QImage &image, double *drawn, int *colours)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++counts[line[x]];
    }
    int background = 0;
    for (int count : qAsConst(counts))
        background = qMax(background, count);
    const int total = image.width() * image.height();
    *drawn = double(total - background) / total;
    *colours = counts.size();
}

} // namespace

class TestDemo : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir mDir;

    QImage screenshot(const QStringList &arguments, const QString &name)
    {
        const QString file = mDir.filePath(name + QStringLiteral(".png"));
        QFile::remove(file);
        const Run run = runDemo(QStringList{QStringLiteral("--screenshot"), file} + arguments);
        if (run.status != 0) {
            qWarning() << "demo failed" << run.status << run.errors;
            return QImage();
        }
        if (!run.output.contains(file))
            qWarning() << "the demo did not name its file:" << run.output;
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(mDir.isValid());
    }

    void cleanup()
    {
        ExternalStore::run({QStringLiteral("--recursive-unset"), QStringLiteral("/cellui")});
        ExternalStore::run({QStringLiteral("--recursive-unset"), QStringLiteral("/cellular")});
    }

    void screenshot_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("page, own store") << QStringList{QStringLiteral("--locale"), QStringLiteral("en_GB")};
        QTest::newRow("page, session store")
            << QStringList{QStringLiteral("--user-store"), QStringLiteral("--locale"), QStringLiteral("en_GB")};
        QTest::newRow("dialog") << QStringList{QStringLiteral("--dialog"), QStringLiteral("--locale"), QStringLiteral("en_US")};
        QTest::newRow("call timers")
            << QStringList{QStringLiteral("--call-timers"), QStringLiteral("--locale"), QStringLiteral("en_GB")};
        QTest::newRow("page, right to left")
            << QStringList{QStringLiteral("--locale"), QStringLiteral("ar_EG")};
        QTest::newRow("dialog, right to left")
            << QStringList{QStringLiteral("--dialog"), QStringLiteral("--locale"), QStringLiteral("he_IL")};
    }
    void screenshot()
    {
        QFETCH(QStringList, arguments);
        const QImage image = this->screenshot(arguments, QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), PhoneSize);
        double drawn = 0;
        int colours = 0;
        measure(image, &drawn, &colours);
        // Not blank, not one flat colour: rows of antialiased text on a background.
        QVERIFY2(drawn > 0.02 && drawn < 0.9, qPrintable(QString::number(drawn)));
        QVERIFY2(colours > 30, qPrintable(QString::number(colours)));
    }

    void contentFollowsStoreAndLocale()
    {
        const QImage seeded = screenshot({QStringLiteral("--locale"), QStringLiteral("en_GB")}, QStringLiteral("seeded"));
        const QImage empty = screenshot({QStringLiteral("--user-store"), QStringLiteral("--locale"), QStringLiteral("en_GB")},
                                        QStringLiteral("empty"));
        const QImage arabic = screenshot({QStringLiteral("--locale"), QStringLiteral("ar_EG")}, QStringLiteral("arabic"));
        QVERIFY(!seeded.isNull() && !empty.isNull() && !arabic.isNull());
        // The seeded amounts and dates show; another locale draws other text.
        QVERIFY(seeded != empty);
        QVERIFY(seeded != arabic);
        // The same store and locale draw the same page.
        const QImage again = screenshot({QStringLiteral("--locale"), QStringLiteral("en_GB")}, QStringLiteral("again"));
        QCOMPARE(again, seeded);
    }

    void simulationMovesThePage()
    {
        const QImage still = screenshot({QStringLiteral("--locale"), QStringLiteral("en_GB")}, QStringLiteral("still"));
        const QImage moving = screenshot({QStringLiteral("--locale"), QStringLiteral("en_GB"), QStringLiteral("--simulate"),
                                          QStringLiteral("--delay"), QStringLiteral("2500")},
                                         QStringLiteral("moving"));
        QVERIFY(!still.isNull() && !moving.isNull());
        // Seconds of calls and megabytes have been added meanwhile.
        QVERIFY(still != moving);
    }

    void sessionStoreLeftAlone()
    {
        // The demo's own store is a different one: nothing reaches this session's.
        QVERIFY(!screenshot({QStringLiteral("--locale"), QStringLiteral("en_GB")}, QStringLiteral("own")).isNull());
        bool isSet = true;
        ExternalStore::get(HomeRx, &isSet);
        QVERIFY(!isSet);
        // The session's store is shown as it is, not seeded.
        QVERIFY(!screenshot({QStringLiteral("--user-store")}, QStringLiteral("session")).isNull());
        ExternalStore::get(HomeRx, &isSet);
        QVERIFY(!isSet);
    }

    void refusedArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("two contents") << QStringList{QStringLiteral("--dialog"), QStringLiteral("--call-timers")};
        QTest::newRow("unknown locale") << QStringList{QStringLiteral("--locale"), QStringLiteral("xx_NOWHERE")};
        QTest::newRow("bad delay") << QStringList{QStringLiteral("--delay"), QStringLiteral("later")};
    }
    void refusedArguments()
    {
        QFETCH(QStringList, arguments);
        const QString file = mDir.filePath(QStringLiteral("refused.png"));
        const Run run = runDemo(QStringList{QStringLiteral("--user-store"), QStringLiteral("--screenshot"), file} + arguments);
        QCOMPARE(run.status, 2);
        QVERIFY(run.errors.contains(QLatin1String("cellcounters-demo:")));
        QVERIFY(!QFile::exists(file));
    }
};

QTEST_GUILESS_MAIN(TestDemo)
#include "tst_demo.moc"
