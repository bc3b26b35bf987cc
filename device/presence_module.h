// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstdint>

#include "device/ox_module.h"

namespace ryvorn {

// A module for a controller function that may be missing (Ethernet, Encryption): a
// presence request, tried a limited number of times, decides whether anything else is
// ever sent to it.
class TOxPresenceModule : public TOxModule {
  public:
    static constexpr uint8_t PresenceAttempts = 5;

    // The presence request (interface, 0): exactly one byte; present := it is "U".
    bool Presence();

    // Forgets the last answer and asks again, with PresenceAttempts attempts.
    void RequestPresenceCheck();
    bool PresenceCheckPending() const { return PresenceCheck_; }
    uint8_t CheckCounter() const { return CheckCounter_; }
    bool Present() const { return Present_; }

  protected:
    // The check is requested from the start.
    TOxPresenceModule(int32_t address, TOXProt* protocol, uint8_t interfaceNumber);

    // One step of the check, at most one request per call: the check stays requested
    // until a reply came or the attempts are used up. True when the controller has the
    // function.
    bool CheckPresence();
    uint8_t InterfaceNumber() const { return Interface_; }

  private:
    uint8_t Interface_;
    TRequestFlag PresenceCheck_{true};
    std::atomic<uint8_t> CheckCounter_{PresenceAttempts};
    std::atomic<bool> Present_{false};
};

}  // namespace ryvorn
