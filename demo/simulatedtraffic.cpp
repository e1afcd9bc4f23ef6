// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "simulatedtraffic.h"

#include "helperprocess.h"

#include <QCoreApplication>
#include <QProcessEnvironment>

SimulatedTraffic::SimulatedTraffic(QObject *parent)
    : QObject(parent)
{
}

SimulatedTraffic::~SimulatedTraffic() = default;

bool SimulatedTraffic::start()
{
    mSimulator = new HelperProcess(QStringLiteral("cellcounters-simulate"), this);
    // Its output names the modem's bus and interfaces; its input takes the network.
    mSimulator->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(mSimulator, &QProcess::readyReadStandardOutput, this, &SimulatedTraffic::readSimulator);
    // The meter ends before the modem it follows, which would otherwise go first.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (mMeter)
            mMeter->end();
    });
    return mSimulator->launch();
}

void SimulatedTraffic::setRoaming(bool roaming)
{
    if (mSimulator)
        mSimulator->write(roaming ? "roaming\n" : "home\n");
}

void SimulatedTraffic::readSimulator()
{
    while (mSimulator->canReadLine()) {
        const QString line = QString::fromUtf8(mSimulator->readLine()).trimmed();
        const QString value = line.section(QLatin1Char(' '), 1);
        if (line.startsWith(QLatin1String("bus ")))
            mBusAddress = value;
        else if (line.startsWith(QLatin1String("sysfs ")))
            mSysfs = value;
    }
    if (!mMeter && !mBusAddress.isEmpty() && !mSysfs.isEmpty())
        startMeter();
}

void SimulatedTraffic::startMeter()
{
    mMeter = new HelperProcess(QStringLiteral("cellcounters-meter"), this);
    // The modem's bus is the meter's system bus; the session, and so the store, stays the demo's.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), mBusAddress);
    mMeter->setProcessEnvironment(environment);
    mMeter->launch({QStringLiteral("--sysfs"), mSysfs});
}
