// SPDX-License-Identifier: MIT
#include "device/main_thread_invoker.h"

namespace ryvorn {

void TQueueInvoker::Invoke(const std::function<void()>& work) {
    if (IsMainThread()) {
        work();
        return;
    }
    std::mutex doneMutex;
    std::condition_variable doneChanged;
    bool done = false;
    Post([&] {
        work();
        std::lock_guard lock(doneMutex);
        done = true;
        doneChanged.notify_all();
    });
    std::unique_lock lock(doneMutex);
    doneChanged.wait(lock, [&] { return done; });
}

void TQueueInvoker::Post(std::function<void()> work) {
    {
        std::lock_guard lock(Mutex_);
        Queue_.push_back(std::move(work));
    }
    Changed_.notify_all();
}

void TQueueInvoker::Wake() {
    {
        std::lock_guard lock(Mutex_);
        ++Wakes_;
    }
    Changed_.notify_all();
}

void TQueueInvoker::RunPending() {
    for (;;) {
        std::function<void()> work;
        {
            std::lock_guard lock(Mutex_);
            if (Queue_.empty()) return;
            work = std::move(Queue_.front());
            Queue_.pop_front();
        }
        work();
    }
}

bool TQueueInvoker::WaitServing(const std::function<bool()>& done, Clock::time_point deadline) {
    for (;;) {
        RunPending();
        std::unique_lock lock(Mutex_);
        // Look at the condition under the lock: a Wake after this point is not missed.
        const uint64_t wakes = Wakes_;
        lock.unlock();
        if (done()) return true;
        lock.lock();
        if (Clock::now() >= deadline) return done();
        Changed_.wait_until(lock, deadline, [&] { return !Queue_.empty() || Wakes_ != wakes; });
    }
}

}  // namespace ryvorn
