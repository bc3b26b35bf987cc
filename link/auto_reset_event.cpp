// SPDX-License-Identifier: MIT
#include "link/auto_reset_event.h"

namespace ryvorn {

void AutoResetEvent::Signal() {
    {
        std::lock_guard lock(Mutex_);
        Signalled_ = true;
    }
    Cond_.notify_one();
}

void AutoResetEvent::Reset() {
    std::lock_guard lock(Mutex_);
    Signalled_ = false;
}

bool AutoResetEvent::WaitUntil(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(Mutex_);
    if (!Cond_.wait_until(lock, deadline, [this] { return Signalled_; })) return false;
    Signalled_ = false;
    return true;
}

bool AutoResetEvent::Wait(std::chrono::milliseconds timeout) {
    // Guard the addition against "practically endless" time-outs.
    const auto now = std::chrono::steady_clock::now();
    if (timeout > std::chrono::hours(24 * 365)) {
        Wait();
        return true;
    }
    return WaitUntil(now + timeout);
}

void AutoResetEvent::Wait() {
    std::unique_lock lock(Mutex_);
    Cond_.wait(lock, [this] { return Signalled_; });
    Signalled_ = false;
}

}  // namespace ryvorn
