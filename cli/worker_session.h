// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "device/main_thread_invoker.h"
#include "device/sbc_device.h"
#include "device/sbc_thread.h"

namespace ryvorn {
class TLink;
}

namespace ryvorn::cli {

// The device on the link driven by the worker thread, as the main window drives it:
// this thread is the main thread and serves the worker's hand-overs while it waits.
class WorkerSession {
public:
    explicit WorkerSession(TLink& link);
    ~WorkerSession();

    TOxSbcDevice& Device() { return Device_; }
    TSbcThread& Worker() { return *Worker_; }
    TQueueInvoker& Invoker() { return Invoker_; }

    // Activates the device and releases the worker.
    void Start();
    // Waits on this thread until done() holds or the time is up, serving hand-overs.
    bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout);
    // Ends the worker (with its grace time).
    void Stop();

private:
    TQueueInvoker Invoker_;
    TOxSbcDevice Device_;
    std::unique_ptr<TSbcThread> Worker_;
};

}  // namespace ryvorn::cli
