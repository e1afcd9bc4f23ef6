#include "calltimersdialog.h"
#include "calltimerscontainer.h"
#include "datacounters.h"
#include "settingsitem.h"

#include "teststore.h"
#include "testscene.h"

#include "lolocale.h"
#include "loscenemanager.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString DialledKey = QStringLiteral("/cellular/calltimers/dialled");

void useCatalog(bool on)
{
    LoLocale locale(QStringLiteral("en_GB"));
    if (on)
        locale.installTrCatalog(QStringLiteral("cellular-adaptation"));
    LoLocale::setDefault(locale);
}

CallTimersContainer *containerOf(CallTimersDialog &dialog)
{
    return qobject_cast<CallTimersContainer *>(dialog.centralWidget());
}

} // namespace

class TestCallTimersDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void metaObject();
    void construction();
    void retranslation();
    void sectionIsLive();
    void shownAndClosedByHost();
    void render();
};

void TestCallTimersDialog::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("gconftool-2")).isEmpty())
        QSKIP("gconftool-2 is needed to write the store from another process");
    useCatalog(true);
    QCoreApplication::processEvents();
}

void TestCallTimersDialog::init()
{
    QVERIFY(ExternalStore::run({QStringLiteral("--recursive-unset"), QStringLiteral("/cellular/calltimers")}));
    QVERIFY(StoreSync::flush());
}

void TestCallTimersDialog::metaObject()
{
    const QMetaObject &mo = CallTimersDialog::staticMetaObject;
    QCOMPARE(mo.className(), "CallTimersDialog");
    QCOMPARE(mo.superClass(), &LoDialog::staticMetaObject);
    QCOMPARE(mo.methodCount(), mo.methodOffset());
    QCOMPARE(mo.propertyCount(), mo.propertyOffset());
}

void TestCallTimersDialog::construction()
{
    CallTimersDialog dialog;
    QVERIFY(!dialog.isButtonBoxVisible());
    QCOMPARE(dialog.title(), QStringLiteral("Call timers"));
    QVERIFY(!dialog.isAppeared()); // the host shows it

    CallTimersContainer *container = containerOf(dialog);
    QVERIFY(container);
    QCOMPARE(container->objectName(), QStringLiteral("CallTimersContainer"));
    QVERIFY(dialog.isAncestorOf(container));
    QCOMPARE(container->title(), QStringLiteral("Call timers"));
    QCOMPARE(ItemFinder::findAll<CallTimersContainer>(&dialog).size(), 1);
}

void TestCallTimersDialog::retranslation()
{
    CallTimersDialog dialog;
    QCOMPARE(dialog.title(), QStringLiteral("Call timers"));

    useCatalog(false);
    QTRY_COMPARE(dialog.title(), QString::fromLatin1(DataCounters::CallTimersTitle));
    QCOMPARE(containerOf(dialog)->title(), QString::fromLatin1(DataCounters::CallTimersTitle));

    useCatalog(true);
    QTRY_COMPARE(dialog.title(), QStringLiteral("Call timers"));
    QCOMPARE(containerOf(dialog)->title(), QStringLiteral("Call timers"));
}

void TestCallTimersDialog::sectionIsLive()
{
    QPointer<CallTimersContainer> container;
    {
        CallTimersDialog dialog;
        container = containerOf(dialog);
        auto *dialled = ItemFinder::find<SettingsItem>(container, QStringLiteral("timersDialed"));
        QVERIFY(dialled);
        QVERIFY(ExternalStore::setString(DialledKey, QStringLiteral("3600")));
        QTRY_COMPARE(dialled->subtitle(), QStringLiteral("01:00:00"));
    }
    // The section went with the dialog, and so did its listeners.
    QVERIFY(container.isNull());
    QVERIFY(ExternalStore::setString(DialledKey, QStringLiteral("7200")));
    QVERIFY(StoreSync::flush());
}

void TestCallTimersDialog::shownAndClosedByHost()
{
    QPointer<CallTimersDialog> dialog = new CallTimersDialog;
    QSignalSpy finished(dialog.data(), SIGNAL(finished(int)));
    dialog->appear(LoSceneWindow::DestroyWhenDone);
    QVERIFY(LoSceneManager::instance()->windows().contains(dialog.data()));
    QVERIFY(dialog->close());
    QCOMPARE(finished.count(), 1);
    QTRY_VERIFY(dialog.isNull());
}

void TestCallTimersDialog::render()
{
    QVERIFY(ExternalStore::setString(DialledKey, QStringLiteral("4294967295")));
    CallTimersDialog dialog;
    dialog.appear(); // windows are hidden until shown
    const QImage image = SceneShot::render(&dialog);
    dialog.disappear();
    SceneShot::save(image, QStringLiteral("calltimersdialog"));
    QVERIFY(!image.isNull());
    const QRgb background = SceneShot::dominantColor(image);
    const QRect area = SceneShot::toImage(&dialog, containerOf(dialog));
    QVERIFY(!area.isEmpty());
    QVERIFY(SceneShot::inkPixels(image, area, background) > 100);
}

QTEST_MAIN(TestCallTimersDialog)
#include "tst_calltimersdialog.moc"
