// SPDX-License-Identifier: MIT
#include "device/presence_module.h"

namespace ryvorn {

TOxPresenceModule::TOxPresenceModule(int32_t address, TOXProt* protocol, uint8_t interfaceNumber)
    : TOxModule(address, protocol), Interface_(interfaceNumber) {}

bool TOxPresenceModule::Presence() {
    return Perform(
        {ofAvailability, ReplyExactly(1)}, [this](TOXcFunc& r) { r.SetCommand(Interface_, 0); },
        [this](TOXcFunc& r) { Present_ = r.ReplyIs('U'); });
}

void TOxPresenceModule::RequestPresenceCheck() {
    Present_ = false;
    CheckCounter_ = PresenceAttempts;
    PresenceCheck_ = true;
}

bool TOxPresenceModule::CheckPresence() {
    if (PresenceCheck_ && CheckCounter_ > 0) {
        CheckCounter_ = static_cast<uint8_t>(CheckCounter_ - 1);
        // A one-byte reply ends the check: a controller that answers something other than
        // "U" does not have the function. A reply of another length is no answer and
        // costs an attempt like silence.
        Presence();
        if (Status() == TOxModuleStatus::Ok || CheckCounter_ == 0) PresenceCheck_ = false;
    }
    return Present_;
}

}  // namespace ryvorn
