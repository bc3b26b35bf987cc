// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "link/base_protocol.h"
#include "link/event_manager.h"
#include "link/ox_request.h"

namespace ryvorn {

// The protocol thread: owns the frame protocol and executes requests one at a time,
// first in first out. Each caller waits on its own thread's completion event.
//
// When the line is idle and nothing is queued, a caller runs its request itself
// (RunNow) instead of handing it to the thread and waiting to be woken: the same
// one-at-a-time order, two thread switches fewer per request. Otherwise it queues it.
//
// The thread never spins: it sleeps on the queue's condition until a request, a
// pause or the stop arrives. A pause takes effect only between requests, so a
// request is never cut between its frame and its reply. Stopping completes every
// request still queued with failure, so no caller waits for ever.
class TOXProt {
public:
    // A "not ready" reply (the single byte 0x00) sends the request again, up to this
    // many times; then the request fails.
    static constexpr int MaxNotReadyResends = 50;

    // Sets the protocol's time-out to 100 ms, opens it, and starts the thread when the
    // open succeeded.
    explicit TOXProt(std::unique_ptr<TBaseProtocol> protocol);
    ~TOXProt();
    TOXProt(const TOXProt&) = delete;
    TOXProt& operator=(const TOXProt&) = delete;

    // Opens the protocol if needed and starts the thread if it is not running; true
    // when it runs.
    bool Start();
    // Ends the thread within the grace time, failing every request still queued.
    void Stop(std::chrono::milliseconds grace = std::chrono::milliseconds(1000));
    bool Running() const { return Running_; }

    // Queues the request; returns the completion event to wait on, or nullptr when
    // the thread does not run (the request is then not queued).
    std::shared_ptr<AutoResetEvent> Enqueue(TOxRequest& request, const uint8_t* payload, uint16_t timeout,
                                            uint16_t length, uint8_t headerByte, int32_t address);
    // Runs the request on the calling thread when the line is idle, nothing is queued
    // and no pause or stop is pending; false (nothing done) otherwise.
    bool RunNow(TOxRequest& request, const uint8_t* payload, uint16_t timeout, uint16_t length, uint8_t headerByte,
                int32_t address);
    // Removes the request from the queue if it is still there; true when removed.
    bool Cancel(TOxRequest& request);

    // Pausing waits until the thread has parked between requests (true), or until the
    // wait bound passed (false). Unpausing releases it.
    bool Pause(bool on, std::chrono::milliseconds bound = std::chrono::seconds(60));
    bool Paused() const { return PausedFlag_; }

    void SetDefaultTimeout(uint16_t ms) { DefaultTimeout_ = ms; }
    uint16_t DefaultTimeout() const { return DefaultTimeout_; }
    int State() const { return State_; }

    TBaseProtocol* Protocol() const { return Protocol_.get(); }
    // True while the protocol's transport is open (read from any thread).
    bool LinkOpen() const;

private:
    void Run();
    void Prepare(TOxRequest& request, const uint8_t* payload, uint16_t timeout, uint16_t length, uint8_t headerByte,
                 int32_t address) const;
    void Serve(TOxRequest& request);
    // Ends a turn on the line: lets the thread (or a pause) go on.
    void ReleaseLine();
    static void Complete(TOxRequest& request, bool done);

    std::unique_ptr<TBaseProtocol> Protocol_;
    TEventManager Events_;
    std::thread Thread_;

    mutable std::mutex Mutex_;  // the queue's critical section
    std::condition_variable Wake_;
    std::condition_variable ParkedChanged_;
    std::deque<TOxRequest*> Queue_;
    bool Terminated_ = false;
    bool Parked_ = false;
    bool LineBusy_ = false;  // a request is on the line, served by the thread or a caller

    std::atomic<bool> Running_{false};
    std::atomic<bool> PausedFlag_{false};
    std::atomic<uint16_t> DefaultTimeout_{200};
    std::atomic<int> State_{0};
};

}  // namespace ryvorn
