#ifndef STOREWRITERPROCESS_H
#define STOREWRITERPROCESS_H

#include <QProcess>
#include <QString>

/**
 * Drives the store writer program (tools/storewriter.cpp) in a separate
 * process: one start, then any number of commands. Unlike a gconftool-2 run
 * per write, the writer keeps its connection to the store, so that it can
 * write thousands of values as fast as the store takes them.
 *
 * The calls that wait keep the caller's event loop turning, so that the
 * caller keeps receiving the store's notifications meanwhile.
 */
class StoreWriterProcess
{
public:
    explicit StoreWriterProcess(const QString &program);
    ~StoreWriterProcess();

    bool start();

    /** Sends @p command and waits for its answer ("ok" or "done"); false on "error" or a timeout. */
    bool run(const QString &command, int timeoutMs = 60000);

    /** Sends @p command without waiting; waitForAnswer() collects its answer. */
    bool send(const QString &command);
    bool waitForAnswer(int timeoutMs = 60000);

    /** "burst KEY N FIRST STEP": N string values FIRST, FIRST+STEP, ... written to @p key. */
    static QString burst(const QString &key, int count, qulonglong first, qulonglong step = 1);

private:
    QString m_program;
    QProcess m_process;
};

#endif
