// SPDX-License-Identifier: MIT
// Part of a test run in a child process: as another user, under a file size limit, or with a system
// call that fails; what the child reports comes back as text, and so does a child ended by a signal.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <functional>

#include <grp.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zp::test {

constexpr uid_t Nobody = 65534;

struct ChildSetup {
    uid_t user = 0;                         // the child's user and group
    rlim_t fileSizeLimit = RLIM_INFINITY;   // RLIMIT_FSIZE in bytes
    int failingCall = -1;                   // a system call number that fails with EIO
};

namespace detail {
inline bool failWithEio(int call)
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, unsigned(call), 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EIO),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{4, filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
        prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

inline bool setUp(const ChildSetup& s)
{
    const rlimit limit{s.fileSizeLimit, RLIM_INFINITY};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0 &&
        (s.user == 0 || (setgroups(0, nullptr) == 0 && setgid(s.user) == 0 && setuid(s.user) == 0)) &&
        (s.failingCall < 0 || failWithEio(s.failingCall));
}
}   // namespace detail

// The text `body` returns in a child process set up as `setup`, or how the child ended otherwise.
// A child that hangs is ended after 20 s.
inline QString inChild(const ChildSetup& setup, const std::function<QString()>& body)
{
    int fds[2];
    if (pipe(fds) != 0)
        return QStringLiteral("no pipe");
    const pid_t pid = fork();
    if (pid == 0) {
        ::close(fds[0]);
        alarm(20);
        const QByteArray text = detail::setUp(setup) ? body().toUtf8() : "cannot set the child up";
        _exit(::write(fds[1], text.data(), text.size()) == text.size() ? 0 : 1);
    }
    ::close(fds[1]);
    QByteArray text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, n);
    ::close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFSIGNALED(status) ? QStringLiteral("ended by signal %1").arg(WTERMSIG(status))
                               : QString::fromUtf8(text);
}

}   // namespace zp::test
