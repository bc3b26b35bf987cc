// SPDX-License-Identifier: MIT
#include "sim/sim_line_medium.h"

namespace ryvorn::sim {

SimLineMedium::SimLineMedium(SimController& controller, SimFaults& faults, std::vector<uint8_t> addresses)
    : Line_(controller, faults, std::move(addresses)) {}

bool SimLineMedium::Open(uint16_t rx, uint16_t tx) {
    {
        std::lock_guard lock(Mutex_);
        Open_ = !OpenFails_;
        if (Open_) ++Opens_;
    }
    TComMedium::Open(rx, tx);
    return IsOpen();
}

bool SimLineMedium::IsOpen() const {
    std::lock_guard lock(Mutex_);
    return Open_;
}

void SimLineMedium::Close() {
    std::lock_guard lock(Mutex_);
    Open_ = false;
}

void SimLineMedium::SetBreak(bool on) {
    std::lock_guard lock(Mutex_);
    if (on) ++Breaks_;
}

size_t SimLineMedium::ArrivedLocked(Clock::time_point now) const {
    size_t n = 0;
    while (n < Incoming_.size() && Incoming_[n].At <= now) ++n;
    return n;
}

uint32_t SimLineMedium::Read(uint8_t* buffer, uint32_t count) {
    std::lock_guard lock(Mutex_);
    if (!Open_) return 0;
    const size_t n = std::min<size_t>(count, ArrivedLocked(Clock::now()));
    for (size_t i = 0; i < n; ++i) buffer[i] = Incoming_[i].Value;
    Incoming_.erase(Incoming_.begin(), Incoming_.begin() + static_cast<std::ptrdiff_t>(n));
    return static_cast<uint32_t>(n);
}

uint32_t SimLineMedium::Write(const uint8_t* buffer, uint32_t count) {
    std::lock_guard lock(Mutex_);
    if (!Open_) return 0;
    Written_.insert(Written_.end(), buffer, buffer + count);
    const auto replies = Line_.Feed(std::span<const uint8_t>(buffer, count));
    const auto byteTime = Baud_ ? std::chrono::microseconds(10'000'000 / Baud_) : std::chrono::microseconds(0);
    auto at = std::max(Clock::now(), Incoming_.empty() ? Clock::now() : Incoming_.back().At);
    for (const auto& r : replies) {
        at += r.Delay;
        for (size_t i = 0; i < r.Data.size(); ++i) {
            if (r.GapBefore && *r.GapBefore == i) at += r.Gap;
            at += byteTime;
            Incoming_.push_back({at, r.Data[i]});
        }
    }
    Arrival_.notify_all();
    return count;
}

void SimLineMedium::Purge() {
    // Only what has arrived is in the driver's queue; bytes still on their way come later.
    std::lock_guard lock(Mutex_);
    Incoming_.erase(Incoming_.begin(),
                    Incoming_.begin() + static_cast<std::ptrdiff_t>(ArrivedLocked(Clock::now())));
}

uint32_t SimLineMedium::ClearErrors() {
    std::lock_guard lock(Mutex_);
    RxdQue_ = static_cast<uint32_t>(ArrivedLocked(Clock::now()));
    LastErrorMask_ = 0;
    return 0;
}

uint32_t SimLineMedium::GetRxdQue() { return ClearErrors(), RxdQue_; }

bool SimLineMedium::WaitForData(std::chrono::milliseconds timeout) {
    std::unique_lock lock(Mutex_);
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (!Open_) return false;
        const auto now = Clock::now();
        if (ArrivedLocked(now) > 0) return true;
        if (now >= deadline) return false;
        // Sleep until the next byte is due or the deadline, whichever comes first.
        auto until = deadline;
        if (!Incoming_.empty()) until = std::min(until, Incoming_.front().At);
        Arrival_.wait_until(lock, until);
    }
}

Bytes SimLineMedium::Written() const {
    std::lock_guard lock(Mutex_);
    return Written_;
}

}  // namespace ryvorn::sim
