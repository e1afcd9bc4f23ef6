// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#ifndef HELPERPROCESS_H
#define HELPERPROCESS_H

#include <QProcess>

#include <sys/types.h>

/**
 * A program that the demo runs beside itself (the traffic simulator, the
 * meter, the notifier). It is ended when the application quits, and on Linux
 * it is sent SIGTERM when the demo dies without quitting (killed, or crashed).
 */
class HelperProcess : public QProcess
{
    Q_OBJECT
public:
    /**
     * The program @p name, found by ProgramLocator, with the demo's output
     * channels; set them, or its environment, before launch().
     */
    HelperProcess(const QString &name, QObject *parent);

    /** Starts it; false (and a message) when it does not start. */
    bool launch(const QStringList &arguments = QStringList());

    /** Asks it to end, and kills it if it does not within two seconds. */
    void end();

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
protected:
    void setupChildProcess() override;
#endif

private:
    const pid_t m_parent;
};

#endif
