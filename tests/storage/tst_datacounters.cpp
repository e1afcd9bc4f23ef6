#include "datacounters.h"
#include "mdebugstream.h"
#include "messagecapture.h"

#include <QtTest>

class TestDataCounters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void identifiers_data()
    {
        QTest::addColumn<QByteArray>("actual");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("DataCounters") << QByteArray(DataCounters::DataCounters) << QByteArray("qtn_comm_cellular_counters");
        QTest::newRow("DataTitle") << QByteArray(DataCounters::DataTitle) << QByteArray("qtn_cell_counter_data_title");
        QTest::newRow("HomeTitle") << QByteArray(DataCounters::HomeTitle) << QByteArray("qtn_cell_counter_psd_title");
        QTest::newRow("RoamingTitle") << QByteArray(DataCounters::RoamingTitle) << QByteArray("qtn_cell_counter_roaming_title");
        QTest::newRow("ResetText") << QByteArray(DataCounters::ResetText) << QByteArray("qtn_cell_reset_counters");
        QTest::newRow("LastResetText") << QByteArray(DataCounters::LastResetText) << QByteArray("qtn_cell_last_reset");
        QTest::newRow("LimitWarningText") << QByteArray(DataCounters::LimitWarningText) << QByteArray("qtn_cell_counter_display_warning");
        QTest::newRow("LimitText") << QByteArray(DataCounters::LimitText) << QByteArray("qtn_cell_counter_mb_title");
        QTest::newRow("DefaultResetDate") << QByteArray(DataCounters::DefaultResetDate) << QByteArray("qtn_cell_counters_never");
        QTest::newRow("SentText") << QByteArray(DataCounters::SentText) << QByteArray("qtn_cell_counter_sent");
        QTest::newRow("ReceivedText") << QByteArray(DataCounters::ReceivedText) << QByteArray("qtn_cell_counter_received");
        QTest::newRow("MBText") << QByteArray(DataCounters::MBText) << QByteArray("qtn_comm_megabytes");
        QTest::newRow("ResetConfirm") << QByteArray(DataCounters::ResetConfirm) << QByteArray("qtn_cell_reset_counters_question");
        QTest::newRow("Reset") << QByteArray(DataCounters::Reset) << QByteArray("qtn_cell_reset");
        QTest::newRow("Done") << QByteArray(DataCounters::Done) << QByteArray("qtn_comm_command_done");
        QTest::newRow("CallTimersTitle") << QByteArray(DataCounters::CallTimersTitle) << QByteArray("qtn_cell_call_timers");
        QTest::newRow("CallTimersDialled") << QByteArray(DataCounters::CallTimersDialled) << QByteArray("qtn_cell_dialled");
        QTest::newRow("CallTimersReceived") << QByteArray(DataCounters::CallTimersReceived) << QByteArray("qtn_cell_received");
        QTest::newRow("CallTimersAll") << QByteArray(DataCounters::CallTimersAll) << QByteArray("qtn_cell_all");
        QTest::newRow("CallTimersConfirm") << QByteArray(DataCounters::CallTimersConfirm) << QByteArray("qtn_cell_clear_timers_question");
        QTest::newRow("FORMAT") << QByteArray(FORMAT) << QByteArray("yyyy-MM-dd");
    }

    void identifiers()
    {
        QFETCH(QByteArray, actual);
        QFETCH(QByteArray, expected);
        QCOMPARE(actual, expected);
    }

    // Without a catalog an identifier comes back as it is.
    void untranslatedIdentifier()
    {
        QCOMPARE(qtTrId(DataCounters::DefaultResetDate), QStringLiteral("qtn_cell_counters_never"));
    }

    void debugLines_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("line");
        QTest::newRow("number") << 0 << "A: 5";
        QTest::newRow("string quoted, marker not") << 1 << "void Foo::bar(int): -> \"12.0\"";
        QTest::newRow("labels and bool") << 2 << "Sig: stored: QVariant(int, 3) def: true";
        QTest::newRow("text alone") << 3 << "virtual Foo::~Foo():";
        QTest::newRow("non-latin text") << 4 << QStringLiteral("x: \"\u0661\"");
    }

    void debugLines()
    {
        QFETCH(int, kind);
        QFETCH(QString, line);
        MessageCapture capture;
        switch (kind) {
        case 0:
            mDebugStream(QStringLiteral("A")) << 5;
            break;
        case 1:
            mDebugStream(QStringLiteral("void Foo::bar(int)")) << "->" << QStringLiteral("12.0");
            break;
        case 2:
            mDebugStream(QStringLiteral("Sig")) << "stored:" << QVariant(3) << "def:" << true;
            break;
        case 3:
            mDebugStream(QStringLiteral("virtual Foo::~Foo()"));
            break;
        case 4:
            mDebugStream(QStringLiteral("x")) << QStringLiteral("\u0661");
            break;
        }
        QCOMPARE(capture.lines(), QStringList{line});
        QCOMPARE(capture.lines(QtDebugMsg).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDataCounters)
#include "tst_datacounters.moc"
