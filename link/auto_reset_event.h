// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace ryvorn {

// An auto-reset event: Signal wakes one waiter (or the next one to wait); a
// successful wait resets it. Created not signalled.
class AutoResetEvent {
public:
    void Signal();
    void Reset();
    // Blocks until signalled or the time-out passes; true when signalled.
    bool Wait(std::chrono::milliseconds timeout);
    // Blocks until signalled or the steady-clock deadline passes.
    bool WaitUntil(std::chrono::steady_clock::time_point deadline);
    void Wait();

private:
    std::mutex Mutex_;
    std::condition_variable Cond_;
    bool Signalled_ = false;
};

}  // namespace ryvorn
