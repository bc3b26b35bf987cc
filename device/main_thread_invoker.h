// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace ryvorn {

// How the core hands work to the main thread. The desktop application implements it
// with queued calls into its event loop; tools and tests use TQueueInvoker and pump it.
//
// A thread that waits in Invoke is served by every wait of the main thread that goes
// through WaitServing, so the main thread waiting for a worker (a pause, a stop) never
// deadlocks against that worker waiting for the main thread.
class TMainThreadInvoker {
public:
    using Clock = std::chrono::steady_clock;
    virtual ~TMainThreadInvoker() = default;

    virtual bool IsMainThread() const = 0;
    // Runs work on the main thread and waits until it has run; on the main thread it
    // runs at once.
    virtual void Invoke(const std::function<void()>& work) = 0;
    // Queues work for the main thread and returns at once.
    virtual void Post(std::function<void()> work) = 0;
    // On the main thread: waits until done() holds or the deadline passes, running the
    // work other threads hand over meanwhile. True when done() held.
    virtual bool WaitServing(const std::function<bool()>& done, Clock::time_point deadline) = 0;
    // Makes a WaitServing look at its condition again.
    virtual void Wake() = 0;
};

// The invoker of programs without an event loop: the main thread is the one that
// created it, and work runs whenever that thread calls WaitServing or RunPending.
class TQueueInvoker : public TMainThreadInvoker {
public:
    TQueueInvoker() : Main_(std::this_thread::get_id()) {}

    bool IsMainThread() const override { return std::this_thread::get_id() == Main_; }
    void Invoke(const std::function<void()>& work) override;
    void Post(std::function<void()> work) override;
    bool WaitServing(const std::function<bool()>& done, Clock::time_point deadline) override;
    void Wake() override;
    // Runs whatever is queued now.
    void RunPending();

private:
    std::mutex Mutex_;
    std::condition_variable Changed_;
    std::deque<std::function<void()>> Queue_;
    uint64_t Wakes_ = 0;
    std::thread::id Main_;
};

}  // namespace ryvorn
