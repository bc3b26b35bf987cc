// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace ryvorn {

// The payload scrambler of program and recipe transfers: a 32-bit shift register
// keyed by an eight-character passphrase. Scrambling and descrambling are the same.
class TEncrypt {
public:
    explicit TEncrypt(const std::string& passphrase);

    // Disabled only by a passphrase of exactly eight spaces.
    bool Enabled() const { return Enabled_; }
    void Reset();
    uint8_t Process(uint8_t byte);
    uint32_t Register() const { return Register_; }

private:
    void Clock();

    std::string Key_;  // the passphrase right-aligned to eight characters
    bool Enabled_;
    uint32_t Register_ = 0;
};

}  // namespace ryvorn
