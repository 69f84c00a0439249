// SPDX-License-Identifier: MIT
// Starting, feeding, watching and ending the picture decoder process.
#include "platform/qt/decoder_process.h"

#include "platform/decoder/decoder_spawn.h"
#include "platform/qt/picture_bounds.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <optional>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zp {

// What one wait for a reply allows the decoder.
struct DecodeBound {
    double seconds;            // of work for this reply: the clock allows ClockPerProcessorSecond times more
    double processorSeconds;   // in all, since the decoder started
    long long memory;          // resident
};

namespace {
using namespace decoder;

// Resident memory the decoder holds before it decodes (Qt, the plugins and their libraries;
// more under the sanitizers), above what decodeMemory allows for the picture.
constexpr long long BaseMemory = 160LL << 20;
constexpr int WatchMs = 50;

double now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

Refusal systemReason(const char* what)
{
    return {QString::fromUtf8(what) + ": " + QString::fromLocal8Bit(std::strerror(errno))};
}

// Resident memory of process `pid` in bytes (the second field of /proc/PID/statm); 0 if unknown.
long long residentBytes(pid_t pid)
{
    QFile statm(QStringLiteral("/proc/%1/statm").arg(pid));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLongLong() * ::sysconf(_SC_PAGESIZE);
}

// Processor seconds process `pid` has used (utime and stime of /proc/PID/stat); 0 if unknown.
double processorSeconds(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');   // from the state on
    return double(fields.value(11).toLongLong() + fields.value(12).toLongLong()) /
        double(::sysconf(_SC_CLK_TCK));
}

enum class Wait { Ready, TimedOut, OverMemory, Interrupted };

// Waits until `fd` can be read, checking every WatchMs the processor time, the clock and the
// memory of `pid` against `bound`. With an application, its events go on meanwhile (the window
// paints and answers); its end (the window closed) interrupts the wait.
Wait waitReadable(int fd, const DecodeBound& bound, pid_t pid)
{
    const double deadline = now() + bound.seconds * ClockPerProcessorSecond;
    const auto overdue = [&]() -> std::optional<Wait> {
        if (now() >= deadline || processorSeconds(pid) >= bound.processorSeconds)
            return Wait::TimedOut;
        if (residentBytes(pid) > bound.memory)
            return Wait::OverMemory;
        return std::nullopt;
    };
    if (!QCoreApplication::instance()) {
        for (pollfd p{fd, POLLIN, 0};; p.revents = 0) {
            if (::poll(&p, 1, WatchMs) > 0)
                return Wait::Ready;
            if (const auto end = overdue())
                return *end;
        }
    }
    std::optional<Wait> result;
    QEventLoop loop;
    QSocketNotifier readable(fd, QSocketNotifier::Read);
    QTimer watch;
    QObject::connect(&readable, &QSocketNotifier::activated, &loop, [&] {
        result = result.value_or(Wait::Ready);
        loop.quit();
    });
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        if (!result && (result = overdue()))
            loop.quit();
    });
    watch.start(WatchMs);
    loop.exec();
    return result.value_or(Wait::Interrupted);
}
}   // namespace

Result<std::unique_ptr<DecoderProcess>> DecoderProcess::start(const QString& program)
{
    const Spawned spawned = spawnDecoder(QFile::encodeName(program).toStdString());
    if (spawned.pid < 0)
        return systemReason("cannot start the picture decoder");
    return std::make_unique<DecoderProcess>(spawned.pid, spawned.socket);
}

DecoderProcess::~DecoderProcess()
{
    ::close(socket_);
    if (memfd_ >= 0)
        ::close(memfd_);
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

// Kills the process, if it still runs, and says why it ended.
QString DecoderProcess::endReason()
{
    if (pid_ <= 0)
        return QStringLiteral("the picture decoder has ended");
    ::kill(pid_, SIGKILL);
    int status = 0;
    if (::waitpid(pid_, &status, 0) != pid_)
        return QStringLiteral("the picture decoder was lost");
    pid_ = -1;   // reaped: the destructor must not signal a number the system may reuse
    if (WIFEXITED(status))
        return QStringLiteral("the picture decoder ended without a picture (exit status %1)")
            .arg(WEXITSTATUS(status));
    const int signal = WTERMSIG(status);
    if (signal == SIGSYS)
        return QStringLiteral("the picture decoder made a system call its filter forbids");
    if (signal == SIGXCPU)
        return QStringLiteral("the picture decoder ran out of processor time");
    return QStringLiteral("the picture decoder crashed (%1)")
        .arg(QString::fromLocal8Bit(::strsignal(signal)));
}

Result<Reply> DecoderProcess::nextReply(const DecodeBound& bound)
{
    switch (waitReadable(socket_, bound, pid_)) {
    case Wait::TimedOut: endReason(); return Refusal{QStringLiteral("the picture took too long to decode")};
    case Wait::OverMemory:
        endReason();
        return Refusal{QStringLiteral("the picture took too much memory to decode")};
    case Wait::Interrupted: endReason(); return Refusal{QStringLiteral("the program is closing")};
    case Wait::Ready: break;
    }
    Reply reply;
    const ssize_t n = ::recv(socket_, &reply, sizeof reply, MSG_DONTWAIT);
    if (n == 0 || (n < 0 && errno != EAGAIN))
        return Refusal{endReason()};
    if (n != sizeof reply || reply.magic != Magic)
        return Refusal{QStringLiteral("the picture decoder's reply is malformed")};
    reply.reason[sizeof reply.reason - 1] = 0;
    return reply;
}

Result<> DecoderProcess::begin(int file, const QString& name)
{
    memfd_ = ::memfd_create("zp-picture", MFD_CLOEXEC);
    if (memfd_ < 0)
        return systemReason("no shared memory for the picture");
    if (!sendRequest(socket_, file, memfd_, QFile::encodeName(name).toStdString()))
        return Refusal{endReason()};
    return Done{};
}

Result<DecodedPixels> DecoderProcess::finish()
{
    DecodedPixels pixels;
    std::swap(pixels.memfd, memfd_);
    Result<Reply> reply = Refusal{QStringLiteral("the picture decoder has ended")};
    if (pid_ > 0)
        reply =
            nextReply({HeaderSeconds, HeaderSeconds, BaseMemory + decodeMemory(MaxPictureBytes, MaxCopies)});
    if (reply && reply->kind == ReplyKind::Size) {
        const long long pixelCount = 1LL * reply->width * reply->height;
        const double seconds = decodeSeconds(pixelCount);
        reply =
            nextReply({seconds, HeaderSeconds + seconds,
                       BaseMemory + decodeMemory(4 * pixelCount, std::clamp(reply->copies, 0, MaxCopies))});
    }
    if (pid_ > 0)
        endReason();   // one picture each: the pixels are no one else's once it has ended
    if (reply && (reply->kind == ReplyKind::Picture || reply->kind == ReplyKind::Declined)) {
        pixels.reply = *reply;
        if (reply->kind == ReplyKind::Declined)
            pixels.memfd = (::close(pixels.memfd), -1);
        return pixels;
    }
    ::close(pixels.memfd);
    if (!reply)
        return reply.refusal();
    return Refusal{reply->kind == ReplyKind::Refused
                       ? QString::fromUtf8(reply->reason)
                       : QStringLiteral("the picture decoder's reply is malformed")};
}

}   // namespace zp
