// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "link/auto_reset_event.h"
#include "link/base_protocol.h"

namespace ryvorn {

// One request on its way through the protocol thread. Embedded in its TOXcFunc and
// queued by pointer; the caller waits on CompletionEvent until Done.
struct TOxRequest {
    enum : uint16_t { StatusOk = 0, StatusFailed = 1, StatusInProgress = 5 };

    std::atomic<bool> Done{false};
    int32_t Address = 0;
    uint8_t HeaderByte = 0;
    std::array<uint8_t, MaxPayload> Request{};
    std::array<uint8_t, MaxPayload> Reply{};
    std::atomic<uint16_t> Status{StatusInProgress};
    uint16_t RequestLength = 0;
    uint16_t ReplyLength = 0;
    uint16_t Timeout = 0;
    // Resends after "not ready" replies, for diagnostics.
    uint16_t NotReadyResends = 0;
    std::shared_ptr<AutoResetEvent> CompletionEvent;
};

}  // namespace ryvorn
