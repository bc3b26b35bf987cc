// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace ryvorn {

// Tells a waiting worker that there may be something to do: a request flag was
// raised, a job started, an identification or a discovery was asked for. The worker
// blocks on it instead of cycling when a cycle found nothing to send. One signal
// serves the whole process: a needless wake-up costs one look at the device.
class TWorkSignal {
public:
    static TWorkSignal& Instance();

    void Notify();
    // The count of notifications so far; a waiter passes the count it has seen.
    uint64_t Generation() const { return Generation_.load(); }
    // Blocks until a notification after `seen` or the deadline; true when notified.
    bool WaitUntil(uint64_t seen, std::chrono::steady_clock::time_point deadline);

private:
    std::mutex Mutex_;
    std::condition_variable Changed_;
    std::atomic<uint64_t> Generation_{0};
};

// A request flag: raised by a view or a handler, looked at by Process on the worker.
// Raising it wakes the worker.
class TRequestFlag {
public:
    constexpr TRequestFlag(bool raised = false) : Raised_(raised) {}
    TRequestFlag(const TRequestFlag&) = delete;
    TRequestFlag& operator=(const TRequestFlag&) = delete;

    TRequestFlag& operator=(bool raised) {
        store(raised);
        return *this;
    }
    operator bool() const { return Raised_.load(); }
    bool load() const { return Raised_.load(); }
    void store(bool raised) {
        Raised_.store(raised);
        if (raised) TWorkSignal::Instance().Notify();
    }

private:
    std::atomic<bool> Raised_;
};

}  // namespace ryvorn
