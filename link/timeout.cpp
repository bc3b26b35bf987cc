// SPDX-License-Identifier: MIT
#include "link/timeout.h"

namespace ryvorn {

void TTimeout::Start(int32_t milliseconds) {
    Active_ = milliseconds != 0;
    const auto now = Clock::now();
    Deadline_ = milliseconds < 0 ? now : now + std::chrono::milliseconds(milliseconds);
}

bool TTimeout::Expired() const { return Active_ && Clock::now() >= Deadline_; }

std::chrono::milliseconds TTimeout::Left() const {
    if (!Active_) return std::chrono::milliseconds::max();
    const auto now = Clock::now();
    if (now >= Deadline_) return std::chrono::milliseconds(0);
    // Round up so that a wait for the rest never wakes just before the deadline.
    return std::chrono::ceil<std::chrono::milliseconds>(Deadline_ - now);
}

uint32_t TTimeout::Remaining() const {
    if (!Active_) return 65535;
    const auto now = Clock::now();
    if (now >= Deadline_) return 0;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline_ - now);
    if (left >= std::chrono::minutes(1)) return 65535;
    return static_cast<uint32_t>(left.count());
}

}  // namespace ryvorn
