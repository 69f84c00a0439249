// SPDX-License-Identifier: MIT
// Rows written into the memfd on a thread of their own.
#include "platform/decoder/row_writer.h"

#include <unistd.h>

namespace zp::decoder {

RowWriter::RowWriter(int memfd, std::size_t blockBytes)
    : memfd_(memfd),
      buffers_{std::vector<unsigned char>(blockBytes), std::vector<unsigned char>(blockBytes)},
      thread_(&RowWriter::run, this)
{}

RowWriter::~RowWriter()
{
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

unsigned char* RowWriter::block()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_[next_]; });
    return buffers_[next_].data();
}

void RowWriter::write(off_t offset, std::size_t bytes)
{
    {
        const std::lock_guard lock(mutex_);
        busy_[next_] = true;
        jobs_.push_back({next_, offset, bytes});
        next_ = 1 - next_;
    }
    changed_.notify_all();
}

bool RowWriter::finish()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return jobs_.empty() && !busy_[0] && !busy_[1]; });
    return !failed_;
}

void RowWriter::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return ending_ || !jobs_.empty(); });
        if (jobs_.empty())
            return;
        const Job job = jobs_.front();
        jobs_.pop_front();
        lock.unlock();
        const bool wrote =
            ::pwrite(memfd_, buffers_[job.buffer].data(), job.bytes, job.offset) == ssize_t(job.bytes);
        lock.lock();
        failed_ = failed_ || !wrote;
        busy_[job.buffer] = false;
        changed_.notify_all();
    }
}

}   // namespace zp::decoder
