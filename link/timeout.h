// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>

namespace ryvorn {

// A millisecond deadline on the steady clock, so that midnight and changes of the
// wall clock never shorten or stretch a wait. Start(0) never expires; a negative
// start expires at once.
class TTimeout {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~TTimeout() = default;

    virtual void Start(int32_t milliseconds);
    // 0 once passed, 65535 while a minute or more is left, else the milliseconds left.
    virtual uint32_t Remaining() const;
    bool Expired() const;
    bool Active() const { return Active_; }

    // Exact time left, for waits that block on poll() or a condition variable;
    // std::chrono::milliseconds::max() while not active.
    std::chrono::milliseconds Left() const;
    Clock::time_point Deadline() const { return Deadline_; }

private:
    bool Active_ = false;
    Clock::time_point Deadline_{};
};

}  // namespace ryvorn
