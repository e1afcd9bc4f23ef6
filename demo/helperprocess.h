// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef HELPERPROCESS_H
#define HELPERPROCESS_H

#include <QProcess>

#include <sys/types.h>

/**
 * A program that the demo runs beside itself (the traffic simulator, the
 * notifier). It is ended when the application quits, and on Linux it is sent
 * SIGTERM when the demo dies without quitting (killed, or crashed).
 */
class HelperProcess : public QProcess
{
    Q_OBJECT
public:
    /**
     * Starts @p name from the demo's own folder, else from the build tree, else
     * from PATH, with the demo's output channels; nullptr (and a message) when
     * it does not start.
     */
    static HelperProcess *launch(const QString &name, QObject *parent);

protected:
    void setupChildProcess() override;

private:
    explicit HelperProcess(QObject *parent);

    const pid_t m_parent;
};

#endif
