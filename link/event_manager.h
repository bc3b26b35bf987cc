// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "link/auto_reset_event.h"

namespace ryvorn {

// One completion event per calling thread, created on first use, so that callers on
// different threads never wake each other. Events are shared, so a waiter that wakes
// after the manager is gone still holds a live event.
class TEventManager {
public:
    // The calling thread's event, reset.
    std::shared_ptr<AutoResetEvent> EventForThisThread();
    size_t Count() const;

private:
    mutable std::mutex Mutex_;
    std::map<std::thread::id, std::shared_ptr<AutoResetEvent>> Events_;
};

}  // namespace ryvorn
