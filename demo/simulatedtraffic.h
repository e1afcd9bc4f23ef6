// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef SIMULATEDTRAFFIC_H
#define SIMULATEDTRAFFIC_H

#include <QObject>

class HelperProcess;

/**
 * The phone in use, counted as on a phone: cellcounters-simulate runs a
 * simulated modem and uses it, and cellcounters-meter, started against that
 * modem's bus and interfaces, advances the counters of the demo's store.
 */
class SimulatedTraffic : public QObject
{
    Q_OBJECT
public:
    explicit SimulatedTraffic(QObject *parent = nullptr);
    ~SimulatedTraffic() override;

    /** Starts the simulator; the meter follows once its modem is up. False when it does not start. */
    bool start();

public Q_SLOTS:
    /** Registers the simulated modem on a visited network, or back home. */
    void setRoaming(bool roaming);

private:
    void readSimulator();
    void startMeter();

    HelperProcess *mSimulator = nullptr;
    HelperProcess *mMeter = nullptr;
    QString mBusAddress;
    QString mSysfs;
};

#endif
