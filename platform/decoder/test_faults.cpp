// SPDX-License-Identifier: MIT
// The test copy of the picture decoder misbehaving on request.
#include "platform/decoder/test_faults.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace zp::decoder {

namespace {
bool named(const char* name, const char* fault)
{
    const std::size_t prefix = std::strlen("zp-fault-");
    return std::strncmp(name, "zp-fault-", prefix) == 0 &&
        std::strncmp(name + prefix, fault, std::strlen(fault)) == 0;
}
}   // namespace

void actOnFault(const char* name)
{
    if (named(name, "crash"))
        std::abort();   // a signal the sanitizers leave alone, unlike a bad write
    if (named(name, "memory")) {
        std::vector<std::unique_ptr<char[]>> taken;
        for (;;) {
            taken.emplace_back(new char[64 << 20]);
            std::memset(taken.back().get(), 1, 64 << 20);
        }
    }
    for (volatile bool spin = named(name, "loop"); spin;) {
    }
    if (named(name, "open"))
        ::close(::open("/etc/hostname", O_RDONLY));
    if (named(name, "slow"))
        ::sleep(1);
}

}   // namespace zp::decoder
