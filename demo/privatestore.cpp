// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

#include "privatestore.h"

#include <QByteArray>
#include <QDir>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const char MarkerVariable[] = "CELLCOUNTERS_DEMO_PRIVATE_STORE";

pid_t child = -1;

// The session (dbus-run-session, its bus, the demo inside and the demo's
// helpers) runs in a process group of its own, and a signal to this process is
// passed on to all of it: the demo quits as when its window is closed, and the
// bus does not outlive it. Ctrl+C reaches this process alone, and so is passed on too.
void forwardSignal(int signal)
{
    if (child > 0)
        ::kill(-child, signal);
}

QByteArray selfExecutable()
{
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0)
        return QByteArray();
    return QByteArray(path, int(length));
}

} // namespace

bool PrivateStore::isActive()
{
    return qEnvironmentVariableIsSet(MarkerVariable);
}

int PrivateStore::run(int argc, char **argv)
{
    QByteArray home = QDir::tempPath().toLocal8Bit() + "/cellcounters-demo.XXXXXX";
    if (!::mkdtemp(home.data())) {
        std::perror("cellcounters-demo: temporary home");
        return 127;
    }
    const QByteArray program = selfExecutable();
#ifdef Q_OS_LINUX
    // What the session's bus starts is orphaned when the bus ends: it comes to
    // this process instead of init, which is how its end is seen.
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
#endif

    child = ::fork();
    if (child < 0) {
        std::perror("cellcounters-demo: fork");
        QDir(QString::fromLocal8Bit(home)).removeRecursively();
        return 127;
    }
    if (child == 0) {
        ::setpgid(0, 0);
        ::setenv("HOME", home.constData(), 1);
        const QByteArray config = home + "/.config";
        const QByteArray data = home + "/.local/share";
        const QByteArray cache = home + "/.cache";
        const QByteArray runtime = home + "/run";
        ::setenv("XDG_CONFIG_HOME", config.constData(), 1);
        ::setenv("XDG_DATA_HOME", data.constData(), 1);
        ::setenv("XDG_CACHE_HOME", cache.constData(), 1);
        ::mkdir(runtime.constData(), 0700);
        ::setenv("XDG_RUNTIME_DIR", runtime.constData(), 1);
        ::setenv(MarkerVariable, "1", 1);
        ::unsetenv("DBUS_SESSION_BUS_ADDRESS");

        std::vector<char *> args;
        args.push_back(const_cast<char *>("dbus-run-session"));
        args.push_back(const_cast<char *>("--"));
        args.push_back(const_cast<char *>(program.isEmpty() ? argv[0] : program.constData()));
        for (int i = 1; i < argc; ++i)
            args.push_back(argv[i]);
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        std::fprintf(stderr, "cellcounters-demo: cannot start dbus-run-session (package dbus): %s\n",
                     std::strerror(errno));
        ::_exit(127);
    }

    // Also here, so that no signal comes before the group exists.
    ::setpgid(child, child);
    struct sigaction action = {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);

    int status = 0;
    pid_t done;
    do {
        done = ::waitpid(child, &status, 0);
    } while (done < 0 && errno == EINTR);

    // The store's daemon, started by the bus, outlives the session in its group
    // and writes its data out as it ends: the folder goes after it.
    ::kill(-child, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        const pid_t gone = ::waitpid(-child, nullptr, WNOHANG);
        if (gone < 0 && errno == ECHILD)
            break;
        if (gone == 0)
            ::usleep(20000);
    }
    QDir(QString::fromLocal8Bit(home)).removeRecursively();
    if (done < 0)
        return 127;
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return 128 + WTERMSIG(status);
}
