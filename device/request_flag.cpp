// SPDX-License-Identifier: MIT
#include "device/request_flag.h"

namespace ryvorn {

TWorkSignal& TWorkSignal::Instance() {
    static TWorkSignal signal;
    return signal;
}

void TWorkSignal::Notify() {
    {
        std::lock_guard lock(Mutex_);
        ++Generation_;
    }
    Changed_.notify_all();
}

bool TWorkSignal::WaitUntil(uint64_t seen, std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(Mutex_);
    return Changed_.wait_until(lock, deadline, [&] { return Generation_.load() != seen; });
}

}  // namespace ryvorn
