// SPDX-License-Identifier: MIT
// Starting a picture decoder and sending it its picture.
#include "platform/decoder/decoder_spawn.h"

#include "platform/decoder/decoder_protocol.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <unistd.h>

extern char** environ;

namespace zp::decoder {

Spawned spawnDecoder(const std::string& program)
{
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, pair) != 0)
        return {};
    // dup2 onto the same number would keep close-on-exec, so the child's end must not be 3 already.
    if (pair[1] == SocketFd) {
        const int moved = ::fcntl(pair[1], F_DUPFD_CLOEXEC, SocketFd + 1);
        ::close(pair[1]);
        pair[1] = moved;
    }
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, pair[1], SocketFd);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = -1;
    const int error = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(pair[1]);
    if (error != 0) {
        ::close(pair[0]);
        errno = error;
        return {};
    }
    return {pid, pair[0]};
}

bool sendRequest(int socket, int file, int memfd, const std::string& name)
{
    RequestMessage m;
    std::memcpy(m.request.name, name.data(), std::min(name.size(), sizeof m.request.name - 1));
    const int fds[2] = {file, memfd};
    cmsghdr* c = CMSG_FIRSTHDR(&m.message);
    c->cmsg_level = SOL_SOCKET;
    c->cmsg_type = SCM_RIGHTS;
    c->cmsg_len = CMSG_LEN(sizeof fds);
    std::memcpy(CMSG_DATA(c), fds, sizeof fds);
    return ::sendmsg(socket, &m.message, MSG_NOSIGNAL) == sizeof m.request;
}

std::string programFolder()
{
    char self[PATH_MAX] = {};
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string path(self, std::size_t(std::max<ssize_t>(n, 0)));
    return path.substr(0, path.rfind('/'));
}

std::string shippedFile(const char* name)
{
    const std::string dir = programFolder();
    if (dir.empty())
        return {};
    for (const std::string& path : {dir + '/' + name, dir + "/../libexec/zornik-puzzle/" + name})
        if (::access(path.c_str(), F_OK) == 0)
            return path;
    return {};
}

}   // namespace zp::decoder
