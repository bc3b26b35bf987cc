// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "device/main_thread_invoker.h"
#include "device/module_availability.h"

namespace ryvorn {

class TOxSbcDevice;

// The worker thread: all traffic with the controller runs here. Each cycle lets the
// device identify the controller, serve the request flags of its modules or advance
// its job; around that it raises the System Interface poll every 2 s, runs a module
// discovery when asked, and offers the pause handshake through which the main thread
// takes the link for itself.
//
// It never spins: a cycle that sent nothing waits until a request flag is raised (or
// anything else that gives it work), the next System poll is due, or it is paused or
// stopped. With flags raised it cycles as fast as the controller answers.
class TSbcThread {
public:
    using ThreadEvent = std::function<void(TSbcThread& thread)>;
    using ScanEvent = std::function<void(TSbcThread& thread, const TModuleAvailability& table)>;

    static constexpr auto SystemPollPeriod = std::chrono::milliseconds(2000);

    // The thread starts paused, as the main window creates it; Pause(false) releases it.
    explicit TSbcThread(TMainThreadInvoker& invoker);
    ~TSbcThread();
    TSbcThread(const TSbcThread&) = delete;
    TSbcThread& operator=(const TSbcThread&) = delete;

    // Ends the thread: it finishes the request on the line and leaves its loop. Waits
    // on the main thread (serving hand-overs) for the grace time, then says so and goes
    // on waiting, since a thread that is using the link cannot be abandoned safely.
    void Stop(std::chrono::milliseconds grace = std::chrono::milliseconds(1000));

    // Call these while the thread is paused (or before it runs).
    void SetDevice(TOxSbcDevice* device);
    void SetAlternateDevice(TOxSbcDevice* device);
    void SetDiscoveryDevice(TOxSbcDevice* device);
    TOxSbcDevice* Device() const { return Device_; }

    void RequestDiscovery(bool requested);

    // On the main thread. Pausing waits until the thread has parked between cycles,
    // serving its hand-overs meanwhile; false when the watchdog (5 s) expired first:
    // the thread may still be using the modules, and the caller must leave them alone.
    bool Pause(bool on);
    bool Paused() const { return Paused_; }
    void SetPauseWatchdog(std::chrono::milliseconds watchdog) { PauseWatchdog_ = watchdog; }

    // Runs work on the main thread and waits for it; module event handlers use it to
    // reach the user interface.
    void Synchronize(const std::function<void()>& work);

    void SetOnBeforeDeviceScan(ThreadEvent handler) { OnBeforeDeviceScan_ = std::move(handler); }
    void SetOnAfterDeviceScan(ScanEvent handler) { OnAfterDeviceScan_ = std::move(handler); }
    void SetOnDeviceFound(ThreadEvent handler) { OnDeviceFound_ = std::move(handler); }
    // Called at the end of every cycle with the device (the watch list's refresh).
    void SetOnCycle(std::function<void(TOxSbcDevice&)> hook) { OnCycle_ = std::move(hook); }

    uint64_t Cycles() const { return Cycles_; }
    // The availability table of the last discovery.
    TModuleAvailability LastAvailability() const;

    // The discovery walk on a device, exposed for tests: the exact requests of every pass.
    TModuleAvailability Discover(TOxSbcDevice& device);

private:
    void Run();
    bool Cycle(TOxSbcDevice& device, std::chrono::steady_clock::time_point& nextPoll);
    void Park();
    void WaitForWork(uint64_t seen, std::chrono::steady_clock::time_point until);
    bool Terminated() const { return Terminated_; }

    TMainThreadInvoker& Invoker_;
    std::atomic<TOxSbcDevice*> Device_{nullptr};
    std::atomic<TOxSbcDevice*> AlternateDevice_{nullptr};
    std::atomic<TOxSbcDevice*> DiscoveryDevice_{nullptr};
    std::atomic<bool> DiscoverRequested_{false};
    std::atomic<bool> Paused_{true};
    std::atomic<bool> Parked_{false};
    std::atomic<bool> Terminated_{false};
    std::atomic<bool> Finished_{false};
    std::atomic<int64_t> LastIdCode_{-1};
    std::atomic<uint64_t> Cycles_{0};
    std::chrono::milliseconds PauseWatchdog_{5000};

    std::mutex Mutex_;  // parking, and the last availability table
    std::condition_variable Resume_;
    TModuleAvailability LastAvailability_{};

    ThreadEvent OnBeforeDeviceScan_;
    ScanEvent OnAfterDeviceScan_;
    ThreadEvent OnDeviceFound_;
    std::function<void(TOxSbcDevice&)> OnCycle_;
    std::thread Thread_;
};

}  // namespace ryvorn
