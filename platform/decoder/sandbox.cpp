// SPDX-License-Identifier: MIT
// Resource limits and the seccomp filter of the picture decoder, on libseccomp.
#include "platform/decoder/sandbox.h"

#include "platform/decoder/decoder_protocol.h"

#include <seccomp.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace zp::decoder {

namespace {
// The address space the process holds now: the first field of /proc/self/statm, in pages.
long long addressSpaceNow()
{
    char text[64] = {};
    const int fd = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
    const ssize_t n = fd >= 0 ? ::read(fd, text, sizeof text - 1) : -1;
    if (fd >= 0)
        ::close(fd);
    return n > 0 ? std::atoll(text) * ::sysconf(_SC_PAGESIZE) : 0;
}

void lower(int resource, rlim_t value)
{
    rlimit now{};
    if (::getrlimit(resource, &now) != 0)
        return;
    now.rlim_max = std::min(now.rlim_max, value);
    now.rlim_cur = std::min(now.rlim_cur, now.rlim_max);
    ::setrlimit(resource, &now);
}

// What decoding needs once the plugins are loaded: reading the picture (also from a second
// thread), sizing, mapping and writing the memfd (pwrite: the picture is open read-only, and
// the other descriptors are a socket and the standard streams, which take no offset), memory, threads and
// their waits, signals to itself (abort), writing the reply and error text, lowering its own limits, ending.
constexpr int Allowed[] = {
    SCMP_SYS(read),
    SCMP_SYS(pread64),
    SCMP_SYS(pwrite64),
    SCMP_SYS(readv),
    SCMP_SYS(lseek),
    SCMP_SYS(fstat),
    SCMP_SYS(newfstatat),
    SCMP_SYS(statx),
    SCMP_SYS(fcntl),
    SCMP_SYS(ftruncate),
    SCMP_SYS(mmap),
    SCMP_SYS(munmap),
    SCMP_SYS(mremap),
    SCMP_SYS(mprotect),
    SCMP_SYS(madvise),
    SCMP_SYS(brk),
    SCMP_SYS(close),
    SCMP_SYS(recvmsg),
    SCMP_SYS(sendmsg),
    SCMP_SYS(sendto),
    SCMP_SYS(futex),
    SCMP_SYS(set_robust_list),
    SCMP_SYS(rseq),
    SCMP_SYS(gettid),
    SCMP_SYS(getpid),
    SCMP_SYS(sched_yield),
    SCMP_SYS(sched_getaffinity),
    SCMP_SYS(prctl),
    SCMP_SYS(sigaltstack),
    SCMP_SYS(rt_sigaction),
    SCMP_SYS(rt_sigprocmask),
    SCMP_SYS(rt_sigreturn),
    SCMP_SYS(tgkill),
    SCMP_SYS(clock_gettime),
    SCMP_SYS(clock_nanosleep),
    SCMP_SYS(nanosleep),
    SCMP_SYS(getrandom),
    SCMP_SYS(getrlimit),
    SCMP_SYS(setrlimit),
    SCMP_SYS(prlimit64),
    SCMP_SYS(sysinfo),
    SCMP_SYS(exit),
    SCMP_SYS(exit_group),
    SCMP_SYS(restart_syscall),
};
}   // namespace

void limitResources(long long extraBytes, double seconds)
{
#ifndef ZP_SANITIZE
    static const long long atStart = addressSpaceNow();   // first called before the filter
    lower(RLIMIT_AS, rlim_t(atStart + extraBytes));
#else
    (void)extraBytes;
#endif
    lower(RLIMIT_CPU, rlim_t(std::ceil(seconds)));
    lower(RLIMIT_CORE, 0);   // a crash is expected of a hostile picture, and no one reads its core
}

bool installSystemCallFilter()
{
    scmp_filter_ctx filter = ::seccomp_init(SCMP_ACT_KILL_PROCESS);
    bool ok = filter != nullptr;
    for (const int call : Allowed)
        ok = ok && ::seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 0) == 0;
    // Writing only to the error output and the reply socket; ioctl (isatty) answered "not a terminal".
    // Threads, but no new process: clone only with CLONE_THREAD, and clone3, whose flags a filter
    // cannot see, answered "not implemented" so that the C library falls back to clone.
    ok = ok &&
        ::seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(clone), 1,
                           SCMP_A0(SCMP_CMP_MASKED_EQ, CLONE_THREAD, CLONE_THREAD)) == 0 &&
        ::seccomp_rule_add(filter, SCMP_ACT_ERRNO(ENOSYS), SCMP_SYS(clone3), 0) == 0;
    for (const scmp_datum_t fd : {scmp_datum_t(STDERR_FILENO), scmp_datum_t(SocketFd)})
        ok = ok &&
            ::seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(write), 1, SCMP_A0(SCMP_CMP_EQ, fd)) == 0 &&
            ::seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(writev), 1, SCMP_A0(SCMP_CMP_EQ, fd)) == 0;
    ok = ok && ::seccomp_rule_add(filter, SCMP_ACT_ERRNO(ENOTTY), SCMP_SYS(ioctl), 0) == 0;
#ifdef ZP_SANITIZE
    // The sanitizers tell whether memory can be read by writing it into a pipe of their own.
    ok = ok && ::seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(pipe2), 0) == 0 &&
        ::seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(write), 0) == 0;
#endif
    ok = ok && ::seccomp_load(filter) == 0;
    ::seccomp_release(filter);
    return ok;
}

}   // namespace zp::decoder
