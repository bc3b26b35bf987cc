// SPDX-License-Identifier: MIT
#include "link/encrypt.h"

namespace ryvorn {

TEncrypt::TEncrypt(const std::string& passphrase) {
    const std::string first = passphrase.substr(0, 8);
    Key_ = std::string(8 - first.size(), ' ') + first;
    Enabled_ = passphrase != "        ";
    Reset();
}

void TEncrypt::Reset() {
    if (Key_ == "        ") {
        Register_ = 0;
        return;
    }
    auto c = [this](int i) { return static_cast<uint32_t>(static_cast<uint8_t>(Key_[static_cast<size_t>(i - 1)])); };
    // Sums above 255 carry into the next byte, modulo 2^32.
    Register_ = ((c(1) + c(8)) << 24) + ((c(2) + c(7)) << 16) + ((c(3) + c(6)) << 8) + (c(4) + c(5));
}

void TEncrypt::Clock() {
    const uint32_t old = Register_;
    uint32_t next = old >> 1;
    if (((old >> 2) & 1) != ((old >> 4) & 1)) next |= 0x80000000u;
    Register_ = next;
}

uint8_t TEncrypt::Process(uint8_t byte) {
    const uint8_t out = byte ^ static_cast<uint8_t>(Register_ & 0xFF);
    for (int i = 0; i < 8; ++i) Clock();
    return out;
}

}  // namespace ryvorn
