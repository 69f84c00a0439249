// SPDX-License-Identifier: MIT
// Reading /proc/self/status.
#include "bench/proc_status.h"

#include <fstream>
#include <sstream>

namespace zp::bench {

std::optional<long long> statusFieldKiB(const std::string& statusText, const std::string& field)
{
    std::istringstream lines(statusText);
    const std::string key = field + ':';
    for (std::string line; std::getline(lines, line);) {
        if (line.compare(0, key.size(), key) != 0)
            continue;
        std::istringstream rest(line.substr(key.size()));
        long long value = 0;
        std::string unit;
        if (rest >> value >> unit && unit == "kB")
            return value;
        return std::nullopt;
    }
    return std::nullopt;
}

namespace {
std::optional<long long> ownStatusKiB(const char* field)
{
    std::ifstream file("/proc/self/status");
    std::ostringstream text;
    text << file.rdbuf();
    return statusFieldKiB(text.str(), field);
}
}   // namespace

std::optional<long long> peakResidentKiB() { return ownStatusKiB("VmHWM"); }

std::optional<long long> sharedResidentKiB() { return ownStatusKiB("RssShmem"); }

}   // namespace zp::bench
