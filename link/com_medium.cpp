// SPDX-License-Identifier: MIT
#include "link/com_medium.h"

#include <atomic>

namespace ryvorn {

namespace {
std::atomic<int> MediumCounter{0};
}

TComMedium::TComMedium() : DataEventName_("ComMedium" + std::to_string(MediumCounter++)) {}

TComMedium::~TComMedium() = default;

bool TComMedium::Open(uint16_t, uint16_t) {
    if (IsOpen()) {
        if (OnOpen) OnOpen(*this);
    } else if (OnOpenFailed) {
        OnOpenFailed(*this);
    }
    return false;
}

bool TComMedium::WaitForData(std::chrono::milliseconds timeout) {
    if (GetRxdQue() > 0) return true;
    DataEvent.Wait(timeout);
    return GetRxdQue() > 0;
}

}  // namespace ryvorn
