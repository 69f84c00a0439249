// SPDX-License-Identifier: MIT
// Memory figures of the running process, as the kernel reports them in /proc.
#pragma once

#include <optional>
#include <string>

namespace zp::bench {

// The value of a field given in kB, such as "VmHWM", in the text of a /proc/<pid>/status
// file; nullopt if the field is missing or malformed.
std::optional<long long> statusFieldKiB(const std::string& statusText, const std::string& field);

// This process's peak resident set size (VmHWM) in KiB; nullopt if it cannot be read.
std::optional<long long> peakResidentKiB();

// This process's resident shared memory (RssShmem) in KiB: the picture's pages it has read.
std::optional<long long> sharedResidentKiB();

}   // namespace zp::bench
