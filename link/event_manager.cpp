// SPDX-License-Identifier: MIT
#include "link/event_manager.h"

namespace ryvorn {

std::shared_ptr<AutoResetEvent> TEventManager::EventForThisThread() {
    std::lock_guard lock(Mutex_);
    auto& event = Events_[std::this_thread::get_id()];
    if (!event) event = std::make_shared<AutoResetEvent>();
    event->Reset();
    return event;
}

size_t TEventManager::Count() const {
    std::lock_guard lock(Mutex_);
    return Events_.size();
}

}  // namespace ryvorn
