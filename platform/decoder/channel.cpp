// SPDX-License-Identifier: MIT
// The decoder's end of its socket.
#include "platform/decoder/channel.h"

#include "platform/decoder/sandbox.h"
#include "platform/qt/picture_bounds.h"
#ifdef ZP_DECODER_FAULTS
#include "platform/decoder/test_faults.h"
#endif

#include <cstring>
#include <new>
#include <sys/socket.h>

namespace zp::decoder {

bool receive(Request& request, int (&fds)[2])
{
    RequestMessage m;
    if (::recvmsg(SocketFd, &m.message, MSG_CMSG_CLOEXEC) != sizeof m.request || m.request.magic != Magic)
        return false;
    const cmsghdr* c = CMSG_FIRSTHDR(&m.message);
    if (!c || c->cmsg_type != SCM_RIGHTS || c->cmsg_len != CMSG_LEN(sizeof fds))
        return false;
    std::memcpy(fds, CMSG_DATA(c), sizeof fds);
    request = m.request;
    request.name[sizeof request.name - 1] = 0;
    return true;
}

void send(const Reply& reply) { ::send(SocketFd, &reply, sizeof reply, MSG_NOSIGNAL); }

void serveOnePicture(int copies, const std::function<Reply(const Request&, int file, int memfd)>& decode)
{
    limitResources(decodeMemory(MaxPictureBytes, copies), HeaderSeconds + decodeSeconds(MaxPicturePixels));
    Request request;
    int fds[2] = {-1, -1};
    if (!installSystemCallFilter() || !receive(request, fds))
        ::_exit(1);
    try {
        send(decode(request, fds[0], fds[1]));
    } catch (const std::bad_alloc&) {
        send(refusal("the decoder ran out of memory"));
    }
    ::_exit(0);
}

Reply refusal(const char* reason)
{
    Reply reply;
    std::strncpy(reply.reason, reason, sizeof reply.reason - 1);
    return reply;
}

void announceSize([[maybe_unused]] const Request& request, int width, int height, int copies)
{
    Reply reply;
    reply.kind = ReplyKind::Size;
    reply.width = width;
    reply.height = height;
    reply.copies = copies;
    send(reply);
    const long long pixels = 1LL * width * height;
    limitResources(decodeMemory(4 * pixels, copies), HeaderSeconds + decodeSeconds(pixels));
#ifdef ZP_DECODER_FAULTS
    actOnFault(request.name);   // under the limits of a small picture
#endif
}

}   // namespace zp::decoder
