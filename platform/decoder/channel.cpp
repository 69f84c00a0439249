// SPDX-License-Identifier: MIT
// The decoder's end of its socket.
#include "platform/decoder/channel.h"

#include "platform/decoder/sandbox.h"
#ifdef ZP_DECODER_FAULTS
#include "platform/decoder/test_faults.h"
#endif

#include <cstring>
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
