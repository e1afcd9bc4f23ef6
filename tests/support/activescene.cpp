#include "activescene.h"

#include <QCoreApplication>
#include <QtTest>

ActiveScene::ActiveScene()
    : m_view(&m_scene)
{
    m_view.setFrameShape(QFrame::NoFrame);
    m_view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view.resize(480, 854);
    m_scene.setSceneRect(0, 0, 480, 854);
}

bool ActiveScene::activate()
{
    m_view.show();
    if (!QTest::qWaitForWindowExposed(&m_view))
        return false;
    m_view.activateWindow();
    const bool activated = QTest::qWaitForWindowActive(&m_view, 1000);
    Q_UNUSED(activated)
    if (!m_scene.isActive()) {
        // Platforms without window activation: tell the scene directly.
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&m_scene, &activate);
    }
    return m_scene.isActive();
}
