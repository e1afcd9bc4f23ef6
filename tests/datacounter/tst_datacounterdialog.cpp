#include "datacounterdialog.h"

#include "countercontainer.h"
#include "datacounterwidget.h"
#include "settingsitem.h"
#include "storagekeys.h"

#include "teststore.h"
#include "testscene.h"
#include "messagecapture.h"

#include "lolabel.h"
#include "lolocale.h"
#include "loscenemanager.h"
#include "lotextedit.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>

namespace
{
// Every identifier comes back marked, so that a test sees which texts were looked up again.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *, const char *sourceText, const char *, int) const override
    {
        return QLatin1String("T:") + QLatin1String(sourceText);
    }
    bool isEmpty() const override { return false; }
};

DataCounterWidget *pageOf(DataCounterDialog *dialog)
{
    return qobject_cast<DataCounterWidget *>(dialog->centralWidget());
}

CounterContainer *sectionOf(DataCounterWidget *page, int type)
{
    return ItemFinder::find<CounterContainer>(page, QStringLiteral("CounterContainer_%1").arg(type));
}

QString stored(int key)
{
    return ExternalStore::get(StorageKeys::path(key));
}
} // namespace

class TestDataCounterDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void construction();
    void everyCloseAsksForValidity_data();
    void everyCloseAsksForValidity();
    void closeCommitsFields();
    void destruction();
    void languageChange();

private:
    QPointer<DataCounterDialog> m_dialog;
};

void TestDataCounterDialog::initTestCase()
{
    LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
}

void TestDataCounterDialog::init()
{
    QStringList paths;
    for (int key = StorageKeys::GprsHomeTxBytes; key <= StorageKeys::GprsRoamingLastReset; ++key)
        paths << StorageKeys::path(key);
    QVERIFY(ExternalStore::unset(paths));
    QVERIFY(StoreSync::flush());
}

void TestDataCounterDialog::cleanup()
{
    delete m_dialog;
    LoLocale::setDefault(LoLocale(QStringLiteral("en_GB")));
    QCoreApplication::processEvents();
}

void TestDataCounterDialog::construction()
{
    MessageCapture capture;
    m_dialog = new DataCounterDialog;
    QCOMPARE(capture.lines(QtDebugMsg).value(0),
             QStringLiteral("!-------------------------- DataCounterDialog::DataCounterDialog() --------------------------!"));

    QCOMPARE(m_dialog->metaObject()->className(), "DataCounterDialog");
    QCOMPARE(m_dialog->metaObject()->methodCount(), LoDialog::staticMetaObject.methodCount());
    QCOMPARE(m_dialog->title(), QStringLiteral("Data counters"));
    QVERIFY(!m_dialog->isButtonBoxVisible());
    DataCounterWidget *page = pageOf(m_dialog);
    QVERIFY(page);
    QVERIFY(!ItemFinder::find<LoLabel>(page, QStringLiteral("headerLabel")));

    // The page builds itself later, as on its own.
    QVERIFY(!sectionOf(page, 0));
    QTRY_VERIFY_WITH_TIMEOUT(sectionOf(page, 0), 5000);
}

void TestDataCounterDialog::everyCloseAsksForValidity_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("accept") << "accept";
    QTest::newRow("reject") << "reject";
    QTest::newRow("done") << "done";
    QTest::newRow("close") << "close";
}

void TestDataCounterDialog::everyCloseAsksForValidity()
{
    QFETCH(QString, how);
    m_dialog = new DataCounterDialog;
    QSignalSpy validity(pageOf(m_dialog), &DataCounterWidget::checkValidity);
    for (int round = 1; round <= 2; ++round) {
        m_dialog->appear();
        QCOMPARE(validity.count(), round - 1);
        if (how == QLatin1String("accept"))
            m_dialog->accept();
        else if (how == QLatin1String("reject"))
            m_dialog->reject();
        else if (how == QLatin1String("done"))
            m_dialog->done(5);
        else
            QVERIFY(m_dialog->close());
        QCOMPARE(validity.count(), round);
    }
}

void TestDataCounterDialog::closeCommitsFields()
{
    QVERIFY(ExternalStore::setString(StorageKeys::path(StorageKeys::GprsHomeNotificationPeriod), QStringLiteral("0")));
    QVERIFY(ExternalStore::setString(StorageKeys::path(StorageKeys::GprsHomeUiNotificationPeriod),
                                     QStringLiteral("5000000")));
    m_dialog = new DataCounterDialog;
    m_dialog->appear();
    DataCounterWidget *page = pageOf(m_dialog);
    page->announceDisplayEntered();
    LoTextEdit *field = ItemFinder::find<LoTextEdit>(sectionOf(page, 0), QStringLiteral("warningPeriodIput_0"));
    QCOMPARE(field->text(), QStringLiteral("5.0"));

    // The entered limit changes behind the page, and the user empties the field.
    QVERIFY(ExternalStore::setString(StorageKeys::path(StorageKeys::GprsHomeUiNotificationPeriod),
                                     QStringLiteral("9000000")));
    QVERIFY(StoreSync::flush());
    field->clear();

    m_dialog->reject();
    QCOMPARE(field->text(), QStringLiteral("5.0"));
    QCOMPARE(stored(StorageKeys::GprsHomeUiNotificationPeriod), QStringLiteral("5000000"));
    QCOMPARE(stored(StorageKeys::GprsHomeNotificationPeriod), QStringLiteral("0"));
}

void TestDataCounterDialog::destruction()
{
    m_dialog = new DataCounterDialog;
    QPointer<DataCounterWidget> page = pageOf(m_dialog);
    QTRY_VERIFY_WITH_TIMEOUT(sectionOf(page, 1), 5000);

    MessageCapture capture;
    delete m_dialog;
    QVERIFY(!page);
    QVERIFY(capture.lines(QtDebugMsg).contains(QStringLiteral("virtual DataCounterDialog::~DataCounterDialog()")));
}

void TestDataCounterDialog::languageChange()
{
    QVERIFY(ExternalStore::setString(StorageKeys::path(StorageKeys::GprsHomeLastReset), QStringLiteral("31.1.2026.0")));
    m_dialog = new DataCounterDialog;
    DataCounterWidget *page = pageOf(m_dialog);
    page->announceDisplayEntered();
    SettingsItem *resetItem = ItemFinder::find<SettingsItem>(sectionOf(page, 0), QStringLiteral("resetItem_0"));
    QTRY_COMPARE(resetItem->subtitle(), QStringLiteral("31 Jan 2026"));

    LoLocale german(QStringLiteral("de_DE"));
    german.installTrCatalog(QStringLiteral("cellular-adaptation"));
    LoLocale::setDefault(german);
    MarkingTranslator marking;
    QCoreApplication::installTranslator(&marking);
    QTRY_COMPARE(m_dialog->title(), QStringLiteral("T:qtn_comm_cellular_counters"));
    QTRY_COMPARE(resetItem->subtitle(), QStringLiteral("31.01.2026"));
    QCoreApplication::removeTranslator(&marking);
}

QTEST_MAIN(TestDataCounterDialog)
#include "tst_datacounterdialog.moc"
